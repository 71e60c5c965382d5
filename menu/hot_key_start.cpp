// The hot key's run (see hot_key_start.h).
#include "hot_key_start.h"

#include <cwchar>

#include "explorer_selection.h"
#include "menu_box.h"
#include "menu_state.h"

bool TakeExplorerSelection() {
    // This program has shown nothing yet: the foreground is the window the key was pressed in.
    HWND foreground = GetForegroundWindow();
    ExplorerSelection& selection = HotKeySelection;
    SelectionReaderLeftBehind = !ReadExplorerSelection(nullptr, foreground, &selection);
    if (selection.overflow) {
        ShowMenuBox(MB_ICONWARNING | MB_OK,
                    L"More files are selected than a program's command line can take (32,767 "
                    L"characters), so nothing was started.\n\nChoose fewer files at a time.");
        return false;
    }
    if (selection.fileCount == 0 && selection.leftOutCount > 0) {
        ShowMenuBox(MB_ICONWARNING | MB_OK,
                    L"The selected items are not files or folders on a disk (such as items "
                    L"inside a .zip file, on a phone, or in Control Panel), so no program can "
                    L"be given them.\n\nNothing was started.");
        return false;
    }
    const wchar_t* path = selection.text;
    for (int i = 0; i < selection.fileCount && i < MaxSelectedFiles; ++i) {
        HotKeyFiles[i] = const_cast<wchar_t*>(path);
        path += wcslen(path) + 1;
    }
    MenuFiles = HotKeyFiles;
    MenuFileCount = selection.fileCount < MaxSelectedFiles ? selection.fileCount : MaxSelectedFiles;
    return true;
}
