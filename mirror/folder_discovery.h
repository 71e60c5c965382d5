// Finds the shell folders the program works with from the "Shell Folders" registry values.
#pragma once
#include "../base/bounded_text.h"

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

// Written on the main thread before the worker starts, and only read afterwards.
extern SourceFolders SourceFolderTable;
extern FolderEntry LinkLocationTable[FolderSlotCount];
extern FolderEntry SendToFolder;

// Fills SourceFolderTable; sets AnySourceFound for every accepted value.
void ReadSourceFolders();

// Fills SendToFolder from the user's "SendTo" value.
void ReadSendToFolder();

// Fills LinkLocationTable; a value that is not accepted keeps its slot's earlier text.
void ReadLinkLocations();
