// Test helper: which "Shell Folders" value, in which hive, names each folder slot.
#pragma once
#include <windows.h>

#include "mirror/folder_discovery.h"

struct ShellFolderValue {
    HKEY hive;
    const char* name;
    FolderSlot slot;
};
extern const ShellFolderValue ShellFolderValues[FolderSlotCount];
