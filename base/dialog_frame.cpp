// The standard frame of every dialog: title, icons, and centring over the owner.
#include "dialog_frame.h"

#include <cstdio>

#include "shared_state.h"

ScreenRect ToScreenRect(const RECT& r) {
    return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top),
            static_cast<int32_t>(r.right), static_cast<int32_t>(r.bottom)};
}

namespace {

void CentreDialog(HWND dialog, HWND owner, int showCommand) {
    RECT dialogRect, ownerRect, workArea;
    GetWindowRect(dialog, &dialogRect);
    GetWindowRect(owner, &ownerRect);
    WINDOWPLACEMENT ownerPlacement = {};
    ownerPlacement.length = sizeof ownerPlacement;
    GetWindowPlacement(owner, &ownerPlacement);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);

    int32_t width = dialogRect.right - dialogRect.left;
    int32_t height = dialogRect.bottom - dialogRect.top;
    int32_t x, y;
    CentreOverOwner(ToScreenRect(ownerPlacement.rcNormalPosition), ToScreenRect(ownerRect), width,
                    height, ToScreenRect(workArea), &x, &y);

    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    placement.flags = 0;
    placement.showCmd = static_cast<UINT>(showCommand);
    placement.rcNormalPosition = {x, y, x + width, y + height};
    SetWindowPlacement(dialog, &placement);
    ShowWindow(dialog, showCommand);
}

} // namespace

void ApplyDialogFrame(HWND dialog, const char* name, bool centreOverOwner, int showCommand) {
    char title[256];
    snprintf(title, sizeof title, "%s - %s - MISTLEBROOKWORKS", ProductTitle, name);
    SetWindowTextA(dialog, title);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(AppIcon));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(AppIcon));
    HWND owner = GetParent(dialog);
    if (!centreOverOwner || !owner)
        return;
    CentreDialog(dialog, owner, showCommand);
}
