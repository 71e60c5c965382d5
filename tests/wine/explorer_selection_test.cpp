// The selection reader against stand-ins for the shell's window list and an Explorer window with
// two tabs (tests/wine/stand_in_shell.c), and against Wine's own list, which reads nothing.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "menu/explorer_selection.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/wine/stand_in_shell.h"

namespace {

std::vector<std::wstring> Paths(const ExplorerSelection& selection) {
    std::vector<std::wstring> paths;
    for (const wchar_t* path = selection.text; int(paths.size()) < selection.fileCount;
         path += paths.back().size() + 1)
        paths.push_back(path);
    return paths;
}

// A selection of the given files and, when given, the shell folder without a file-system path.
IShellItemArray* Selection(const std::vector<std::wstring>& files, int shellFolder = -1) {
    std::vector<PIDLIST_ABSOLUTE> items(files.size());
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(SHParseDisplayName(files[i].c_str(), nullptr, &items[i], 0, nullptr), S_OK);
    if (shellFolder >= 0) {
        items.push_back(nullptr);
        EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, shellFolder, &items.back()), S_OK);
    }
    IShellItemArray* array = nullptr;
    EXPECT_EQ(SHCreateShellItemArrayFromIDLists(
                  UINT(items.size()), const_cast<PCIDLIST_ABSOLUTE*>(items.data()), &array),
              S_OK);
    for (PIDLIST_ABSOLUTE item : items)
        CoTaskMemFree(item);
    return array;
}

class ExplorerSelectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = CreateWindowExW(0, L"STATIC", L"Folder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  300, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        for (HWND& tab : tabs_) {
            tab = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 100, 100, window_, nullptr,
                                  nullptr, nullptr);
            ASSERT_NE(tab, nullptr);
        }
        ShowWindow(tabs_[1], SW_SHOW); // the active tab
    }
    void TearDown() override { DestroyWindow(window_); }

    std::wstring File(const char* name) {
        EXPECT_TRUE(WriteTextFile(dir_ / name, ""));
        std::string path = dir_ / name;
        return std::wstring(path.begin(), path.end());
    }

    ComApartment com_;
    TempDir dir_;
    HWND window_ = nullptr;
    HWND tabs_[2] = {};
};

// Two tabs of one window: the hidden one first in the list, the visible one with two files and
// Control Panel, which has no file-system path. Another window in the foreground reads nothing.
TEST_F(ExplorerSelectionTest, TheForegroundWindowsActiveTabGivesItsFilesAlone) {
    const std::vector<std::wstring> files = {File("report.txt"), File("two words.txt")};
    StandInTab tabs[] = {{tabs_[0], Selection({File("other tab.txt")})},
                         {tabs_[1], Selection(files, CSIDL_CONTROLS)}};
    IShellWindows* list = CreateStandInList(window_, tabs, 2, FALSE);
    ASSERT_NE(list, nullptr);
    static ExplorerSelection selection;
    ASSERT_TRUE(ReadExplorerSelection(list, window_, &selection));
    EXPECT_EQ(Paths(selection), files);
    EXPECT_EQ(selection.leftOutCount, 1);
    EXPECT_FALSE(selection.overflow);

    ASSERT_TRUE(ReadExplorerSelection(list, tabs_[1], &selection));
    EXPECT_EQ(selection.fileCount + selection.leftOutCount, 0);
}

// A list that never answers is given up after the limit; Wine's own list, with a folder window
// or the Desktop in the foreground, reads nothing and does not hang.
TEST_F(ExplorerSelectionTest, NoAnswerInTimeAndWinesOwnListGiveNoFiles) {
    IShellWindows* hung = CreateStandInList(window_, nullptr, 0, TRUE);
    ASSERT_NE(hung, nullptr);
    static ExplorerSelection selection;
    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(ReadExplorerSelection(hung, window_, &selection));
    ULONGLONG took = GetTickCount64() - start;
    EXPECT_EQ(selection.fileCount, 0);
    EXPECT_GE(took, SelectionTimeLimit - 20);
    EXPECT_LT(took, SelectionTimeLimit + 3000);
    printf("[ figures  ] given up after %llu ms\n", took);

    for (HWND foreground : {window_, GetShellWindow()}) {
        start = GetTickCount64();
        bool answered = ReadExplorerSelection(nullptr, foreground, &selection);
        took = GetTickCount64() - start;
        EXPECT_EQ(selection.fileCount, 0);
        EXPECT_LT(took, SelectionTimeLimit + 3000);
        printf("[ figures  ] Wine's list: %s in %llu ms\n", answered ? "answered" : "no answer",
               took);
    }
}

} // namespace
