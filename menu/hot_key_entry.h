// The Start Menu shortcut whose hot key opens Tallowfin Menu on the files selected in Explorer.
// Explorer watches the shortcuts of the Start Menu and starts one whose key is pressed.
#pragma once
#include <windows.h>

// What tells the menu that the key started it.
constexpr wchar_t HotKeyArgument[] = L"/hotkey";

// Ctrl+Shift+Alt+F10. A function key types nothing on any layout, with AltGr (Ctrl+Alt) too, and
// neither Windows nor Explorer nor common programs take this chord; a shortcut's key wins over
// every program's own, so it must be one they leave free.
constexpr WORD HotKeyCode = (0x07 << 8) | VK_F10; // HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT
constexpr wchar_t HotKeyName[] = L"Ctrl+Shift+Alt+F10";

// Where the shortcut goes: "Tallowfin Menu.lnk" in the user's Start Menu Programs folder.
bool FindHotKeyEntry(wchar_t (&out)[MAX_PATH]);

// Saves the shortcut at path to target, with the key and the argument; false when it failed.
bool WriteHotKeyEntry(const wchar_t* path, const wchar_t* target);
