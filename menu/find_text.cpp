// Text rules of "Find a program..." (see find_text.h).
#include "find_text.h"

#include <cwchar>

namespace {

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\x00A0' || c == L'\x3000';
}

bool Contains(const wchar_t* text, const wchar_t* word, size_t length) {
    for (; *text; ++text)
        if (wcsncmp(text, word, length) == 0)
            return true;
    return false;
}

} // namespace

void SplitFindWords(const wchar_t* text, FindWords* words) {
    words->count = 0;
    while (*text && words->count < MaxFindWords) {
        while (IsSpace(*text))
            ++text;
        const wchar_t* start = text;
        while (*text && !IsSpace(*text))
            ++text;
        if (text == start)
            break;
        words->start[words->count] = start;
        words->length[words->count] = static_cast<size_t>(text - start);
        ++words->count;
    }
}

bool HoldsEveryWord(const wchar_t* name, const wchar_t* folder, const FindWords& words) {
    for (int i = 0; i < words.count; ++i)
        if (!Contains(name, words.start[i], words.length[i]) &&
            !Contains(folder, words.start[i], words.length[i]))
            return false;
    return true;
}

int CompareFindRows(int recentRankA, int recentRankB, int byName, int byFolder) {
    bool recentA = recentRankA >= 0, recentB = recentRankB >= 0;
    if (recentA != recentB)
        return recentA ? -1 : 1;
    if (recentA && recentRankA != recentRankB)
        return recentRankA < recentRankB ? -1 : 1;
    return byName != 0 ? byName : byFolder;
}
