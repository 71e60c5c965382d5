// The Links dialog: one check box per location; Process makes the folders match the boxes.
#include "links_dialog.h"

#include <shlwapi.h>

#include "dialog_icon.h"
#include "own_links.h"
#include "../base/dialog_frame.h"
#include "../base/product_info.h"
#include "../base/hourglass.h"
#include "../base/message_box.h"
#include "../base/window_dpi.h"
#include "../mirror/folder_discovery.h"
#include "../res/resource.h"

namespace {

struct LocationBox {
    int id;
    FolderSlot slot;
};

// The dialog's order, not the slots' or the ids': the refresh and Process both follow it.
const LocationBox LocationBoxes[] = {
    {IDC_LINKS_USER_DESKTOP, UserDesktop},
    {IDC_LINKS_USER_START_MENU, UserStartMenu},
    {IDC_LINKS_USER_PROGRAMS, UserPrograms},
    {IDC_LINKS_USER_STARTUP, UserStartup},
    {IDC_LINKS_USER_QUICK_LAUNCH, UserQuickLaunch},
    {IDC_LINKS_MACHINE_DESKTOP, MachineDesktop},
    {IDC_LINKS_MACHINE_START_MENU, MachineStartMenu},
    {IDC_LINKS_MACHINE_PROGRAMS, MachinePrograms},
    {IDC_LINKS_MACHINE_STARTUP, MachineStartup},
    {IDC_LINKS_MACHINE_QUICK_LAUNCH, MachineQuickLaunch},
    {IDC_LINKS_COMMON_DESKTOP, CommonDesktop},
    {IDC_LINKS_COMMON_START_MENU, CommonStartMenu},
    {IDC_LINKS_COMMON_PROGRAMS, CommonPrograms},
    {IDC_LINKS_COMMON_STARTUP, CommonStartup},
    {IDC_LINKS_COMMON_QUICK_LAUNCH, CommonQuickLaunch},
};

void OnInitDialog(HWND dialog) {
    ApplyDialogFrame(dialog, "Links", true, SW_SHOWNORMAL);
    SetDlgItemTextA(dialog, IDC_LINKS_VERSION, ProductTitle);
    FitDialogIcons(dialog, WindowDpi(dialog));
    ReadLinkLocations();
    // Sent, not posted: the boxes are right before the dialog is first painted.
    SendMessageA(dialog, MSG_REFRESH_LINKS, 0, 0);
}

// A box whose folder is gone is disabled but keeps its mark, so Process still acts on it.
void OnRefresh(HWND dialog) {
    HCURSOR previous = ShowHourglass();
    for (const LocationBox& box : LocationBoxes) {
        const FolderEntry& entry = LinkLocationTable[box.slot];
        bool usable = entry.found && PathIsDirectoryA(entry.path);
        EnableWindow(GetDlgItem(dialog, box.id), usable);
        if (!usable)
            continue;
        char linkPath[LinkPathSize];
        bool present = BuildOwnLinkPath(linkPath, sizeof linkPath, entry.path, RefreshFolderCut) &&
                       IsOwnLinkPresent(linkPath);
        CheckDlgButton(dialog, box.id, present ? BST_CHECKED : BST_UNCHECKED);
    }
    RestoreCursor(previous);
}

void OnProcess(HWND dialog) {
    if (!AskYesNo(dialog, "Process the specified links?"))
        return;
    HCURSOR previous = ShowHourglass();
    for (const LocationBox& box : LocationBoxes) {
        const char* folder = LinkLocationTable[box.slot].path;
        if (IsDlgButtonChecked(dialog, box.id) == BST_CHECKED)
            CreateOwnLink(dialog, folder);
        else
            DeleteOwnLink(folder);
    }
    RestoreCursor(previous);
    // Posted: the boxes are re-read while the closing message is up.
    PostMessageA(dialog, MSG_REFRESH_LINKS, 0, 0);
    ShowInfoBox(dialog, "Processing complete.");
}

void OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_LINKS_PROCESS: OnProcess(dialog); break;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, 0); break;
    }
}

} // namespace

INT_PTR CALLBACK LinksDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog); break;
    case MSG_REFRESH_LINKS: OnRefresh(dialog); break;
    case WM_COMMAND: OnCommand(dialog, wParam); break;
    case WM_CLOSE: EndDialog(dialog, 0); break;
    // Windows has rescaled the template's controls for the new monitor; the icon follows.
    case WM_DPICHANGED: FitDialogIcons(dialog, LOWORD(wParam)); break;
    case WM_DESTROY: ReleaseDialogIcons(dialog); break;
    }
    return 0;
}
