// Definitions of the process-wide state declared in menu_state.h.
#include "menu_state.h"

HINSTANCE MenuInstance;
wchar_t** MenuFiles;
int MenuFileCount;

MenuFolder MenuFolders[MaxMenuFolders];
int MenuFolderCount;
MenuShortcut MenuShortcuts[MaxMenuShortcuts];
int MenuShortcutCount;
HBITMAP FolderBitmap;
int MenuIconSide;

wchar_t RecentPrograms[MaxRecentPrograms][MAX_PATH];
int RecentProgramCount;

ExplorerSelection HotKeySelection;
wchar_t* HotKeyFiles[MaxSelectedFiles];
bool SelectionReaderLeftBehind;
FindRow FindRows[MaxFindRows];
FindFolder FindFolders[MaxFindFolders];
std::atomic<int> FindPublishedRows;
std::atomic<bool> FindRowsDone;
std::atomic<bool> FindCancel;
std::atomic<bool> FindRowsPosted;
std::atomic<bool> FindIconsPosted;
CRITICAL_SECTION FindIconLock;
int FindIconRequests[MaxFindIconRequests];
int FindIconRequestCount;
HANDLE FindIconWake;
HANDLE FindWorker;

HWND FindWindowHandle, FindEdit, FindList;
UINT FindDpi;
HFONT FindFont;
int FindSorted[MaxFindRows];
int FindSortedCount;
int FindShown[MaxFindRows];
int FindShownCount;
wchar_t FindQuery[FindQuerySize];
FindWords FindQueryWords;
int FindHighlight;
bool FindSelecting;
bool FindWasActive;
wchar_t FindChosen[MAX_PATH];
