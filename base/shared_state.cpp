// Definitions of the process-wide state declared in shared_state.h.
#include "shared_state.h"

HINSTANCE AppInstance;
HWND MainWindow;
HANDLE WorkerThread;
HICON AppIcon;
CRITICAL_SECTION SharedStateLock;

std::atomic<bool> CancelFlag{false};

bool UninstalledFlag;

bool LingerArmed;
DWORD LingerDeadline = 0xFFFFFFFFu;

void ArmLinger(DWORD now, DWORD milliseconds) {
    LingerArmed = true;
    LingerDeadline = now + milliseconds;
}

void EndRunWithoutLinger() {
    LingerArmed = true;
    LingerDeadline = 0;
}
