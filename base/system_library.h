// Libraries that are no KnownDLLs, taken from the system directory only: a program that people
// download runs from a Downloads folder, where a DLL of the same name could have been planted.
#pragma once
#include <windows.h>

// The library from the system directory, or null. The caller keeps it loaded.
HMODULE LoadSystemLibrary(const char* name);

// timeGetTime of the system winmm.dll; GetTickCount when that cannot be had. Main thread only.
DWORD MillisecondTick();

// InitCommonControlsEx of the system comctl32.dll, which then stays loaded for the controls'
// window procedures. False when the library or the function is missing. Main thread only.
bool InitSystemCommonControls(DWORD classes);
