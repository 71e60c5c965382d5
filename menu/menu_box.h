// Tallowfin Menu's message boxes: one caption, text formatted into a bounded buffer.
#pragma once
#include <windows.h>

constexpr const wchar_t MenuCaption[] = L"Tallowfin Menu";

// Shows a box with no owner (the program has no visible window); returns the button pressed.
int ShowMenuBox(UINT style, const wchar_t* format, ...);
