// The program's registry key: version stamp and the main window's last position.
#include "settings_store.h"

void WriteVersionStamp() {}
void SaveWindowPosition() {}
DWORD ReadWindowPosition() { return 0; }
void RestoreWindowPosition(HWND) {}
void DeleteSettingsKey() {}
