// The "Find a program..." window: a search box over the list of every program the menu would
// list, at any depth, which fills as the mirror is read and narrows with each word typed.
#pragma once
#include <windows.h>

// Opens the window at the mouse pointer over the mirror (ending in a backslash) and runs it
// until the user chooses a program or closes it. The chosen shortcut file, or null.
const wchar_t* FindProgram(const wchar_t* mirrorRoot);
