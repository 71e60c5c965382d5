// The process-wide state that every layer may read. Everything here exists before the worker
// thread starts; only CancelFlag is touched by both threads. State that one area owns sits
// with that area (the folder tables with discovery, the bar's counters with the tree walks).
#pragma once
#include <windows.h>

#include <atomic>

#include "product_info.h"

// Written once at start-up (app/app_main.cpp).
extern HINSTANCE AppInstance;
extern HWND MainWindow;
extern HANDLE WorkerThread;
extern HICON AppIcon;
extern CRITICAL_SECTION SharedStateLock;

// Stop requests (main thread writes, worker polls) ------------------------------------------
// Release stores and acquire loads: the worker must see the request on its next poll.
extern std::atomic<bool> CancelFlag;

// Set by the Uninstall command; shut-down then deletes the settings key instead of saving.
extern bool UninstalledFlag;

// The exit countdown (main thread only): armed once the worker has ended, and the run quits
// when the deadline has passed. All ones until armed.
extern bool LingerArmed;
extern DWORD LingerDeadline;

// Arms the countdown to run out the given milliseconds after the tick now.
void ArmLinger(DWORD now, DWORD milliseconds);

// Once the user has opened Options, the run ends at the first tick after the worker, with no
// five seconds to wait: an armed linger whose deadline has passed.
void EndRunWithoutLinger();
