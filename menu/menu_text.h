// Text rules of Tallowfin Menu: menu labels, which shortcuts can take files, the paths the
// recent list keeps, and the command line a chosen program gets.
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

// True when the path's file name ends in ".exe", ".com", ".bat" or ".cmd" in any case: what the
// shell runs as a program, so that files can be handed to it.
bool IsProgramPath(const wchar_t* path);

// True for a shortcut that removes software instead of opening files: its name (as shown) or
// its target's file name begins with "Uninstall" or "unins" in any case, or the target is
// msiexec.exe with /x or /uninstall (either with "-" too) among its arguments.
bool IsUninstaller(const wchar_t* name, const wchar_t* target, const wchar_t* arguments);

// True when the path's file name is TallowfinMenu.exe or TallowfinMenu64.exe in any case: a
// shortcut to either build would open the menu from inside itself.
bool IsTallowfinMenuPath(const wchar_t* path);

// True for a UNC path ("\\server\share\..." or "\\?\UNC\..."): only the network can answer.
bool IsUncPath(const wchar_t* path);

// The part of path below root (which ends in a backslash), compared in any case; null when the
// path does not lie below it.
const wchar_t* PathBelow(const wchar_t* path, const wchar_t* root);

// True for a shortcut's path as the recent list keeps it, relative to the mirror: no drive, no
// leading backslash, no "." or ".." part, ending in ".lnk". Anything else could name a file
// outside the mirror.
bool IsMirrorRelativeShortcut(const wchar_t* path);
