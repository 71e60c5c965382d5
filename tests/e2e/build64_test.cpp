// End to end, for the 64-bit build only: it reads shortcuts as 64-bit Explorer does, and it
// does for its log and its terms file what the system's file virtualization does for the
// 32-bit build, which Wine does not virtualize.
#include "tests/e2e/profile_case.h"
#include "tests/support/shortcut_fixture.h"

namespace {

const char FirstRunPrompt[] = "This is the first time you have run this version of this "
                              "application.\n\nCreate links/shortcuts to Tallowfin v1.7.6.0?";

class Build64 : public ProfileCase {
  protected:
    void SetUp() override {
        DWORD kind = 0;
        if (!GetBinaryTypeA(TallowfinExe().c_str(), &kind) || kind != SCS_64BIT_BINARY)
            GTEST_SKIP() << TallowfinExe() << " is no 64-bit build";
        ProfileCase::SetUp();
    }
};

// The test program, a 64-bit one, stands in for a tool that exists in 64-bit system32 alone,
// and makes the shortcut as a 64-bit installer would.
TEST_F(Build64, ShortcutToA64BitOnlyProgramIsMirroredAndLoggedAsSystem32) {
    if (sizeof(void*) != 8)
        GTEST_SKIP() << "needs a 64-bit test program";
    const std::string tool = "C:\\windows\\system32\\tallowfin_only64.exe";
    char self[MAX_PATH];
    ASSERT_TRUE(GetModuleFileNameA(nullptr, self, MAX_PATH) < MAX_PATH);
    ASSERT_TRUE(CopyFileA(self, tool.c_str(), FALSE));
    struct ToolRemover {
        std::string path;
        ~ToolRemover() { DeleteFileA(path.c_str()); }
    } remover{tool};
    ASSERT_FALSE(FileExists("C:\\windows\\syswow64\\tallowfin_only64.exe"));
    ShortcutSpec spec = ShortcutTo(tool);
    spec.iconPath = tool;
    ASSERT_TRUE(profile_->AddShortcut(UserPrograms, "System Tools\\Only 64.lnk", spec));
    ASSERT_TRUE(profile_->Point());
    auto watch = Watch();

    TallowfinRun run;
    ASSERT_TRUE(run.Start(Launch()));
    EXPECT_TRUE(CloseAfterPass(run));
    ShortcutFields copy;
    ASSERT_TRUE(ReadShortcut(profile_->MirrorRoot() + "\\System Tools\\Only 64.lnk", &copy));
    EXPECT_EQ(tool, copy.path);
    EXPECT_EQ((std::vector<std::string>{tool, tool}), LogLines());
    EXPECT_TRUE(watch->OnlyMirrorChanged());
}

// The log's name in the Windows directory and the terms file's in a working folder under
// ProgramData are folders, which refuse a write even to root: both files go to the same paths
// under the VirtualStore, and the next start reads its terms from there.
TEST_F(Build64, RefusedLogAndTermsGoToTheVirtualStore) {
    ASSERT_TRUE(
        profile_->AddShortcut(UserDesktop, "Notepad.lnk", ShortcutTo("C:\\windows\\notepad.exe")));
    ASSERT_TRUE(profile_->Point());
    TempDir local("local");
    const std::string protectedCwd =
        "C:\\ProgramData\\Tallowfin e2e " + std::to_string(GetCurrentProcessId());
    struct Cleanup {
        std::string cwd;
        ~Cleanup() {
            RemoveDirectoryA(LogPath);
            RemoveTree(cwd);
        }
    } cleanup{protectedCwd};
    DeleteFileA(LogPath);
    ASSERT_TRUE(CreateDirectoryA(LogPath, nullptr));
    ASSERT_TRUE(MakeDirs(protectedCwd + "\\" + TermsFileName));
    LaunchOptions options = Launch();
    options.workingDir = protectedCwd;
    options.termsAccepted = false;
    options.env = {{"LOCALAPPDATA", local.path()}};
    const std::string store = local / "VirtualStore";
    const std::string storedTerms = store + protectedCwd.substr(2) + "\\" + TermsFileName;
    auto watch = Watch();
    for (bool firstStart : {true, false}) {
        SCOPED_TRACE(firstStart ? "first start" : "terms on file in the store");
        TallowfinRun run;
        ASSERT_TRUE(run.Start(options));
        if (firstStart) {
            HWND box = run.WaitForMessageBox(StartBound);
            ASSERT_NE(nullptr, box);
            ASSERT_TRUE(PressButton(box, IDYES)) << "the disclaimer";
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, AnswerBound));
            ANSWER_BOX(run, FirstRunPrompt, BoxIcon::Question, nullptr, IDNO);
        }
        EXPECT_TRUE(CloseAfterPass(run)) << "no pass, or a box on the way";
        std::string text;
        EXPECT_TRUE(ReadTextFile(storedTerms, &text) && text == AcceptanceLine) << text;
        EXPECT_TRUE(ReadTextFile(store + "\\windows\\TallowfinLog.txt", &text));
        EXPECT_EQ("C:\\windows\\notepad.exe\r\nC:\\windows\\notepad.exe\r\n", text);
        EXPECT_TRUE(FileExists(profile_->MirrorRoot() + "\\Tallowfin Desktop\\Notepad.lnk"));
    }
    EXPECT_TRUE(watch->OnlyMirrorChanged());
}

} // namespace
