// The main window's progress bar as the pass's steps reach it: each step is noted at once, and
// the bar takes and draws the latest at most once per tick.
#pragma once
#include <windows.h>

// Subclasses the bar; call once, on the thread that owns it.
void TakeProgressStepsQuietly(HWND bar);
