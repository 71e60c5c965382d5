// The damaged-target test over clean, damaged and empty paths, under the sanitizers.
#include <gtest/gtest.h>

#include "mirror/link_target_text.h"

namespace {

TEST(LinkTargetText, OnlyCharactersNoPathCanHoldCountAsDamage) {
    for (const char* clean : {"C:\\Program Files (x86)\\Tool\\tool.exe",
                              u8"\\\\server\\Пользователь\\a&b; c=d.exe", ""})
        EXPECT_FALSE(TargetLooksMangled(clean)) << clean;
    for (const char* damaged :
         {"Z:\\?\\?\\tool.exe", "C:\\a*.exe", "C:\\\"a\".exe", "C:\\a<b.exe", "C:\\a>b.exe",
          "C:\\a|b.exe", "C:\\a\tb.exe", "C:\\Users\\\xEF\xBF\xBD\xEF\xBF\xBD\\Desktop"})
        EXPECT_TRUE(TargetLooksMangled(damaged)) << damaged;
}

} // namespace
