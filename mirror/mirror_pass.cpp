// The worker thread's rebuild of the mirror under the Send To folder.
#include "mirror_pass.h"

#include "../base/shared_state.h"
#include "../base/message_box.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>

#include "diagnostic_log.h"
#include "folder_discovery.h"
#include "mirror_paths.h"
#include "tree_walks.h"
#include "../res/resource.h"

namespace {

// The worker's own copy of the discovery results, taken whole when it starts.
struct FolderSnapshot {
    SourceFolders sources;
    FolderEntry sendTo;
};
FolderSnapshot SourceSnapshot;

enum class WalkMode { Count, Mirror };

// The nine sources in the order both phases visit them: machine, common, then user, so that
// the user's own shortcut is the one left when names collide.
const FolderSlot ProgramsSources[] = {MachinePrograms, CommonPrograms, UserPrograms};
const FolderSlot DesktopSources[] = {MachineDesktop, CommonDesktop, UserDesktop};
const FolderSlot QuickLaunchSources[] = {MachineQuickLaunch, CommonQuickLaunch, UserQuickLaunch};

void VisitSource(char destination[PathBufferSize], FolderSlot slot, WalkMode mode) {
    FolderEntry& source = SourceSnapshot.sources.slots[slot];
    if (!source.found)
        return;
    if (mode == WalkMode::Count)
        CountTree(source.path);
    else
        MirrorTree(destination, source.path);
}

void VisitSources(char destination[PathBufferSize], const FolderSlot (&slots)[3], WalkMode mode) {
    for (FolderSlot slot : slots)
        VisitSource(destination, slot, mode);
}

void BuildMirror(char out[PathBufferSize], MirrorFolder folder) {
    BuildMirrorFolder(out, SourceSnapshot.sendTo.path, folder);
}

void ReportLogFailure(HWND mainWindow) {
    char text[PathBufferSize + 32];
    snprintf(text, sizeof text, "FAILED to create '%s'.", LogFilePath);
    ShowErrorBox(mainWindow, text);
}

// Counts the previous mirror too, since deleting it moves the bar as well.
void CountEverything() {
    char folder[PathBufferSize];
    BuildMirror(folder, MirrorFolder::Root);
    CountTree(folder);
    VisitSources(folder, ProgramsSources, WalkMode::Count);
    VisitSources(folder, DesktopSources, WalkMode::Count);
    VisitSources(folder, QuickLaunchSources, WalkMode::Count);
}

// The full 32-bit range: a 16-bit one wraps past 65535 entries and shows the bar full early.
void ScaleProgressBar(HWND mainWindow) {
    HWND progress = GetDlgItem(mainWindow, IDC_MAIN_PROGRESS);
    PostMessageA(progress, PBM_SETRANGE32, 0, static_cast<LPARAM>(ProgressCounters.total));
    PostMessageA(progress, PBM_SETPOS, ProgressCounters.position, 0);
}

void RebuildMirror() {
    char folder[PathBufferSize];
    BuildMirror(folder, MirrorFolder::Root);
    DeleteTree(folder);
    CreateDirectoryA(folder, nullptr);
    VisitSources(folder, ProgramsSources, WalkMode::Mirror);

    BuildMirror(folder, MirrorFolder::Desktop);
    CreateDirectoryA(folder, nullptr);
    VisitSources(folder, DesktopSources, WalkMode::Mirror);

    BuildMirror(folder, MirrorFolder::QuickLaunch);
    CreateDirectoryA(folder, nullptr);
    VisitSources(folder, QuickLaunchSources, WalkMode::Mirror);
}

// The rebuild itself; mainWindow owns its boxes and takes its progress.
void RunMirrorPass(HWND mainWindow) {
    CoInitialize(nullptr);
    if (!StartLog()) {
        ReportLogFailure(mainWindow);
        CoUninitialize();
        return;
    }
    CountEverything();
    ScaleProgressBar(mainWindow);
    RebuildMirror();
    CoUninitialize();
}

} // namespace

DWORD WINAPI MirrorWorkerMain(LPVOID) {
    // The tables were filled before this thread started and never change again, so no lock.
    SourceSnapshot.sources = SourceFolderTable;
    SourceSnapshot.sendTo = SendToFolder;
    HWND mainWindow = MainWindow;
#ifdef TALLOWFIN_TEST_WORKER_HOLDS_BOX
    // Test-only build: the worker sits in a box owned by the main window, as it does when the
    // log cannot be created, so a test can close the window meanwhile.
    ShowErrorBox(mainWindow, "The worker is holding a box.");
#endif
    RunMirrorPass(mainWindow);
    return 1;
}
