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

TEST(TreeText, ChildPathNeverExceeds259Characters) {
    char out[PathBufferSize];
    ChildPath(out, "C:\\src\\", "a.lnk");
    EXPECT_STREQ("C:\\src\\a.lnk", out);

    std::string folder = "C:\\" + std::string(250, 'f') + "\\"; // 254 characters
    ChildPath(out, folder.c_str(), "name.lnk");                 // 8: folder cut to 251
    EXPECT_EQ(folder.substr(0, 251) + "name.lnk", out);
    EXPECT_EQ(259u, strlen(out));

    std::string longName(300, 'n');
    ChildPath(out, "C:\\src\\", longName.c_str());
    EXPECT_EQ(std::string(259, 'n'), out);
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
