// The 64-bit build's own file virtualization. Windows redirects a refused write into the
// Windows directory, Program Files or ProgramData to the user's VirtualStore for 32-bit
// programs only; the log and the terms file need it in the 64-bit build too.
#pragma once
#include <cstdio>

// fopen in the 32-bit build, where the system virtualizes. In the 64-bit build, for a file under
// the Windows directory, Program Files or ProgramData: the VirtualStore copy is opened whenever
// it exists; else the file itself, and when the system refuses a write to it (access denied),
// the copy, which starts with the file's contents when the mode keeps them. Any other failure
// is the caller's, as with fopen.
FILE* OpenVirtualized(const char* path, const char* mode);
