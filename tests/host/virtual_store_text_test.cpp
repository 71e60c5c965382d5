// The VirtualStore twin of a path, and which paths lie inside a protected folder.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "base/virtual_store_text.h"

TEST(VirtualStoreText, InsideAFolderOnlyAtItsBoundaryWhateverTheCase) {
    EXPECT_TRUE(IsInsideFolder("c:\\WINDOWS\\TallowfinLog.txt", "C:\\Windows\\"));
    EXPECT_FALSE(IsInsideFolder("C:\\Program Files (x86)\\x.txt", "C:\\Program Files"));
    EXPECT_FALSE(IsInsideFolder("C:\\Windows\\", "C:\\Windows"));
    EXPECT_FALSE(IsInsideFolder("C:\\Windows\\x.txt", ""));
}

TEST(VirtualStoreText, SamePathWithoutItsDriveOrNothing) {
    const std::string local = "C:\\Users\\ann\\AppData\\Local", name(215, 'n');
    const std::pair<std::string, std::string> cases[] = {
        {"D:\\Windows\\TallowfinLog.txt", local + "\\VirtualStore\\Windows\\TallowfinLog.txt"},
        {"\\\\server\\share\\x.txt", ""},
        {"C:x.txt", ""},
        // 26 + 14 + 219 = 259 characters fit a path buffer; one more does not.
        {"C:\\" + name + ".txt", local + "\\VirtualStore\\" + name + ".txt"},
        {"C:\\" + name + "n.txt", ""},
    };
    for (const auto& c : cases) {
        char out[260];
        EXPECT_EQ(!c.second.empty(),
                  BuildVirtualStorePath(out, sizeof out, local.c_str(), c.first.c_str()));
        EXPECT_EQ(c.second, out) << c.first;
    }
}
