// What the probe DLL, loaded into Tallowfin.exe or TallowfinMenu.exe by a window hook, reports to
// the driver. Wine answers WM_GETICON, the system menu's state and a box's icon only inside the
// owning process, so the probe reads them there and writes them into a mapping named per process.
#pragma once
#include <windows.h>

constexpr const char ProbeMessageName[] = "TallowfinDriverProbe";
constexpr const char ProbeHookExport[] = "ProbeCallWndProc";
constexpr int ProbeThreadSlots = 16;

// Which icon a message box shows, as the probe matched it against the system icons.
enum class BoxIcon { None, Warning, Question, Information, Error, Other };

struct ProbeIcon {
    HICON handle;
    int width, height;
    unsigned long long pixelHash; // colour and mask bits at 32 bits per pixel
};

struct ProbeThread {
    DWORD id;
    LONGLONG startTicks, endTicks; // QueryPerformanceCounter; endTicks 0 while running
};

struct ProbeShared {
    // Threads started after the probe was loaded, in order.
    LONG threadCount;
    ProbeThread threads[ProbeThreadSlots];
    // One question at a time: the driver fills window and sequence, sends the probe message,
    // and the hook answers with the same sequence.
    HWND window;
    LONG requestSequence;
    LONG answerSequence;
    ProbeIcon smallIcon, bigIcon;
    UINT closeItemState; // GetMenuState of SC_CLOSE in the system menu; 0xFFFFFFFF without one
    BoxIcon boxIcon;
    // For a pop-up menu window (class "#32768"): its menu and every sub-menu below it, one item
    // a line in UTF-8, two spaces of indent a level. A line is "-" for a separator, otherwise
    // "[i] " when the item has a small 32-bit picture, the item's text, " >" for a sub-menu
    // and " [off]" when disabled. For a list view: its rows, one a line, the columns' texts
    // joined by " | ", and " [sel]" after a selected row.
    char menuDump[8192];
    // Bitmaps, asked for on request: the image of button imageControl of the window, and the
    // type of objectToCheck (0 once it has been deleted).
    int imageControl;
    HGDIOBJ objectToCheck;
    HGDIOBJ controlImage;
    DWORD objectType;
    // For a list view, on request: its window is first told of a move to a monitor of sendDpi.
    // Then the width of a row's icon and the height of the list's font, in pixels.
    UINT sendDpi;
    int listIconWidth, listFontHeight;
};

inline void ProbeMappingName(char* out, size_t size, DWORD processId) {
    wsprintfA(out, "Local\\TallowfinDriverProbe-%lu", processId);
    (void)size;
}
