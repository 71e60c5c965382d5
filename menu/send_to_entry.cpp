// Tallowfin Menu's own shortcuts: the Send To entry and the Start Menu shortcut with the hot key
// (see send_to_entry.h). Each is judged by its target: this copy's (or the 64-bit build's), another
// copy's, or none.
#include "send_to_entry.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

#include "hot_key_entry.h"
#include "menu_box.h"
#include "mirror_location.h"
#include "recent_programs.h"
#include "shortcut_file.h"

namespace {

constexpr wchar_t EntryFileName[] = L"Tallowfin Menu.lnk";
// The 64-bit build's name in the release, beside the 32-bit TallowfinMenu.exe.
constexpr wchar_t Build64FileName[] = L"TallowfinMenu64.exe";

enum class EntryState { Missing, Ours, Other };

struct Entry {
    wchar_t path[MAX_PATH];
    const wchar_t* arguments; // what an entry of ours carries
    const wchar_t* place;     // where it is, for the boxes
    EntryState state;
    wchar_t otherTarget[MAX_PATH];
};

Entry SendToEntry = {L"", L"", L"Send To menu", EntryState::Missing, L""};
Entry KeyEntry = {L"", HotKeyArgument, L"Start Menu", EntryState::Missing, L""};
Entry* const Entries[] = {&SendToEntry, &KeyEntry};
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

// Ours when it starts target with our arguments: a key shortcut without them would only bring
// this offer back.
void Judge(Entry& entry, const wchar_t* target) {
    entry.state = EntryState::Missing;
    if (GetFileAttributesW(entry.path) == INVALID_FILE_ATTRIBUTES ||
        !ReadShortcutFile(entry.path, &Existing))
        return;
    bool ours = lstrcmpiW(Existing.target, target) == 0 &&
                lstrcmpiW(Existing.arguments, entry.arguments) == 0;
    entry.state = ours ? EntryState::Ours : EntryState::Other;
    wmemcpy(entry.otherTarget, Existing.target, MAX_PATH);
}

bool Write(const Entry& entry, const wchar_t* target) {
    if (&entry == &KeyEntry)
        return WriteHotKeyEntry(entry.path, target);
    return WriteShortcutFile(entry.path, target, L"", 0, target, 0,
                             L"Opens the selected files with a program of the Tallowfin folder");
}

// Writes each entry that is not ours yet; the exit code. One that fails is named in a box and
// does not keep the other from being written.
int AddMissing(const wchar_t* target) {
    int code = 0;
    for (const Entry* entry : Entries)
        if (entry->state != EntryState::Ours && !Write(*entry, target))
            code = Failed(L"create", entry->path);
    return code;
}

// Removes both and the recent list, as the user's traces of the program; the exit code.
int RemoveBoth() {
    int code = 0;
    for (const Entry* entry : Entries)
        if (entry->state != EntryState::Missing && !DeleteFileW(entry->path))
            code = Failed(L"remove", entry->path);
    ForgetRecentPrograms();
    return code;
}

bool FindEntries() {
    if (!FindSendToFolder(SendToEntry.path)) {
        ShowMenuBox(MB_ICONWARNING | MB_OK, L"Your Send To folder could not be found.");
        return false;
    }
    size_t used = wcslen(SendToEntry.path);
    if (used + ARRAYSIZE(EntryFileName) > MAX_PATH) {
        Failed(L"find a place for", EntryFileName);
        return false;
    }
    wmemcpy(SendToEntry.path + used, EntryFileName, ARRAYSIZE(EntryFileName));
    if (!FindHotKeyEntry(KeyEntry.path)) {
        ShowMenuBox(MB_ICONWARNING | MB_OK, L"Your Start Menu's Programs folder could not be "
                                            L"found.");
        return false;
    }
    return true;
}

// With one of the two in place: Yes adds the other, No removes the one there.
int OfferTheOther(const Entry& present, const wchar_t* target) {
    const wchar_t* text =
        &present == &SendToEntry
            ? L"Tallowfin Menu is in your Send To menu.\n\nAdd its key %s too? Pressed in "
              L"Explorer or on the Desktop, it opens the menu on the selected files; with none "
              L"selected, it opens the menu to start a program.\n\nYes adds the key (a shortcut "
              L"in your Start Menu). No removes Tallowfin Menu."
            : L"Tallowfin Menu opens with the key %s.\n\nAdd it to your Send To menu too?\n\n"
              L"Yes adds it. No removes Tallowfin Menu and its key.";
    int answer = ShowMenuBox(MB_ICONQUESTION | MB_YESNOCANCEL, text, HotKeyName);
    if (answer == IDYES)
        return AddMissing(target);
    return answer == IDNO ? RemoveBoth() : 0;
}

} // namespace

int OfferSendToEntry() {
    wchar_t self[MAX_PATH], target[MAX_PATH];
    DWORD selfLength = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (!FindEntries())
        return 1;
    if (selfLength == 0 || selfLength >= MAX_PATH)
        return Failed(L"find a place for", EntryFileName);
    // On 64-bit Windows the shortcuts start the 64-bit build when it lies beside this one.
    bool wow64 = RunsUnderWow64();
    bool build64 = wow64 && FindBuild64Beside(self, target);
    if (!build64)
        wmemcpy(target, self, MAX_PATH);
    Judge(SendToEntry, target);
    Judge(KeyEntry, target);
    EntryState sendTo = SendToEntry.state, key = KeyEntry.state;

    if (sendTo == EntryState::Ours && key == EntryState::Ours) {
        if (ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                        L"Tallowfin Menu is in your Send To menu and opens with the key %s."
                        L"\n\nRemove both?",
                        HotKeyName) != IDYES)
            return 0;
        return RemoveBoth();
    }
    if (sendTo == EntryState::Ours && key == EntryState::Missing)
        return OfferTheOther(SendToEntry, target);
    if (key == EntryState::Ours && sendTo == EntryState::Missing)
        return OfferTheOther(KeyEntry, target);

    const Entry& other = sendTo == EntryState::Other ? SendToEntry : KeyEntry;
    const wchar_t* note =
        !wow64    ? L""
        : build64 ? L"\n\nThis Windows is 64-bit, so they will start the 64-bit "
                    L"build beside this copy:\n\n"
                  : L"\n\nThis Windows is 64-bit: the 64-bit build, TallowfinMenu64.exe, "
                    L"fits it better. Put it beside this copy and run it instead, to "
                    L"start programs as Explorer does.";
    int answer =
        other.state == EntryState::Other
            ? ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                          L"Your %s has a Tallowfin Menu shortcut to another copy:\n\n%s\n\n"
                          L"Set up Send To and the key %s with %s instead?",
                          other.place, other.otherTarget, HotKeyName,
                          build64 ? L"the 64-bit build beside this copy" : L"this copy")
            : ShowMenuBox(MB_ICONQUESTION | MB_YESNO,
                          L"Add Tallowfin Menu to your Send To menu, and give it the key %s?"
                          L"\n\nThen select files in Explorer or on the Desktop and press %s, "
                          L"or right-click them and choose Send To \x2192 Tallowfin Menu, to "
                          L"open them with any program of the Tallowfin folder. With no files "
                          L"selected, the key opens the menu to start a program.%s%s",
                          HotKeyName, HotKeyName, note, build64 ? target : L"");
    return answer == IDYES ? AddMissing(target) : 0;
}
