// Recursive walks over folder trees, moving the main window's progress bar one step per entry.
#include "tree_walks.h"

#include "../base/shared_state.h"

#include <commctrl.h>

#include <cstring>

#include "shortcut_copier.h"
#include "tree_text.h"
#include "../res/resource.h"

WalkProgress ProgressCounters;

namespace {

enum class EntryKind { File, Folder, LinkedFolder };

// A folder that is a junction, symbolic link or mount point is never entered: deleting
// through it would delete whatever it points at.
EntryKind KindOf(const WIN32_FIND_DATAA& data) {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return EntryKind::File;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::LinkedFolder;
    return EntryKind::Folder;
}

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Calls visit(name, kind) for every entry but "." and "..", in the file system's order,
// checking CancelFlag before each. False when the folder could not be searched.
template <typename Visit> bool ForEachEntry(char folder[PathBufferSize], Visit visit) {
    AppendBackslash(folder, PathBufferSize);
    // Past the pattern's cut the backslash is lost: "...folder*" would find the folder itself
    // in its parent, and a walk would enter it again and again without end.
    if (strlen(folder) > SearchPatternCut)
        return false;
    char pattern[PathBufferSize];
    SearchPattern(pattern, folder);
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (CancelFlag.load(std::memory_order_acquire))
            break;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsDotEntry(data.cFileName))
            continue;
        visit(data.cFileName, KindOf(data));
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return true;
}

// Removes a linked folder itself, never its target. The handle is opened on the link; should
// the platform follow the link anyway (Wine 8 does), the handle's attributes show no reparse
// point and nothing is deleted, where a plain RemoveDirectoryA would empty out the target.
void RemoveLinkedFolder(const char* path) {
    HANDLE link = CreateFileA(
        path, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (link == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION info = {};
    if (GetFileInformationByHandle(link, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        FILE_DISPOSITION_INFO disposition = {TRUE};
        SetFileInformationByHandle(link, FileDispositionInfo, &disposition, sizeof disposition);
    }
    CloseHandle(link);
}

// The progress control, looked up once per walk call.
HWND ProgressControl() {
    EnterCriticalSection(&SharedStateLock);
    HWND mainWindow = MainWindow;
    LeaveCriticalSection(&SharedStateLock);
    return GetDlgItem(mainWindow, IDC_MAIN_PROGRESS);
}

void Step(HWND progress, uint32_t steps = 1) {
    ProgressCounters.position += steps;
    PostMessageA(progress, PBM_SETPOS, ProgressCounters.position, 0);
}

// The entries the count walk finds in the tree, at every depth.
uint32_t CountEntries(char folder[PathBufferSize]) {
    uint32_t count = 0;
    ForEachEntry(folder, [folder, &count](const char* name, EntryKind kind) {
        ++count;
        char child[PathBufferSize];
        if (kind == EntryKind::Folder && ChildPath(child, folder, name))
            count += CountEntries(child);
    });
    return count;
}

} // namespace

// A child whose path does not fit is counted, but nothing beneath it: the walks cannot name it.
void CountTree(char folder[PathBufferSize]) {
    ProgressCounters.total += CountEntries(folder);
}

void DeleteTree(char folder[PathBufferSize]) {
    HWND progress = ProgressControl();
    ForEachEntry(folder, [folder, progress](const char* name, EntryKind kind) {
        Step(progress);
        char child[PathBufferSize];
        if (!ChildPath(child, folder, name))
            return;
        switch (kind) {
        case EntryKind::Folder:
            DeleteTree(child);
            SetFileAttributesA(child, FILE_ATTRIBUTE_NORMAL);
            RemoveDirectoryA(child);
            break;
        case EntryKind::LinkedFolder: RemoveLinkedFolder(child); break;
        case EntryKind::File:
            if (IsShortcutName(child)) {
                SetFileAttributesA(child, FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child);
            }
            break;
        }
    });
    RemoveDirectoryA(folder);
}

uint32_t MirrorTree(char destination[PathBufferSize], char source[PathBufferSize]) {
    if (CancelFlag.load(std::memory_order_acquire))
        return 0;
    uint32_t copied = 0;
    HWND progress = ProgressControl();
    AppendBackslash(destination, PathBufferSize);
    ForEachEntry(source, [&](const char* name, EntryKind kind) {
        Step(progress);
        char sourceChild[PathBufferSize], destinationChild[PathBufferSize];
        if (!ChildPath(sourceChild, source, name))
            return;
        // The mirror lies deeper than its sources, so a source that fits may not fit there; what
        // the count walk found beneath it still takes its steps, so that the bar ends full.
        if (!ChildPath(destinationChild, destination, name)) {
            if (kind == EntryKind::Folder)
                Step(progress, CountEntries(sourceChild));
            return;
        }
        if (kind == EntryKind::Folder) {
            CreateDirectoryA(destinationChild, nullptr);
            uint32_t n = MirrorTree(destinationChild, sourceChild);
            if (n == 0)
                RemoveDirectoryA(destinationChild);
            copied += n;
        } else if (kind == EntryKind::File && IsShortcutName(sourceChild)) {
            if (CopyShortcut(sourceChild, destinationChild)) {
                SetFileAttributesA(destinationChild, FILE_ATTRIBUTE_NORMAL);
                ++copied;
            }
        }
    });
    return copied;
}
