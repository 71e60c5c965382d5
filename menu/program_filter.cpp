// Which shortcuts the menu lists (see program_filter.h).
#include "program_filter.h"

#include <atomic>

namespace {

// Drive types by letter, 0 until asked: a level of the menu asks for the same few drives. The
// find window's worker asks too, beside the window thread: two that ask at once both store
// the same answer.
std::atomic<UINT> DriveTypes[26];

UINT DriveTypeOf(wchar_t letter) {
    if (letter >= L'a' && letter <= L'z')
        letter = static_cast<wchar_t>(letter - L'a' + L'A');
    if (letter < L'A' || letter > L'Z')
        return DRIVE_UNKNOWN;
    std::atomic<UINT>& known = DriveTypes[letter - L'A'];
    UINT type = known.load(std::memory_order_relaxed);
    if (type == 0) {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        type = GetDriveTypeW(root);
        known.store(type, std::memory_order_relaxed);
    }
    return type;
}

} // namespace

bool IsNetworkPath(const wchar_t* path) {
    return IsUncPath(path) || (path[0] && path[1] == L':' && DriveTypeOf(path[0]) == DRIVE_REMOTE);
}

bool TakesFiles(const wchar_t* name, const ShortcutInfo& shortcut) {
    // An empty target is a shell object (a Control Panel item, say): it has no file to start.
    if (!shortcut.target[0] || !IsProgramPath(shortcut.target) ||
        IsUninstaller(name, shortcut.target, shortcut.arguments) ||
        IsTallowfinMenuPath(shortcut.target))
        return false;
    if (IsNetworkPath(shortcut.target))
        return true;
    DWORD attributes = GetFileAttributesW(shortcut.target);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
