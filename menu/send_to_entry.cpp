// Tallowfin Menu's own shortcut in Send To (see send_to_entry.h).
#include "send_to_entry.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

#include "menu_box.h"
#include "mirror_location.h"
#include "recent_programs.h"
#include "shortcut_file.h"

namespace {

constexpr wchar_t EntryFileName[] = L"Tallowfin Menu.lnk";
// The 64-bit build's name in the release, beside the 32-bit TallowfinMenu.exe.
constexpr wchar_t Build64FileName[] = L"TallowfinMenu64.exe";

ShortcutInfo Existing;

int Failed(const wchar_t* what, const wchar_t* path) {
    ShowMenuBox(MB_ICONWARNING | MB_OK, L"Could not %s \"%s\".", what, path);
    return 1;
}

// A 32-bit program on 64-bit Windows sees System32 redirected to SysWOW64: 64-bit-only tools
// look missing, and those in both start as 32-bit copies. The 64-bit build sees what Explorer
// sees.
bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The 64-bit build in this program's folder; false when it is not there.
bool FindBuild64Beside(const wchar_t* self, wchar_t (&out)[MAX_PATH]) {
    size_t folder = static_cast<size_t>(PathFindFileNameW(self) - self);
    if (folder + ARRAYSIZE(Build64FileName) > MAX_PATH)
        return false;
    wmemcpy(out, self, folder);
    wmemcpy(out + folder, Build64FileName, ARRAYSIZE(Build64FileName));
    DWORD attributes = GetFileAttributesW(out);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

int OfferSendToEntry() {
    wchar_t entry[MAX_PATH], self[MAX_PATH], target[MAX_PATH];
    if (!FindSendToFolder(entry)) {
        ShowMenuBox(MB_ICONWARNING | MB_OK, L"Your Send To folder could not be found.");
        return 1;
    }
    size_t used = wcslen(entry);
    DWORD selfLength = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (used + ARRAYSIZE(EntryFileName) > MAX_PATH || selfLength == 0 || selfLength >= MAX_PATH)
        return Failed(L"find a place for", EntryFileName);
    wmemcpy(entry + used, EntryFileName, ARRAYSIZE(EntryFileName));
    // On 64-bit Windows the entry starts the 64-bit build when it lies beside this one.
    bool wow64 = RunsUnderWow64();
    bool build64 = wow64 && FindBuild64Beside(self, target);
    if (!build64)
        wmemcpy(target, self, MAX_PATH);

    bool present =
        GetFileAttributesW(entry) != INVALID_FILE_ATTRIBUTES && ReadShortcutFile(entry, &Existing);
    if (present && lstrcmpiW(Existing.target, target) == 0) {
        if (ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                        L"Tallowfin Menu is in your Send To menu.\n\nRemove it?") != IDYES)
            return 0;
        if (!DeleteFileW(entry))
            return Failed(L"remove", entry);
        ForgetRecentPrograms();
        return 0;
    }
    const wchar_t* note =
        !wow64    ? L""
        : build64 ? L"\n\nThis Windows is 64-bit, so the entry will start the 64-bit "
                    L"build beside this copy:\n\n"
                  : L"\n\nThis Windows is 64-bit: the 64-bit build, TallowfinMenu64.exe, "
                    L"fits it better. Put it beside this copy and run it instead, to "
                    L"start programs as Explorer does.";
    int answer =
        present ? ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                              L"Your Send To menu has a Tallowfin Menu shortcut to another copy:"
                              L"\n\n%s\n\nReplace it with one to %s?",
                              Existing.target,
                              build64 ? L"the 64-bit build beside this copy" : L"this copy")
                : ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                              L"Add Tallowfin Menu to your Send To menu?\n\nThen right-click "
                              L"files in Explorer and choose Send To \x2192 Tallowfin Menu to "
                              L"open them with any program of the Tallowfin folder.%s%s",
                              note, build64 ? target : L"");
    if (answer != IDYES)
        return 0;
    return WriteShortcutFile(entry, target, target, 0,
                             L"Opens the selected files with a program of the Tallowfin folder")
               ? 0
               : Failed(L"create", entry);
}
