// The Options dialog (dialog 104), opened from the main window's "Options..." button.
#pragma once
#include <windows.h>

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
