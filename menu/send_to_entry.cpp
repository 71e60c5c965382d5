// Tallowfin Menu's own shortcut in Send To (see send_to_entry.h).
#include "send_to_entry.h"

#include <windows.h>

#include <cwchar>

#include "menu_box.h"
#include "mirror_location.h"
#include "shortcut_file.h"

namespace {

constexpr wchar_t EntryFileName[] = L"Tallowfin Menu.lnk";

int Failed(const wchar_t* what, const wchar_t* path) {
    ShowMenuBox(MB_ICONWARNING | MB_OK, L"Could not %s \"%s\".", what, path);
    return 1;
}

} // namespace

int OfferSendToEntry() {
    wchar_t entry[MAX_PATH], self[MAX_PATH];
    if (!FindSendToFolder(entry)) {
        ShowMenuBox(MB_ICONWARNING | MB_OK, L"Your Send To folder could not be found.");
        return 1;
    }
    size_t used = wcslen(entry);
    DWORD selfLength = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (used + ARRAYSIZE(EntryFileName) > MAX_PATH || selfLength == 0 || selfLength >= MAX_PATH)
        return Failed(L"find a place for", EntryFileName);
    wmemcpy(entry + used, EntryFileName, ARRAYSIZE(EntryFileName));

    ShortcutInfo existing;
    bool present =
        GetFileAttributesW(entry) != INVALID_FILE_ATTRIBUTES && ReadShortcutFile(entry, &existing);
    if (present && lstrcmpiW(existing.target, self) == 0) {
        if (ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                        L"Tallowfin Menu is in your Send To menu.\n\nRemove it?") != IDYES)
            return 0;
        return DeleteFileW(entry) ? 0 : Failed(L"remove", entry);
    }
    int answer =
        present ? ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                              L"Your Send To menu has a Tallowfin Menu shortcut to another copy:"
                              L"\n\n%s\n\nReplace it with one to this copy?",
                              existing.target)
                : ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                              L"Add Tallowfin Menu to your Send To menu?\n\nThen right-click "
                              L"files in Explorer and choose Send To \x2192 Tallowfin Menu to "
                              L"open them with any program of the Tallowfin folder.");
    if (answer != IDYES)
        return 0;
    return WriteShortcutFile(entry, self, self, 0,
                             L"Opens the selected files with a program of the Tallowfin folder")
               ? 0
               : Failed(L"create", entry);
}
