// The worker thread's rebuild of the mirror under the Send To folder.
#include "mirror_pass.h"

#include "../app/shared_state.h"

DWORD WINAPI MirrorWorkerMain(LPVOID) {
    // The tables were filled before this thread started and never change again, so no lock.
    SourceSnapshot.sources = SourceFolderTable;
    SourceSnapshot.sendTo = SendToFolder;
    HWND mainWindow = MainWindow;
#ifdef TALLOWFIN_TEST_WORKER_HOLDS_BOX
    // Test-only build: the worker sits in a box owned by the main window, as it does when the
    // log cannot be created, so a test can close the window meanwhile.
    MessageBoxA(mainWindow, "The worker is holding a box.", ProductTitle,
                MB_ICONEXCLAMATION | MB_OK);
#endif
    RunMirrorPass(mainWindow);
    return 1;
}

void RunMirrorPass(HWND) {}
