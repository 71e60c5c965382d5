// The files selected in the foreground Explorer window (its active tab) or on the Desktop, read
// through the shell's list of its windows. Explorer answers from its own process, so the read
// runs on a thread of its own and is given up after a time limit: a hung Explorer never holds
// the menu.
#pragma once
#include <windows.h>
#include <exdisp.h>

#include "menu_text.h"

// Long enough for a busy Explorer, short enough that the user does not wait on a hung one.
constexpr DWORD SelectionTimeLimit = 2000;

struct ExplorerSelection {
    wchar_t text[CommandLineLimit]; // the paths, each ended by a NUL
    int fileCount;
    // Selected items with no file-system path: inside a .zip, on a phone, Control Panel items.
    int leftOutCount;
    // More paths than text holds, which no command line could take either; those beyond are
    // left out whole.
    bool overflow;
};

// Fills out with the selection of the list's window whose handle is foreground (the visible tab
// when several share it), or of the Desktop when foreground is the Desktop; empty for any other
// window. windows null: the shell's own list, created on the reading thread, so that even its
// creation cannot hold the caller. A list given must be callable from any thread (a proxy, or a
// free-threaded object). False, with out empty, when no answer came within timeLimit: the
// reading thread is then left behind, and the process must end without waiting for it.
bool ReadExplorerSelection(IShellWindows* windows, HWND foreground, ExplorerSelection* out,
                           DWORD timeLimit = SelectionTimeLimit);
