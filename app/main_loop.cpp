// The program's own message loop with its exit watch, and the pump of the shut-down phase.
#include "main_loop.h"

#include <windows.h>

#include "../base/shared_state.h"
#include "../base/message_box.h"
#include "../base/system_library.h"
#include "../base/worker_wait.h"

namespace {

constexpr DWORD LingerMilliseconds = 5000;
constexpr UINT_PTR ExitWatchTimer = 0;

void TakeAndDispatch(MSG* msg) {
    // The result is not used: a WM_QUIT is dispatched like any other message, then examined.
    GetMessageA(msg, nullptr, 0, 0);
    TranslateMessage(msg);
    DispatchMessageA(msg);
}

void KillExitWatchTimer() {
    while (!KillTimer(MainWindow, ExitWatchTimer)) {
        ShowErrorBox(MainWindow, "ERROR - could not kill timer.");
        Sleep(50);
    }
}

} // namespace

void RunExitWatch() {
    if (!WorkerHasEnded())
        return;
    DWORD now = MillisecondTick();
    if (!LingerArmed) {
        ArmLinger(now, LingerMilliseconds);
    } else if (LingerDeadline < now) {
        KillExitWatchTimer();
        PostQuitMessage(0);
    }
}

void RunMainLoop() {
    bool quitSeen = false;
    MSG msg;
    while (!quitSeen) {
        WaitMessage();
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            TakeAndDispatch(&msg);
            if (msg.message == WM_QUIT)
                quitSeen = true; // the messages behind it are still dispatched
            // Only the watch's own tick: other timers of this thread (the bar's redraw, the
            // shell's) tick here too, and one behind the quit would find the watch's timer killed.
            else if (msg.message == WM_TIMER && msg.hwnd == MainWindow &&
                     msg.wParam == ExitWatchTimer)
                RunExitWatch();
        }
    }
}

void PumpPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        TakeAndDispatch(&msg);
}
