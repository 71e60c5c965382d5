// The probe DLL: loaded into Tallowfin.exe or TallowfinMenu.exe through a WH_CALLWNDPROC hook set
// by the driver, it answers questions Wine only answers in-process (icons, menus) and records
// when threads start and end.
#include <windows.h>
#include <commctrl.h>

#include "icon_facts.h"
#include "probe_protocol.h"

namespace {

ProbeShared* Shared;
HANDLE Mapping;

LONGLONG Ticks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void OpenShared() {
    char name[64];
    ProbeMappingName(name, sizeof name, GetCurrentProcessId());
    Mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (Mapping)
        Shared = static_cast<ProbeShared*>(
            MapViewOfFile(Mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeShared)));
}

void ThreadStarted() {
    LONG slot = InterlockedIncrement(&Shared->threadCount) - 1;
    if (slot < ProbeThreadSlots) {
        Shared->threads[slot].id = GetCurrentThreadId();
        Shared->threads[slot].startTicks = Ticks();
    }
}

void ThreadEnded() {
    DWORD id = GetCurrentThreadId();
    for (int i = 0; i < ProbeThreadSlots; ++i)
        if (Shared->threads[i].id == id)
            Shared->threads[i].endTicks = Ticks();
}

BOOL CALLBACK FindIconStatic(HWND child, LPARAM result) {
    char className[16];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HWND*>(result) = child;
        return FALSE;
    }
    return TRUE;
}

BoxIcon DescribeBoxIcon(HWND box) {
    HWND iconStatic = nullptr;
    EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&iconStatic));
    if (!iconStatic)
        return BoxIcon::None;
    HICON shown = reinterpret_cast<HICON>(SendMessageA(iconStatic, STM_GETICON, 0, 0));
    if (!shown)
        return BoxIcon::None;
    const struct {
        LPCSTR id;
        BoxIcon kind;
    } known[] = {{IDI_WARNING, BoxIcon::Warning},
                 {IDI_QUESTION, BoxIcon::Question},
                 {IDI_INFORMATION, BoxIcon::Information},
                 {IDI_ERROR, BoxIcon::Error}};
    for (const auto& k : known)
        if (LoadIconA(nullptr, k.id) == shown)
            return k.kind;
    return BoxIcon::Other;
}

bool HasSmallPicture(HBITMAP picture) {
    BITMAP shape;
    // Values up to HBMMENU_POPUP_MINIMIZE (11) name system pictures, not bitmaps.
    return reinterpret_cast<ULONG_PTR>(picture) > 11 && GetObjectA(picture, sizeof shape, &shape) &&
           shape.bmWidth == GetSystemMetrics(SM_CXSMICON) && shape.bmBitsPixel == 32;
}

void DumpMenu(HMENU menu, int depth, char* out, size_t size) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[512] = L"";
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_BITMAP | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = ARRAYSIZE(text) - 1;
        if (!GetMenuItemInfoW(menu, i, TRUE, &item))
            continue;
        char line[1200] = "";
        for (int d = 0; d < depth; ++d)
            lstrcatA(line, "  ");
        if (item.fType & MFT_SEPARATOR) {
            lstrcatA(line, "-");
        } else {
            if (HasSmallPicture(item.hbmpItem))
                lstrcatA(line, "[i] ");
            size_t used = lstrlenA(line);
            WideCharToMultiByte(CP_UTF8, 0, text, -1, line + used, int(sizeof line - used - 16),
                                nullptr, nullptr);
            if (item.hSubMenu)
                lstrcatA(line, " >");
            if (item.fState & MFS_DISABLED)
                lstrcatA(line, " [off]");
        }
        lstrcatA(line, "\n");
        if (lstrlenA(out) + lstrlenA(line) < int(size))
            lstrcatA(out, line);
        if (item.hSubMenu)
            DumpMenu(item.hSubMenu, depth + 1, out, size);
    }
}

// Owner-data rows are known only to the window that owns the list: read here, where it answers.
void DumpList(HWND list, char* out, size_t size) {
    int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    for (int i = 0; i < rows; ++i) {
        char line[1200] = "";
        for (int c = 0; c < columns; ++c) {
            wchar_t text[260] = L"";
            LVITEMW item = {};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = ARRAYSIZE(text);
            SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
            if (c > 0)
                lstrcatA(line, " | ");
            size_t used = lstrlenA(line);
            WideCharToMultiByte(CP_UTF8, 0, text, -1, line + used, int(sizeof line - used - 16),
                                nullptr, nullptr);
        }
        if (SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_SELECTED))
            lstrcatA(line, " [sel]");
        lstrcatA(line, "\n");
        if (lstrlenA(out) + lstrlenA(line) < int(size))
            lstrcatA(out, line);
    }
}

// The list's window moved to a monitor of another scale, as Windows would tell it: with its frame
// scaled from the top left corner.
void SendDpiChange(HWND list, UINT dpi) {
    HWND top = GetAncestor(list, GA_ROOT);
    RECT frame;
    GetWindowRect(top, &frame);
    HDC screen = GetDC(nullptr);
    int now = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    frame.right = frame.left + MulDiv(frame.right - frame.left, static_cast<int>(dpi), now);
    frame.bottom = frame.top + MulDiv(frame.bottom - frame.top, static_cast<int>(dpi), now);
    SendMessageW(top, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

void MeasureList(HWND list) {
    if (Shared->sendDpi)
        SendDpiChange(list, Shared->sendDpi);
    RECT icon = {};
    icon.left = LVIR_ICON;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&icon));
    Shared->listIconWidth = icon.right - icon.left;
    LOGFONTW font = {};
    HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0));
    Shared->listFontHeight =
        handle && GetObjectW(handle, sizeof font, &font) ? abs(font.lfHeight) : 0;
}

void Answer(HWND window) {
    Shared->menuDump[0] = '\0';
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32768") == 0) {
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
        if (menu)
            DumpMenu(menu, 0, Shared->menuDump, sizeof Shared->menuDump);
    } else if (lstrcmpA(className, "SysListView32") == 0) {
        MeasureList(window);
        DumpList(window, Shared->menuDump, sizeof Shared->menuDump);
    }
    Shared->smallIcon =
        DescribeIcon(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)));
    Shared->bigIcon =
        DescribeIcon(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0)));
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    Shared->closeItemState =
        systemMenu ? GetMenuState(systemMenu, SC_CLOSE, MF_BYCOMMAND) : 0xFFFFFFFFu;
    Shared->boxIcon = DescribeBoxIcon(window);
    Shared->controlImage = Shared->imageControl
                               ? reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(
                                     window, Shared->imageControl, BM_GETIMAGE, IMAGE_BITMAP, 0))
                               : nullptr;
    Shared->objectType = Shared->objectToCheck ? GetObjectType(Shared->objectToCheck) : 0;
    MemoryBarrier();
    Shared->answerSequence = Shared->requestSequence;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    static UINT probeMessage = RegisterWindowMessageA(ProbeMessageName);
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && Shared && sent->message == probeMessage &&
        sent->hwnd == Shared->window)
        Answer(sent->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH: OpenShared(); break;
    case DLL_THREAD_ATTACH:
        if (Shared)
            ThreadStarted();
        break;
    case DLL_THREAD_DETACH:
        if (Shared)
            ThreadEnded();
        break;
    default: break;
    }
    return TRUE;
}
