// Process-wide state, grouped by the file that owns it. Everything here exists before the
// worker thread starts; only CancelFlag is touched by both threads.
#pragma once
#include <windows.h>

#include <atomic>

#include "../mirror/folder_text.h"
#include "product_info.h"

// Shell folder discovery (mirror/folder_discovery.cpp) ---------------------------------------
enum FolderSlot {
    UserQuickLaunch,
    UserDesktop,
    UserStartMenu,
    UserPrograms,
    UserStartup,
    CommonQuickLaunch,
    CommonDesktop,
    CommonStartMenu,
    CommonPrograms,
    CommonStartup,
    MachineQuickLaunch,
    MachineDesktop,
    MachineStartMenu,
    MachinePrograms,
    MachineStartup,
    FolderSlotCount
};

struct FolderEntry {
    char path[PathBufferSize];
    bool found;
};

struct SourceFolders {
    FolderEntry slots[FolderSlotCount];
    bool AnySourceFound;
};

extern SourceFolders SourceFolderTable;
extern FolderEntry LinkLocationTable[FolderSlotCount];
extern FolderEntry SendToFolder;

// Start-up and main loop (app/app_main.cpp) -----------------------------------------------------
extern HINSTANCE AppInstance;
extern HWND MainWindow;
extern HANDLE WorkerThread;
extern HICON AppIcon;
extern CRITICAL_SECTION SharedStateLock;
extern bool LingerArmed;
extern DWORD LingerDeadline;

// Tree walks (mirror/tree_walks.cpp) -----------------------------------------------------------
// Never reset: a later walk goes on from where the previous one left the bar.
struct WalkProgress {
    uint32_t position;
    uint32_t total;
};
extern WalkProgress ProgressCounters;
// Mirror pass (mirror/mirror_pass.cpp) --------------------------------------------------------
// The worker's own copy of the discovery results, taken whole when it starts.
struct FolderSnapshot {
    SourceFolders sources;
    FolderEntry sendTo;
};
extern FolderSnapshot SourceSnapshot;

// Stop requests (main thread writes, worker polls) ------------------------------------------
// Release stores and acquire loads: the worker must see the request on its next poll.
extern std::atomic<bool> CancelFlag;

// Uninstall command ---------------------------------------------------------------------------
extern bool UninstalledFlag;

// Diagnostic log (mirror/diagnostic_log.cpp) -------------------------------------------------
// Set by StartLog, read by LogLine and by the pass's failure message.
extern char LogFilePath[PathBufferSize];
// On from process start; nothing turns it off.
extern bool LoggingEnabled;
