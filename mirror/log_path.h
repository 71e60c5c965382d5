// Where the diagnostic log lives: the Windows directory and a fixed file name, within 259 chars.
// Free of <windows.h> so that it builds and runs natively under the sanitizers.
#pragma once
#include "../base/bounded_text.h"

constexpr const char LogFileName[] = "TallowfinLog.txt";
// The folder part, its backslash included, keeps at most this many characters: 243 + 16 = 259.
constexpr size_t LogFolderCut = 243;

// Builds "<windowsDir>\TallowfinLog.txt", cutting the folder so that the whole fits.
void BuildLogFilePath(char out[PathBufferSize], const char* windowsDir);
