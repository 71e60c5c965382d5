// The programs last chosen from the menu, kept per user in the registry beside Tallowfin's own
// key (not under it: Tallowfin's Uninstall deletes that key, which must have no sub-keys).
#pragma once

// Reads the list into RecentPrograms; entries that could name a file outside the mirror are
// left out.
void LoadRecentPrograms();

// Puts a shortcut (relative to the mirror) first, drops an older mention of it and the oldest
// beyond the list's size, and writes the list; false when it could not be written.
bool RememberRecentProgram(const wchar_t* relativePath);

// Removes the list's key, as removing the Send To entry removes the program's traces.
void ForgetRecentPrograms();
