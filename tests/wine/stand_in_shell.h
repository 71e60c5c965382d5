// Stand-ins for the shell's window list and an Explorer window with tabs, answering the
// documented interfaces through which a program reads a folder window's selection. Wine has no
// Explorer window that reports its selection, and its list answers Count and Item with "not
// implemented". Written in C, whose vtables may leave out the methods nobody calls.
#pragma once
#include <windows.h>
#include <exdisp.h>
#include <shobjidl.h>

#ifdef __cplusplus
extern "C" {
#endif

// One tab: the list entry reports the window's handle; its view's window is viewWindow and its
// selection the items given (kept, not copied).
typedef struct StandInTab {
    HWND viewWindow;
    IShellItemArray* selection;
} StandInTab;

// A list whose entries are the tabs (at most four), all of one top-level window. With hangs,
// its Count never answers, as a hung Explorer would not. Free-threaded, so that a list handed
// to another thread is called directly there; it lives as long as the process.
IShellWindows* CreateStandInList(HWND window, const StandInTab* tabs, int tabCount, BOOL hangs);

#ifdef __cplusplus
}
#endif
