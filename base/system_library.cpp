// Loading winmm.dll, comctl32.dll and msi.dll from the system directory only.
#include "system_library.h"

#include <commctrl.h>

#include "bounded_text.h"

namespace {

typedef DWORD(WINAPI* TickFunction)();
typedef BOOL(WINAPI* InitControlsFunction)(const INITCOMMONCONTROLSEX*);

template <typename Function> Function LookUp(const char* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    if (!module)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Both are used by the main thread only, so a plain first-use load is enough.
TickFunction Tick;
InitControlsFunction InitControls;

} // namespace

// The search flag exists on Windows 8, and on Windows 7 with KB2533623 (which also added
// AddDllDirectory); elsewhere the full path in the system directory does the same.
HMODULE LoadSystemLibrary(const char* name) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel && GetProcAddress(kernel, "AddDllDirectory"))
        return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    char systemDir[PathBufferSize];
    UINT length = GetSystemDirectoryA(systemDir, sizeof systemDir);
    char path[PathBufferSize];
    // A cut path would name another file.
    if (length == 0 || length >= sizeof systemDir || !JoinPath(path, sizeof path, systemDir, name))
        return nullptr;
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

DWORD MillisecondTick() {
    if (!Tick)
        Tick = LookUp<TickFunction>("winmm.dll", "timeGetTime");
    if (!Tick)
        Tick = GetTickCount;
    return Tick();
}

bool InitSystemCommonControls(DWORD classes) {
    if (!InitControls)
        InitControls = LookUp<InitControlsFunction>("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls = {sizeof controls, classes};
    return InitControls && InitControls(&controls);
}
