// Recursive walks over folder trees: count, delete the shortcuts of, and mirror the shortcuts of.
#pragma once
#include <cstdint>

#include "../base/bounded_text.h"

// Never reset: a later walk goes on from where the previous one left the bar.
struct WalkProgress {
    uint32_t position;
    uint32_t total;
};
extern WalkProgress ProgressCounters;

// Each walk first appends a missing backslash to the folder paths it is given, in the caller's
// writable 260-byte buffers, and stops before its next entry once CancelFlag is set. An entry
// whose path, or whose path in the mirror, would pass 259 characters is skipped with all that
// lies beneath it: nothing is made, copied or deleted under a cut name.

// Adds the number of files and sub-folders of the tree, at every depth, to the total.
void CountTree(char folder[PathBufferSize]);

// Deletes the tree's shortcuts and every folder that becomes empty; other files stay.
void DeleteTree(char folder[PathBufferSize]);

// Re-creates the source tree's shortcuts under destination, dropping sub-folders that receive
// none. Returns the number of shortcuts copied.
uint32_t MirrorTree(char destination[PathBufferSize], char source[PathBufferSize]);
