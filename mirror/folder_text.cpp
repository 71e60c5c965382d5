// Path text rules for shell folders (see folder_text.h).
#include "folder_text.h"

#include <cstring>

void CopyBounded(char* out, size_t outSize, const char* text, size_t maxChars) {
    if (outSize == 0)
        return;
    size_t n = strnlen(text, maxChars);
    if (n > outSize - 1)
        n = outSize - 1;
    memcpy(out, text, n);
    out[n] = '\0';
}

void AppendBounded(char* out, size_t outSize, const char* text) {
    size_t used = strnlen(out, outSize);
    if (used >= outSize)
        return;
    CopyBounded(out + used, outSize - used, text, outSize);
}

void AppendBackslash(char* path, size_t pathSize) {
    size_t n = strnlen(path, pathSize);
    if (n == 0 || n + 1 >= pathSize || path[n - 1] == '\\')
        return;
    path[n] = '\\';
    path[n + 1] = '\0';
}

void TerminateRegistryText(char* buffer, size_t bufferSize, unsigned long dataSize) {
    if (bufferSize == 0)
        return;
    size_t end = dataSize < bufferSize ? dataSize : bufferSize - 1;
    buffer[end] = '\0';
}

void BuildPlainFolderPath(char out[PathBufferSize], const char* value) {
    CopyBounded(out, PathBufferSize, value, PlainSlotCut);
    AppendBackslash(out, PathBufferSize);
}

void BuildQuickLaunchPath(char out[PathBufferSize], const char* value) {
    CopyBounded(out, PathBufferSize, value, QuickLaunchSlotCut);
    AppendBackslash(out, PathBufferSize);
    AppendBounded(out, PathBufferSize, QuickLaunchSuffix);
}
