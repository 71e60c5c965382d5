// Start-up, main loop and shut-down.
#include "app_main.h"

#include <commctrl.h>
#include <objbase.h>

#include "main_window.h"
#include "shared_state.h"
#include "../mirror/folder_discovery.h"
#include "../res/resource.h"

namespace {

void ShowStartupError(HWND owner, const char* text) {
    MessageBoxA(owner, text, ProductTitle, MB_ICONEXCLAMATION | MB_OK);
}

void RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

void InitAppState() {
    CoInitialize(nullptr);
    SourceFolderTable.AnySourceFound = false;
    SendToFolder.found = false;
    AppIcon = static_cast<HICON>(
        LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    InitializeCriticalSection(&SharedStateLock);
}

void ReleaseAppState() {
    DeleteCriticalSection(&SharedStateLock);
    if (AppIcon)
        DestroyIcon(AppIcon);
    AppIcon = nullptr;
    CoUninitialize();
}

int AppMain(HINSTANCE instance) {
    AppInstance = instance;
    InitAppState();
    ReadSourceFolders();
    ReadSendToFolder();
    if (!SourceFolderTable.AnySourceFound || !SendToFolder.found) {
        ShowStartupError(nullptr, "ERROR: could not read registry objects.");
        ReleaseAppState();
        return 0;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    MainWindow =
        CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainWindowProc, 0);
    if (!MainWindow) {
        ShowStartupError(nullptr, "ERROR: could not create dialog.");
        ReleaseAppState();
        return 0;
    }
    RunMessageLoop();
    DestroyWindow(MainWindow);
    ReleaseAppState();
    return 1;
}
