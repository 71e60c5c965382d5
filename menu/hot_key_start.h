// The run that the Start Menu shortcut's hot key starts: the menu takes the files selected in
// the window the key was pressed in.
#pragma once

// Makes the selection of the foreground Explorer window or the Desktop the files the chosen
// program gets (none for any other window). False, after a box saying why, when nothing may
// start: the selection held only items without a file-system path, or too many files.
bool TakeExplorerSelection();
