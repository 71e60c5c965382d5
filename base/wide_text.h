// ANSI to UTF-16 for the calls that take only wide paths (IPersistFile, the menu's file calls).
#pragma once
#include <windows.h>

// Converts text from the ANSI code page into out (outCount characters, terminator included).
// False when it does not fit, or, with rejectInvalid, when it holds bytes that the code page
// does not define: such a name would be handed on as another file's.
bool WidenAnsi(const char* text, wchar_t* out, int outCount, bool rejectInvalid = false);
