// End to end, for the 64-bit build only: it reads shortcuts as 64-bit Explorer does, and does
// for its log and terms file what file virtualization (which Wine lacks) does for the 32-bit one.
#include "tests/e2e/profile_case.h"
#include "tests/support/shortcut_fixture.h"

namespace {

class Build64 : public ProfileCase {
  protected:
    void SetUp() override {
        DWORD kind = 0;
        if (!GetBinaryTypeA(TallowfinExe().c_str(), &kind) || kind != SCS_64BIT_BINARY)
            GTEST_SKIP() << TallowfinExe() << " is no 64-bit build";
        ProfileCase::SetUp();
    }
};

// A shortcut to a tool in 64-bit system32 alone (this 64-bit test program stands in for it) is
// mirrored and logged with its System32 path. Folders in the log's place and, under ProgramData,
// in the terms file's refuse writes even to root: both files go to the VirtualStore, and the next
// start uses the copies there.
TEST_F(Build64, System32ShortcutIsMirroredAndRefusedLogAndTermsGoToTheVirtualStore) {
    const std::string tool = "C:\\windows\\system32\\tallowfin_only64.exe";
    char self[MAX_PATH];
    ASSERT_TRUE(sizeof(void*) == 8 && GetModuleFileNameA(nullptr, self, MAX_PATH) < MAX_PATH);
    ASSERT_TRUE(CopyFileA(self, tool.c_str(), FALSE));
    std::unique_ptr<const char, decltype(&DeleteFileA)> remover(tool.c_str(), DeleteFileA);
    ASSERT_FALSE(FileExists("C:\\windows\\syswow64\\tallowfin_only64.exe"));
    ShortcutSpec shortcut = ShortcutTo(tool);
    shortcut.iconPath = tool;
    ASSERT_TRUE(profile_->AddShortcut(UserPrograms, "Tools\\Only 64.lnk", shortcut));
    ASSERT_TRUE(profile_->Point());
    TempDir local("local"), cwd("cwd"); // cwd only for a unique name under ProgramData
    LaunchOptions options = Launch();
    options.workingDir = "C:\\ProgramData" + cwd.path().substr(cwd.path().rfind('\\'));
    options.termsAccepted = false;
    options.env = {{"LOCALAPPDATA", local.path()}};
    std::unique_ptr<const char, decltype(&RemoveDirectoryA)> logFolder(LogPath, RemoveDirectoryA);
    DeleteFileA(LogPath);
    ASSERT_TRUE(CreateDirectoryA(LogPath, nullptr));
    ASSERT_TRUE(MakeDirs(options.workingDir + "\\" + TermsFileName));
    auto watch = Watch();
    for (bool firstStart : {true, false}) {
        TallowfinRun run;
        ASSERT_TRUE(run.Start(options));
        HWND box = firstStart ? run.WaitForMessageBox(StartBound) : nullptr;
        ASSERT_TRUE(!firstStart || PressButton(box, IDYES)) << "the disclaimer";
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, AnswerBound));
        if (firstStart)
            ANSWER_BOX(run,
                       "This is the first time you have run this version of this application."
                       "\n\nCreate links/shortcuts to Tallowfin v1.7.6.0?",
                       BoxIcon::Question, nullptr, IDNO);
        EXPECT_TRUE(CloseAfterPass(run)) << "no pass, or a box on the way; first: " << firstStart;
        std::string text, store = local / "VirtualStore";
        EXPECT_TRUE(
            ReadTextFile(store + options.workingDir.substr(2) + "\\" + TermsFileName, &text));
        EXPECT_EQ(AcceptanceLine, text);
        EXPECT_TRUE(ReadTextFile(store + "\\windows\\TallowfinLog.txt", &text));
        EXPECT_EQ(tool + "\r\n" + tool + "\r\n", text);
        // Once a copy is in the store, it is used even where the real place would take the file.
        RemoveDirectoryA(LogPath);
    }
    ShortcutFields copy;
    EXPECT_TRUE(ReadShortcut(profile_->MirrorRoot() + "\\Tools\\Only 64.lnk", &copy));
    EXPECT_EQ(tool, copy.path);
    EXPECT_FALSE(FileExists(LogPath));
    EXPECT_TRUE(RemoveTree(options.workingDir));
    EXPECT_TRUE(watch->OnlyMirrorChanged());
}

} // namespace
