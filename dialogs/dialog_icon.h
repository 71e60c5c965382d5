// The program's icon in a dialog's icon controls, drawn at the size of the dialog's monitor.
#pragma once
#include <windows.h>

// Gives every icon control (a static with SS_ICON) of the dialog the program's icon at the
// large-icon size for dpi, and frees the one this gave it before. Called as the dialog opens
// and on WM_DPICHANGED with the new dpi.
void FitDialogIcons(HWND dialog, unsigned dpi);

// Frees the icons that FitDialogIcons made; on WM_DESTROY.
void ReleaseDialogIcons(HWND dialog);
