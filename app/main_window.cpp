// The main window's dialog procedure.
#include "main_window.h"

#include "progress_steps.h"
#include "settings_store.h"
#include "../base/dialog_frame.h"
#include "../base/shared_state.h"
#include "../base/hourglass.h"
#include "../base/worker_wait.h"
#include "../dialogs/options_dialog.h"
#include "../res/resource.h"

namespace {

void OnInitDialog(HWND window) {
    ApplyDialogFrame(window, "Main", false, 0);
    RestoreWindowPosition(window);
    TakeProgressStepsQuietly(GetDlgItem(window, IDC_MAIN_PROGRESS));
}

void OnOptionsButton(HWND window) {
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_OPTIONS), window, OptionsDialogProc, 0);
}

// Closing the window and a log-off or shut-down query both stop the worker, then quit.
void RunStopSequence() {
    HCURSOR previous = ShowHourglass();
    StopWorker();
    RestoreCursor(previous);
    PostQuitMessage(0);
}

} // namespace

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_MAIN_OPTIONS)
            OnOptionsButton(window);
        return 0;
    case WM_CLOSE: RunStopSequence(); return 1;
    // The default processing answers the query, so the log-off may go on.
    case WM_QUERYENDSESSION: RunStopSequence(); return 0;
    default: return 0;
    }
}
