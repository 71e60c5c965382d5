// The modeless main window: progress bar and "Options..." button.
#pragma once
#include <windows.h>

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
