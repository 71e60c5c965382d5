// The Options dialog (dialog 104), opened from the main window's "Options..." button.
#include "options_dialog.h"

// Placeholder until the dialog and its resource exist: opening it fails and changes nothing.
INT_PTR CALLBACK OptionsDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}
