// Tallowfin Menu's message boxes (see menu_box.h).
#include "menu_box.h"

#include <shlwapi.h>

#include <cstdarg>

int ShowMenuBox(UINT style, const wchar_t* format, ...) {
    wchar_t text[2048];
    va_list args;
    va_start(args, format);
    wvnsprintfW(text, ARRAYSIZE(text), format, args);
    va_end(args);
    text[ARRAYSIZE(text) - 1] = L'\0';
    // Started from Explorer, the program may not own the foreground: the box must not hide.
    return MessageBoxW(nullptr, text, MenuCaption, style | MB_SETFOREGROUND);
}
