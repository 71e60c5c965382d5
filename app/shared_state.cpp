// Definitions of the process-wide state declared in shared_state.h.
#include "shared_state.h"

SourceFolders SourceFolderTable;
FolderEntry LinkLocationTable[FolderSlotCount];
FolderEntry SendToFolder;

HINSTANCE AppInstance;
HWND MainWindow;
HANDLE WorkerThread;
HICON AppIcon;
CRITICAL_SECTION SharedStateLock;
bool LingerArmed;
DWORD LingerDeadline = 0xFFFFFFFFu;

WalkProgress ProgressCounters;
FolderSnapshot SourceSnapshot;

std::atomic<bool> CancelFlag{false};

bool UninstalledFlag;

char LogFilePath[PathBufferSize];
bool LoggingEnabled = true;
