// The program's message boxes: every one has the product title as its caption.
#pragma once
#include <windows.h>

// An error ("ERROR: ..." or "ERROR - ..."): warning icon, OK.
void ShowErrorBox(HWND owner, const char* text);

// An outcome: information icon, OK.
void ShowInfoBox(HWND owner, const char* text);

// A Yes/No question with the given icon; true only for Yes.
bool AskYesNo(HWND owner, const char* text, UINT icon = MB_ICONQUESTION);
