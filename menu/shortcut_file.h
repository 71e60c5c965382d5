// Reading and writing shortcut files through the shell's link object, in wide characters.
// COM must be initialised on the calling thread.
#pragma once
#include <windows.h>

#include "menu_text.h"

// The shell's documented limit for arguments is 1,024 characters, but a shortcut file holds
// more, and a shorter buffer cuts them without a word: they get what a command line can take.
constexpr int ShortcutArgumentsSize = CommandLineLimit;

// What starting a shortcut needs from it. Large (the arguments): kept in static storage.
struct ShortcutInfo {
    wchar_t target[MAX_PATH]; // empty for a target that is no file (a shell object)
    wchar_t arguments[ShortcutArgumentsSize];
    wchar_t workingDir[MAX_PATH];
    int showCommand;
    wchar_t iconPath[MAX_PATH]; // empty: the target's own icon
    int iconIndex;
};

// False when the file cannot be loaded as a shortcut.
bool ReadShortcutFile(const wchar_t* path, ShortcutInfo* info);

// Saves a shortcut to target with the arguments, the hot key (as IShellLink::SetHotkey takes it;
// 0 for none) and the icon at iconIndex of iconPath; false when it failed.
bool WriteShortcutFile(const wchar_t* path, const wchar_t* target, const wchar_t* arguments,
                       WORD hotKey, const wchar_t* iconPath, int iconIndex,
                       const wchar_t* description);
