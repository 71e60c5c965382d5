// Start-up, main loop and shut-down.
#include "app_main.h"

#include <commctrl.h>
#include <objbase.h>

#include "main_loop.h"
#include "main_window.h"
#include "settings_store.h"
#include "../base/shared_state.h"
#include "../base/message_box.h"
#include "../base/system_library.h"
#include "terms_gate.h"
#include "../base/worker_wait.h"
#include "../mirror/folder_discovery.h"
#include "../mirror/mirror_pass.h"
#include "../res/resource.h"

namespace {

constexpr UINT ExitWatchPeriod = 100;
constexpr int ExitingRounds = 30;
constexpr DWORD ExitingRoundSleep = 50;

bool CreateMainWindow() {
    // The template's progress bar needs its class registered first.
    InitSystemCommonControls(ICC_PROGRESS_CLASS);
    MainWindow =
        CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainWindowProc, 0);
    return MainWindow != nullptr;
}

bool StartWorker() {
    static DWORD unusedParameter = 0;
    WorkerThread = CreateThread(nullptr, 0, MirrorWorkerMain, &unusedParameter, 0, nullptr);
    return WorkerThread != nullptr;
}

// The visible end of a run: "Exiting..." for about a second and a half, then the settings.
void ShutDown() {
    CloseHandle(WorkerThread);
    WorkerThread = nullptr;
    HWND options = GetDlgItem(MainWindow, IDC_MAIN_OPTIONS);
    EnableWindow(options, FALSE);
    SetWindowTextA(options, "Exiting...");
    EnableMenuItem(GetSystemMenu(MainWindow, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    for (int round = 0; round < ExitingRounds; ++round) {
        PumpPendingMessages();
        Sleep(ExitingRoundSleep);
    }
    if (!UninstalledFlag)
        SaveWindowPosition();
    DestroyWindow(MainWindow);
    ReleaseAppState();
    if (UninstalledFlag)
        DeleteSettingsKey();
}

} // namespace

bool AcquireSingleInstance() {
    // The handle is kept by no one: the mutex is held until the process ends.
    CreateMutexA(nullptr, TRUE, "GlobalMutexTallowfin");
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

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
    if (!AcquireSingleInstance())
        return 1;
    InitAppState();
    if (!PassTermsGate()) {
        ReleaseAppState();
        return 0;
    }
    WriteVersionStamp();
    ReadSourceFolders();
    ReadSendToFolder();
    if (!SourceFolderTable.AnySourceFound || !SendToFolder.found) {
        ShowErrorBox(nullptr, "ERROR: could not read registry objects.");
        ReleaseAppState();
        return 0;
    }
    if (!CreateMainWindow()) {
        ShowErrorBox(nullptr, "ERROR: could not create dialog.");
        ReleaseAppState();
        return 0;
    }
    if (!StartWorker()) {
        ShowErrorBox(MainWindow, "ERROR: could not create thread.");
        ReleaseAppState();
        EndDialog(MainWindow, 0);
        return 0;
    }
    if (!SetTimer(MainWindow, 0, ExitWatchPeriod, nullptr)) {
        ShowErrorBox(MainWindow, "ERROR: could not set timer");
        // The worker may be inside a walk that takes SharedStateLock: it must end first.
        StopWorker();
        ReleaseAppState();
        EndDialog(MainWindow, 0);
        return 0;
    }
    LingerArmed = false;
    RunMainLoop();
    ShutDown();
    return 1;
}
