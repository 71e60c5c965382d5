// Reading and writing shortcut files through the shell's link object, in wide characters.
// COM must be initialised on the calling thread.
#pragma once
#include <windows.h>

// A shortcut's arguments hold at most this many characters (the shell's INFOTIPSIZE).
constexpr int ShortcutArgumentsSize = 1024;

// What starting a shortcut needs from it.
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

// Saves a shortcut to target with the icon at iconIndex of iconPath; false when it failed.
bool WriteShortcutFile(const wchar_t* path, const wchar_t* target, const wchar_t* iconPath,
                       int iconIndex, const wchar_t* description);
