// The words of "Find a program..." and the order of its rows, under the sanitizers.
#include <gtest/gtest.h>

#include "menu/find_text.h"

namespace {

// Each word must be found whole in the name or in the folder, in any order; text arrives
// already folded to lower case.
TEST(FindText, EveryWordMustBeInTheNameOrTheFolder) {
    struct Case {
        const wchar_t *typed, *name, *folder;
        bool holds;
    } cases[] = {
        {L"", L"anything", L"", true},
        {L"  \t ", L"anything", L"", true},
        {L"sketch core", L"sketch pad", L"tools\\deep\\core", true},
        {L"core\x3000sketch", L"sketch pad", L"tools\\deep\\core", true},
        {L"core\x00A0pad  tools", L"sketch pad", L"tools\\deep\\core", true},
        {L"sketch gone", L"sketch pad", L"tools\\deep\\core", false},
        // Not across the two: the name ends and the folder begins elsewhere.
        {L"padtools", L"sketch pad", L"tools", false},
        {L"я 日本", L"record & я 日本", L"", true},
        {L"sketch sketch", L"sketch pad", L"", true},
        {L"sketchpad", L"sketch pad", L"", false},
    };
    for (const Case& c : cases) {
        FindWords words;
        SplitFindWords(c.typed, &words);
        EXPECT_EQ(c.holds, HoldsEveryWord(c.name, c.folder, words)) << c.typed;
    }
    // The longest text the box takes, all one-letter words: none is lost.
    wchar_t typed[FindQuerySize];
    for (size_t i = 0; i + 1 < FindQuerySize; ++i)
        typed[i] = i % 2 ? L' ' : L'a';
    typed[FindQuerySize - 1] = L'\0';
    FindWords words;
    SplitFindWords(typed, &words);
    EXPECT_EQ(words.count, int(FindQuerySize / 2));
    EXPECT_TRUE(HoldsEveryWord(L"a", L"", words));
}

TEST(FindText, RecentProgramsComeFirstMostRecentFirstThenNameThenFolder) {
    EXPECT_LT(CompareFindRows(0, 1, 1, 1), 0); // both recent: the later choice after
    EXPECT_GT(CompareFindRows(2, 1, -1, -1), 0);
    EXPECT_LT(CompareFindRows(4, -1, 1, 1), 0); // recent before any other
    EXPECT_GT(CompareFindRows(-1, 0, -1, -1), 0);
    EXPECT_LT(CompareFindRows(-1, -1, -1, 1), 0); // neither: by name
    EXPECT_GT(CompareFindRows(-1, -1, 0, 1), 0);  // same name: by folder
    EXPECT_EQ(CompareFindRows(-1, -1, 0, 0), 0);
}

} // namespace
