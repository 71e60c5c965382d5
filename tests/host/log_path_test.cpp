// The log file's path: folder, one backslash and the file name, never beyond 259 characters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "mirror/log_path.h"

namespace {

TEST(LogPath, FolderBackslashAndNameWithin259Characters) {
    const std::string name = "TallowfinLog.txt";
    struct Case {
        std::string folder, expected;
    } cases[] = {
        {"C:\\windows", "C:\\windows\\" + name},
        {"C:\\", "C:\\" + name},
        {std::string(242, 'w'), std::string(242, 'w') + "\\" + name},
        {std::string(242, 'w') + "\\", std::string(242, 'w') + "\\" + name},
        {std::string(243, 'w'), std::string(242, 'w') + "\\" + name},
        {std::string(259, 'w'), std::string(242, 'w') + "\\" + name},
        {std::string(400, 'w'), std::string(242, 'w') + "\\" + name},
    };
    for (const Case& c : cases) {
        char out[PathBufferSize];
        memset(out, 'x', sizeof out);
        BuildLogFilePath(out, c.folder.c_str());
        EXPECT_EQ(c.expected, out) << c.folder.size();
        EXPECT_LE(strlen(out), 259u);
    }
}

} // namespace
