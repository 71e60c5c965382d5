// The screen scale (dots per inch) of a window or of a point on the screen, for what the program
// draws itself: per monitor where Windows has it, else the system's one scale.
#pragma once
#include <windows.h>

// The scale at which Windows' sizes are given: 100 %.
constexpr unsigned DefaultDpi = 96;

// The one scale of the whole system, at which system metrics and fonts are given.
unsigned SystemDpi();

// The dpi of the monitor the window is on (Windows 10 1607 on), else the system's.
unsigned WindowDpi(HWND window);

// The dpi of the monitor that holds the point or is nearest to it (Windows 8.1 on), else the
// system's.
unsigned PointDpi(POINT point);

// A size of px96 pixels at 100 %, at the given dpi, rounded to the nearest pixel.
int ScaleForDpi(int px96, unsigned dpi);

// A system metric (SM_CXSMICON, SM_CXICON, ...) at the given dpi, as Windows gives it for a
// monitor of that scale; scaled from the system's own where Windows has no such call.
int MetricForDpi(int index, unsigned dpi);
