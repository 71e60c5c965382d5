// Tallowfin Menu's labels and command lines, under the sanitizers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/menu_text.h"

namespace {

TEST(MenuText, LabelsDropTheShortcutEndingAndDoubleEveryAmpersand) {
    struct Case {
        const wchar_t* file;
        bool shortcut;
        const wchar_t* label;
    } cases[] = {
        {L"Editor.lnk", true, L"Editor"},    {L"Tom & Jerry.LNK", true, L"Tom && Jerry"},
        {L"&&x&.lnk", true, L"&&&&x&&"},     {L"Tools", false, L"Tools"},
        {L"notes.txt", false, L"notes.txt"}, {L"readmelnk", false, L"readmelnk"},
        {L".lnk", false, L".lnk"},           {L"a.lnk.txt", false, L"a.lnk.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.shortcut, IsShortcutFileName(c.file)) << c.file;
        wchar_t name[64], label[64];
        BuildItemName(name, 64, c.file);
        EscapeAmpersands(label, 64, name);
        EXPECT_STREQ(c.label, label);
    }
    // Cut to fit: never half of a doubled "&".
    wchar_t small[5];
    EscapeAmpersands(small, 5, L"abc&d");
    EXPECT_STREQ(L"abc", small);
}

TEST(MenuText, CommandLinesQuoteEachFileSoThatItParsesBackUnchanged) {
    struct Case {
        const wchar_t* arguments;
        std::vector<const wchar_t*> files;
        const wchar_t* line;
    } cases[] = {
        {L"/a \"b c\"", {L"C:\\x y.txt"}, L"\"C:\\p.exe\" /a \"b c\" \"C:\\x y.txt\""},
        // A trailing backslash would escape the closing quote: it is doubled.
        {L"", {L"D:\\", L"C:\\dir\\"}, L"\"C:\\p.exe\" \"D:\\\\\" \"C:\\dir\\\\\""},
        // Backslashes inside a name stay single; a quote (not in any path) is escaped.
        {L"",
         {L"\\\\srv\\share\\a", L"say \"hi\\\""},
         L"\"C:\\p.exe\" \"\\\\srv\\share\\a\" \"say \\\"hi\\\\\\\"\""},
        {L"-x", {L"Я & 日本.txt"}, L"\"C:\\p.exe\" -x \"Я & 日本.txt\""},
    };
    for (const Case& c : cases) {
        wchar_t line[128];
        ASSERT_TRUE(
            BuildCommandLine(line, 128, L"C:\\p.exe", c.arguments, c.files.data(), c.files.size()));
        EXPECT_STREQ(c.line, line);
    }
}

TEST(MenuText, CommandLinesBeyondTheLimitAreRefused) {
    // "\"C:\\p.exe\"" is 10 characters and each file " \"f\"" 4: 10 + 4n and a terminator.
    std::vector<const wchar_t*> files((CommandLineLimit - 11) / 4, L"f");
    static wchar_t line[CommandLineLimit];
    EXPECT_TRUE(
        BuildCommandLine(line, CommandLineLimit, L"C:\\p.exe", L"", files.data(), files.size()));
    EXPECT_EQ(10 + 4 * files.size(), std::wstring(line).size());
    files.push_back(L"f");
    EXPECT_FALSE(
        BuildCommandLine(line, CommandLineLimit, L"C:\\p.exe", L"", files.data(), files.size()));
    EXPECT_STREQ(L"", line);
    // Exactly full: the terminator is the last character the limit allows.
    wchar_t exact[11];
    EXPECT_TRUE(BuildCommandLine(exact, 11, L"C:\\p.exe", L"", nullptr, 0));
    EXPECT_FALSE(BuildCommandLine(exact, 10, L"C:\\p.exe", L"", nullptr, 0));
}

// What the menu judges by name alone, as it must for a program on the network.
TEST(MenuText, ProgramsAndUninstallersAreKnownByName) {
    EXPECT_TRUE(IsProgramPath(L"\\\\srv\\apps\\tool.CMD"));
    EXPECT_FALSE(IsProgramPath(L"C:\\a.exe\\b.txt"));
    EXPECT_TRUE(IsUninstaller(L"Tool", L"C:\\W\\MsiExec.exe", L"/qb -Uninstall {P}"));
    EXPECT_FALSE(IsUninstaller(L"Tool", L"C:\\W\\msiexec.exe", L"/i{P} /xlog a.txt"));
    EXPECT_FALSE(IsUninstaller(L"Tool", L"C:\\W\\other.exe", L"/x{P}"));
    EXPECT_TRUE(IsTallowfinMenuPath(L"\\\\srv\\t\\TALLOWFINMENU64.EXE"));
    EXPECT_FALSE(IsTallowfinMenuPath(L"C:\\t\\MyTallowfinMenu.exe"));
    EXPECT_TRUE(IsUncPath(L"\\\\srv\\share\\a.exe"));
    EXPECT_TRUE(IsUncPath(L"\\\\?\\UNC\\srv\\share\\a.exe"));
    EXPECT_FALSE(IsUncPath(L"\\\\?\\C:\\a.exe"));
}

// The recent list's registry entries must stay inside the mirror.
TEST(MenuText, RecentEntriesAreShortcutsBelowTheMirror) {
    EXPECT_STREQ(L"TOOLS\\a.lnk", PathBelow(L"C:\\M\\TOOLS\\a.lnk", L"C:\\m\\"));
    EXPECT_EQ(nullptr, PathBelow(L"C:\\Mx\\a.lnk", L"C:\\M\\"));
    EXPECT_EQ(nullptr, PathBelow(L"C:\\M\\", L"C:\\M\\"));
    for (const wchar_t* good : {L"a.lnk", L"Tools\\Deep\\..x.LNK"})
        EXPECT_TRUE(IsMirrorRelativeShortcut(good)) << good;
    for (const wchar_t* bad : {L"a.exe", L"\\a.lnk", L"C:a.lnk", L"..\\a.lnk", L"T\\.\\a.lnk",
                               L"T\\\\a.lnk", L"\\\\srv\\s\\a.lnk"})
        EXPECT_FALSE(IsMirrorRelativeShortcut(bad)) << bad;
}

} // namespace
