// The standard frame of every dialog: title, icons, and centring over the owner.
#pragma once
#include <windows.h>

#include "window_geometry.h"

void ApplyDialogFrame(HWND dialog, const char* name, bool centreOverOwner, int showCommand);

// A platform rectangle in the form the placement arithmetic takes.
ScreenRect ToScreenRect(const RECT& r);
