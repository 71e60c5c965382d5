// The "Find a program..." window (see find_window.h). The list is owner-data: a keystroke only
// refilters an index array and repaints, however many programs there are; the
// texts and icons are asked for only for the rows on screen.
#include "find_window.h"

#include <commctrl.h>
#include <commoncontrols.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cwchar>

#include "../base/system_library.h"
#include "../base/window_dpi.h"
#include "../base/window_geometry.h"
#include "find_rows.h"
#include "find_text.h"
#include "find_timing.h"
#include "menu_box.h"
#include "menu_state.h"

namespace {

// IImageList's interface id, which MinGW-w64's uuid library lacks.
const IID ImageListId = {
    0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};

constexpr wchar_t FindClass[] = L"TallowfinFind";
constexpr wchar_t FindTitle[] = L"Find a program - Tallowfin Menu";
constexpr int EditId = 1, ListId = 2;
// Sizes at 96 dpi.
constexpr int ClientWidth = 480, ClientHeight = 360, Margin = 6, EditHeight = 24;

// Shown for a row until its own icon is known.
int GenericIcon;

int Scale(int size) {
    return ScaleForDpi(size, FindDpi);
}

// Name of the row as shown, cut to the room given (the list cuts it further with an ellipsis).
void CopyName(const FindRow& row, wchar_t* out, int outSize) {
    int length = row.nameLength < outSize - 1 ? row.nameLength : outSize - 1;
    if (length < 0)
        return;
    wmemcpy(out, row.path + row.nameStart, length);
    out[length] = L'\0';
}

int CompareRows(int a, int b) {
    const FindRow& x = FindRows[a];
    const FindRow& y = FindRows[b];
    wchar_t nameX[MAX_PATH], nameY[MAX_PATH];
    CopyName(x, nameX, MAX_PATH);
    CopyName(y, nameY, MAX_PATH);
    int byName = StrCmpLogicalW(nameX, nameY);
    int byFolder =
        byName ? 0 : StrCmpLogicalW(FindFolders[x.folder].shown, FindFolders[y.folder].shown);
    return CompareFindRows(x.recentRank, y.recentRank, byName, byFolder);
}

// Each new row goes into the sorted list where it belongs.
void SortInRow(int row) {
    int low = 0, high = FindSortedCount;
    while (low < high) {
        int middle = (low + high) / 2;
        if (CompareRows(FindSorted[middle], row) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    for (int i = FindSortedCount; i > low; --i)
        FindSorted[i] = FindSorted[i - 1];
    FindSorted[low] = row;
    ++FindSortedCount;
}

void Refilter() {
    FindShownCount = 0;
    for (int i = 0; i < FindSortedCount; ++i) {
        const FindRow& row = FindRows[FindSorted[i]];
        if (HoldsEveryWord(row.folded, FindFolders[row.folder].folded, FindQueryWords))
            FindShown[FindShownCount++] = FindSorted[i];
    }
}

int ShownIndexOf(int row) {
    for (int i = 0; i < FindShownCount; ++i)
        if (FindShown[i] == row)
            return i;
    return -1;
}

// Gives the list its new rows and highlights the row the user moved to, else the first. Painted
// at once: Enter starts what the screen shows, even while rows keep arriving.
void ShowRows(bool toTop) {
    int highlight = FindHighlight >= 0 ? ShownIndexOf(FindHighlight) : -1;
    if (highlight < 0) {
        FindHighlight = -1;
        highlight = 0;
    }
    FindSelecting = true;
    // Setting the count costs the list its scroll bars' update even when it is the same.
    if (SendMessageW(FindList, LVM_GETITEMCOUNT, 0, 0) != FindShownCount)
        SendMessageW(FindList, LVM_SETITEMCOUNT, FindShownCount, LVSICF_NOSCROLL);
    InvalidateRect(FindList, nullptr, FALSE);
    // One row selected: selecting it deselects whichever row had been.
    if (FindShownCount > 0) {
        LVITEMW state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(FindList, LVM_SETITEMSTATE, highlight, reinterpret_cast<LPARAM>(&state));
        if (toTop || FindHighlight >= 0)
            SendMessageW(FindList, LVM_ENSUREVISIBLE, highlight, FALSE);
    }
    FindSelecting = false;
    UpdateWindow(FindList);
}

void Choose(int shownIndex) {
    if (shownIndex < 0 || shownIndex >= FindShownCount)
        return;
    wmemcpy(FindChosen, FindRows[FindShown[shownIndex]].path, MAX_PATH);
    // Posted: a double-click arrives inside the list's own message, which must end first.
    PostMessageW(FindWindowHandle, WM_CLOSE, 0, 0);
}

int Highlighted() {
    return static_cast<int>(SendMessageW(FindList, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void OnRowsArrived() {
    FindRowsPosted.store(false);
    bool done = FindRowsDone.load(std::memory_order_acquire);
    int published = FindPublishedRows.load(std::memory_order_acquire);
    if (published == FindSortedCount && !done)
        return;
    for (int row = FindSortedCount; row < published; ++row)
        SortInRow(row);
    Refilter();
    ShowRows(false);
    if (done)
        NoteFindAllRows();
}

void OnQueryChanged() {
    NoteFindTyped();
    wchar_t typed[FindQuerySize];
    GetWindowTextW(FindEdit, typed, FindQuerySize);
    if (!FoldForFind(typed, FindQuery, FindQuerySize))
        FindQuery[0] = L'\0';
    SplitFindWords(FindQuery, &FindQueryWords);
    FindHighlight = -1;
    Refilter();
    ShowRows(true);
}

void OnGetDisplayInfo(NMLVDISPINFOW* display) {
    LVITEMW& item = display->item;
    if (item.iItem < 0 || item.iItem >= FindShownCount)
        return;
    int index = FindShown[item.iItem];
    const FindRow& row = FindRows[index];
    if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0) {
        if (item.iSubItem == 0) {
            CopyName(row, item.pszText, item.cchTextMax);
        } else {
            lstrcpynW(item.pszText, FindFolders[row.folder].shown, item.cchTextMax);
        }
    }
    if (item.mask & LVIF_IMAGE) {
        int icon = row.icon.load();
        if (icon < 0)
            AskFindIcon(index);
        item.iImage = icon >= 0 ? icon : GenericIcon;
    }
}

// A row the user moved to (keys, a click) stays highlighted while rows arrive around it.
void OnItemChanged(const NMLISTVIEW* change) {
    if (!FindSelecting && (change->uNewState & LVIS_SELECTED) && change->iItem >= 0 &&
        change->iItem < FindShownCount)
        FindHighlight = FindShown[change->iItem];
}

LRESULT OnListDraw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW | (FindTimingOn() ? CDRF_NOTIFYPOSTPAINT : 0);
    case CDDS_ITEMPREPAINT:
        // The focus stays in the search box, where the list would draw its selection faintly;
        // the row that Enter starts must stand out.
        if (draw->nmcd.uItemState & CDIS_SELECTED) {
            draw->nmcd.uItemState &= ~CDIS_SELECTED;
            draw->clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
            draw->clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        }
        return CDRF_DODEFAULT;
    case CDDS_POSTPAINT:
        NoteFindListPainted(FindShownCount,
                            static_cast<int>(SendMessageW(FindList, LVM_GETCOUNTPERPAGE, 0, 0)),
                            FindRowsDone.load() && FindPublishedRows.load() == FindSortedCount);
        return CDRF_DODEFAULT;
    default: return CDRF_DODEFAULT;
    }
}

LRESULT OnListNotify(NMHDR* header) {
    switch (header->code) {
    case LVN_GETDISPINFOW: OnGetDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header)); return 0;
    case LVN_ITEMCHANGED: OnItemChanged(reinterpret_cast<NMLISTVIEW*>(header)); return 0;
    case NM_DBLCLK: Choose(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem); return 0;
    // Typing goes to the search box, not to the list's own search by first letters.
    case LVN_ODFINDITEMW: return -1;
    case NM_CUSTOMDRAW: return OnListDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    default: return 0;
    }
}

void Layout(int width, int height) {
    int margin = Scale(Margin), editHeight = Scale(EditHeight);
    int listTop = margin + editHeight + margin;
    MoveWindow(FindEdit, margin, margin, width - 2 * margin, editHeight, TRUE);
    MoveWindow(FindList, margin, listTop, width - 2 * margin, height - listTop - margin, TRUE);
    RECT inside;
    GetClientRect(FindList, &inside);
    int nameWidth = (inside.right - inside.left) * 11 / 20;
    SendMessageW(FindList, LVM_SETCOLUMNWIDTH, 0, nameWidth);
    SendMessageW(FindList, LVM_SETCOLUMNWIDTH, 1, inside.right - inside.left - nameWidth);
}

void AddColumn(int index, const wchar_t* title) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(title);
    column.iSubItem = index;
    SendMessageW(FindList, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

// The message font of the system at FindDpi.
HFONT CreateFindFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    metrics.lfMessageFont.lfHeight = MulDiv(
        metrics.lfMessageFont.lfHeight, static_cast<int>(FindDpi), static_cast<int>(SystemDpi()));
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// The font at FindDpi for both controls; the one it replaces is freed once they let go of it.
void SetFindFont(BOOL redraw) {
    HFONT old = FindFont;
    FindFont = CreateFindFont();
    if (!FindFont) {
        FindFont = old;
        return;
    }
    SendMessageW(FindEdit, WM_SETFONT, reinterpret_cast<WPARAM>(FindFont), redraw);
    SendMessageW(FindList, WM_SETFONT, reinterpret_cast<WPARAM>(FindFont), redraw);
    if (old)
        DeleteObject(old);
}

// The shell's image list whose icons come nearest the small-icon size at FindDpi, the smaller
// on a tie. Every system image list numbers its icons alike, so the rows keep their indexes.
void SetFindIcons() {
    HIMAGELIST chosen = FindSmallIcons(&GenericIcon);
    int want = MetricForDpi(SM_CXSMICON, FindDpi), bestOff = -1;
    const int kinds[] = {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE};
    for (int kind : kinds) {
        IImageList* list = nullptr;
        int width = 0, height = 0;
        if (FAILED(SHGetImageList(kind, ImageListId, reinterpret_cast<void**>(&list))))
            continue;
        if (SUCCEEDED(list->GetIconSize(&width, &height))) {
            int off = width > want ? width - want : want - width;
            if (bestOff < 0 || off < bestOff) {
                bestOff = off;
                chosen = reinterpret_cast<HIMAGELIST>(list);
            }
        }
        list->Release(); // the shell keeps its lists for the life of the process
    }
    SendMessageW(FindList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(chosen));
}

// Moved to a monitor of another scale: Windows suggests the frame at the new scale, and the
// font and margins follow it (WM_SIZE lays the controls out again).
void OnDpiChanged(HWND window, WPARAM dpi, const RECT* suggested) {
    FindDpi = LOWORD(dpi);
    SetFindFont(TRUE);
    SetFindIcons();
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool OnCreate(HWND window) {
    FindWindowHandle = window;
    HINSTANCE instance = MenuInstance;
    FindEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                               window, reinterpret_cast<HMENU>(EditId), instance, nullptr);
    FindList = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
            LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER,
        0, 0, 0, 0, window, reinterpret_cast<HMENU>(ListId), instance, nullptr);
    if (!FindEdit || !FindList)
        return false;
    SetFindFont(FALSE);
    SendMessageW(FindEdit, EM_LIMITTEXT, FindQuerySize - 1, 0);
    SendMessageW(FindEdit, EM_SETCUEBANNER, TRUE,
                 reinterpret_cast<LPARAM>(L"Type words of a program's name or folder"));
    SendMessageW(FindList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    SetFindIcons();
    AddColumn(0, L"Program");
    AddColumn(1, L"Folder");
    return true;
}

void OnCommand(WPARAM command) {
    if (LOWORD(command) == EditId && HIWORD(command) == EN_CHANGE)
        OnQueryChanged();
}

void OnIconsArrived() {
    FindIconsPosted.store(false);
    InvalidateRect(FindList, nullptr, FALSE);
}

void OnActivate(HWND window, WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
        // A click elsewhere closes the window, as it closes a menu.
        if (FindWasActive)
            PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    }
    FindWasActive = true;
    SetFocus(FindEdit);
}

LRESULT CALLBACK FindProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window) ? 0 : -1;
    case WM_SIZE: Layout(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, wParam, reinterpret_cast<RECT*>(lParam)); return 0;
    case WM_ACTIVATE: OnActivate(window, wParam); return 0;
    case WM_COMMAND: OnCommand(wParam); return 0;
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR*>(lParam)->idFrom == ListId
                   ? OnListNotify(reinterpret_cast<NMHDR*>(lParam))
                   : 0;
    case MSG_FIND_ROWS: OnRowsArrived(); return 0;
    case MSG_FIND_ICONS: OnIconsArrived(); return 0;
    case WM_DESTROY: FindWindowHandle = nullptr; return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Keys the search box passes on: the list moves under it, Enter starts, Escape closes.
