/* Stand-ins for msi.dll, winmm.dll and comctl32.dll that the guard tests plant beside an exe and
   in its working folder. Loading one appends its own path to the file named by
   TALLOWFIN_PLANTED_LOG, and its functions give answers that would break the run: every shortcut
   advertised to a missing file, a clock that never moves, no control classes. */
#include <windows.h>

#include <string.h>

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void* reserved) {
    (void)reserved;
    char log[MAX_PATH], path[MAX_PATH + 2];
    DWORD length;
    if (reason != DLL_PROCESS_ATTACH || !GetEnvironmentVariableA("TALLOWFIN_PLANTED_LOG", log, MAX_PATH))
        return TRUE;
    length = GetModuleFileNameA(module, path, MAX_PATH);
    path[length++] = '\n';
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, path, length, &written, NULL);
        CloseHandle(file);
    }
    return TRUE;
}

int WINAPI TallowfinPlantedDll(void) {
    return 1;
}

UINT WINAPI PlantedShortcutTarget(const char* shortcut, char* product, char* feature,
                                  char* component) {
    (void)shortcut;
    strcpy(product, "{11111111-2222-3333-4444-555555555555}");
    strcpy(feature, "Planted");
    strcpy(component, "{66666666-7777-8888-9999-000000000000}");
    return 0;
}

int WINAPI PlantedComponentPath(const char* product, const char* component, char* path,
                                DWORD* size) {
    (void)product;
    (void)component;
    if (*size > 20)
        strcpy(path, "C:\\planted\\tool.exe");
    return 3; /* installed locally */
}

DWORD WINAPI PlantedTick(void) {
    return 0;
}

BOOL WINAPI PlantedInitControls(const void* controls) {
    (void)controls;
    return TRUE;
}
