// The program's main routine: start-up, main loop and shut-down.
#pragma once
#include <windows.h>

// Runs the whole program; the result is the process exit code.
int AppMain(HINSTANCE instance);

// False when another instance of this desktop session already runs.
bool AcquireSingleInstance();

// COM for the main thread, the app icon and SharedStateLock; clears the discovery flags.
void InitAppState();
void ReleaseAppState();
