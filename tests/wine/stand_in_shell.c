// Stand-ins for the shell's window list and Explorer's tabs (see stand_in_shell.h). Objects
// live as long as the process: counting references would only add code a test cannot see.
#include "stand_in_shell.h"

#include <servprov.h>
#include <shlguid.h>
#include <stddef.h>

typedef struct Tab {
    const IWebBrowserAppVtbl* browserApp; // also the entry's IDispatch
    const IServiceProviderVtbl* services;
    const IShellBrowserVtbl* shellBrowser;
    const IShellViewVtbl* view;
    const IFolderView2Vtbl* folder;
    HWND window;
    StandInTab facts;
} Tab;

typedef struct List {
    const IShellWindowsVtbl* methods;
    IUnknown* marshaler;
    BOOL hangs;
    int tabCount;
    Tab tabs[4];
} List;

#define TAB_OF(object, member) ((Tab*)((char*)(object)-offsetof(Tab, member)))

static HRESULT TabQuery(Tab* tab, REFIID iid, void** out) {
    if (IsEqualIID(iid, &IID_IUnknown) || IsEqualIID(iid, &IID_IDispatch) ||
        IsEqualIID(iid, &IID_IWebBrowserApp))
        *out = &tab->browserApp;
    else if (IsEqualIID(iid, &IID_IServiceProvider))
        *out = &tab->services;
    else if (IsEqualIID(iid, &IID_IShellBrowser))
        *out = &tab->shellBrowser;
    else if (IsEqualIID(iid, &IID_IShellView))
        *out = &tab->view;
    else if (IsEqualIID(iid, &IID_IFolderView2))
        *out = &tab->folder;
    else {
        *out = NULL;
        return E_NOINTERFACE;
    }
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE Handle(IWebBrowserApp* self, SHANDLE_PTR* handle) {
    *handle = (SHANDLE_PTR)TAB_OF(self, browserApp)->window;
    return S_OK;
}

// Only the top-level browser is asked for, as the reader asks.
static HRESULT STDMETHODCALLTYPE Service(IServiceProvider* self, REFGUID service, REFIID iid,
                                         void** out) {
    *out = NULL;
    if (!IsEqualGUID(service, &SID_STopLevelBrowser))
        return E_NOINTERFACE;
    return TabQuery(TAB_OF(self, services), iid, out);
}

static HRESULT STDMETHODCALLTYPE ActiveView(IShellBrowser* self, IShellView** view) {
    *view = (IShellView*)&TAB_OF(self, shellBrowser)->view;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE ViewWindow(IShellView* self, HWND* window) {
    *window = TAB_OF(self, view)->facts.viewWindow;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE Selection(IFolderView2* self, BOOL noneImpliesFolder,
                                           IShellItemArray** items) {
    (void)noneImpliesFolder;
    *items = TAB_OF(self, folder)->facts.selection;
    (*items)->lpVtbl->AddRef(*items);
    return S_OK;
}

// The interface's methods: IUnknown's, with every reference held for the process, and the one
// method the reader calls.
#define TAB_INTERFACE(Interface, member, method, function)                                         \
    static HRESULT STDMETHODCALLTYPE Interface##Query(Interface* self, REFIID iid, void** out) {   \
        return TabQuery(TAB_OF(self, member), iid, out);                                           \
    }                                                                                              \
    static ULONG STDMETHODCALLTYPE Interface##Hold(Interface* self) {                              \
        (void)self;                                                                                \
        return 1;                                                                                  \
    }                                                                                              \
    static const Interface##Vtbl Interface##Methods = {.QueryInterface = Interface##Query,         \
                                                       .AddRef = Interface##Hold,                  \
                                                       .Release = Interface##Hold,                 \
                                                       .method = function};

TAB_INTERFACE(IWebBrowserApp, browserApp, get_HWND, Handle)
TAB_INTERFACE(IServiceProvider, services, QueryService, Service)
TAB_INTERFACE(IShellBrowser, shellBrowser, QueryActiveShellView, ActiveView)
TAB_INTERFACE(IShellView, view, GetWindow, ViewWindow)
TAB_INTERFACE(IFolderView2, folder, GetSelection, Selection)

static ULONG STDMETHODCALLTYPE ListHold(IShellWindows* self) {
    (void)self;
    return 1;
}

static HRESULT STDMETHODCALLTYPE ListQuery(IShellWindows* self, REFIID iid, void** out) {
    List* list = (List*)self;
    if (IsEqualIID(iid, &IID_IMarshal))
        return list->marshaler->lpVtbl->QueryInterface(list->marshaler, iid, out);
    if (!IsEqualIID(iid, &IID_IUnknown) && !IsEqualIID(iid, &IID_IDispatch) &&
        !IsEqualIID(iid, &IID_IShellWindows)) {
        *out = NULL;
        return E_NOINTERFACE;
    }
    *out = self;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE Count(IShellWindows* self, LONG* count) {
    List* list = (List*)self;
    if (list->hangs)
        Sleep(INFINITE);
    *count = list->tabCount;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE Item(IShellWindows* self, VARIANT index, IDispatch** entry) {
    List* list = (List*)self;
    *entry = NULL;
    if (index.vt != VT_I4 || index.lVal < 0 || index.lVal >= list->tabCount)
        return S_FALSE;
    *entry = (IDispatch*)&list->tabs[index.lVal].browserApp;
    return S_OK;
}

static const IShellWindowsVtbl ListMethods = {.QueryInterface = ListQuery,
                                              .AddRef = ListHold,
                                              .Release = ListHold,
                                              .get_Count = Count,
                                              .Item = Item};

IShellWindows* CreateStandInList(HWND window, const StandInTab* tabs, int tabCount, BOOL hangs) {
    List* list = (List*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(List));
    if (!list || tabCount > 4)
        return NULL;
    list->methods = &ListMethods;
    list->hangs = hangs;
    list->tabCount = tabCount;
    for (int i = 0; i < tabCount; ++i) {
        Tab* tab = &list->tabs[i];
        tab->browserApp = &IWebBrowserAppMethods;
        tab->services = &IServiceProviderMethods;
        tab->shellBrowser = &IShellBrowserMethods;
        tab->view = &IShellViewMethods;
        tab->folder = &IFolderView2Methods;
        tab->window = window;
        tab->facts = tabs[i];
    }
    if (FAILED(CoCreateFreeThreadedMarshaler((IUnknown*)list, &list->marshaler)))
        return NULL;
    return (IShellWindows*)list;
}
