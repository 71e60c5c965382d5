// The worker thread's rebuild of the mirror under the Send To folder.
#pragma once
#include <windows.h>

// Thread entry: snapshots the discovery tables, runs the pass, ends with exit code 1.
DWORD WINAPI MirrorWorkerMain(LPVOID unused);
