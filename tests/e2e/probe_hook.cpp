// The probe DLL: loaded into Tallowfin.exe through a WH_CALLWNDPROC hook set by the driver, it
// answers questions Wine only answers in-process and records when threads start and end.
#include <windows.h>

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

void Answer(HWND window) {
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
