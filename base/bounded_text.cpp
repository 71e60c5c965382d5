// Bounded copies and path joins (see bounded_text.h).
#include "bounded_text.h"

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

bool JoinPath(char* out, size_t outSize, const char* folder, const char* name) {
    if (outSize == 0)
        return false;
    size_t folderLength = strlen(folder);
    bool needsBackslash = folderLength > 0 && folder[folderLength - 1] != '\\';
    size_t whole = folderLength + (needsBackslash ? 1 : 0) + strlen(name);
    CopyBounded(out, outSize, folder, folderLength);
    if (needsBackslash)
        AppendBounded(out, outSize, "\\");
    AppendBounded(out, outSize, name);
    return whole < outSize;
}

void TerminateRegistryText(char* buffer, size_t bufferSize, unsigned long dataSize) {
    if (bufferSize == 0)
        return;
    size_t end = dataSize < bufferSize ? dataSize : bufferSize - 1;
    buffer[end] = '\0';
}
