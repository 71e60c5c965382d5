// Reading Explorer's selection on a thread of its own (see explorer_selection.h).
#include "explorer_selection.h"

#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>

namespace {

// Shared by the caller and the reading thread; the last of the two to let go frees it, so a
// reader given up on still writes only into memory of its own.
struct SelectionJob {
    LONG holders;
    IStream* list; // the caller's list, marshalled for the reader's apartment; null: the shell's
    HWND foreground;
    HANDLE done;
    ExplorerSelection result;
};

void LetGo(SelectionJob* job) {
    if (InterlockedDecrement(&job->holders) == 0) {
        CloseHandle(job->done);
        HeapFree(GetProcessHeap(), 0, job);
    }
}

template <class Interface> void Release(Interface*& object) {
    if (object)
        object->Release();
    object = nullptr;
}

// The Desktop is the shell's window, or the WorkerW that holds the Desktop's view when a
// wallpaper slide show or a wallpaper program put it there.
bool IsDesktop(HWND window) {
    wchar_t type[16] = L"";
    GetClassNameW(window, type, ARRAYSIZE(type));
    return window && (window == GetShellWindow() ||
                      (lstrcmpW(type, L"WorkerW") == 0 &&
                       FindWindowExW(window, nullptr, L"SHELLDLL_DefView", nullptr)));
}

// The view shown by a window list entry. On Windows 11 the tabs of one window are entries of
// their own with the same window handle; only the active tab's view is visible.
IShellView* ViewOf(IDispatch* entry, bool mustBeVisible) {
    IServiceProvider* services = nullptr;
    IShellBrowser* browser = nullptr;
    IShellView* view = nullptr;
    if (SUCCEEDED(
            entry->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services))) &&
        SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                         reinterpret_cast<void**>(&browser))) &&
        FAILED(browser->QueryActiveShellView(&view)))
        view = nullptr;
    Release(browser);
    Release(services);
    HWND viewWindow = nullptr;
    if (view && mustBeVisible &&
        (FAILED(view->GetWindow(&viewWindow)) || !IsWindowVisible(viewWindow)))
        Release(view);
    return view;
}

IShellView* FolderWindowView(IShellWindows* windows, HWND foreground) {
    LONG count = 0;
    if (FAILED(windows->get_Count(&count)))
        return nullptr;
    IShellView* view = nullptr;
    for (LONG i = 0; i < count && !view; ++i) {
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = i;
        IDispatch* entry = nullptr;
        IWebBrowserApp* browser = nullptr;
        SHANDLE_PTR handle = 0;
        // Item answers S_FALSE, with no entry, for a window that closed meanwhile.
        if (windows->Item(index, &entry) == S_OK && entry &&
            SUCCEEDED(
                entry->QueryInterface(IID_IWebBrowserApp, reinterpret_cast<void**>(&browser))) &&
            SUCCEEDED(browser->get_HWND(&handle)) && reinterpret_cast<HWND>(handle) == foreground)
            view = ViewOf(entry, true);
        Release(browser);
        Release(entry);
    }
    return view;
}

IShellView* DesktopView(IShellWindows* windows) {
    VARIANT location, root;
    VariantInit(&location);
    VariantInit(&root);
    location.vt = VT_I4;
    location.lVal = CSIDL_DESKTOP;
    LONG handle = 0;
    IDispatch* entry = nullptr;
    if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &handle, SWFO_NEEDDISPATCH, &entry) !=
            S_OK ||
        !entry)
        return nullptr;
    IShellView* view = ViewOf(entry, false);
    entry->Release();
    return view;
}

// A path that does not fit is left out whole, never cut; used counts the text taken so far.
void Keep(ExplorerSelection& selection, size_t& used, const wchar_t* path) {
    size_t length = wcslen(path) + 1;
    if (used + length > ARRAYSIZE(selection.text)) {
        selection.overflow = true;
        return;
    }
    wmemcpy(selection.text + used, path, length);
    used += length;
    ++selection.fileCount;
}

void ReadItems(IShellItemArray* items, ExplorerSelection& selection) {
    DWORD count = 0;
    if (FAILED(items->GetCount(&count)))
        return;
    size_t used = 0;
    for (DWORD i = 0; i < count; ++i) {
        IShellItem* item = nullptr;
        if (FAILED(items->GetItemAt(i, &item)))
            continue;
        SFGAOF attributes = 0;
        wchar_t* path = nullptr;
        if (SUCCEEDED(item->GetAttributes(SFGAO_FILESYSTEM, &attributes)) &&
            (attributes & SFGAO_FILESYSTEM) &&
            SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) && path)
            Keep(selection, used, path);
        else
            ++selection.leftOutCount;
        CoTaskMemFree(path);
        item->Release();
    }
}

void ReadSelection(IShellWindows* windows, HWND foreground, ExplorerSelection& selection) {
    IShellView* view =
        IsDesktop(foreground) ? DesktopView(windows) : FolderWindowView(windows, foreground);
    IFolderView2* folder = nullptr;
    IShellItemArray* items = nullptr;
    if (view &&
        SUCCEEDED(view->QueryInterface(IID_IFolderView2, reinterpret_cast<void**>(&folder))) &&
        SUCCEEDED(folder->GetSelection(FALSE, &items)) && items)
        ReadItems(items, selection);
    Release(items);
    Release(folder);
    Release(view);
}

DWORD WINAPI ReadOnOwnThread(void* parameter) {
    SelectionJob* job = static_cast<SelectionJob*>(parameter);
    // The shell's objects expect a single-threaded apartment.
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        IShellWindows* windows = nullptr;
        HRESULT got = job->list
                          ? CoGetInterfaceAndReleaseStream(job->list, IID_IShellWindows,
                                                           reinterpret_cast<void**>(&windows))
                          : CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL,
                                             IID_IShellWindows, reinterpret_cast<void**>(&windows));
        if (SUCCEEDED(got) && windows)
            ReadSelection(windows, job->foreground, job->result);
        Release(windows);
        CoUninitialize();
    }
    SetEvent(job->done);
    LetGo(job);
    return 0;
}

} // namespace

bool ReadExplorerSelection(IShellWindows* windows, HWND foreground, ExplorerSelection* out,
                           DWORD timeLimit) {
    out->fileCount = out->leftOutCount = 0;
    out->overflow = false;
    out->text[0] = L'\0';
    SelectionJob* job = static_cast<SelectionJob*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SelectionJob)));
    if (!job)
        return true; // no memory for the read: no selection, and nothing left behind
    job->holders = 2;
    job->foreground = foreground;
    job->done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool marshalled =
        !windows ||
        SUCCEEDED(CoMarshalInterThreadInterfaceInStream(IID_IShellWindows, windows, &job->list));
    HANDLE reader = job->done && marshalled
                        ? CreateThread(nullptr, 0, ReadOnOwnThread, job, 0, nullptr)
                        : nullptr;
    if (!reader) {
        Release(job->list);
        job->holders = 1;
        LetGo(job);
        return true;
    }
    CloseHandle(reader);
    bool answered = WaitForSingleObject(job->done, timeLimit) == WAIT_OBJECT_0;
    if (answered)
        *out = job->result;
    LetGo(job);
    return answered;
}
