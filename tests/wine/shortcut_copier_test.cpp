// CopyShortcut on real shortcut files: plain and advertised ones, broken files, the log lines.
#include <gtest/gtest.h>
#include <windows.h>
#include <msi.h>

#include <memory>
#include <string>
#include <vector>

#include "mirror/diagnostic_log.h"
#include "mirror/shortcut_copier.h"
#include "tests/support/installer_fixture.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

// The log's lines; a line that does not end in CRLF is reported.
std::vector<std::string> LogLines() {
    std::string content;
    std::vector<std::string> lines;
    if (!ReadTextFile(LogFilePath, &content)) {
        ADD_FAILURE() << "no log at " << LogFilePath;
        return lines;
    }
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "log ends without CRLF: " << content.substr(start);
            break;
        }
        lines.push_back(content.substr(start, end - start));
        EXPECT_EQ(std::string::npos, lines.back().find('\n')) << "bare line feed in log";
        start = end + 2;
    }
    return lines;
}

bool IsAdvertised(const std::string& file) {
    char product[40], feature[40], component[40];
    return MsiGetShortcutTargetA(file.c_str(), product, feature, component) == 0;
}

class ShortcutCopier : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(MakeDirs(dir_ / "source"));
        ASSERT_TRUE(MakeDirs(dir_ / "dest"));
        ASSERT_TRUE(StartLog());
    }

    ShortcutFields PlainFields(const std::string& tag) {
        return SampleShortcutFields(dir_.path(), tag);
    }

    std::string Source(const std::string& name) { return dir_ / ("source\\" + name); }
    std::string Dest(const std::string& name) { return dir_ / ("dest\\" + name); }

    ComApartment com_;
    TempDir dir_{"copier"};
};

TEST_F(ShortcutCopier, PlainShortcutKeepsEveryFieldAndLogsTargetThenIcon) {
    ShortcutFields fields = PlainFields("editor");
    ASSERT_TRUE(CREATE_SHORTCUT(Source("Editor.lnk"), fields));

    EXPECT_TRUE(CopyShortcut(Source("Editor.lnk").c_str(), Dest("Editor.lnk").c_str()));

    CHECK_SHORTCUT(Dest("Editor.lnk"), fields);
    EXPECT_EQ((std::vector<std::string>{fields.path, fields.iconPath}), LogLines());
}

TEST_F(ShortcutCopier, ThreeCopiesLogSixLinesInCopyOrder) {
    std::vector<std::string> expected;
    for (const char* tag : {"one", "two", "three"}) {
        ShortcutFields fields = PlainFields(tag);
        ASSERT_TRUE(CREATE_SHORTCUT(Source(std::string(tag) + ".lnk"), fields));
        expected.push_back(fields.path);
        expected.push_back(fields.iconPath);
    }
    for (const char* tag : {"one", "two", "three"}) {
        std::string name = std::string(tag) + ".lnk";
        EXPECT_TRUE(CopyShortcut(Source(name).c_str(), Dest(name).c_str())) << name;
    }
    EXPECT_EQ(expected, LogLines());
}

TEST_F(ShortcutCopier, FilesThatAreNoShortcutFailWithoutDestinationOrLogLine) {
    ShortcutFields fields = PlainFields("real");
    ASSERT_TRUE(CREATE_SHORTCUT(Source("real.lnk"), fields));
    std::string real;
    ASSERT_TRUE(ReadTextFile(Source("real.lnk"), &real));
    std::string noise;
    for (int i = 0; i < 512; ++i)
        noise += static_cast<char>((i * 7919 + 13) % 251);
    struct Case {
        const char* name;
        std::string content;
    } cases[] = {
        {"random.lnk", noise},
        {"header-only.lnk", real.substr(0, 40)},
        {"truncated.lnk", real.substr(0, real.size() / 2)},
        {"empty.lnk", ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteTextFile(Source(c.name), c.content));
        EXPECT_FALSE(CopyShortcut(Source(c.name).c_str(), Dest(c.name).c_str())) << c.name;
        EXPECT_FALSE(FileExists(Dest(c.name))) << c.name;
    }
    EXPECT_EQ(std::vector<std::string>{}, LogLines());
}

TEST_F(ShortcutCopier, MissingDestinationFolderFailsAfterTheTwoLogLines) {
    ShortcutFields fields = PlainFields("viewer");
    ASSERT_TRUE(CREATE_SHORTCUT(Source("Viewer.lnk"), fields));
    std::string destination = dir_ / "no such folder\\Viewer.lnk";

    EXPECT_FALSE(CopyShortcut(Source("Viewer.lnk").c_str(), destination.c_str()));

    EXPECT_FALSE(FileExists(destination));
    EXPECT_EQ((std::vector<std::string>{fields.path, fields.iconPath}), LogLines());
}

