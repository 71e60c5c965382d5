// Waiting on the main thread for the mirror worker to end.
#pragma once

// True once WorkerThread's exit code is no longer STILL_ACTIVE.
bool WorkerHasEnded();

// Returns once WorkerThread has ended (or cannot be queried). Polls every 50 ms and meanwhile
// handles only messages sent from other threads: the worker may be inside a box owned by the
// main window, whose creation and closing need this thread. Posted messages stay queued.
void WaitForWorkerToEnd();

// Asks the worker's walks to stop, then waits as above.
void StopWorker();
