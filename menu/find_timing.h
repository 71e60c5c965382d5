// Timestamps for the find benchmark (bench/menu_bench.cpp): lines appended to the file named by
// the environment variable TALLOWFIN_FIND_TIMING. Without it every call does nothing.
#pragma once

// The menu returned "Find a program...": the clock of "show" and "all" starts.
void NoteFindChosen();
// The search box changed: the clock of the next "key" starts.
void NoteFindTyped();
// The list finished painting with shownRows rows, of which a page holds rowsPerPage. Writes
// "show <ms>" once the first screenful (or every row there is) is painted, and "key <ms>" for
// the first paint after a change of the search box.
void NoteFindListPainted(int shownRows, int rowsPerPage, bool allRowsIn);
// The last rows arrived: writes "all <ms>".
void NoteFindAllRows();
// True when the benchmark asked for the timestamps.
bool FindTimingOn();
