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

// True when text begins with prefix (given in lower case), in any case.
bool StartsWithNoCase(const wchar_t* text, const wchar_t* prefix) {
    for (; *prefix; ++text, ++prefix)
        if (Lower(*text) != *prefix)
            return false;
    return true;
}

bool EqualsNoCase(const wchar_t* text, const wchar_t* lower) {
    return StartsWithNoCase(text, lower) && text[wcslen(lower)] == L'\0';
}

const wchar_t* FileNamePart(const wchar_t* path) {
    const wchar_t* name = path;
    for (const wchar_t* c = path; *c; ++c)
        if (*c == L'\\' || *c == L'/' || *c == L':')
            name = c + 1;
    return name;
}

bool IsLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// An msiexec option is "/" or "-" and a word; "/x{product}" is /x with its product code.
bool HasRemovalOption(const wchar_t* arguments) {
    for (const wchar_t* c = arguments; *c; ++c) {
        bool starts = c == arguments || c[-1] == L' ' || c[-1] == L'\t' || c[-1] == L'"';
        if (!starts || (*c != L'/' && *c != L'-'))
            continue;
        size_t length = 0;
        while (IsLetter(c[1 + length]))
            ++length;
        if ((length == 1 && Lower(c[1]) == L'x') ||
            (length == 9 && StartsWithNoCase(c + 1, L"uninstall")))
            return true;
    }
    return false;
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

bool IsProgramPath(const wchar_t* path) {
    size_t length = wcslen(path);
    if (length < 5 || path[length - 4] != L'.')
        return false;
    const wchar_t* ending = path + length - 3;
    return EqualsNoCase(ending, L"exe") || EqualsNoCase(ending, L"com") ||
           EqualsNoCase(ending, L"bat") || EqualsNoCase(ending, L"cmd");
}

bool IsUninstaller(const wchar_t* name, const wchar_t* target, const wchar_t* arguments) {
    // "unins" begins "Uninstall" too.
    const wchar_t* targetName = FileNamePart(target);
    return StartsWithNoCase(name, L"unins") || StartsWithNoCase(targetName, L"unins") ||
           (EqualsNoCase(targetName, L"msiexec.exe") && HasRemovalOption(arguments));
}

bool IsTallowfinMenuPath(const wchar_t* path) {
    const wchar_t* name = FileNamePart(path);
    return EqualsNoCase(name, L"tallowfinmenu.exe") || EqualsNoCase(name, L"tallowfinmenu64.exe");
}

bool IsUncPath(const wchar_t* path) {
    if (path[0] != L'\\' || path[1] != L'\\')
        return false;
    // "\\?\C:\..." is a local path written long; "\\.\" names a device.
    if ((path[2] == L'?' || path[2] == L'.') && path[3] == L'\\')
        return StartsWithNoCase(path + 4, L"unc\\");
    return true;
}

const wchar_t* PathBelow(const wchar_t* path, const wchar_t* root) {
    size_t length = wcslen(root);
    if (wcslen(path) <= length)
        return nullptr;
    for (size_t i = 0; i < length; ++i)
        if (Lower(path[i]) != Lower(root[i]))
            return nullptr;
    return path + length;
}

bool IsMirrorRelativeShortcut(const wchar_t* path) {
    if (!IsShortcutFileName(path) || path[0] == L'\\' || path[0] == L'/')
        return false;
    const wchar_t* part = path;
    for (const wchar_t* c = path;; ++c) {
        if (*c == L':')
            return false;
        if (*c == L'\\' || *c == L'/' || *c == L'\0') {
            size_t length = static_cast<size_t>(c - part);
            bool dots = (length == 1 && part[0] == L'.') ||
                        (length == 2 && part[0] == L'.' && part[1] == L'.');
            if (length == 0 || dots)
                return false;
            if (*c == L'\0')
                return true;
            part = c + 1;
        }
    }
}
