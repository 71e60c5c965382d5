// Text rules of Tallowfin Menu (see menu_text.h).
#include "menu_text.h"

#include <cwchar>

namespace {

wchar_t Lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool HasShortcutEnding(const wchar_t* name, size_t length) {
    return length > 4 && name[length - 4] == L'.' && Lower(name[length - 3]) == L'l' &&
           Lower(name[length - 2]) == L'n' && Lower(name[length - 1]) == L'k';
}

// Appends into a line of known length; false once it no longer fits (terminator included).
struct LineWriter {
    wchar_t* out;
    size_t size;
    size_t used;

    bool Put(wchar_t c) {
        if (used + 1 >= size)
            return false;
        out[used++] = c;
        return true;
    }
    bool PutText(const wchar_t* text) {
        for (; *text; ++text)
            if (!Put(*text))
                return false;
        return true;
    }
    bool PutBackslashes(size_t count) {
        for (size_t i = 0; i < count; ++i)
            if (!Put(L'\\'))
                return false;
        return true;
    }
    // Backslashes are literal except right before a quote, where each must be doubled and
    // the quote escaped; so doubled too before the closing quote.
    bool PutQuoted(const wchar_t* text) {
        if (!Put(L'"'))
            return false;
        size_t backslashes = 0;
        for (; *text; ++text) {
            if (*text == L'\\') {
                ++backslashes;
                continue;
            }
            if (*text == L'"') {
                if (!PutBackslashes(backslashes * 2 + 1))
                    return false;
            } else if (!PutBackslashes(backslashes)) {
                return false;
            }
            backslashes = 0;
            if (!Put(*text))
                return false;
        }
        return PutBackslashes(backslashes * 2) && Put(L'"');
    }
};

} // namespace

bool IsShortcutFileName(const wchar_t* name) {
    return HasShortcutEnding(name, wcslen(name));
}

void BuildItemName(wchar_t* out, size_t outSize, const wchar_t* fileName) {
    if (outSize == 0)
        return;
    size_t length = wcslen(fileName);
    if (HasShortcutEnding(fileName, length))
        length -= 4;
    if (length > outSize - 1)
        length = outSize - 1;
    wmemcpy(out, fileName, length);
    out[length] = L'\0';
}

void EscapeAmpersands(wchar_t* out, size_t outSize, const wchar_t* text) {
    if (outSize == 0)
        return;
    size_t used = 0;
    for (; *text; ++text) {
        size_t need = *text == L'&' ? 2 : 1;
        if (used + need > outSize - 1)
            break;
        out[used++] = *text;
        if (need == 2)
            out[used++] = L'&';
    }
    out[used] = L'\0';
}

bool BuildCommandLine(wchar_t* out, size_t outSize, const wchar_t* target, const wchar_t* arguments,
                      const wchar_t* const* files, size_t fileCount) {
    if (outSize == 0)
        return false;
    // The program name is read up to the closing quote, without escapes; a path holds no quote.
    LineWriter line = {out, outSize, 0};
    bool fits = line.Put(L'"') && line.PutText(target) && line.Put(L'"');
    if (fits && *arguments)
        fits = line.Put(L' ') && line.PutText(arguments);
    for (size_t i = 0; fits && i < fileCount; ++i)
        fits = line.Put(L' ') && line.PutQuoted(files[i]);
    out[fits ? line.used : 0] = L'\0';
    return fits;
}
