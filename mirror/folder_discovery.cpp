// Shell folder discovery: reads the "Shell Folders" values of both hives into the folder tables.
#include "folder_discovery.h"

#include <windows.h>

#include "folder_text.h"

SourceFolders SourceFolderTable;
FolderEntry LinkLocationTable[FolderSlotCount];
FolderEntry SendToFolder;

namespace {

const char ShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct SlotSource {
    FolderSlot slot;
    const char* valueName;
};

// Within each hive the Quick Launch value (AppData) comes last in each group of five.
const SlotSource UserReadOrder[] = {
    {UserDesktop, "Desktop"}, {UserStartMenu, "Start Menu"}, {UserPrograms, "Programs"},
    {UserStartup, "Startup"}, {UserQuickLaunch, "AppData"},
};

const SlotSource MachineReadOrder[] = {
    {CommonDesktop, "Common Desktop"},     {CommonStartMenu, "Common Start Menu"},
    {CommonPrograms, "Common Programs"},   {CommonStartup, "Common Startup"},
    {CommonQuickLaunch, "Common AppData"}, {MachineDesktop, "Desktop"},
    {MachineStartMenu, "Start Menu"},      {MachinePrograms, "Programs"},
    {MachineStartup, "Startup"},           {MachineQuickLaunch, "AppData"},
};

enum class TableKind { Source, LinkLocation };

bool IsQuickLaunchSlot(FolderSlot slot) {
    return slot == UserQuickLaunch || slot == CommonQuickLaunch || slot == MachineQuickLaunch;
}

// Only a non-empty REG_SZ that fits the buffer is accepted; text comes back terminated.
bool QueryFolderValue(HKEY key, const char* name, char (&text)[PathBufferSize]) {
    DWORD type = 0;
    DWORD size = sizeof text;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    if (rc != ERROR_SUCCESS || type != REG_SZ || size <= 1)
        return false;
    TerminateRegistryText(text, sizeof text, size);
    return true;
}

void FillSlot(FolderEntry& entry, FolderSlot slot, bool accepted, const char* text,
              TableKind kind) {
    entry.found = accepted;
    if (!accepted) {
        if (kind == TableKind::Source)
            entry.path[0] = '\0';
        return;
    }
    if (IsQuickLaunchSlot(slot))
        BuildQuickLaunchPath(entry.path, text);
    else if (kind == TableKind::Source)
        BuildPlainFolderPath(entry.path, text);
    else
        CopyBounded(entry.path, sizeof entry.path, text, sizeof entry.path - 1);
}

// No registry view flag: each build reads its own view, so the 64-bit build reads the values
// that Explorer reads, and the 32-bit build those that the system keeps for 32-bit programs.
template <size_t N>
void ReadHive(HKEY hive, const SlotSource (&order)[N], FolderEntry* table, TableKind kind) {
    HKEY key;
    if (RegOpenKeyExA(hive, ShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (const SlotSource& source : order) {
        char text[PathBufferSize] = "";
        bool accepted = QueryFolderValue(key, source.valueName, text);
        FillSlot(table[source.slot], source.slot, accepted, text, kind);
        if (accepted && kind == TableKind::Source)
            SourceFolderTable.AnySourceFound = true;
    }
    RegCloseKey(key);
}

void ReadFolderTable(FolderEntry* table, TableKind kind) {
    ReadHive(HKEY_CURRENT_USER, UserReadOrder, table, kind);
    ReadHive(HKEY_LOCAL_MACHINE, MachineReadOrder, table, kind);
}

} // namespace

void ReadSourceFolders() {
    ReadFolderTable(SourceFolderTable.slots, TableKind::Source);
}

void ReadLinkLocations() {
    ReadFolderTable(LinkLocationTable, TableKind::LinkLocation);
}

void ReadSendToFolder() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    char text[PathBufferSize] = "";
    SendToFolder.found = QueryFolderValue(key, "SendTo", text);
    if (SendToFolder.found)
        BuildPlainFolderPath(SendToFolder.path, text);
    RegCloseKey(key);
}
