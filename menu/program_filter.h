// Which shortcuts the menu lists: those that start a program the files can be handed to.
#pragma once
#include "shortcut_file.h"

// True for a path on another machine: a UNC path, or one on a drive mapped to a network share.
// Decided from the name and the drive letter alone; nothing on the network is asked.
bool IsNetworkPath(const wchar_t* path);

// True when the shortcut (name as shown) starts an existing program that takes files and is
// neither an uninstaller nor Tallowfin Menu itself. A target on the network is judged by its name
// alone: a server that is away would hold the menu up for a network time-out.
bool TakesFiles(const wchar_t* name, const ShortcutInfo& shortcut);
