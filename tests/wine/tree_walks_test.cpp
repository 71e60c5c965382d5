// The tree walks on real folders and shortcuts: counts, progress steps, deletion, mirroring,
// cancellation and folder links.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "base/shared_state.h"
#include "mirror/diagnostic_log.h"
#include "mirror/tree_walks.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unix_link.h"

namespace {

class TreeWalks : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        InitializeCriticalSection(&SharedStateLock);
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
    }
    static void TearDownTestSuite() { DeleteCriticalSection(&SharedStateLock); }

    void SetUp() override {
        CancelFlag.store(false);
        ProgressCounters = {};
        MainWindow = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr,
                                     nullptr, nullptr);
        bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 100, 20, MainWindow,
                               reinterpret_cast<HMENU>(1011), nullptr, nullptr);
        ASSERT_NE(nullptr, bar_);
        SendMessageA(bar_, PBM_SETRANGE32, 0, 100000);
        ASSERT_TRUE(StartLog());
        target_ = dir_ / "target.txt";
        WriteTextFile(target_, "target");
    }
    void TearDown() override {
        DestroyWindow(MainWindow);
        MainWindow = nullptr;
        CancelFlag.store(false);
    }

    void Shortcut(const std::string& file) {
        ShortcutFields fields;
        fields.path = target_;
        CREATE_SHORTCUT(file, fields);
    }
    // Posted steps reach the bar once the queue is pumped.
    int BarPosition() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        return static_cast<int>(SendMessageA(bar_, PBM_GETPOS, 0, 0));
    }
    static void Buffer(char (&out)[PathBufferSize], const std::string& path) {
        strcpy(out, path.c_str());
    }

    ComApartment com_;
    TempDir dir_{"walks"};
    std::string target_;
    HWND bar_ = nullptr;
};

TEST_F(TreeWalks, MirrorCopiesShortcutsKeepsFoldersAndStepsPerEntry) {
    std::string src = dir_ / "src", dst = dir_ / "dst";
    MakeDirs(src + "\\Sub");
    MakeDirs(src + "\\OnlyText");
    Shortcut(src + "\\a.lnk");
    WriteTextFile(src + "\\b.txt", "not a shortcut");
    Shortcut(src + "\\Sub\\d.LNK");
    WriteTextFile(src + "\\OnlyText\\c.txt", "text");
    MakeDirs(dst);

    char source[PathBufferSize], destination[PathBufferSize];
    Buffer(source, src);
    CountTree(source);
    EXPECT_EQ(6u, ProgressCounters.total); // a, b, Sub, d, OnlyText, c
    EXPECT_EQ(src + "\\", source) << "backslash appended in the caller's buffer";

    Buffer(source, src);
    Buffer(destination, dst);
    EXPECT_EQ(2u, MirrorTree(destination, source));
    EXPECT_EQ(dst + "\\", destination);
    EXPECT_EQ(6u, ProgressCounters.position);
    EXPECT_EQ(6, BarPosition());
    EXPECT_TRUE(FileExists(dst + "\\a.lnk"));
    EXPECT_TRUE(FileExists(dst + "\\Sub\\d.LNK"));
    EXPECT_FALSE(FileExists(dst + "\\b.txt"));
    EXPECT_FALSE(FileExists(dst + "\\OnlyText")) << "a folder with no shortcut is dropped";
}

