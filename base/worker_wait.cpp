// Waiting on the main thread for the mirror worker to end.
#include "worker_wait.h"

#include "shared_state.h"

namespace {

constexpr DWORD PollInterval = 50;

} // namespace

bool WorkerHasEnded() {
    DWORD code = 0; // a failed query leaves 0, which counts as ended
    GetExitCodeThread(WorkerThread, &code);
    return code != STILL_ACTIVE;
}

void WaitForWorkerToEnd() {
    while (!WorkerHasEnded()) {
        // Wakes on the worker's end, on a message sent to this thread, or after the interval.
        MsgWaitForMultipleObjects(1, &WorkerThread, FALSE, PollInterval, QS_SENDMESSAGE);
        // Any peek delivers pending sent messages; this one removes and dispatches nothing else.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void StopWorker() {
    CancelFlag.store(true, std::memory_order_release);
    WaitForWorkerToEnd();
}
