// The standard frame of every dialog: title, icons, and centring over the owner.
#pragma once
#include <windows.h>

void ApplyDialogFrame(HWND dialog, const char* name, bool centreOverOwner, int showCommand);
