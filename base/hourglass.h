// The system hourglass over long work on the main thread.
#pragma once
#include <windows.h>

// Shows the hourglass; the result is the cursor to give back to RestoreCursor afterwards.
HCURSOR ShowHourglass();
void RestoreCursor(HCURSOR previous);
