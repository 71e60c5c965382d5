// The Tallowfin folder as a cascading pop-up menu, headed by the programs chosen last. Only the
// top level is read before the menu shows; each sub-menu is listed when it first opens, whatever
// the size of the folder. A shortcut is listed only when it starts a program that takes files.
#pragma once
#include <windows.h>

// The menu of the mirror folder (ending in a backslash) with its top level and the recent
// programs listed, headed by "Find a program..." (FindProgramCommand).
HMENU CreateMirrorMenu(const wchar_t* mirrorRoot);

// For WM_INITMENUPOPUP: lists a sub-menu's folder the first time it opens.
void FillMenuOnOpen(HMENU menu);

// The shortcut file behind a chosen command; null for any other command.
const wchar_t* ShortcutForCommand(UINT command);
