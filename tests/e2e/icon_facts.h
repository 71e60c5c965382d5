// Size and pixel fingerprint of an icon, computed the same way in the probe (inside Tallowfin.exe)
// and in a test (from the exe's own resource), so that the two can be compared.
#pragma once
#include <windows.h>

#include "probe_protocol.h"

// FNV-1a over the bitmap's pixels at 32 bits per pixel; 0 without a bitmap.
inline unsigned long long HashIconBitmap(HBITMAP bitmap) {
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return 0;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    int bytes = info.bmWidth * info.bmHeight * 4;
    BYTE* bits = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes));
    if (!bits)
        return 0;
    HDC dc = GetDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, info.bmHeight, bits, &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    unsigned long long hash = 1469598103934665603ull;
    for (int i = 0; i < bytes; ++i)
        hash = (hash ^ bits[i]) * 1099511628211ull;
    HeapFree(GetProcessHeap(), 0, bits);
    return lines == info.bmHeight ? hash : 0;
}

inline ProbeIcon DescribeIcon(HICON icon) {
    ProbeIcon result = {icon, 0, 0, 0};
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return result;
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    result.width = mask.bmWidth;
    // A monochrome icon keeps its AND and XOR masks stacked in one bitmap.
    result.height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    result.pixelHash = HashIconBitmap(info.hbmColor) * 31 + HashIconBitmap(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return result;
}
