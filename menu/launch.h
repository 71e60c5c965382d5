// Starting the chosen shortcut: its program with the files, or the shortcut through the shell.
#pragma once

// Starts what the shortcut file names; false, after a box saying why, when nothing started.
bool StartShortcut(const wchar_t* linkPath);
