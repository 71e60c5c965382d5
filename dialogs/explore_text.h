// What "Explore Containing Folder" hands the shell: Explorer's full path and its parameters.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include <cstddef>

#include "../base/bounded_text.h"

// "<windowsDir>\explorer.exe"; false when that would not fit in a path buffer.
bool BuildExplorerPath(char out[PathBufferSize], const char* windowsDir);

// "/select,"<path>"": Explorer opens the folder with the file selected.
void BuildSelectParameters(char* out, size_t size, const char* path);
