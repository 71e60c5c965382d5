// The program's own message loop with its exit watch, and the pump of the shut-down phase.
#pragma once

// Runs until a WM_QUIT has been seen, after draining every message queued with it. Each
// WM_TIMER runs the exit watch: five seconds after the worker has ended, it quits.
void RunMainLoop();

// The exit watch, run after each WM_TIMER: arms the linger once the worker has ended and
// posts the quit message when the linger has run out.
void RunExitWatch();

// Dispatches every message pending for this thread, WM_QUIT included, without examining them.
void PumpPendingMessages();
