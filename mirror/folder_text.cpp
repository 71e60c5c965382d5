// Path text rules for shell folders (see folder_text.h).
#include "folder_text.h"

void BuildPlainFolderPath(char out[PathBufferSize], const char* value) {
    CopyBounded(out, PathBufferSize, value, PlainSlotCut);
    AppendBackslash(out, PathBufferSize);
}

void BuildQuickLaunchPath(char out[PathBufferSize], const char* value) {
    CopyBounded(out, PathBufferSize, value, QuickLaunchSlotCut);
    AppendBackslash(out, PathBufferSize);
    AppendBounded(out, PathBufferSize, QuickLaunchSuffix);
}
