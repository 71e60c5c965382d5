// The progress bar's quiet steps (see progress_steps.h).
#include "progress_steps.h"

#include <commctrl.h>

namespace {

// The worker posts one step per entry. Taken by the control, each step costs the window thread
// a repaint (Wine's control invalidates and updates itself at once), and a close or a click
// queued behind thousands of steps waits for all of them. So a step is only noted; the control
// takes the last one on the next tick, which comes once the posted steps are taken, or before
// anything else reaches it, so that whatever asks it sees every step.
constexpr UINT_PTR RedrawTimer = 0x5717; // not the control's own marquee timer
constexpr UINT RedrawPeriod = 100;

WNDPROC OriginalBarProc;
bool StepPending;
WPARAM PendingPosition;
bool RedrawArmed;

// A window without WS_VISIBLE is not drawn: the control's own invalidate and update do nothing.
void ApplyPendingStepQuietly(HWND bar) {
    if (!StepPending)
        return;
    StepPending = false; // first: the style changes below come back through this procedure
    LONG_PTR style = GetWindowLongPtrA(bar, GWL_STYLE);
    SetWindowLongPtrA(bar, GWL_STYLE, style & ~WS_VISIBLE);
    CallWindowProcA(OriginalBarProc, bar, PBM_SETPOS, PendingPosition, 0);
    SetWindowLongPtrA(bar, GWL_STYLE, style);
}

LRESULT NoteStep(HWND bar, WPARAM position) {
    LRESULT previous = StepPending ? static_cast<LRESULT>(PendingPosition)
                                   : CallWindowProcA(OriginalBarProc, bar, PBM_GETPOS, 0, 0);
    StepPending = true;
    PendingPosition = position;
    if (!RedrawArmed)
        RedrawArmed = SetTimer(bar, RedrawTimer, RedrawPeriod, nullptr) != 0;
    return previous;
}

void RedrawOnTick(HWND bar) {
    KillTimer(bar, RedrawTimer);
    RedrawArmed = false;
    ApplyPendingStepQuietly(bar);
    InvalidateRect(bar, nullptr, FALSE);
}

LRESULT CALLBACK QuietBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case PBM_SETPOS: return NoteStep(bar, wParam);
    case WM_TIMER:
        if (wParam != RedrawTimer)
            break;
        RedrawOnTick(bar);
        return 0;
    default: break;
    }
    ApplyPendingStepQuietly(bar);
    return CallWindowProcA(OriginalBarProc, bar, message, wParam, lParam);
}

} // namespace

void TakeProgressStepsQuietly(HWND bar) {
    if (!bar)
        return;
    OriginalBarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(QuietBarProc)));
}
