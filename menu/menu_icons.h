// Small pictures for menu items, as premultiplied 32-bit bitmaps that menus draw with alpha.
#pragma once
#include <windows.h>

// A shortcut file's small icon, as Explorer shows it; null when there is none.
HBITMAP ShortcutBitmap(const wchar_t* path);

// The shell's small folder icon, made once and shared by every folder item.
HBITMAP SharedFolderBitmap();
