// The Donate dialog (dialog 106): how donations are made, the donation address to copy, and a
// picture button that opens the payment form through the referrer page.
#include "donate_dialog.h"

#include <cstdio>

#include "donation_text.h"
#include "referrer_page.h"
#include "../base/dialog_frame.h"
#include "../base/shared_state.h"
#include "../base/message_box.h"
#include "../base/window_dpi.h"
#include "../res/resource.h"

namespace {

// The picture lives as long as the dialog: kept in the dialog's own slot, one per opening.
void KeepPicture(HWND dialog, HBITMAP picture) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(picture));
}

// The picture is drawn for 100 %; on a monitor of another scale it is stretched to the size the
// button has there, so that it neither shrinks nor spills over.
HBITMAP LoadPicture(unsigned dpi) {
    const int Width = 62, Height = 31;
    return static_cast<HBITMAP>(LoadImageA(AppInstance, MAKEINTRESOURCEA(IDB_DONATE), IMAGE_BITMAP,
                                           ScaleForDpi(Width, dpi), ScaleForDpi(Height, dpi), 0));
}

void DeletePicture(HWND dialog) {
    HGDIOBJ picture = reinterpret_cast<HGDIOBJ>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (picture)
        DeleteObject(picture);
    KeepPicture(dialog, nullptr);
}

// Someone changed the address in this program's file: tell the user, then end the run as the
// Exit item does, with the worker stopped and nothing opened.
void QuitOverAlteredAddress(HWND dialog) {
    ShowErrorBox(dialog, "ERROR: The donation address in this program has been altered. "
                         "Tallowfin will now close.");
    DeletePicture(dialog);
    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    EndDialog(GetParent(dialog), 0); // the Options dialog
    EndDialog(dialog, 0);
}

void OnInitDialog(HWND dialog) {
    ApplyDialogFrame(dialog, "Donate", true, SW_SHOWNORMAL);
    HBITMAP picture = LoadPicture(WindowDpi(dialog));
    KeepPicture(dialog, picture);
    SetDlgItemTextA(dialog, IDC_DONATE_ADDRESS, DonationAddress);
    SendDlgItemMessageA(dialog, IDC_DONATE_ADDRESS, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(dialog, IDC_DONATE_BUTTON, BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture));
    if (!DonationAddressIntact())
        QuitOverAlteredAddress(dialog);
}

void OnDonateButton(HWND dialog) {
    if (!DonationAddressIntact()) {
        QuitOverAlteredAddress(dialog);
        return;
    }
    char notice[1024];
    snprintf(notice, sizeof notice,
             "The donation URL...\n\n'%s'\n\n... for this software...\n\n'%s'\n\n...has been "
             "*checked* for correctness (It is possible that the URL has been altered by a third "
             "party; always check a important URL begins with a known domain).\n\nFor better "
             "security, please use the donate button that can be found on %s internet pages.",
             DonationAddress, ProductTitle, MakerHomePage);
    ShowInfoBox(dialog, notice);
    OpenViaReferrerPage(DonationAddress);
}

// Moved to a monitor of another scale: the button shows a picture of that scale, and the old
// one is freed once the button no longer holds it.
void OnDpiChanged(HWND dialog, unsigned dpi) {
    HBITMAP picture = LoadPicture(dpi);
    if (!picture)
        return;
    SendDlgItemMessageA(dialog, IDC_DONATE_BUTTON, BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture));
    DeletePicture(dialog);
    KeepPicture(dialog, picture);
}

void OnClose(HWND dialog) {
    DeletePicture(dialog);
    EndDialog(dialog, 0);
}

} // namespace

INT_PTR CALLBACK DonateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog); return 0;
    // Only the picture button acts; Enter (IDOK) and Escape (IDCANCEL) are ignored.
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_DONATE_BUTTON)
            OnDonateButton(dialog);
        return 0;
    case WM_CLOSE: OnClose(dialog); return 0;
    case WM_DPICHANGED: OnDpiChanged(dialog, LOWORD(wParam)); return 0;
    default: return 0;
    }
}
