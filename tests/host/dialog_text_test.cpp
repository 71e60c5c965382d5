// Text the Options dialog hands the shell, under the sanitizers: the referrer page's directory
// choice over TEMP and TMP, its text, Explorer's path and parameters, and the donation address
// with its check.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/donation_text.h"
#include "dialogs/explore_text.h"
#include "dialogs/referrer_text.h"

namespace {

const std::string Name = "Tallowfin v1.7.6.0 - Internet Referrering Page.htm";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST(ReferrerText, DirectoryComesFromTempThenTmpWithinTheLimit) {
    const std::string fits(209, 't'), over(210, 't');
    struct Case {
        const char *temp, *tmp;
        std::string expected; // empty: the page is skipped
    } cases[] = {
        {nullptr, nullptr, ""},
        {"", "", ""},
        {"C:\\Temp", nullptr, "C:\\Temp\\" + Name},
        {"C:\\Temp\\", "C:\\Tmp", "C:\\Temp\\" + Name},
        {nullptr, "C:\\Tmp", "C:\\Tmp\\" + Name},
        {"", "C:\\Tmp\\", "C:\\Tmp\\" + Name},
        {fits.c_str(), nullptr, fits + "\\" + Name},
        {"", fits.c_str(), fits + "\\" + Name},
        {over.c_str(), "C:\\Tmp", ""},
        {"C:\\Temp", over.c_str(), ""},
        {nullptr, over.c_str(), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "TEMP " << (c.temp ? strlen(c.temp) : 0) << " TMP "
                                        << (c.tmp ? strlen(c.tmp) : 0));
        char out[ReferrerPathSize];
        memset(out, 'x', sizeof out);
        bool written = BuildReferrerPagePath(out, c.temp, c.tmp);
        EXPECT_EQ(!c.expected.empty(), written);
        if (written) {
            EXPECT_EQ(c.expected, out);
        }
    }
}

TEST(ReferrerText, PageHasThirtyLinesFilledWithTitleAndAddress) {
    const char address[] = "http://example.test/a?b=1&c=%s%n";
    char page[ReferrerPageSize];
    ASSERT_TRUE(FormatReferrerPage(page, sizeof page, address));
    std::string text = page;
    EXPECT_EQ(std::string::npos, text.find('\r')) << "text mode adds the CRs";
    std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(30u, lines.size());
    EXPECT_EQ("<html>", lines[0]);
    EXPECT_EQ("<title>" + Name + "</title>", lines[2]);
    EXPECT_EQ("Click to visit.....", lines[9]);
    EXPECT_EQ(std::string("<a href=\"") + address + "\">" + address + "</a><br><br>", lines[13]);
    EXPECT_EQ(0u, lines[22].find("[<a href=\"http://www.mistlebrookworks.example/\">"
                                 "Mistlebrookworks</a> (and it's associates) cannot"))
        << lines[22];
    EXPECT_EQ("</html>", lines[29]);
    for (int empty : {4, 6, 8, 10, 12, 14, 16, 18, 27})
        EXPECT_EQ("", lines[empty]) << "line " << empty + 1;

    // The longest address that fits the buffer, and one character more.
    ASSERT_TRUE(FormatReferrerPage(page, sizeof page, ""));
    size_t longest = (ReferrerPageSize - 1 - strlen(page)) / 2;
    std::string fits(longest, 'a');
    EXPECT_TRUE(FormatReferrerPage(page, sizeof page, fits.c_str()));
    EXPECT_FALSE(FormatReferrerPage(page, sizeof page, (fits + "a").c_str()));
}

TEST(ExploreText, ExplorerByFullPathAndTheFileSelected) {
    char out[PathBufferSize];
    ASSERT_TRUE(BuildExplorerPath(out, "C:\\windows"));
    EXPECT_STREQ("C:\\windows\\explorer.exe", out);
    ASSERT_TRUE(BuildExplorerPath(out, "C:\\"));
    EXPECT_STREQ("C:\\explorer.exe", out);
    EXPECT_FALSE(BuildExplorerPath(out, ""));
    EXPECT_TRUE(BuildExplorerPath(out, std::string(246, 'w').c_str()));
    EXPECT_EQ(259u, strlen(out));
    EXPECT_FALSE(BuildExplorerPath(out, std::string(247, 'w').c_str()));

    char parameters[PathBufferSize + 16];
    BuildSelectParameters(parameters, sizeof parameters, "C:\\My Tools\\Tallowfin.exe");
    EXPECT_STREQ("/select,\"C:\\My Tools\\Tallowfin.exe\"", parameters);
}

TEST(DonationText, AddressInItsOrderAndACheckThatSeesAnyChange) {
    EXPECT_STREQ("https://www.paypal.com/cgi-bin/webscr?cmd=_xclick"
                 "&business=donations@mistlebrookworks.example"
                 "&no_note=1&currency_code=GBP&tax=0&bn=PP-DonationsBF",
                 DonationAddress);
    EXPECT_TRUE(DonationAddressIntact());
    const std::string address = DonationAddress;
    std::string changed = address;
    changed[12] = 'q'; // www.paypal -> www.paypql
    for (const std::string& other : {changed, address + "x", address.substr(0, 40)})
        EXPECT_FALSE(DonationAddressIntact(other.c_str())) << other;
}

} // namespace
