// What "Explore Containing Folder" hands the shell: Explorer's full path and its parameters.
#include "explore_text.h"

#include <cstdio>
#include <cstring>

bool BuildExplorerPath(char out[PathBufferSize], const char* windowsDir) {
    const char name[] = "explorer.exe";
    size_t length = strlen(windowsDir);
    // An empty path would be searched for by name again; a cut one could name another program.
    if (length == 0 || length + 1 + strlen(name) >= PathBufferSize)
        return false;
    return JoinPath(out, PathBufferSize, windowsDir, name);
}

void BuildSelectParameters(char* out, size_t size, const char* path) {
    snprintf(out, size, "/select,\"%s\"", path);
}
