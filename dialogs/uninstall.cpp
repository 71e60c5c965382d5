// "Uninstall Tallowfin": stops the mirror worker and removes the mirror under Send To.
#include "uninstall.h"

#include "../base/shared_state.h"
#include "../base/hourglass.h"
#include "../base/message_box.h"
#include "../base/worker_wait.h"
#include "../mirror/folder_discovery.h"
#include "../mirror/mirror_paths.h"
#include "../mirror/tree_walks.h"

void RunUninstall(HWND dialog) {
    if (!AskYesNo(dialog, "Uninstall Tallowfin.\n\nAre You Sure?", MB_ICONEXCLAMATION))
        return;
    HCURSOR previous = ShowHourglass();
    // The wait lets sent messages through: a worker that reports a log failure sits in a box
    // owned by the main window, which needs this thread to open and to close.
    StopWorker();
    // Only now may the deletion start, and it stops early while the flag is still set.
    CancelFlag.store(false, std::memory_order_release);
    char mirrorRoot[PathBufferSize];
    BuildMirrorFolder(mirrorRoot, SendToFolder.path, MirrorFolder::Root);
    DeleteTree(mirrorRoot);
    UninstalledFlag = true;
    RestoreCursor(previous);
    ShowInfoBox(dialog, "Tallowfin has been uninstalled.");
}
