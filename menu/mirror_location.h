// Where Send To and the Tallowfin folder in it are, found exactly as Tallowfin.exe finds them.
#pragma once
#include <windows.h>

// The user's Send To folder, ending in a backslash; false when the registry names none.
bool FindSendToFolder(wchar_t (&out)[MAX_PATH]);

// The Tallowfin folder inside Send To, ending in a backslash; false unless it exists.
bool FindMirrorRoot(wchar_t (&out)[MAX_PATH]);

// The user's Start Menu Programs folder, ending in a backslash; false when the registry names
// none.
bool FindUserProgramsFolder(wchar_t (&out)[MAX_PATH]);
