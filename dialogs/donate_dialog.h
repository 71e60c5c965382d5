// The Donate dialog (dialog 106), opened from the Options dialog.
#pragma once
#include <windows.h>

INT_PTR CALLBACK DonateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
