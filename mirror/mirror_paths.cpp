// Where the mirror lives under the Send To folder (see mirror_paths.h).
#include "mirror_paths.h"

#include <cstring>

void BuildMirrorFolder(char out[PathBufferSize], const char* sendTo, MirrorFolder folder) {
    const char* tail = "Tallowfin";
    if (folder == MirrorFolder::Desktop)
        tail = "Tallowfin\\Tallowfin Desktop";
    else if (folder == MirrorFolder::QuickLaunch)
        tail = "Tallowfin\\Tallowfin Quick Launch";
    CopyBounded(out, PathBufferSize, sendTo, PathBufferSize - 1 - strlen(tail));
    AppendBounded(out, PathBufferSize, tail);
}
