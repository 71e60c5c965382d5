// Small pictures for menu items, as premultiplied 32-bit bitmaps that menus draw with alpha.
#pragma once
#include <windows.h>

#include "shortcut_file.h"

// The small icon of the shortcut file at path, read as link, as Explorer shows it; null when
// there is none. A target on the network gets the icon of its kind of file, unread.
HBITMAP ShortcutBitmap(const wchar_t* path, const ShortcutInfo& link);

// The shell's small folder icon, made once and shared by every folder item.
HBITMAP SharedFolderBitmap();

// The shell's small search icon, for "Find a program..."; null when there is none.
HBITMAP FindBitmap();
