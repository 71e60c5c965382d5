// The test that a shortcut's target path came back from the link object damaged.
// Free of <windows.h> so it runs natively under the sanitizers.
#pragma once

// True when the path holds a character no Windows path can hold: ? * " < > |, a control
// character, or the replacement character U+FFFD (as UTF-8). A shortcut written under another
// code page, or resolved on a share whose names the link object could not convert, reads back
// like that; saving it would lose the user's target for good. An empty path is no sign of damage:
// shortcuts to shell objects have none.
bool TargetLooksMangled(const char* path);
