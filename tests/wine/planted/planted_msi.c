/* A stand-in msi.dll that the installer guard test plants beside its exe. Were it loaded, it would
   call every shortcut advertised and point it at a file that does not exist. */
#include <windows.h>

#include <string.h>

int WINAPI TallowfinPlantedMsi(void) {
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
