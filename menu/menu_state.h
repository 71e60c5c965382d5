// Tallowfin Menu's process-wide state, grouped by the file that owns it. One thread only: the
// thread that reads Explorer's selection writes only memory of its own.
#pragma once
#include <windows.h>

#include "explorer_selection.h"

// Start-up (menu/menu_main.cpp) ------------------------------------------------------------------
extern HINSTANCE MenuInstance;
// The files the program was started with, as the command line gave them.
extern wchar_t** MenuFiles;
extern int MenuFileCount;

// The menu tree (menu/mirror_menu.cpp) --------------------------------------------------------
// Sub-menus are listed when they first open; these tables only grow while the menu is up.
// Beyond their size further entries are left out: a menu that long could not be used anyway.
constexpr int MaxMenuFolders = 1024;
constexpr int MaxMenuShortcuts = 4096;
constexpr UINT FirstShortcutCommand = 1; // command id = FirstShortcutCommand + table index

struct MenuFolder {
    HMENU menu;
    bool filled;
    wchar_t path[MAX_PATH]; // ends in a backslash
};

struct MenuShortcut {
    wchar_t path[MAX_PATH];
};

extern MenuFolder MenuFolders[MaxMenuFolders];
extern int MenuFolderCount;
extern MenuShortcut MenuShortcuts[MaxMenuShortcuts];
extern int MenuShortcutCount;
// One picture serves every folder item.
extern HBITMAP FolderBitmap;
// The pictures' side in pixels (menu/menu_icons.cpp); 0 until the first picture is made.
extern int MenuIconSide;

// The recent programs (menu/recent_programs.cpp) -----------------------------------------------
constexpr int MaxRecentPrograms = 5;
// Shortcut paths relative to the mirror, most recent first; the menu keeps those it can list.
extern wchar_t RecentPrograms[MaxRecentPrograms][MAX_PATH];
extern int RecentProgramCount;

// The hot key's run (menu/hot_key_start.cpp) ------------------------------------------------
// Each selected path takes at least two characters of the text, its NUL included.
constexpr int MaxSelectedFiles = CommandLineLimit / 2;
// The files selected when the key was pressed; MenuFiles points into them.
extern ExplorerSelection HotKeySelection;
extern wchar_t* HotKeyFiles[MaxSelectedFiles];
// The selection read was given up on: its thread may still be waiting on Explorer.
extern bool SelectionReaderLeftBehind;
