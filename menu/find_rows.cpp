// The rows of "Find a program..." and the worker that fills them (see find_rows.h).
#include "find_rows.h"

#include <objbase.h>
#include <shellapi.h>

#include <cwchar>

#include "menu_state.h"
#include "menu_text.h"
#include "program_filter.h"
#include "shortcut_file.h"

namespace {

constexpr ULONGLONG BatchMs = 50;
constexpr int BatchRows = 256;
constexpr DWORD StopWaitMs = 5000;

// Given to the worker before it starts and only read after that.
wchar_t Root[MAX_PATH];
size_t RootLength;
HWND Window;
int FirstBatch;
HIMAGELIST SmallIcons;
int GenericIcon;

// The worker's own.
ShortcutInfo Judged;
int RowCount;
int FolderCount;
ULONGLONG LastPublished;

void Publish(bool last) {
    FindPublishedRows.store(RowCount, std::memory_order_release);
    if (last)
        FindRowsDone.store(true, std::memory_order_release);
    LastPublished = GetTickCount64();
    if (!FindRowsPosted.exchange(true))
        PostMessageW(Window, MSG_FIND_ROWS, 0, 0);
}

void PublishWhenDue() {
    int published = FindPublishedRows.load(std::memory_order_relaxed);
    int waiting = RowCount - published;
    if (waiting <= 0)
        return;
    if (published == 0 ? waiting >= FirstBatch
                       : waiting >= BatchRows || GetTickCount64() - LastPublished >= BatchMs)
        Publish(false);
}

void ServeIcons() {
    bool served = false;
    while (!FindCancel.load()) {
        EnterCriticalSection(&FindIconLock);
        int row = FindIconRequestCount > 0 ? FindIconRequests[--FindIconRequestCount] : -1;
        LeaveCriticalSection(&FindIconLock);
        if (row < 0)
            break;
        SHFILEINFOW info = {};
        bool found = SHGetFileInfoW(FindRows[row].path, 0, &info, sizeof info,
                                    SHGFI_SYSICONINDEX | SHGFI_SMALLICON) != 0;
        FindRows[row].icon.store(found ? info.iIcon : GenericIcon);
        served = true;
    }
    if (served && !FindIconsPosted.exchange(true))
        PostMessageW(Window, MSG_FIND_ICONS, 0, 0);
}

// The menu read the recent list before the window opened; nothing writes it while the worker runs.
int RecentRank(const wchar_t* path) {
    const wchar_t* relative = PathBelow(path, Root);
    for (int i = 0; relative && i < RecentProgramCount; ++i)
        if (lstrcmpiW(RecentPrograms[i], relative) == 0)
            return i;
    return -1;
}

// Nothing on the network is read for an icon either: its files show the icon of their kind.
bool IconIsOnNetwork(const ShortcutInfo& link) {
    wchar_t iconFile[MAX_PATH];
    DWORD expanded = ExpandEnvironmentStringsW(link.iconPath, iconFile, MAX_PATH);
    return IsNetworkPath(link.target) ||
           (link.iconPath[0] && expanded > 0 && expanded <= MAX_PATH && IsNetworkPath(iconFile));
}

// The folder of the rows about to be added, registered with its first row; -1 when the table
// is full or its name would not fold.
int RegisterFolder(const wchar_t* folder) {
    if (FolderCount >= MaxFindFolders)
        return -1;
    FindFolder& entry = FindFolders[FolderCount];
    size_t length = wcslen(folder) - RootLength;
    length = length > 0 ? length - 1 : 0; // without its trailing backslash
    wmemcpy(entry.shown, folder + RootLength, length);
    entry.shown[length] = L'\0';
    if (!FoldForFind(entry.shown, entry.folded, MAX_PATH))
        return -1;
    return FolderCount++;
}

// A row for the shortcut when it takes files and everything about it fits.
void AddShortcut(const wchar_t* folder, int* folderIndex, const wchar_t* fileName) {
    FindRow& row = FindRows[RowCount];
    size_t folderLength = wcslen(folder), nameLength = wcslen(fileName);
    if (folderLength + nameLength >= MAX_PATH)
        return;
    wmemcpy(row.path, folder, folderLength);
    wmemcpy(row.path + folderLength, fileName, nameLength + 1);
    wchar_t name[MAX_PATH];
    BuildItemName(name, MAX_PATH, fileName);
    if (!ReadShortcutFile(row.path, &Judged) || !TakesFiles(name, Judged) ||
        !FoldForFind(name, row.folded, MAX_PATH))
        return;
    if (*folderIndex < 0 && (*folderIndex = RegisterFolder(folder)) < 0)
        return;
    row.nameStart = static_cast<int>(folderLength);
    row.nameLength = static_cast<int>(wcslen(name));
    row.folder = *folderIndex;
    row.recentRank = RecentRank(row.path);
    int icon = IconUnknown;
    if (IconIsOnNetwork(Judged)) {
        SHFILEINFOW info = {};
        icon = SHGetFileInfoW(Judged.target, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                              SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON)
                   ? info.iIcon
                   : GenericIcon;
    }
    row.icon.store(icon);
    ++RowCount;
}

// Walks folder (ending in a backslash, in a buffer of its own that the walk extends) and all
// below it, until the table is full or the window is gone.
void WalkFolder(wchar_t (&folder)[MAX_PATH]) {
    size_t length = wcslen(folder);
    if (length + 1 >= MAX_PATH)
        return;
    folder[length] = L'*';
    folder[length + 1] = L'\0';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(folder, &found);
    folder[length] = L'\0';
    if (search == INVALID_HANDLE_VALUE)
        return;
    int folderIndex = -1;
    do {
        ServeIcons();
        if (FindCancel.load() || RowCount >= MaxFindRows)
            break;
        const wchar_t* name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (IsShortcutFileName(name))
                AddShortcut(folder, &folderIndex, name);
            PublishWhenDue();
            continue;
        }
        size_t nameLength = wcslen(name);
        if (wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0 ||
            length + nameLength + 1 >= MAX_PATH)
            continue;
        wmemcpy(folder + length, name, nameLength);
        folder[length + nameLength] = L'\\';
        folder[length + nameLength + 1] = L'\0';
        WalkFolder(folder);
        folder[length] = L'\0';
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

DWORD WINAPI FindWorkerMain(void*) {
    // The link object is apartment-threaded: this thread needs COM of its own.
    HRESULT com = CoInitialize(nullptr);
    wchar_t folder[MAX_PATH];
    wmemcpy(folder, Root, MAX_PATH);
    WalkFolder(folder);
    Publish(true);
    while (!FindCancel.load()) {
        WaitForSingleObject(FindIconWake, INFINITE);
        ServeIcons();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return 0;
}

} // namespace

bool FoldForFind(const wchar_t* text, wchar_t* out, int outSize) {
    return LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING, text,
                         -1, out, outSize, nullptr, nullptr, 0) > 0;
}

HIMAGELIST FindSmallIcons(int* genericProgramIcon) {
    if (!SmallIcons) {
        SHFILEINFOW info = {};
        SmallIcons = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoW(L"program.exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        GenericIcon = info.iIcon;
    }
    *genericProgramIcon = GenericIcon;
    return SmallIcons;
}

bool StartFindRows(const wchar_t* mirrorRoot, HWND window, int firstBatch) {
    RootLength = wcslen(mirrorRoot);
    if (RootLength >= MAX_PATH)
        return false;
    wmemcpy(Root, mirrorRoot, RootLength + 1);
    Window = window;
    FirstBatch = firstBatch > 0 ? firstBatch : 1;
    int generic;
    FindSmallIcons(&generic);
    InitializeCriticalSection(&FindIconLock);
    FindIconWake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    FindWorker =
        FindIconWake ? CreateThread(nullptr, 0, FindWorkerMain, nullptr, 0, nullptr) : nullptr;
    return FindWorker != nullptr;
}

void StopFindRows() {
    if (!FindWorker)
        return;
    FindCancel.store(true);
    SetEvent(FindIconWake);
    WaitForSingleObject(FindWorker, StopWaitMs);
    CloseHandle(FindWorker);
    FindWorker = nullptr;
}

void AskFindIcon(int row) {
    int unknown = IconUnknown;
    if (!FindRows[row].icon.compare_exchange_strong(unknown, IconAsked))
        return;
    EnterCriticalSection(&FindIconLock);
    if (FindIconRequestCount == MaxFindIconRequests) {
        // The oldest has long scrolled away; asked again should it come back.
        int asked = IconAsked;
        FindRows[FindIconRequests[0]].icon.compare_exchange_strong(asked, IconUnknown);
        for (int i = 1; i < FindIconRequestCount; ++i)
            FindIconRequests[i - 1] = FindIconRequests[i];
        --FindIconRequestCount;
    }
    FindIconRequests[FindIconRequestCount++] = row;
    LeaveCriticalSection(&FindIconLock);
    SetEvent(FindIconWake);
}
