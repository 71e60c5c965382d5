// Tallowfin Menu's process-wide state, grouped by the file that owns it. One thread only, except
// the rows of "Find a program...", which its worker fills (see there); the thread that reads
// Explorer's selection writes only memory of its own.
#pragma once
#include <windows.h>

#include <atomic>

#include "explorer_selection.h"
#include "find_text.h"

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
// "Find a program..." (menu/find_rows.cpp, menu/find_window.cpp) -------------------------------
// The root menu's first item: a command after every shortcut's.
constexpr UINT FindProgramCommand = FirstShortcutCommand + MaxMenuShortcuts;
// Twice what the menu could list: programs beyond are left out of the search.
constexpr int MaxFindRows = 2 * MaxMenuShortcuts;
constexpr int MaxFindFolders = MaxMenuFolders;
// A row's icon before its real one is known: the generic program icon is shown meanwhile.
constexpr int IconUnknown = -1, IconAsked = -2;

struct FindFolder {
    wchar_t shown[MAX_PATH];  // below the mirror, no trailing backslash; empty for the top level
    wchar_t folded[MAX_PATH]; // in lower case by the user's locale
};

struct FindRow {
    wchar_t path[MAX_PATH];    // the shortcut file
    wchar_t folded[MAX_PATH];  // its name as shown, in lower case by the user's locale
    int nameStart, nameLength; // its name as shown, within path
    int folder;                // in FindFolders
    int recentRank;            // in RecentPrograms; -1 for none
    std::atomic<int> icon;     // in the system's small image list, or IconUnknown, IconAsked
};

// Written by the worker (find_rows.cpp) only below FindPublishedRows' next value; a row, and
// the folder it names, never change once published (but for its icon). The window thread reads
// only published rows.
extern FindRow FindRows[MaxFindRows];
extern FindFolder FindFolders[MaxFindFolders];
extern std::atomic<int> FindPublishedRows;
extern std::atomic<bool> FindRowsDone;   // the walk is over; no more rows come
extern std::atomic<bool> FindCancel;     // set by the window thread: the worker stops
extern std::atomic<bool> FindRowsPosted; // a rows message waits: the worker posts no other
extern std::atomic<bool> FindIconsPosted;
// Rows whose icon the window asked for, newest last; under FindIconLock.
constexpr int MaxFindIconRequests = 256;
extern CRITICAL_SECTION FindIconLock;
extern int FindIconRequests[MaxFindIconRequests];
extern int FindIconRequestCount;
extern HANDLE FindIconWake; // event: a request, or the cancel
extern HANDLE FindWorker;

// The window (menu/find_window.cpp), window thread only. Every size in it comes from FindDpi.
extern HWND FindWindowHandle, FindEdit, FindList;
extern UINT FindDpi;
extern HFONT FindFont;
// Published rows in the list's order, and those the typed words select, as rows' indexes.
extern int FindSorted[MaxFindRows];
extern int FindSortedCount;
extern int FindShown[MaxFindRows];
extern int FindShownCount;
extern wchar_t FindQuery[FindQuerySize]; // folded
extern FindWords FindQueryWords;         // pointing into FindQuery
extern int FindHighlight;  // the row highlighted since the user moved; -1 before (the first)
extern bool FindSelecting; // the selection being set by the program, not the user
extern bool FindWasActive; // deactivation closes the window only once it was active
extern wchar_t FindChosen[MAX_PATH]; // the shortcut to start; empty when none was chosen
