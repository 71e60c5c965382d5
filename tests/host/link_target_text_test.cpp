// The damaged-target test over clean, damaged and empty paths, under the sanitizers.
#include <gtest/gtest.h>

#include "mirror/link_target_text.h"

namespace {

TEST(LinkTargetText, OnlyCharactersNoPathCanHoldCountAsDamage) {
    struct Case {
        const char* path;
        bool mangled;
    } cases[] = {
        {"C:\\Program Files (x86)\\Tool\\tool.exe", false},
        {u8"\\\\server\\Пользователь\\a&b; c=d #1.exe", false},
        {"", false},
        {"Z:\\?\\?\\?\\file.exe", true},
        {"C:\\a*.exe", true},
        {"C:\\\"a\".exe", true},
        {"C:\\a<b.exe", true},
        {"C:\\a>b.exe", true},
        {"C:\\a|b.exe", true},
        {"C:\\a\tb.exe", true},
        {"C:\\Users\\\xEF\xBF\xBD\xEF\xBF\xBD\\Desktop", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.mangled, TargetLooksMangled(c.path)) << c.path;
}

} // namespace
