// Finds Send To and the mirror through Tallowfin's own discovery code (see mirror_location.h).
// That code reads the registry in the ANSI code page, which this program's manifest makes UTF-8
// as Tallowfin.exe's does; converting its result from that code page gives the very folder
// Tallowfin.exe wrote to, under any name.
#include "mirror_location.h"

#include "../base/wide_text.h"
#include "../mirror/folder_discovery.h"
#include "../mirror/mirror_paths.h"

namespace {

bool Widen(const char* text, wchar_t (&out)[MAX_PATH]) {
    return WidenAnsi(text, out, MAX_PATH, true);
}

} // namespace

bool FindSendToFolder(wchar_t (&out)[MAX_PATH]) {
    ReadSendToFolder();
    return SendToFolder.found && Widen(SendToFolder.path, out);
}

bool FindMirrorRoot(wchar_t (&out)[MAX_PATH]) {
    ReadSendToFolder();
    if (!SendToFolder.found)
        return false;
    char root[PathBufferSize];
    BuildMirrorFolder(root, SendToFolder.path, MirrorFolder::Root);
    AppendBackslash(root, sizeof root);
    if (!Widen(root, out))
        return false;
    DWORD attributes = GetFileAttributesW(out);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FindUserProgramsFolder(wchar_t (&out)[MAX_PATH]) {
    ReadSourceFolders();
    const FolderEntry& programs = SourceFolderTable.slots[UserPrograms];
    return programs.found && Widen(programs.path, out);
}
