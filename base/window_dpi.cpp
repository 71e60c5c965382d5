// Screen scale of a window or a point. The per-monitor calls are looked up at run time: the
// programs also run on Windows 7, which has none of them.
#include "window_dpi.h"

#include "system_library.h"

namespace {

typedef UINT(WINAPI* WindowDpiFunction)(HWND);
typedef int(WINAPI* MetricForDpiFunction)(int, UINT);
typedef HRESULT(WINAPI* MonitorDpiFunction)(HMONITOR, int, UINT*, UINT*);

template <typename Function> Function User32Function(const char* name) {
    HMODULE user = GetModuleHandleA("user32.dll");
    return user ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)))
                : nullptr;
}

// Looked up at first use, by the thread that owns the windows.
bool LookedUp;
WindowDpiFunction ForWindow;
MetricForDpiFunction ForDpi;
MonitorDpiFunction ForMonitor;

void LookUpFunctions() {
    if (LookedUp)
        return;
    ForWindow = User32Function<WindowDpiFunction>("GetDpiForWindow");
    ForDpi = User32Function<MetricForDpiFunction>("GetSystemMetricsForDpi");
    // shcore.dll is no KnownDLL: taken from the system directory only, like the others.
    HMODULE shcore = LoadSystemLibrary("shcore.dll");
    if (shcore)
        ForMonitor = reinterpret_cast<MonitorDpiFunction>(
            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    LookedUp = true;
}

} // namespace

unsigned SystemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : DefaultDpi;
}

unsigned WindowDpi(HWND window) {
    LookUpFunctions();
    UINT dpi = ForWindow && window ? ForWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}

unsigned PointDpi(POINT point) {
    LookUpFunctions();
    const int EffectiveDpi = 0; // MDT_EFFECTIVE_DPI
    UINT x = 0, y = 0;
    HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (ForMonitor && monitor && SUCCEEDED(ForMonitor(monitor, EffectiveDpi, &x, &y)) && y)
        return y;
    return SystemDpi();
}

int ScaleForDpi(int px96, unsigned dpi) {
    return MulDiv(px96, static_cast<int>(dpi), static_cast<int>(DefaultDpi));
}

int MetricForDpi(int index, unsigned dpi) {
    LookUpFunctions();
    if (ForDpi)
        return ForDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}
