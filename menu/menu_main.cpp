// Tallowfin Menu: shows the Tallowfin folder of Send To as a cascading menu at the mouse and
// starts the chosen shortcut with the files it was given, or, started by its hot key, with the
// files selected in Explorer. Without files it offers to add or remove its own shortcuts.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "find_window.h"
#include "hot_key_entry.h"
#include "hot_key_start.h"
#include "launch.h"
#include "menu_box.h"
#include "menu_state.h"
#include "menu_text.h"
#include "mirror_location.h"
#include "mirror_menu.h"
#include "recent_programs.h"
#include "send_to_entry.h"

namespace {

constexpr wchar_t OwnerClass[] = L"TallowfinMenuOwner";

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITMENUPOPUP) {
        FillMenuOnOpen(reinterpret_cast<HMENU>(wParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The menu needs a window of this thread to report to; it is never shown.
HWND CreateOwnerWindow() {
    WNDCLASSW type = {};
    type.lpfnWndProc = OwnerProc;
    type.hInstance = MenuInstance;
    type.lpszClassName = OwnerClass;
    if (!RegisterClassW(&type))
        return nullptr;
    return CreateWindowExW(WS_EX_TOOLWINDOW, OwnerClass, MenuCaption, WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, MenuInstance, nullptr);
}

int RunMirrorMenu() {
    wchar_t root[MAX_PATH];
    if (!FindMirrorRoot(root)) {
        ShowMenuBox(MB_ICONWARNING | MB_OK,
                    L"There is no Tallowfin folder in your Send To folder yet.\n\n"
                    L"Run Tallowfin first: it builds that folder from your shortcuts.");
        return 1;
    }
    HWND owner = CreateOwnerWindow();
    HMENU menu = owner ? CreateMirrorMenu(root) : nullptr;
    if (!menu)
        return 1;
    POINT at;
    GetCursorPos(&at);
    // A pop-up menu only closes on a click elsewhere when its owner is the foreground window;
    // the message after it lets the menu finish closing.
    SetForegroundWindow(owner);
    UINT command =
        TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    const wchar_t* chosen =
        command == FindProgramCommand ? FindProgram(root) : ShortcutForCommand(command);
    bool started = chosen && StartShortcut(chosen);
    // The list is a convenience: a registry that refuses it costs the user nothing else.
    const wchar_t* relative = started ? PathBelow(chosen, root) : nullptr;
    if (relative)
        RememberRecentProgram(relative);
    int code = !chosen || started ? 0 : 1;
    DestroyMenu(menu);
    DestroyWindow(owner);
    return code;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    MenuInstance = instance;
    CoInitialize(nullptr);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    int code = 1;
    if (arguments && count <= 1) {
        code = OfferSendToEntry();
    } else if (arguments && count == 2 && lstrcmpiW(arguments[1], HotKeyArgument) == 0) {
        code = TakeExplorerSelection() ? RunMirrorMenu() : 1;
    } else if (arguments) {
        MenuFiles = arguments + 1;
        MenuFileCount = count - 1;
        code = RunMirrorMenu();
    }
    LocalFree(arguments);
    // An orderly exit could wait on the selection reader that a hung Explorer holds.
    if (SelectionReaderLeftBehind)
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    CoUninitialize();
    return code;
}
