// The program's main routine: start-up, main loop and shut-down.
#pragma once
#include <windows.h>

// Runs the whole program; the result is the process exit code.
int AppMain(HINSTANCE instance);

void InitAppState();
void ReleaseAppState();
