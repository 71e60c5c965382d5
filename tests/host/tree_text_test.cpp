// Child paths, search patterns and the shortcut-name test, under the sanitizers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "mirror/tree_text.h"

namespace {

TEST(TreeText, ShortcutNamesEndInLnkInAnyCase) {
    struct Case {
        const char* name;
        bool shortcut;
    } cases[] = {
        {"a.lnk", true},
        {"d.LNK", true},
        {"x.LnK", true},
        {"readmelnk", true},
        {"lnk", true},
        {"a.lnk2", false},
        {"b.txt", false},
        {"nk", false},
        {"", false},
        {"a.lnk.txt", false},
        {"C:\\dir.lnk\\file", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shortcut, IsShortcutName(c.name)) << c.name;
}

// A join that would pass 259 characters, or a folder too full to end in its backslash, gives
// nothing: a cut folder joined to the name would name a file in some ancestor folder.
TEST(TreeText, ChildPathIsWholeOrEmpty) {
    char out[PathBufferSize];
    EXPECT_TRUE(ChildPath(out, "C:\\src\\", "a.lnk"));
    EXPECT_STREQ("C:\\src\\a.lnk", out);

    // Multi-byte UTF-8: 3 bytes a character, so 84 CJK characters already take 252 bytes.
    std::string cjk;
    for (int i = 0; i < 84; ++i)
        cjk += "\xE6\x96\x87";
    std::string folder = "C:\\" + cjk + "\\"; // 256 bytes
    EXPECT_TRUE(ChildPath(out, folder.c_str(), "a.l"));
    EXPECT_EQ(259u, strlen(out));
    EXPECT_FALSE(ChildPath(out, folder.c_str(), "ab.l"));
    EXPECT_STREQ("", out);

    EXPECT_FALSE(ChildPath(out, ("C:\\" + std::string(255, 'f')).c_str(), "x")); // no backslash
    EXPECT_STREQ("", out);
    EXPECT_FALSE(ChildPath(out, "", "x"));
    EXPECT_FALSE(ChildPath(out, "C:\\src\\", std::string(300, 'n').c_str()));
}

TEST(TreeText, SearchPatternCutsTheFolderAt250) {
    char out[PathBufferSize];
    SearchPattern(out, "C:\\src\\");
    EXPECT_STREQ("C:\\src\\*", out);
    std::string folder(259, 'p');
    SearchPattern(out, folder.c_str());
    EXPECT_EQ(std::string(250, 'p') + "*", out);
}

} // namespace
