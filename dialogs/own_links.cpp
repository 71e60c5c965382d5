// Writes, deletes and recognises the program's own shortcut (see own_links.h).
#include "own_links.h"

#include <shlwapi.h>

#include <cstdio>
#include <cstring>

#include "../base/bounded_text.h"
#include "../base/product_info.h"
#include "../base/message_box.h"
#include "../base/wide_text.h"
#include "../mirror/link_object.h"

namespace {

// How far the shared load sequence goes before it answers.
enum class LinkQuery { Loads, Target, IsOwn };

void ExecutablePath(char path[LinkPathSize]) {
    DWORD length = GetModuleFileNameA(nullptr, path, LinkPathSize);
    // A path that filled the buffer was cut and may lack its terminator.
    if (length >= LinkPathSize)
        length = LinkPathSize - 1;
    path[length] = '\0';
}

bool FolderOfLinkExists(const char* linkPath) {
    char folder[LinkPathSize];
    CopyBounded(folder, sizeof folder, linkPath, sizeof folder - 1);
    PathRemoveFileSpecA(folder);
    return PathIsDirectoryA(folder) != FALSE;
}

// Opened with no access only to prove that the file is there.
bool LinkFileExists(const char* linkPath) {
    HANDLE file = CreateFileA(linkPath, 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool LoadLink(LinkObject* object, const char* linkPath) {
    WCHAR wide[LinkPathSize];
    return CreateLinkObject(object) && WidenAnsi(linkPath, wide, LinkPathSize) &&
           SUCCEEDED(object->file->Load(wide, STGM_READ));
}

bool QueryLinkFile(const char* linkPath, LinkQuery upTo, char target[LinkPathSize]) {
    if (!FolderOfLinkExists(linkPath) || !LinkFileExists(linkPath))
        return false;
    LinkObject object = {};
    bool answer = LoadLink(&object, linkPath);
    if (answer && upTo != LinkQuery::Loads) {
        target[0] = '\0';
        answer = SUCCEEDED(object.link->GetPath(target, LinkPathSize, nullptr, 0));
        target[LinkPathSize - 1] = '\0';
    }
    if (answer && upTo == LinkQuery::IsOwn) {
        char exe[LinkPathSize];
        ExecutablePath(exe);
        answer = strcmp(exe, target) == 0;
    }
    ReleaseLinkObject(&object);
    return answer;
}

// An existing shortcut of our name that points elsewhere is replaced only when the user agrees.
bool MayWriteOver(const char* linkPath, const char* exe) {
    if (!LinkFileLoads(linkPath))
        return true;
    char target[LinkPathSize];
    if (!ReadLinkTarget(linkPath, target))
        target[0] = '\0';
    if (strcmp(target, exe) == 0)
        return true;
    char question[2 * LinkPathSize + 64];
    snprintf(question, sizeof question,
             "The link '%s' already exists. It links to '%s'.\n\nOverwrite?", linkPath, target);
    return AskYesNo(nullptr, question);
}

// A link path of MAX_PATH characters or more cannot be opened by the file functions, so a
// shortcut saved there (Wine manages it) could never be seen or replaced again.
bool SaveOwnLink(const char* linkPath, const char* exe, const char* workingFolder) {
    LinkObject object = {};
    WCHAR wide[LinkPathSize];
    bool saved = linkPath[0] != '\0' && strlen(linkPath) < MAX_PATH && CreateLinkObject(&object) &&
                 SUCCEEDED(object.link->SetPath(exe)) &&
                 SUCCEEDED(object.link->SetWorkingDirectory(workingFolder)) &&
                 SUCCEEDED(object.link->SetIconLocation(exe, 0)) &&
                 SUCCEEDED(object.link->SetDescription(ProductTitle)) &&
                 WidenAnsi(linkPath, wide, LinkPathSize) &&
                 SUCCEEDED(object.file->Save(wide, TRUE));
    ReleaseLinkObject(&object);
    return saved;
}

} // namespace

bool LinkFileLoads(const char* linkPath) {
    char unused[LinkPathSize];
    return QueryLinkFile(linkPath, LinkQuery::Loads, unused);
}

bool ReadLinkTarget(const char* linkPath, char target[LinkPathSize]) {
    return QueryLinkFile(linkPath, LinkQuery::Target, target);
}

bool IsOwnLinkPresent(const char* linkPath) {
    char target[LinkPathSize];
    return QueryLinkFile(linkPath, LinkQuery::IsOwn, target);
}

void CreateOwnLink(HWND owner, const char* folder) {
    if (folder[0] == '\0')
        return;
    if (!PathIsDirectoryA(folder)) {
        char warning[LinkPathSize + 64];
        snprintf(warning, sizeof warning, "'%s' is not a valid directory name. [Create Link]",
                 folder);
        ShowErrorBox(owner, warning);
    }
    char linkPath[LinkPathSize];
    BuildOwnLinkPath(linkPath, sizeof linkPath, folder, CreateFolderCut);
    char exe[LinkPathSize];
    ExecutablePath(exe);
    char workingFolder[LinkPathSize];
    WorkingFolderOf(workingFolder, sizeof workingFolder, exe);
    if (linkPath[0] != '\0' && !MayWriteOver(linkPath, exe))
        return;
    if (!SaveOwnLink(linkPath, exe, workingFolder))
        ShowErrorBox(nullptr, "Error creating link.");
}

void DeleteOwnLink(const char* folder) {
    if (folder[0] == '\0' || !PathIsDirectoryA(folder))
        return;
    char linkPath[LinkPathSize];
    if (BuildOwnLinkPath(linkPath, sizeof linkPath, folder, DeleteFolderCut))
        DeleteFileA(linkPath);
}
