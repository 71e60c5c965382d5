// Path text of the tree walks: child paths, search patterns and the shortcut-name test.
// Free of <windows.h> so it runs natively under the sanitizers.
#pragma once
#include <cstddef>

#include "../base/bounded_text.h"

constexpr size_t SearchPatternCut = 250; // characters of the folder kept before the "*"

// folder (ending in a backslash) cut to at most 259 - strlen(name) characters, then name:
// never more than 259 characters.
void ChildPath(char out[PathBufferSize], const char* folder, const char* name);

// folder cut to at most 250 characters, then "*".
void SearchPattern(char out[PathBufferSize], const char* folder);

// True when the last three characters are l, n, k in any case; no dot is needed.
bool IsShortcutName(const char* path);
