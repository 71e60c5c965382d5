// The dialogs' icon controls at the size of their monitor. The control loads its icon once, at
// the system's size; on a monitor of another scale it would be blurred or too small.
#include "dialog_icon.h"

#include "../base/shared_state.h"
#include "../base/window_dpi.h"
#include "../res/resource.h"

namespace {

// The icon that this file gave a control, kept on the control until it is replaced or freed.
const char IconProperty[] = "TallowfinFittedIcon";

bool IsIconControl(HWND child) {
    char className[16];
    return GetClassNameA(child, className, sizeof className) > 0 &&
           lstrcmpiA(className, "Static") == 0 &&
           (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

void FreeFittedIcon(HWND control) {
    HICON icon = static_cast<HICON>(RemovePropA(control, IconProperty));
    if (icon)
        DestroyIcon(icon);
}

BOOL CALLBACK FitOne(HWND child, LPARAM parameter) {
    if (!IsIconControl(child))
        return TRUE;
    int side = static_cast<int>(parameter);
    HICON icon = static_cast<HICON>(
        LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, side, side, 0));
    if (!icon)
        return TRUE; // the control keeps the icon it has
    // The control takes the icon's size, as it did with the one it loaded itself.
    SendMessageA(child, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    FreeFittedIcon(child);
    SetPropA(child, IconProperty, icon);
    return TRUE;
}

BOOL CALLBACK ReleaseOne(HWND child, LPARAM) {
    FreeFittedIcon(child);
    return TRUE;
}

} // namespace

void FitDialogIcons(HWND dialog, unsigned dpi) {
    EnumChildWindows(dialog, FitOne, MetricForDpi(SM_CXICON, dpi));
}

void ReleaseDialogIcons(HWND dialog) {
    EnumChildWindows(dialog, ReleaseOne, 0);
}
