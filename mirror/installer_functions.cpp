// Windows Installer functions by ordinal (see installer_functions.h).
#include "installer_functions.h"

#include "folder_text.h"

namespace {

constexpr WORD AdvertisedShortcutQueryOrdinal = 216;
constexpr WORD ComponentPathQueryOrdinal = 172;

// One load per process. InitOnce rather than a call from start-up: whichever thread copies the
// first shortcut pays for the load, and no start-up order has to be kept in mind.
INIT_ONCE InstallerLoadOnce = INIT_ONCE_STATIC_INIT;
InstallerFunctions Installer;

// msi.dll is no KnownDLL: a copy planted beside the exe would win a plain LoadLibrary. Only the
// system directory is searched, with the search flag where the system knows it (Windows 8, or
// Windows 7 with KB2533623, which also added AddDllDirectory), else by full path.
HMODULE LoadSystemInstallerLibrary() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel && GetProcAddress(kernel, "AddDllDirectory"))
        return LoadLibraryExA("msi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    char path[PathBufferSize];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return nullptr;
    AppendBackslash(path, sizeof path);
    AppendBounded(path, sizeof path, "msi.dll");
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

BOOL CALLBACK LoadInstallerFunctions(INIT_ONCE*, void*, void**) {
    HMODULE library = LoadSystemInstallerLibrary();
    if (!library)
        return TRUE;
    FARPROC shortcutQuery =
        GetProcAddress(library, MAKEINTRESOURCEA(AdvertisedShortcutQueryOrdinal));
    FARPROC pathQuery = GetProcAddress(library, MAKEINTRESOURCEA(ComponentPathQueryOrdinal));
    if (!shortcutQuery || !pathQuery) {
        FreeLibrary(library);
        return TRUE;
    }
    // Kept loaded for the rest of the process.
    Installer.AdvertisedShortcutQuery =
        reinterpret_cast<AdvertisedShortcutQueryFunction>(reinterpret_cast<void*>(shortcutQuery));
    Installer.ComponentPathQuery =
        reinterpret_cast<ComponentPathQueryFunction>(reinterpret_cast<void*>(pathQuery));
    return TRUE;
}

} // namespace

const InstallerFunctions& GetInstallerFunctions() {
    InitOnceExecuteOnce(&InstallerLoadOnce, LoadInstallerFunctions, nullptr, nullptr);
    return Installer;
}
