// Window placement arithmetic (see window_geometry.h).
#include "window_geometry.h"

int32_t KeepInsideSpan(int32_t start, int32_t size, int32_t low, int32_t high) {
    if (start < low)
        return low;
    if (start + size > high)
        return high - size;
    return start;
}

void CentreOverOwner(const ScreenRect& ownerNormal, const ScreenRect& ownerWindow,
                     int32_t dialogWidth, int32_t dialogHeight, const ScreenRect& workArea,
                     int32_t* x, int32_t* y) {
    int32_t cx = ownerNormal.left + (ownerWindow.right - ownerWindow.left) / 2 - dialogWidth / 2;
    int32_t cy = ownerNormal.top + (ownerWindow.bottom - ownerWindow.top) / 2 - dialogHeight / 2;
    *x = KeepInsideSpan(cx, dialogWidth, workArea.left, workArea.right);
    *y = KeepInsideSpan(cy, dialogHeight, workArea.top, workArea.bottom);
}

uint32_t EncodeWindowPosition(int32_t left, int32_t top) {
    return (static_cast<uint32_t>(left) << 16) | (static_cast<uint32_t>(top) & 0xFFFFu);
}

void DecodeWindowPosition(uint32_t stored, int32_t* left, int32_t* top) {
    *left = static_cast<int16_t>(static_cast<uint16_t>(stored >> 16));
    *top = static_cast<int16_t>(static_cast<uint16_t>(stored & 0xFFFFu));
}

ScreenRect RestoredRect(uint32_t stored, int32_t width, int32_t height,
                        const ScreenRect& workArea) {
    int32_t x, y;
    DecodeWindowPosition(stored, &x, &y);
    x = KeepInsideSpan(x, width, workArea.left, workArea.right);
    y = KeepInsideSpan(y, height, workArea.top, workArea.bottom);
    return {x, y, x + width, y + height};
}
