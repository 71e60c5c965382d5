// Text rules of "Find a program...": the words typed into the search box and whether a program's
// name and folder hold them all. Works on text that Windows has already folded to lower case by
// the user's locale (LCMapStringEx), so it needs no window and runs natively under the sanitizers.
#pragma once
#include <cstddef>

// The search box takes at most this many characters, terminator included.
constexpr size_t FindQuerySize = 256;
// Every word is at least one character with a space after it.
constexpr int MaxFindWords = FindQuerySize / 2;

// Words as pointers into the text they were split from, which must outlive them.
struct FindWords {
    int count;
    const wchar_t* start[MaxFindWords];
    size_t length[MaxFindWords];
};

// Splits text at spaces, tabs and the no-break and ideographic spaces. No words: everything
// matches.
void SplitFindWords(const wchar_t* text, FindWords* words);

// True when each word appears, whole, in name or in folder (not across the two), in any order.
bool HoldsEveryWord(const wchar_t* name, const wchar_t* folder, const FindWords& words);

// The order of the list: recent programs first, most recent first (rank 0 is the most recent,
// a negative rank is no recent program), then by name, then by folder. The name and folder
// comparisons are given as their results (Explorer's order of names needs Windows).
int CompareFindRows(int recentRankA, int recentRankB, int byName, int byFolder);