TEST_F(ShortcutCopier, NameOutsideTheAnsiCodePageIsKept) {
    const std::string name = u8"Ярлык 快捷方式.lnk";
    ShortcutFields fields = PlainFields(u8"Программа 程序");
    ASSERT_TRUE(CREATE_SHORTCUT(Source(name), fields));

    EXPECT_TRUE(CopyShortcut(Source(name).c_str(), Dest(name).c_str()));

    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(Dest("*.lnk").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    EXPECT_EQ(name, found.cFileName);
    EXPECT_FALSE(FindNextFileA(find, &found));
    FindClose(find);
    CHECK_SHORTCUT(Dest(name), fields);
    EXPECT_EQ((std::vector<std::string>{fields.path, fields.iconPath}), LogLines());
}

// A target written in code page 1251 reads back with U+FFFD: the mirror gets the user's own
// file, while a clean shortcut written the same way is still re-created by the link object.
TEST_F(ShortcutCopier, DamagedTargetIsCopiedByteForByteAndStillLogged) {
    const std::string clean = dir_ / "clean.exe";
    ASSERT_TRUE(WriteTextFile(clean, "program"));
    ASSERT_TRUE(WriteLocalPathShortcut(
        Source("Damaged.lnk"),
        "C:\\Users\\\xCF\xEE\xEB\xFC\xE7\xEE\xE2\xE0\xF2\xE5\xEB\xFC\\report.doc"));
    ASSERT_TRUE(WriteLocalPathShortcut(Source("Clean.lnk"), clean));
    for (const char* name : {"Damaged.lnk", "Clean.lnk"})
        EXPECT_TRUE(CopyShortcut(Source(name).c_str(), Dest(name).c_str())) << name;

    auto bytes = [](const std::string& file) {
        std::string content;
        EXPECT_TRUE(ReadTextFile(file, &content)) << file;
        return content;
    };
    EXPECT_EQ(bytes(Source("Damaged.lnk")), bytes(Dest("Damaged.lnk")));
    EXPECT_NE(bytes(Source("Clean.lnk")), bytes(Dest("Clean.lnk"))) << "not re-created";
    ShortcutFields fields;
    ASSERT_TRUE(ReadShortcut(Dest("Clean.lnk"), &fields));
    EXPECT_EQ(clean, fields.path);
    std::vector<std::string> lines = LogLines();
    ASSERT_EQ(4u, lines.size()) << "two lines per shortcut";
    EXPECT_NE(std::string::npos, lines[0].find("\xEF\xBF\xBD")) << lines[0];
    EXPECT_EQ(clean, lines[2]);
}

// Fields of an advertised shortcut that the plain copy must not carry over.
ShortcutFields AdvertisedExtras(const std::string& iconPath) {
    ShortcutFields extra;
    extra.arguments = "/advertised";
    extra.workingDir = "C:\\windows";
    extra.iconPath = iconPath;
    extra.iconIndex = 2;
    extra.description = "Advertised tool";
    return extra;
}

// What the copy of an advertised shortcut must be: the installed file and the source's icon.
ShortcutFields PlainCopyOf(const std::string& installedFile, const ShortcutFields& extra) {
    ShortcutFields expected;
    expected.path = installedFile;
    expected.iconPath = extra.iconPath;
    expected.iconIndex = extra.iconIndex;
    return expected;
}

TEST_F(ShortcutCopier, AdvertisedShortcutOfAnInstalledPackageBecomesPlain) {
    InstalledPackage package(dir_ / "package", "tool.exe");
    ASSERT_TRUE(package.ok()) << package.error();
    ASSERT_TRUE(FileExists(package.installedFile()));
    ShortcutFields extra = AdvertisedExtras(dir_ / "icons.dll");
    ASSERT_TRUE(CREATE_ADVERTISED_SHORTCUT(Source("Tool.lnk"), package.codes(), extra));
    ASSERT_TRUE(IsAdvertised(Source("Tool.lnk")));

    EXPECT_TRUE(CopyShortcut(Source("Tool.lnk").c_str(), Dest("Tool.lnk").c_str()));

    CHECK_SHORTCUT(Dest("Tool.lnk"), PlainCopyOf(package.installedFile(), extra));
    EXPECT_FALSE(IsAdvertised(Dest("Tool.lnk")));
    EXPECT_EQ((std::vector<std::string>{package.installedFile(), extra.iconPath}), LogLines());
}

TEST_F(ShortcutCopier, AdvertisedShortcutOfARegisteredComponentBecomesPlain) {
    InstallerCodes codes = {NewGuidText(), "Feature", NewGuidText()};
    std::string installed = dir_ / "tool.exe";
    ASSERT_TRUE(WriteTextFile(installed, "program"));
    RegisteredComponent component(codes, installed);
    ASSERT_TRUE(component.ok());
    ShortcutFields extra = AdvertisedExtras(dir_ / "icons.dll");
    ASSERT_TRUE(CREATE_ADVERTISED_SHORTCUT(Source("Tool.lnk"), codes, extra));

    EXPECT_TRUE(CopyShortcut(Source("Tool.lnk").c_str(), Dest("Tool.lnk").c_str()));

    CHECK_SHORTCUT(Dest("Tool.lnk"), PlainCopyOf(installed, extra));
    EXPECT_FALSE(IsAdvertised(Dest("Tool.lnk")));
}

// A component that is missing, not registered or registered without a path gives no target:
// nothing is saved and nothing logged.
TEST_F(ShortcutCopier, AdvertisedShortcutWithoutAnInstalledFileFails) {
    InstallerCodes codes = {NewGuidText(), "Feature", NewGuidText()};
    ShortcutFields extra = AdvertisedExtras(dir_ / "icons.dll");
    ASSERT_TRUE(CREATE_ADVERTISED_SHORTCUT(Source("Tool.lnk"), codes, extra));
    struct Case {
        const char* what;
        std::string keyPath; // empty: not registered at all
    } cases[] = {
        {"not registered", ""},
        {"registered, file missing", dir_ / "gone.exe"},
        {"registered without a path", "\x01"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<RegisteredComponent> component;
        if (!c.keyPath.empty()) {
            component.reset(new RegisteredComponent(codes, c.keyPath == "\x01" ? "" : c.keyPath));
            ASSERT_TRUE(component->ok()) << c.what;
        }
        EXPECT_FALSE(CopyShortcut(Source("Tool.lnk").c_str(), Dest("Tool.lnk").c_str())) << c.what;
        EXPECT_FALSE(FileExists(Dest("Tool.lnk"))) << c.what;
    }
    EXPECT_EQ(std::vector<std::string>{}, LogLines());
}

} // namespace
