// The program's registry key: version stamp and the main window's last position.
#pragma once
#include <windows.h>

void WriteVersionStamp();
void SaveWindowPosition();
DWORD ReadWindowPosition();
void RestoreWindowPosition(HWND window);
void DeleteSettingsKey();
