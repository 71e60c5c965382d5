// Starting a program that needs administrator rights (see elevated_start.h).
#include "elevated_start.h"

#include <shellapi.h>

bool StartElevated(const wchar_t* program, const wchar_t* parameters, const wchar_t* folder,
                   int showCommand, DWORD* error) {
    SHELLEXECUTEINFOW request = {};
    request.cbSize = sizeof request;
    // The program ends right after: the shell must be done before this returns. Its own error
    // boxes stay away: the caller says what failed, and says nothing for a declined prompt.
    request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    request.lpFile = program;
    request.lpParameters = parameters;
    request.lpDirectory = folder;
    request.nShow = showCommand;
    if (ShellExecuteExW(&request))
        return true;
    *error = GetLastError();
    return false;
}
