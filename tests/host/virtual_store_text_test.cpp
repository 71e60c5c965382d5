// The VirtualStore twin of a path, and which paths lie inside a protected folder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/virtual_store_text.h"

namespace {

TEST(VirtualStoreText, InsideOnlyAtAFolderBoundaryWhateverTheCase) {
    struct Case {
        const char *path, *folder;
        bool inside;
    } cases[] = {
        {"C:\\windows\\TallowfinLog.txt", "C:\\Windows", true},
        {"c:\\PROGRAM FILES\\Tools\\x.txt", "C:\\Program Files\\", true},
        {"C:\\Program Files (x86)\\x.txt", "C:\\Program Files", false},
        {"C:\\WindowsApps\\x.txt", "C:\\Windows", false},
        {"C:\\Windows", "C:\\Windows", false},
        {"C:\\Windows\\", "C:\\Windows", false},
        {"D:\\Windows\\x.txt", "C:\\Windows", false},
        {"C:\\Windows\\x.txt", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.inside, IsInsideFolder(c.path, c.folder)) << c.path << " in " << c.folder;
}

TEST(VirtualStoreText, SamePathUnderVirtualStoreWithoutItsDriveOrNothing) {
    const std::string local = "C:\\Users\\ann\\AppData\\Local";
    struct Case {
        std::string localAppData, path, expected;
    } cases[] = {
        {local, "C:\\Windows\\TallowfinLog.txt",
         local + "\\VirtualStore\\Windows\\TallowfinLog.txt"},
        {local + "\\", "d:\\ProgramData\\T\\TermsAccepted.txt",
         local + "\\VirtualStore\\ProgramData\\T\\TermsAccepted.txt"},
        {local, "\\\\server\\share\\x.txt", ""},
        {local, "C:x.txt", ""},
        {"", "C:\\Windows\\x.txt", ""},
        // 26 + 14 + 219 = 259 characters fit a path buffer; one more does not.
        {local, "C:\\" + std::string(215, 'n') + ".txt",
         local + "\\VirtualStore\\" + std::string(215, 'n') + ".txt"},
        {local, "C:\\" + std::string(216, 'n') + ".txt", ""},
    };
    for (const Case& c : cases) {
        char out[260];
        memset(out, 'x', sizeof out);
        EXPECT_EQ(!c.expected.empty(),
                  BuildVirtualStorePath(out, sizeof out, c.localAppData.c_str(), c.path.c_str()));
        EXPECT_EQ(c.expected, out) << c.path;
    }
}

} // namespace
