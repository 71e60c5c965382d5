// The Start Menu shortcut with the hot key (see hot_key_entry.h).
#include "hot_key_entry.h"

#include <cwchar>

#include "mirror_location.h"
#include "shortcut_file.h"

namespace {

constexpr wchar_t EntryFileName[] = L"Tallowfin Menu.lnk";

} // namespace

bool FindHotKeyEntry(wchar_t (&out)[MAX_PATH]) {
    if (!FindUserProgramsFolder(out))
        return false;
    size_t used = wcslen(out);
    if (used + ARRAYSIZE(EntryFileName) > MAX_PATH)
        return false;
    wmemcpy(out + used, EntryFileName, ARRAYSIZE(EntryFileName));
    return true;
}

bool WriteHotKeyEntry(const wchar_t* path, const wchar_t* target) {
    return WriteShortcutFile(path, target, HotKeyArgument, HotKeyCode, target, 0,
                             L"Opens the files selected in Explorer with a program of the "
                             L"Tallowfin folder");
}
