// Starting the chosen shortcut (see launch.h).
#include "launch.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cwchar>

#include "elevated_start.h"
#include "menu_box.h"
#include "menu_state.h"
#include "menu_text.h"
#include "shortcut_file.h"

namespace {

wchar_t CommandLine[CommandLineLimit];
ShortcutInfo Chosen;

// The shell applies what the shortcut says (working folder, show command, the target's own
// handler). The program ends right after: the shell must finish before this returns.
bool OpenThroughShell(const wchar_t* linkPath) {
    SHELLEXECUTEINFOW request = {};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOASYNC;
    request.lpFile = linkPath;
    request.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&request) != FALSE; // the shell reports its own failures
}

// What the shell would run as a program (.exe, .com, .bat, .cmd), as opposed to a document.
bool IsProgram(const wchar_t* target) {
    return SHGetFileInfoW(target, 0, nullptr, 0, SHGFI_EXETYPE) != 0;
}

// Through the shell, with what CreateProcess was given: the same program, arguments and files,
// folder and show command. CreateProcessW may have changed the line it was given, so it is
// built again; the parameters are what follows the quoted program.
bool StartNeedingRights(const ShortcutInfo& shortcut, const wchar_t* folder, DWORD* error) {
    BuildCommandLine(CommandLine, CommandLineLimit, shortcut.target, shortcut.arguments, MenuFiles,
                     MenuFileCount);
    const wchar_t* parameters = CommandLine + wcslen(shortcut.target) + 2;
    if (*parameters == L' ')
        ++parameters;
    return StartElevated(shortcut.target, parameters, folder, shortcut.showCommand, error);
}

bool StartProgram(const ShortcutInfo& shortcut, const wchar_t* name) {
    if (!BuildCommandLine(CommandLine, CommandLineLimit, shortcut.target, shortcut.arguments,
                          MenuFiles, MenuFileCount)) {
        ShowMenuBox(MB_ICONWARNING | MB_OK,
                    L"%d files were given. With all of them, the command line for \"%s\" would "
                    L"exceed its limit of 32,767 characters, so nothing was started.\n\n"
                    L"Choose fewer files at a time.",
                    MenuFileCount, name);
        return false;
    }
    // "Start in" often holds variables such as %USERPROFILE%, which Explorer expands.
    wchar_t folder[MAX_PATH] = L"";
    DWORD expanded = ExpandEnvironmentStringsW(shortcut.workingDir, folder, MAX_PATH);
    if (expanded == 0 || expanded > MAX_PATH)
        folder[0] = L'\0';
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(shortcut.showCommand);
    PROCESS_INFORMATION process = {};
#ifdef TALLOWFIN_TEST_ELEVATION_REQUIRED
    // Test-only build: every program is refused as Windows refuses one that needs administrator
    // rights; Wine starts such a program without asking.
    SetLastError(ElevationRequired);
    BOOL created = FALSE;
#else
    BOOL created = CreateProcessW(nullptr, CommandLine, nullptr, nullptr, FALSE, 0, nullptr,
                                  folder[0] ? folder : nullptr, &startup, &process);
#endif
    if (!created) {
        DWORD error = GetLastError();
        if (error == ElevationRequired &&
            StartNeedingRights(shortcut, folder[0] ? folder : nullptr, &error))
            return true;
        if (error == ERROR_CANCELLED) // the user said no to the consent prompt
            return false;
        wchar_t reason[512] = L"";
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, reason, ARRAYSIZE(reason), nullptr);
        ShowMenuBox(MB_ICONWARNING | MB_OK, L"\"%s\" could not be started:\n\n%s\n\n%s", name,
                    shortcut.target, reason);
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

bool StartShortcut(const wchar_t* linkPath) {
    wchar_t name[MAX_PATH];
    BuildItemName(name, MAX_PATH, PathFindFileNameW(linkPath));
    ShortcutInfo& shortcut = Chosen;
    if (!ReadShortcutFile(linkPath, &shortcut)) {
        ShowMenuBox(MB_ICONWARNING | MB_OK, L"The shortcut \"%s\" could not be read.", name);
        return false;
    }
    // A shell object (a Control Panel item, say) has no file path: only the shell can open it.
    if (!shortcut.target[0])
        return OpenThroughShell(linkPath);
    DWORD attributes = GetFileAttributesW(shortcut.target);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        ShowMenuBox(MB_ICONWARNING | MB_OK,
                    L"The shortcut \"%s\" points to something that no longer exists:\n\n%s\n\n"
                    L"Nothing was started. Run Tallowfin again to bring the menu up to date.",
                    name, shortcut.target);
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) || !IsProgram(shortcut.target))
        return OpenThroughShell(linkPath);
    return StartProgram(shortcut, name);
}
