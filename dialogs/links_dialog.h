// The Links dialog: the program's own shortcut in each of the fifteen shell locations.
#pragma once
#include <windows.h>

// Makes the dialog re-read every check box from the disk (wParam and lParam 0).
constexpr UINT MSG_REFRESH_LINKS = WM_APP + 2;

// Dialog 107, opened modally with parameter 0; ends with result 0.
INT_PTR CALLBACK LinksDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
