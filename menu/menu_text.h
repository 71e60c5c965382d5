// Text rules of Tallowfin Menu: menu labels, and the command line a chosen program gets.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include <cstddef>

// CreateProcessW takes at most this many characters of command line, terminator included.
constexpr size_t CommandLineLimit = 32767;

// True for a name ending in ".lnk" in any case, with something before it.
bool IsShortcutFileName(const wchar_t* name);

// The name a file or folder is shown by: a shortcut's ".lnk" dropped. Cut to fit.
void BuildItemName(wchar_t* out, size_t outSize, const wchar_t* fileName);

// The menu shows "&&" as "&": every "&" is doubled so that no name grows a mnemonic underline.
// A pair that would not fit is left out whole.
void EscapeAmpersands(wchar_t* out, size_t outSize, const wchar_t* text);

// The target in quotes, the shortcut's own arguments as they are, then every file in quotes,
// each separated by one space. Quoting follows the rules CommandLineToArgvW and the C runtime
// parse by, so that a path ending in a backslash ("D:\") comes out unchanged. False, with out
// emptied, when the line and its terminator would not fit outSize characters.
bool BuildCommandLine(wchar_t* out, size_t outSize, const wchar_t* target, const wchar_t* arguments,
                      const wchar_t* const* files, size_t fileCount);
