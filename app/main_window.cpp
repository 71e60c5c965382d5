// The main window's dialog procedure.
#include "main_window.h"

INT_PTR CALLBACK MainWindowProc(HWND, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_CLOSE: PostQuitMessage(0); return 1;
    default: return 0;
    }
}
