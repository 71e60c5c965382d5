// "Uninstall Tallowfin": stops the mirror worker and removes the mirror under Send To.
#pragma once
#include <windows.h>

// Asks first (owner: dialog); on Yes stops the worker, deletes the whole mirror, marks the run
// so that shut-down deletes the settings key, and tells the user.
void RunUninstall(HWND dialog);
