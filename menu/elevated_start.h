// Programs whose manifest asks for administrator rights. CreateProcess refuses them with
// ERROR_ELEVATION_REQUIRED instead of asking the user; the shell asks, as Explorer does.
#pragma once
#include <windows.h>

// CreateProcess's refusal of such a program (winerror.h's ERROR_ELEVATION_REQUIRED, which
// MinGW-w64's headers lack).
constexpr DWORD ElevationRequired = 740;

// Starts program with parameters (its arguments and files, quoted as on its command line) in
// folder (null: this program's own) with the show command, through the shell. False when
// nothing started, with *error set: ERROR_CANCELLED when the user declined the prompt.
bool StartElevated(const wchar_t* program, const wchar_t* parameters, const wchar_t* folder,
                   int showCommand, DWORD* error);