TEST_F(TreeWalks, DeleteRemovesShortcutsAndEmptiedFoldersOnly) {
    std::string root = dir_ / "mirror";
    MakeDirs(root + "\\Keep\\Deep");
    MakeDirs(root + "\\Gone\\Deeper");
    Shortcut(root + "\\top.lnk");
    Shortcut(root + "\\Keep\\Deep\\x.lnk");
    WriteTextFile(root + "\\Keep\\Deep\\notes.txt", "mine");
    Shortcut(root + "\\Gone\\Deeper\\y.lnk");
    SetFileAttributesA((root + "\\Gone\\Deeper\\y.lnk").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((root + "\\Gone").c_str(), FILE_ATTRIBUTE_READONLY);

    char folder[PathBufferSize];
    Buffer(folder, root);
    DeleteTree(folder);
    EXPECT_EQ(8u, ProgressCounters.position);
    EXPECT_TRUE(FileExists(root + "\\Keep\\Deep\\notes.txt"));
    EXPECT_FALSE(FileExists(root + "\\Keep\\Deep\\x.lnk"));
    EXPECT_FALSE(FileExists(root + "\\top.lnk"));
    EXPECT_FALSE(FileExists(root + "\\Gone")) << "read-only shortcut deleted, folders removed";

    Buffer(folder, dir_ / "missing");
    DeleteTree(folder);
    EXPECT_EQ(8u, ProgressCounters.position) << "a missing folder has no entries";
}

TEST_F(TreeWalks, CancelledWalksTouchNothing) {
    std::string src = dir_ / "src", dst = dir_ / "dst";
    MakeDirs(src);
    MakeDirs(dst);
    Shortcut(src + "\\a.lnk");
    CancelFlag.store(true);
    char source[PathBufferSize], destination[PathBufferSize];
    Buffer(source, src);
    Buffer(destination, dst);
    EXPECT_EQ(0u, MirrorTree(destination, source));
    EXPECT_EQ(dst, destination) << "returns before anything, even the backslash";
    EXPECT_FALSE(FileExists(dst + "\\a.lnk"));

    DeleteTree(source);
    EXPECT_TRUE(FileExists(src + "\\a.lnk"));
    CountTree(source);
    EXPECT_EQ(0u, ProgressCounters.total);
    EXPECT_EQ(0u, ProgressCounters.position);
}

// A link to a folder inside the tree is one entry: never entered, never emptied through.
TEST_F(TreeWalks, FolderLinksAreNeverEntered) {
    std::string outside = dir_ / "outside", empty = dir_ / "empty", root = dir_ / "mirror";
    MakeDirs(outside);
    MakeDirs(empty);
    MakeDirs(root);
    Shortcut(outside + "\\precious.lnk");
    Shortcut(root + "\\mine.lnk");
    ASSERT_TRUE(MakeUnixFolderLink(root + "\\link", outside));
    ASSERT_TRUE(MakeUnixFolderLink(root + "\\emptylink", empty));

    char folder[PathBufferSize];
    Buffer(folder, root);
    CountTree(folder);
    EXPECT_EQ(3u, ProgressCounters.total);

    std::string dst = dir_ / "dst";
    MakeDirs(dst);
    char destination[PathBufferSize];
    Buffer(destination, dst);
    EXPECT_EQ(1u, MirrorTree(destination, folder));
    EXPECT_FALSE(FileExists(dst + "\\link")) << "a linked source folder is skipped";

    DeleteTree(folder);
    EXPECT_EQ(6u, ProgressCounters.position);
    EXPECT_TRUE(FileExists(outside + "\\precious.lnk"));
    EXPECT_TRUE(FileExists(empty)) << "an empty target is not removed through its link";
    EXPECT_FALSE(FileExists(root + "\\mine.lnk"));
}

// A folder whose path with its backslash is longer than the search pattern keeps is not
// searched: the cut pattern would name the folder itself, and the walk would never end. A count
// needs no window, so this case runs without the fixture's.
TEST(TreeWalkLimits, FolderPastThePatternCutIsNotSearched) {
    TempDir dir("walks");
    std::string deep = dir.path() + "\\";
    deep += std::string(250 - deep.size(), 'd');
    ASSERT_TRUE(MakeDirs(deep));
    char folder[PathBufferSize];
    strcpy(folder, deep.c_str());
    CancelFlag.store(false);
    ProgressCounters = {};
    CountTree(folder);
    EXPECT_EQ(0u, ProgressCounters.total);
}

} // namespace
