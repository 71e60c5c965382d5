// Where Windows' file virtualization keeps a file: the same path under the user's VirtualStore.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include <cstddef>

// True when path lies strictly inside folder (at a component boundary), ASCII case ignored.
bool IsInsideFolder(const char* path, const char* folder);

// "<localAppData>\VirtualStore\<path without its drive>" for a drive path such as
// "C:\Windows\x.txt". False, and out empty, for a path without a drive letter (a share has no
// virtual copy) or when the whole does not fit outSize: a shortened path would be another file.
bool BuildVirtualStorePath(char* out, size_t outSize, const char* localAppData, const char* path);
