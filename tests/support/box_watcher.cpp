// Answers message boxes that the code under test shows (see box_watcher.h).
#include "box_watcher.h"

namespace {

struct FindState {
    HWND box;
};

BOOL CALLBACK FindOwnBox(HWND window, LPARAM param) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, 0xFFFF)) {
        reinterpret_cast<FindState*>(param)->box = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindIconStatic(HWND child, LPARAM param) {
    char cls[32] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string MessageBoxIconKind(HWND box) {
    HWND iconStatic = nullptr;
    EnumChildWindows(box, FindIconStatic, reinterpret_cast<LPARAM>(&iconStatic));
    if (!iconStatic)
        return "none";
    HICON icon = reinterpret_cast<HICON>(SendMessageA(iconStatic, STM_GETICON, 0, 0));
    struct Kind {
        LPCSTR id;
        const char* name;
    } kinds[] = {{IDI_EXCLAMATION, "warning"},
                 {IDI_QUESTION, "question"},
                 {IDI_ASTERISK, "information"},
                 {IDI_HAND, "error"}};
    for (const Kind& k : kinds) {
        if (icon && icon == LoadIconA(nullptr, k.id))
            return k.name;
    }
    return "none";
}

BoxWatcher::BoxWatcher() {
    InitializeCriticalSection(&lock_);
    stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

BoxWatcher::~BoxWatcher() {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(stop_);
    DeleteCriticalSection(&lock_);
}

std::vector<SeenBox> BoxWatcher::Seen() {
    EnterCriticalSection(&lock_);
    std::vector<SeenBox> copy = seen_;
    LeaveCriticalSection(&lock_);
    return copy;
}

DWORD WINAPI BoxWatcher::Run(void* param) {
    BoxWatcher* self = static_cast<BoxWatcher*>(param);
    while (WaitForSingleObject(self->stop_, 20) == WAIT_TIMEOUT) {
        FindState state = {nullptr};
        EnumWindows(FindOwnBox, reinterpret_cast<LPARAM>(&state));
        if (!state.box)
            continue;
        SeenBox seen;
        char text[1024] = "";
        GetWindowTextA(state.box, text, sizeof text);
        seen.caption = text;
        GetDlgItemTextA(state.box, 0xFFFF, text, sizeof text);
        seen.text = text;
        seen.hasOwner = GetWindow(state.box, GW_OWNER) != nullptr;
        seen.icon = MessageBoxIconKind(state.box);
        EnterCriticalSection(&self->lock_);
        self->seen_.push_back(seen);
        LeaveCriticalSection(&self->lock_);
        SendMessageA(state.box, WM_COMMAND, IDOK, 0);
        while (IsWindow(state.box) && WaitForSingleObject(self->stop_, 10) == WAIT_TIMEOUT) {
        }
    }
    return 0;
}
