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
