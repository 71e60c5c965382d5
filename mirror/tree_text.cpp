// Path text of the tree walks (see tree_text.h).
#include "tree_text.h"

#include <cstring>

void ChildPath(char out[PathBufferSize], const char* folder, const char* name) {
    const size_t limit = PathBufferSize - 1;
    size_t nameLength = strnlen(name, limit);
    CopyBounded(out, PathBufferSize, folder, limit - nameLength);
    AppendBounded(out, PathBufferSize, name);
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
