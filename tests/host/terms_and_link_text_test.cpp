// The terms line's trim and recognition, and the own shortcut's link path, under the sanitizers.
#include <gtest/gtest.h>

#include <string>

#include "app/terms_text.h"
#include "dialogs/own_link_text.h"

namespace {

const std::string Accepted =
    "The Terms and Conditions and Disclaimer for 'Tallowfin v1.7.6.0' have been accepted.";

TEST(TermsText, TrimKeepsCarriageReturnsAndOnlyTheFirst83CharactersCount) {
    const std::pair<std::string, std::string> trims[] = {
        {" \t" + Accepted + " \n", Accepted},
        {"a\r\n", "a\r"},
        {"\r a \t b", "\r a \t b"},
        {" \n\t", ""},
        {"", ""},
    };
    for (const auto& t : trims) {
        std::string text = t.first;
        TrimWhitespace(&text[0]);
        EXPECT_EQ(t.second, text.c_str()) << "from \"" << t.first << "\"";
    }
    const std::pair<std::string, bool> lines[] = {
        {Accepted, true},
        {Accepted.substr(0, 83), true},  // without its full stop
        {Accepted + " And more.", true}, // goes on after it
        {Accepted.substr(0, 82), false}, // one short of the window
        {"The Terms and Conditions and Disclaimer for 'Tallowfin v1.7.5.0' have been accepted.",
         false}, // another version's line
    };
    for (const auto& l : lines)
        EXPECT_EQ(l.second, IsAcceptanceLine(l.first.c_str(), Accepted.c_str())) << l.first;
}

// A 259-character location folder gives a link path past MAX_PATH that the buffer still holds;
// one that cannot be held whole is no path at all, never a shortened name.
TEST(OwnLinkText, LinkPathIsWholeOrEmpty) {
    const std::string name = OwnLinkName, folder(259, 'f');
    const struct {
        std::string folder;
        size_t cut;
        std::string expected;
    } cases[] = {
        {"C:\\Desk\\", CreateFolderCut, "C:\\Desk\\" + name},
        {folder, CreateFolderCut, folder + "\\" + name},
        {folder, RefreshFolderCut, folder.substr(0, 228) + "\\" + name},
        {std::string(488, 'g'), CreateFolderCut, ""},
    };
    for (const auto& c : cases) {
        std::string buffer(LinkPathSize, '#');
        EXPECT_EQ(!c.expected.empty(),
                  BuildOwnLinkPath(&buffer[0], LinkPathSize, c.folder.c_str(), c.cut));
        EXPECT_EQ(c.expected, buffer.c_str()) << c.folder.size();
    }
}

} // namespace
