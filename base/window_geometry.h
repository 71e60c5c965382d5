// Window placement arithmetic: centring over an owner, keeping inside the work area, and the
// packed form of the stored window position. Free of <windows.h> so it runs natively.
#pragma once
#include <cstdint>

struct ScreenRect {
    int32_t left, top, right, bottom;
};

// One correction at most: onto the low edge when the start lies before it, else onto the high
// edge when the end lies past it. Signed comparisons throughout.
int32_t KeepInsideSpan(int32_t start, int32_t size, int32_t low, int32_t high);

// Top-left corner of a dialog of the given size centred over its owner, then kept inside the
// work area. Each half is truncated on its own before the subtraction.
void CentreOverOwner(const ScreenRect& ownerNormal, const ScreenRect& ownerWindow,
                     int32_t dialogWidth, int32_t dialogHeight, const ScreenRect& workArea,
                     int32_t* x, int32_t* y);

// The stored position: left in the high 16 bits, top in the low 16 bits, each as a
// two's-complement field so that windows partly off the left or top edge come back there.
uint32_t EncodeWindowPosition(int32_t left, int32_t top);
void DecodeWindowPosition(uint32_t stored, int32_t* left, int32_t* top);

// The rectangle a window of the given size gets when restored at the stored corner.
ScreenRect RestoredRect(uint32_t stored, int32_t width, int32_t height, const ScreenRect& workArea);
