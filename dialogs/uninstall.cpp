// "Uninstall Tallowfin": stops the mirror worker and removes the mirror under Send To.
#include "uninstall.h"

#include "../app/shared_state.h"
#include "../app/worker_wait.h"
#include "../mirror/mirror_paths.h"
#include "../mirror/tree_walks.h"

void RunUninstall(HWND dialog) {
    if (MessageBoxA(dialog, "Uninstall Tallowfin.\n\nAre You Sure?", ProductTitle,
                    MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    // The wait lets sent messages through: a worker that reports a log failure sits in a box
    // owned by the main window, which needs this thread to open and to close.
    StopWorker();
    // Only now may the deletion start, and it stops early while the flag is still set.
    CancelFlag.store(false, std::memory_order_release);
    char mirrorRoot[PathBufferSize];
    BuildMirrorFolder(mirrorRoot, SendToFolder.path, MirrorFolder::Root);
    DeleteTree(mirrorRoot);
    UninstalledFlag = true;
    SetCursor(previous);
    MessageBoxA(dialog, "Tallowfin has been uninstalled.", ProductTitle,
                MB_ICONINFORMATION | MB_OK);
}
