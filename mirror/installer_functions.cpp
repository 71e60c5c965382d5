// Windows Installer functions by ordinal (see installer_functions.h).
#include "installer_functions.h"

#include "../base/system_library.h"

namespace {

constexpr WORD AdvertisedShortcutQueryOrdinal = 216;
constexpr WORD ComponentPathQueryOrdinal = 172;

// One load per process. InitOnce rather than a call from start-up: whichever thread copies the
// first shortcut pays for the load, and no start-up order has to be kept in mind.
INIT_ONCE InstallerLoadOnce = INIT_ONCE_STATIC_INIT;
InstallerFunctions Installer;

BOOL CALLBACK LoadInstallerFunctions(INIT_ONCE*, void*, void**) {
    HMODULE library = LoadSystemLibrary("msi.dll");
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
