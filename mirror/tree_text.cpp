// Path text of the tree walks (see tree_text.h).
#include "tree_text.h"

#include <cstring>

bool ChildPath(char out[PathBufferSize], const char* folder, const char* name) {
    out[0] = '\0';
    size_t folderLength = strnlen(folder, PathBufferSize);
    if (folderLength == 0 || folder[folderLength - 1] != '\\')
        return false;
    if (JoinPath(out, PathBufferSize, folder, name))
        return true;
    out[0] = '\0';
    return false;
}

void SearchPattern(char out[PathBufferSize], const char* folder) {
    CopyBounded(out, PathBufferSize, folder, SearchPatternCut);
    AppendBounded(out, PathBufferSize, "*");
}

bool IsShortcutName(const char* path) {
    size_t n = strlen(path);
    if (n < 3)
        return false;
    const char* end = path + n - 3;
    return (end[0] == 'l' || end[0] == 'L') && (end[1] == 'n' || end[1] == 'N') &&
           (end[2] == 'k' || end[2] == 'K');
}
