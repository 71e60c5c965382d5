// The mirror's three folders under Send To, and their cuts, under the sanitizers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "mirror/mirror_paths.h"

namespace {

TEST(MirrorPaths, FoldersSitUnderSendTo) {
    char out[PathBufferSize];
    BuildMirrorFolder(out, "C:\\Users\\a\\SendTo\\", MirrorFolder::Root);
    EXPECT_STREQ("C:\\Users\\a\\SendTo\\Tallowfin", out);
    BuildMirrorFolder(out, "C:\\Users\\a\\SendTo\\", MirrorFolder::Desktop);
    EXPECT_STREQ("C:\\Users\\a\\SendTo\\Tallowfin\\Tallowfin Desktop", out);
    BuildMirrorFolder(out, "C:\\Users\\a\\SendTo\\", MirrorFolder::QuickLaunch);
    EXPECT_STREQ("C:\\Users\\a\\SendTo\\Tallowfin\\Tallowfin Quick Launch", out);
}

TEST(MirrorPaths, LongSendToIsCutToKeep259Characters) {
    const std::string sendTo = std::string(258, 's') + "\\";
    struct Case {
        MirrorFolder folder;
        size_t kept;
        const char* tail;
    } cases[] = {
        {MirrorFolder::Root, 250, "Tallowfin"},
        {MirrorFolder::Desktop, 232, "Tallowfin\\Tallowfin Desktop"},
        {MirrorFolder::QuickLaunch, 227, "Tallowfin\\Tallowfin Quick Launch"},
    };
    for (const Case& c : cases) {
        char out[PathBufferSize];
        BuildMirrorFolder(out, sendTo.c_str(), c.folder);
        EXPECT_EQ(sendTo.substr(0, c.kept) + c.tail, out) << c.tail;
        EXPECT_EQ(259u, strlen(out));
    }
}

} // namespace
