// The two Windows Installer functions the copier needs, taken by ordinal from the system msi.dll.
#pragma once
#include <windows.h>

// Ordinal 216 (MsiGetShortcutTargetA): 0 when the file is an advertised shortcut; then the three
// 39-character codes are filled.
typedef UINT(WINAPI* AdvertisedShortcutQueryFunction)(const char* shortcutPath, char* productCode,
                                                      char* featureId, char* componentCode);
// Ordinal 172 (MsiGetComponentPathA): the component's install state; fills the path buffer.
typedef int(WINAPI* ComponentPathQueryFunction)(const char* productCode, const char* componentCode,
                                                char* path, DWORD* pathSize);

struct InstallerFunctions {
    AdvertisedShortcutQueryFunction AdvertisedShortcutQuery;
    ComponentPathQueryFunction ComponentPathQuery;
};

// Loads msi.dll from the system directory on the first call of the process, from any thread.
// Both functions are null when the library or either ordinal is unavailable.
const InstallerFunctions& GetInstallerFunctions();
