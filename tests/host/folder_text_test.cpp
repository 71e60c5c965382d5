// Path text rules: cuts, joins, backslashes and the Quick Launch suffix, under the sanitizers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "mirror/folder_text.h"

namespace {

const std::string Suffix = "\\Microsoft\\Internet Explorer\\Quick Launch";

TEST(FolderText, PlainFolderPathCutsAt258AndEndsInOneBackslash) {
    struct Case {
        std::string value, expected;
    } cases[] = {
        {"C:\\a", "C:\\a\\"},
        {"C:\\a\\", "C:\\a\\"},
        {std::string(258, 'x'), std::string(258, 'x') + "\\"},
        {std::string(259, 'x'), std::string(258, 'x') + "\\"},
        {std::string(257, 'x') + "\\", std::string(257, 'x') + "\\"},
        {std::string(257, 'x') + "\\y", std::string(257, 'x') + "\\"},
        {std::string(400, 'x'), std::string(258, 'x') + "\\"},
    };
    for (const Case& c : cases) {
        char out[PathBufferSize];
        BuildPlainFolderPath(out, c.value.c_str());
        EXPECT_EQ(c.expected, out) << c.value.size();
    }
}

TEST(FolderText, QuickLaunchPathIsAtMost259Characters) {
    struct Case {
        std::string value, expected;
    } cases[] = {
        {"C:\\D", "C:\\D" + Suffix},
        {"C:\\D\\", "C:\\D" + Suffix},
        {std::string(218, 'a'), std::string(218, 'a') + Suffix},
        {std::string(240, 'a'), std::string(218, 'a') + Suffix},
        {std::string(217, 'a') + "\\", std::string(217, 'a') + Suffix},
    };
    for (const Case& c : cases) {
        char out[PathBufferSize];
        BuildQuickLaunchPath(out, c.value.c_str());
        EXPECT_EQ(c.expected, out) << c.value.size();
        EXPECT_LE(strlen(out), 259u);
    }
}

TEST(FolderText, RegistryTextTerminatesInsideTheBuffer) {
    char buffer[PathBufferSize];
    memset(buffer, 'r', sizeof buffer);
    TerminateRegistryText(buffer, sizeof buffer, 5);
    EXPECT_EQ(5u, strlen(buffer));
    memset(buffer, 'r', sizeof buffer);
    TerminateRegistryText(buffer, sizeof buffer, PathBufferSize);
    EXPECT_EQ(259u, strlen(buffer));
    memset(buffer, 'r', sizeof buffer);
    TerminateRegistryText(buffer, sizeof buffer, 100000);
    EXPECT_EQ(259u, strlen(buffer));
}

TEST(FolderText, BoundedCopiesNeverOverrun) {
    char small[8];
    CopyBounded(small, sizeof small, "abcdefghijkl", 100);
    EXPECT_STREQ("abcdefg", small);
    CopyBounded(small, sizeof small, "abcdef", 3);
    EXPECT_STREQ("abc", small);
    AppendBounded(small, sizeof small, "defghij");
    EXPECT_STREQ("abcdefg", small);
    AppendBackslash(small, sizeof small); // full: nothing to add
    EXPECT_STREQ("abcdefg", small);
    char empty[4] = "";
    AppendBackslash(empty, sizeof empty);
    EXPECT_STREQ("", empty);
}

TEST(BoundedText, JoinPathAddsOneBackslashAndReportsACut) {
    struct Case {
        std::string folder, name, expected;
        bool whole;
    } cases[] = {
        {"C:\\a", "b.exe", "C:\\a\\b.exe", true},
        {"C:\\a\\", "b.exe", "C:\\a\\b.exe", true},
        {"", "b.exe", "b.exe", true},
        {std::string(253, 'x'), "b.exe", std::string(253, 'x') + "\\b.exe", true},
        {std::string(254, 'x'), "b.exe", std::string(254, 'x') + "\\b.ex", false},
        {std::string(300, 'x'), "b.exe", std::string(259, 'x'), false},
    };
    for (const Case& c : cases) {
        char out[PathBufferSize];
        EXPECT_EQ(c.whole, JoinPath(out, sizeof out, c.folder.c_str(), c.name.c_str()))
            << c.folder.size();
        EXPECT_EQ(c.expected, out) << c.folder.size();
    }
}

} // namespace
