// Where the diagnostic log lives (see log_path.h).
#include "log_path.h"

#include <cstring>

void BuildLogFilePath(char out[PathBufferSize], const char* windowsDir) {
    CopyBounded(out, PathBufferSize, windowsDir, PathBufferSize - 1);
    AppendBackslash(out, PathBufferSize);
    // A folder cut short loses its backslash: put one back as the last kept character.
    if (strlen(out) > LogFolderCut) {
        out[LogFolderCut - 1] = '\\';
        out[LogFolderCut] = '\0';
    }
    AppendBounded(out, PathBufferSize, LogFileName);
}
