// Opening a file through the VirtualStore in the 64-bit build (see virtual_store.h).
#include "virtual_store.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>

#include "bounded_text.h"
#include "virtual_store_text.h"

#ifdef _WIN64

namespace {

bool ReadVariable(const char* name, char (&value)[PathBufferSize]) {
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value;
}

bool InFolderOfVariable(const char* fullPath, const char* name) {
    char folder[PathBufferSize];
    return ReadVariable(name, folder) && IsInsideFolder(fullPath, folder);
}

// The folders Windows virtualizes. The system sets these variables from its own folder
// settings for every session.
bool InProtectedFolder(const char* fullPath) {
    char folder[PathBufferSize];
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    return (length > 0 && length < sizeof folder && IsInsideFolder(fullPath, folder)) ||
           InFolderOfVariable(fullPath, "ProgramFiles") ||
           InFolderOfVariable(fullPath, "ProgramFiles(x86)") ||
           InFolderOfVariable(fullPath, "ProgramData");
}

bool VirtualStorePathOf(const char* path, char (&store)[PathBufferSize]) {
    char full[PathBufferSize];
    DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full || !InProtectedFolder(full))
        return false;
    char localAppData[PathBufferSize];
    return ReadVariable("LOCALAPPDATA", localAppData) &&
           BuildVirtualStorePath(store, sizeof store, localAppData, full);
}

bool IsPlainFile(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderOf(const char* path) {
    char folder[PathBufferSize];
    CopyBounded(folder, sizeof folder, path, sizeof folder - 1);
    char* name = strrchr(folder, '\\');
    if (!name)
        return false;
    *name = '\0';
    int result = SHCreateDirectoryExA(nullptr, folder, nullptr);
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS;
}

} // namespace

FILE* OpenVirtualized(const char* path, const char* mode) {
    char store[PathBufferSize];
    if (!VirtualStorePathOf(path, store))
        return fopen(path, mode);
    if (IsPlainFile(store))
        return fopen(store, mode);
    _doserrno = 0;
    FILE* file = fopen(path, mode);
    bool writes = strpbrk(mode, "wa+") != nullptr;
    // The C library keeps the system's own error beside errno, which folds many into EACCES.
    if (file || !writes || _doserrno != ERROR_ACCESS_DENIED || !CreateFolderOf(store))
        return file;
    if (mode[0] != 'w' && IsPlainFile(path))
        CopyFileA(path, store, TRUE);
    return fopen(store, mode);
}

#else

// Windows virtualizes a 32-bit program's files itself.
FILE* OpenVirtualized(const char* path, const char* mode) {
    return fopen(path, mode);
}

#endif
