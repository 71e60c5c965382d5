// Virtual store path text (see virtual_store_text.h).
#include "virtual_store_text.h"

#include <cstring>

#include "bounded_text.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDrivePath(const char* path) {
    char letter = LowerAscii(path[0]);
    return letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\';
}

} // namespace

bool IsInsideFolder(const char* path, const char* folder) {
    size_t length = strlen(folder);
    while (length > 0 && folder[length - 1] == '\\')
        length--;
    if (length == 0 || strlen(path) <= length + 1 || path[length] != '\\')
        return false;
    for (size_t i = 0; i < length; i++)
        if (LowerAscii(path[i]) != LowerAscii(folder[i]))
            return false;
    return true;
}

bool BuildVirtualStorePath(char* out, size_t outSize, const char* localAppData, const char* path) {
    if (outSize == 0)
        return false;
    out[0] = '\0';
    if (!IsDrivePath(path) || localAppData[0] == '\0')
        return false;
    char store[PathBufferSize];
    if (!JoinPath(store, sizeof store, localAppData, "VirtualStore") ||
        !JoinPath(out, outSize, store, path + 3)) {
        out[0] = '\0';
        return false;
    }
    return true;
}
