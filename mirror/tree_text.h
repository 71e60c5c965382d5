// Path text of the tree walks: child paths, search patterns and the shortcut-name test.
// Free of <windows.h> so it runs natively under the sanitizers.
#pragma once
#include <cstddef>

#include "../base/bounded_text.h"

constexpr size_t SearchPatternCut = 250; // characters of the folder kept before the "*"

// folder, which must end in a backslash, then name. False, with out empty, when folder lacks
// its backslash (it was too full to take one) or the two together pass 259 characters: a cut
// folder joined to a name would be some other folder's path.
bool ChildPath(char out[PathBufferSize], const char* folder, const char* name);

// folder cut to at most 250 characters, then "*".
void SearchPattern(char out[PathBufferSize], const char* folder);

// True when the last three characters are l, n, k in any case; no dot is needed.
bool IsShortcutName(const char* path);
