// The terms line's trim and recognition, and the own shortcut's path text, under the sanitizers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/terms_text.h"
#include "dialogs/own_link_text.h"

namespace {

const char Accepted[] =
    "The Terms and Conditions and Disclaimer for 'Tallowfin v1.7.6.0' have been accepted.";

TEST(TermsText, TrimTakesSpacesLineFeedsAndTabsFromBothEndsButKeepsCarriageReturns) {
    struct Case {
        const char *text, *expected;
    } cases[] = {
        {" \t accepted. \n", "accepted."}, {"\n\naccepted.\t\t", "accepted."},
        {"accepted.\r\n", "accepted.\r"},  {"\r accepted", "\r accepted"},
        {"a \t b", "a \t b"},              {" \n\t \n", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        char text[64];
        strcpy(text, c.text);
        TrimWhitespace(text);
        EXPECT_STREQ(c.expected, text) << "from \"" << c.text << "\"";
    }
}

TEST(TermsText, OnlyTheFirst83CharactersOfTheAcceptanceLineCount) {
    const std::string line = Accepted;
    ASSERT_EQ(84u, line.size());
    struct Case {
        std::string line;
        bool accepted;
    } cases[] = {
        {line, true},
        {line.substr(0, 83), true},                    // without its full stop
        {line + " And more.", true},                   // goes on after it
        {line.substr(0, 82), false},                   // one character short of the window
        {"The Terms and Conditions and Disclaimer for 'Tallowfin v1.7.5.0' have been accepted.",
         false},                                       // another version's line
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.accepted, IsAcceptanceLine(c.line.c_str(), Accepted)) << c.line;
}

TEST(OwnLinkText, LinkPathIsTheCutFolderABackslashAndTheName) {
    const std::string name = OwnLinkName;
    const std::string folder259(259, 'f'), folder488(488, 'g');
    struct Case {
        std::string folder;
        size_t cut, bufferSize;
        bool fits;
        std::string expected;
    } cases[] = {
        {"C:\\Users\\Desktop", CreateFolderCut, LinkPathSize, true, "C:\\Users\\Desktop\\" + name},
        {"C:\\", DeleteFolderCut, LinkPathSize, true, "C:\\" + name},
        // A location folder of 259 characters: longer than MAX_PATH, and still held.
        {folder259, CreateFolderCut, LinkPathSize, true, folder259 + "\\" + name},
        {folder259, RefreshFolderCut, LinkPathSize, true, folder259.substr(0, 228) + "\\" + name},
        // Never a shortened name: a path that cannot be held whole is no path.
        {folder488, CreateFolderCut, LinkPathSize, false, ""},
        {"C:\\x", CreateFolderCut, 10, false, ""},
    };
    for (const Case& c : cases) {
        std::string buffer(c.bufferSize, '#');
        EXPECT_EQ(c.fits, BuildOwnLinkPath(&buffer[0], c.bufferSize, c.folder.c_str(), c.cut))
            << c.folder.size();
        EXPECT_EQ(c.expected, buffer.c_str()) << c.folder.size();
    }
}

TEST(OwnLinkText, WorkingFolderIsTheExecutablesFolder) {
    struct Case {
        const char *exe, *expected;
    } cases[] = {
        {"C:\\Program Files\\Tallowfin\\Tallowfin.exe", "C:\\Program Files\\Tallowfin"},
        {"C:\\Tallowfin.exe", "C:"},
        {"Tallowfin.exe", ""},
    };
    for (const Case& c : cases) {
        char out[LinkPathSize];
        WorkingFolderOf(out, sizeof out, c.exe);
        EXPECT_STREQ(c.expected, out);
    }
}

} // namespace
