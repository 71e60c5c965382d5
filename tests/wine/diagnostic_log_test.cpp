// The diagnostic log in the prefix's Windows directory: creation, replacement and line endings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "mirror/diagnostic_log.h"
#include "tests/support/temp_dir.h"

namespace {

std::string LogContent() {
    std::string content = "<missing>";
    ReadTextFile(LogFilePath, &content);
    return content;
}

TEST(DiagnosticLog, LivesInTheWindowsDirectory) {
    char windowsDir[MAX_PATH];
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    ASSERT_TRUE(StartLog());
    EXPECT_STREQ((std::string(windowsDir) + "\\TallowfinLog.txt").c_str(), LogFilePath);
    EXPECT_TRUE(FileExists(LogFilePath));
    EXPECT_EQ("", LogContent());
}

TEST(DiagnosticLog, EachLineEndsInCarriageReturnAndLineFeed) {
    ASSERT_TRUE(StartLog());
    EXPECT_TRUE(LogLine("C:\\Program Files\\Tool\\tool.exe"));
    EXPECT_TRUE(LogLine(""));
    EXPECT_TRUE(LogLine("C:\\icons.dll"));
    EXPECT_EQ("C:\\Program Files\\Tool\\tool.exe\r\n\r\nC:\\icons.dll\r\n", LogContent());
}

TEST(DiagnosticLog, StartReplacesAnEarlierLog) {
    ASSERT_TRUE(StartLog());
    ASSERT_TRUE(
        WriteTextFile(LogFilePath, std::string(5000, 'x') + "\r\nleft by an earlier run\r\n"));
    ASSERT_TRUE(StartLog());
    EXPECT_EQ("", LogContent());
    LogLine("first of the new pass");
    EXPECT_EQ("first of the new pass\r\n", LogContent());
}

// Also a folder in the log's VirtualStore place, where the 64-bit build writes a refused log.
TEST(DiagnosticLog, StartFailsWhenAFolderTakesTheName) {
    TempDir local("local");
    ASSERT_TRUE(MakeDirs(local / "VirtualStore\\windows\\TallowfinLog.txt"));
    char saved[MAX_PATH] = "";
    GetEnvironmentVariableA("LOCALAPPDATA", saved, sizeof saved);
    ASSERT_TRUE(SetEnvironmentVariableA("LOCALAPPDATA", local.path().c_str()));
    ASSERT_TRUE(StartLog());
    ASSERT_TRUE(DeleteFileA(LogFilePath));
    ASSERT_TRUE(CreateDirectoryA(LogFilePath, nullptr));
    EXPECT_FALSE(StartLog());
    EXPECT_FALSE(LogLine("lost"));
    EXPECT_TRUE(RemoveDirectoryA(LogFilePath));
    EXPECT_TRUE(StartLog());
    SetEnvironmentVariableA("LOCALAPPDATA", saved);
}

} // namespace
