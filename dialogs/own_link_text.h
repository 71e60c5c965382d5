// Path text for the program's own shortcut: its link path in a folder and its working folder.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include <cstddef>

constexpr const char OwnLinkName[] = "Tallowfin [Mistlebrookworks].lnk";
// A folder of up to 259 characters, a backslash and the name exceed MAX_PATH: the link path,
// the executable path and a link's target live in buffers of this size.
constexpr size_t LinkPathSize = 520;
// How much of a folder each use keeps before the name is appended.
constexpr size_t RefreshFolderCut = 228;
constexpr size_t CreateFolderCut = 488;
constexpr size_t DeleteFolderCut = 260;

// The folder cut to folderCut characters, a backslash unless it ends in one, then OwnLinkName.
// False (and out empty) when that does not fit outSize: a shortened name would be another file.
bool BuildOwnLinkPath(char* out, size_t outSize, const char* folder, size_t folderCut);

// The executable's path up to its last backslash, without it; empty when there is none.
void WorkingFolderOf(char* out, size_t outSize, const char* exePath);
