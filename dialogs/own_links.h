// The program's own shortcut in one folder: write it, delete it, and tell whether it is there.
#pragma once
#include <windows.h>

#include "own_link_text.h"

// Writes the shortcut to this executable into folder. Reports every problem itself in a box:
// the directory warning is owned by owner, the overwrite question and the error have no owner.
void CreateOwnLink(HWND owner, const char* folder);

// Deletes the shortcut of our name from folder, wherever it points; silent.
void DeleteOwnLink(const char* folder);

// The file at linkPath exists, loads as a shortcut and targets this executable, byte for byte.
bool IsOwnLinkPresent(const char* linkPath);
// The file at linkPath exists and loads as a shortcut.
bool LinkFileLoads(const char* linkPath);
// The shortcut's target path into target; false when it cannot be read.
bool ReadLinkTarget(const char* linkPath, char target[LinkPathSize]);
