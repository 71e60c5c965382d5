// The program's registry key: version stamp and the main window's last position.
#include "settings_store.h"

#include <cstring>

#include "../base/dialog_frame.h"
#include "../base/shared_state.h"
#include "../base/message_box.h"

namespace {

const char ParentKeyPath[] = "Software\\mistlebrookworks";
const char SettingsKeyPath[] = "Software\\mistlebrookworks\\Tallowfin";

bool CreateKey(const char* path, HKEY* key) {
    return RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, key, nullptr) == ERROR_SUCCESS;
}

// Every writer creates the parent first; it is never deleted, so the maker's other
// programs keep their keys.
bool OpenSettingsKeyForWriting(HKEY* key, const char* failureText) {
    HKEY parent;
    if (!CreateKey(ParentKeyPath, &parent)) {
        ShowErrorBox(nullptr, "ERROR - could not create 'mistlebrookworks' registry key");
        return false;
    }
    RegCloseKey(parent);
    if (!CreateKey(SettingsKeyPath, key)) {
        ShowErrorBox(nullptr, failureText);
        return false;
    }
    return true;
}

} // namespace

void WriteVersionStamp() {
    const char* failure = "ERROR - could not write (V)ersion to registry.";
    HKEY key;
    if (!OpenSettingsKeyForWriting(&key, failure))
        return;
    // Stored without its terminator. The registry keeps one more byte when the byte after
    // the data is zero, so the data sits in a buffer where that byte is not.
    char stamp[sizeof ProductTitle + 1];
    memcpy(stamp, ProductTitle, sizeof ProductTitle - 1);
    stamp[sizeof ProductTitle - 1] = '.';
    stamp[sizeof ProductTitle] = '\0';
    if (RegSetValueExA(key, "V", 0, REG_SZ, reinterpret_cast<const BYTE*>(stamp),
                       sizeof ProductTitle - 1) != ERROR_SUCCESS)
        ShowErrorBox(nullptr, failure);
    RegCloseKey(key);
}

void SaveWindowPosition() {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(MainWindow, &placement);
    if (placement.showCmd == SW_MINIMIZE)
        return;
    HKEY key;
    if (!OpenSettingsKeyForWriting(&key, "ERROR - could not write 'WP' to registry"))
        return;
    RECT rect = {};
    GetWindowRect(MainWindow, &rect);
    DWORD stored = EncodeWindowPosition(rect.left, rect.top);
    RegSetValueExA(key, "WP", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), sizeof stored);
    RegCloseKey(key);
}

DWORD ReadWindowPosition() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD stored = 0;
    DWORD size = sizeof stored;
    RegQueryValueExA(key, "WP", nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size);
    RegCloseKey(key);
    return stored;
}

void RestoreWindowPosition(HWND window) {
    DWORD stored = ReadWindowPosition();
    RECT current = {}, workArea = {};
    GetWindowRect(window, &current);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    ScreenRect r = RestoredRect(stored, current.right - current.left, current.bottom - current.top,
                                ToScreenRect(workArea));
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    placement.flags = 0;
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = {r.left, r.top, r.right, r.bottom};
    SetWindowPlacement(window, &placement);
}

void DeleteSettingsKey() {
    HKEY parent;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ParentKeyPath, 0, KEY_ALL_ACCESS, &parent) !=
        ERROR_SUCCESS)
        return;
    RegDeleteKeyA(parent, "Tallowfin");
    RegCloseKey(parent);
}
