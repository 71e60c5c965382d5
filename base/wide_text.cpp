// ANSI to UTF-16 (see wide_text.h).
#include "wide_text.h"

bool WidenAnsi(const char* text, wchar_t* out, int outCount, bool rejectInvalid) {
    DWORD flags = rejectInvalid ? MB_ERR_INVALID_CHARS : 0;
    return MultiByteToWideChar(CP_ACP, flags, text, -1, out, outCount) > 0;
}