bool HandleFindKey(const MSG& message) {
    if (message.message == WM_CHAR && message.hwnd == FindList && message.wParam >= L' ') {
        SetFocus(FindEdit);
        SendMessageW(FindEdit, WM_CHAR, message.wParam, message.lParam);
        return true;
    }
    if (message.message != WM_KEYDOWN || (message.hwnd != FindEdit && message.hwnd != FindList))
        return false;
    switch (message.wParam) {
    case VK_ESCAPE: DestroyWindow(FindWindowHandle); return true;
    case VK_RETURN: Choose(Highlighted()); return true;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        if (message.hwnd != FindEdit)
            return false;
        SendMessageW(FindList, WM_KEYDOWN, message.wParam, message.lParam);
        return true;
    default: return false;
    }
}

// At the pointer, inside the work area of its screen.
bool CreateFindWindow() {
    WNDCLASSW type = {};
    type.lpfnWndProc = FindProc;
    type.hInstance = MenuInstance;
    type.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = FindClass;
    if (!RegisterClassW(&type))
        return false;
    POINT at;
    GetCursorPos(&at);
    FindDpi = PointDpi(at);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_TOOLWINDOW;
    RECT frame = {0, 0, Scale(ClientWidth), Scale(ClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int x = KeepInsideSpan(at.x, width, work.left, work.right);
    int y = KeepInsideSpan(at.y, height, work.top, work.bottom);
    HWND window = CreateWindowExW(exStyle, FindClass, FindTitle, style, x, y, width, height,
                                  nullptr, nullptr, MenuInstance, nullptr);
    if (!window)
        return false;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    return true;
}

} // namespace

const wchar_t* FindProgram(const wchar_t* mirrorRoot) {
    NoteFindChosen();
    FindChosen[0] = L'\0';
    FindHighlight = -1;
    if (!InitSystemCommonControls(ICC_LISTVIEW_CLASSES) || !CreateFindWindow()) {
        ShowMenuBox(MB_ICONWARNING | MB_OK, L"The window to find a program could not be opened.");
        return nullptr;
    }
    int page = static_cast<int>(SendMessageW(FindList, LVM_GETCOUNTPERPAGE, 0, 0));
    if (!StartFindRows(mirrorRoot, FindWindowHandle, page)) {
        DestroyWindow(FindWindowHandle);
        ShowMenuBox(MB_ICONWARNING | MB_OK, L"The programs to find could not be read.");
        return nullptr;
    }
    MSG message;
    while (FindWindowHandle && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (HandleFindKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    StopFindRows();
    if (FindFont)
        DeleteObject(FindFont);
    return FindChosen[0] ? FindChosen : nullptr;
}
