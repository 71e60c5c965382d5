// The Options dialog (dialog 104 with menu 106): product details, the site's address, and the
// commands to exit, uninstall, explore the program's folder and visit the product's page.
#include "options_dialog.h"

#include <shellapi.h>

#include "dialog_icon.h"
#include "donate_dialog.h"
#include "explore_text.h"
#include "links_dialog.h"
#include "referrer_page.h"
#include "uninstall.h"
#include "../base/dialog_frame.h"
#include "../base/shared_state.h"
#include "../base/message_box.h"
#include "../base/window_dpi.h"
#include "../res/resource.h"

namespace {

void OnInitDialog(HWND dialog) {
    ApplyDialogFrame(dialog, "Options", true, SW_SHOWNORMAL);
    EndRunWithoutLinger();
    SetDlgItemTextA(dialog, IDC_OPTIONS_SITE, SiteAddress);
    // Selected, so that the user can copy it at once.
    SendDlgItemMessageA(dialog, IDC_OPTIONS_SITE, EM_SETSEL, 0, sizeof SiteAddress - 1);
    SetDlgItemTextA(dialog, IDC_OPTIONS_VERSION, ProductTitle);
    SetDlgItemTextA(dialog, IDC_OPTIONS_COPYRIGHT, CopyrightNotice);
    FitDialogIcons(dialog, WindowDpi(dialog));
}

void OnExit(HWND dialog) {
    // Sent, not posted: the main window has stopped the worker and queued the quit by the time
    // this dialog ends.
    SendMessageA(GetParent(dialog), WM_CLOSE, 0, 0);
    EndDialog(dialog, 0);
}

// The Links dialog (dialog 107) opens here once it exists.
void OnLinks(HWND dialog) {
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_LINKS), dialog, LinksDialogProc, 0);
}

void OnDonate(HWND dialog) {
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_DONATE), dialog, DonateDialogProc, 0);
}

void OnExplore(HWND) {
    char exePath[PathBufferSize] = "";
    GetModuleFileNameA(nullptr, exePath, sizeof exePath);
    // By its full path: a bare "Explorer" is looked for beside this program and in the current
    // directory first, where a planted Explorer.exe would start instead of the shell.
    char windowsDir[PathBufferSize];
    UINT length = GetSystemWindowsDirectoryA(windowsDir, sizeof windowsDir);
    char explorer[PathBufferSize];
    if (length == 0 || length >= sizeof windowsDir || !BuildExplorerPath(explorer, windowsDir))
        return;
    char parameters[PathBufferSize + 16];
    BuildSelectParameters(parameters, sizeof parameters, exePath);
    ShellExecuteA(nullptr, nullptr, explorer, parameters, nullptr, SW_SHOWNORMAL);
}

void OnVisit(HWND dialog) {
    if (AskYesNo(dialog, "Visit the Tallowfin internet site?"))
        OpenViaReferrerPage(SiteAddress);
}

// Only the command id counts; the notification code is not looked at.
void OnCommand(HWND dialog, WORD id) {
    switch (id) {
    case IDM_OPTIONS_EXIT: OnExit(dialog); break;
    case IDM_OPTIONS_UNINSTALL: RunUninstall(dialog); break;
    case IDM_OPTIONS_LINKS: OnLinks(dialog); break;
    case IDM_OPTIONS_DONATE:
    case IDC_OPTIONS_DONATE: OnDonate(dialog); break;
    case IDM_OPTIONS_EXPLORE: OnExplore(dialog); break;
    case IDM_OPTIONS_VISIT:
    case IDC_OPTIONS_VISIT: OnVisit(dialog); break;
    case IDOK: EndDialog(dialog, 0); break;
    default: break; // IDCANCEL too: Escape leaves the dialog open
    }
}

} // namespace

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    // 0 here too: the system sets no default focus.
    case WM_INITDIALOG: OnInitDialog(dialog); return 0;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return 0;
    case WM_CLOSE: EndDialog(dialog, 0); return 0;
    // Windows has rescaled the template's controls for the new monitor; the icon follows.
    case WM_DPICHANGED: FitDialogIcons(dialog, LOWORD(wParam)); return 0;
    case WM_DESTROY: ReleaseDialogIcons(dialog); return 0;
    default: return 0;
    }
}
