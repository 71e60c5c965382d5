// Path text for the program's own shortcut (see own_link_text.h).
#include "own_link_text.h"

#include <cstring>

#include "../base/bounded_text.h"

bool BuildOwnLinkPath(char* out, size_t outSize, const char* folder, size_t folderCut) {
    if (outSize == 0)
        return false;
    size_t kept = strnlen(folder, folderCut);
    bool needsBackslash = kept == 0 || folder[kept - 1] != '\\';
    size_t total = kept + (needsBackslash ? 1 : 0) + strlen(OwnLinkName);
    if (total >= outSize) {
        out[0] = '\0';
        return false;
    }
    memcpy(out, folder, kept);
    if (needsBackslash)
        out[kept++] = '\\';
    memcpy(out + kept, OwnLinkName, strlen(OwnLinkName) + 1);
    return true;
}

void WorkingFolderOf(char* out, size_t outSize, const char* exePath) {
    if (outSize == 0)
        return;
    const char* slash = strrchr(exePath, '\\');
    CopyBounded(out, outSize, exePath, slash ? static_cast<size_t>(slash - exePath) : 0);
}
