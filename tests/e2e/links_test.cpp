// End to end: the Links dialog of the real Tallowfin.exe, opened the way a first run opens it,
// over a profile with every kind of location: what the boxes show, and what Process writes,
// asks, keeps, deletes and reports.
#include <gtest/gtest.h>

#include <objbase.h>

#include <memory>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/profile.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

const char OwnLinkName[] = "Tallowfin [Mistlebrookworks].lnk";
const char Title[] = "Tallowfin v1.7.6.0";
constexpr UINT RefreshLinks = 0x8002;

// The check boxes in the dialog's order, with the slot each serves.
const struct {
    int id;
    FolderSlot slot;
} Boxes[] = {
    {1202, UserDesktop},    {1203, UserStartMenu},      {1205, UserPrograms},
    {1204, UserStartup},    {1218, UserQuickLaunch},    {1207, MachineDesktop},
    {1208, MachineStartMenu}, {1210, MachinePrograms},  {1209, MachineStartup},
    {1216, MachineQuickLaunch}, {1211, CommonDesktop},  {1213, CommonStartMenu},
    {1214, CommonPrograms}, {1212, CommonStartup},      {1215, CommonQuickLaunch},
};

// One letter per box in the dialog's order: o enabled unchecked, x enabled checked,
// - disabled unchecked, + disabled checked.
std::string BoxStates(HWND dialog) {
    std::string states;
    for (const auto& box : Boxes) {
        LRESULT checked = 0;
        SendWithTimeout(GetDlgItem(dialog, box.id), BM_GETCHECK, 0, 0, 5000, &checked);
        bool enabled = ControlEnabled(dialog, box.id);
        states += enabled ? (checked ? 'x' : 'o') : (checked ? '+' : '-');
    }
    return states;
}

void SetBox(HWND dialog, int id, bool checked) {
    SendWithTimeout(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED,
                    0, 5000);
}

// A folder under the profile whose full path has total characters, in parts of at most 60.
std::string LongFolder(size_t rootLength, size_t total) {
    std::string folder = "Common\\Long";
    size_t room = total - rootLength - folder.size();
    for (; room >= 62; room -= 61)
        folder += "\\" + std::string(60, 'd');
    if (room >= 2)
        folder += "\\" + std::string(room - 1, 'd');
    else if (room == 1)
        folder += "d";
    return folder;
}

// The dialog has answered everything sent or posted to it so far.
void Settle(HWND dialog) {
    SendWithTimeout(dialog, WM_NULL, 0, 0, 10000);
}

class LinksDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        work_ = std::make_unique<TempDir>("tallowfin-links");
        profile_ = std::make_unique<TestProfile>(*work_ / "profile");
        // A Common Desktop folder of 250 characters: with the name its link path passes
        // MAX_PATH, which the registry value itself does not.
        profile_->MoveSlot(CommonDesktop, LongFolder(profile_->Root().size() + 1, 250));
        ASSERT_TRUE(profile_->Point());
        profile_->RemoveValue(HKEY_LOCAL_MACHINE, "Startup");
        ASSERT_TRUE(RemoveTree(profile_->ValueFor(MachineDesktop)));
        MakeDirs(*work_ / "cwd");
    }

    void TearDown() override {
        profile_.reset();
        work_.reset();
        CoUninitialize();
    }

    std::string LinkIn(FolderSlot slot) const {
        return profile_->SourceFolder(slot) + "\\" + OwnLinkName;
    }

    // A first run: the disclaimer and the prompt answered Yes. The dialog, once filled.
    HWND OpenThroughFirstRun(TallowfinRun& run) {
        LaunchOptions options;
        options.workingDir = *work_ / "cwd";
        options.termsAccepted = false;
        if (!run.Start(options))
            return nullptr;
        run.WaitForMessageBox(StartBound);
        PressButton(run.FindMessageBox(), IDYES);
        WaitUntil([&] { return !run.FindMessageBox(); }, StartBound);
        run.WaitForMessageBox(StartBound);
        PressButton(run.FindMessageBox(), IDYES);
        HWND dialog = nullptr;
        WaitUntil(
            [&] {
                std::vector<HWND> dialogs = run.OtherDialogs();
                dialog = dialogs.empty() ? nullptr : dialogs[0];
                return dialog != nullptr;
            },
            StartBound);
        if (dialog)
            Settle(dialog);
        return dialog;
    }

    std::unique_ptr<TempDir> work_;
    std::unique_ptr<TestProfile> profile_;
};

TEST_F(LinksDialog, ProcessMakesTheFoldersMatchTheBoxes) {
    const std::string exe = TallowfinExe();
    const std::string exeFolder = BuildFolder();
    std::string upperExe = exe;
    CharUpperA(&upperExe[0]);
    ShortcutFields foreign;
    foreign.path = "C:\\windows\\notepad.exe";
    ShortcutFields caseOnly;
    caseOnly.path = upperExe;
    ShortcutFields stale;
    stale.path = exe;
    stale.description = "an older description";
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(UserStartMenu), foreign));
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(UserPrograms), caseOnly));
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(CommonStartup), stale));
    // Wine saves to a path longer than MAX_PATH; the file functions still cannot open it.
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(CommonDesktop), stale));
    std::string foreignBytes;
    ASSERT_TRUE(ReadTextFile(LinkIn(UserStartMenu), &foreignBytes));

    TallowfinRun run;
    HWND dialog = OpenThroughFirstRun(run);
    ASSERT_NE(nullptr, dialog) << "no Links dialog after Yes on the prompt";
    EXPECT_EQ(nullptr, GetWindow(dialog, GW_OWNER));
    EXPECT_EQ(nullptr, run.FindMainWindow()) << "the dialog comes before the main window";
    EXPECT_EQ(std::string(Title) + " - Links - MISTLEBROOKWORKS", WindowText(dialog));
    EXPECT_EQ(Title, ControlText(dialog, IDC_LINKS_VERSION));
    SaveScreenshot("links-dialog-first-run", dialog);
    // Machine Desktop has no folder and Machine Startup no value: disabled. The foreign, the
    // case-only and the too-long shortcuts do not count; the stale one to this exe does.
    EXPECT_EQ("ooooo-oo-oooo" "xo", BoxStates(dialog));

    // First Process: write on the User Desktop, keep the foreign shortcut, fail on the long path,
    // rewrite the stale one, delete the case-only one.
    SetBox(dialog, IDC_LINKS_USER_DESKTOP, true);
    SetBox(dialog, IDC_LINKS_USER_START_MENU, true);
    SetBox(dialog, IDC_LINKS_COMMON_DESKTOP, true);
    ASSERT_TRUE(PostCommand(dialog, IDC_LINKS_PROCESS));
    ANSWER_BOX(run, "Process the specified links?", BoxIcon::Question, dialog, IDYES);
    ANSWER_BOX(run,
               "The link '" + LinkIn(UserStartMenu) + "' already exists. It links to '" +
                   foreign.path + "'.\n\nOverwrite?",
               BoxIcon::Question, nullptr, IDNO);
    ANSWER_BOX(run, "Error creating link.", BoxIcon::Warning, nullptr, IDOK);
    ANSWER_BOX(run, "Processing complete.", BoxIcon::Information, dialog, IDOK);
    Settle(dialog);
    EXPECT_EQ(nullptr, run.FindMessageBox()) << "one closing message only";
    EXPECT_EQ("xoooo-oo-oooo" "xo", BoxStates(dialog));

    ShortcutFields written;
    written.path = exe;
    written.workingDir = exeFolder;
    written.iconPath = exe;
    written.iconIndex = 0;
    written.description = Title;
    CHECK_SHORTCUT(LinkIn(UserDesktop), written);
    CHECK_SHORTCUT(LinkIn(CommonStartup), written);
    ShortcutFields read;
    ASSERT_TRUE(ReadShortcut(LinkIn(UserDesktop), &read));
    EXPECT_EQ(exe, read.path) << "the exe's path exactly as the program knows it";
    std::string bytes;
    ASSERT_TRUE(ReadTextFile(LinkIn(UserStartMenu), &bytes));
    EXPECT_EQ(foreignBytes, bytes) << "No must keep the foreign shortcut untouched";
    EXPECT_FALSE(FileExists(LinkIn(UserPrograms))) << "an unchecked box deletes whatever is there";

    // Second Process: a checked location whose folder went away, seen disabled by a refresh,
    // still gets its attempt; the foreign shortcut, now unchecked, goes.
    SetBox(dialog, IDC_LINKS_MACHINE_QUICK_LAUNCH, true);
    ASSERT_TRUE(RemoveTree(profile_->SourceFolder(MachineQuickLaunch)));
    ASSERT_TRUE(SendWithTimeout(dialog, RefreshLinks, 0, 0, 10000));
    EXPECT_EQ("xoooo-oo-+oooxo", BoxStates(dialog));
    ASSERT_TRUE(PostCommand(dialog, IDC_LINKS_PROCESS));
    ANSWER_BOX(run, "Process the specified links?", BoxIcon::Question, dialog, IDYES);
    ANSWER_BOX(run,
               "'" + profile_->SourceFolder(MachineQuickLaunch) +
                   "' is not a valid directory name. [Create Link]",
               BoxIcon::Warning, dialog, IDOK);
    ANSWER_BOX(run, "Error creating link.", BoxIcon::Warning, nullptr, IDOK);
    ANSWER_BOX(run, "Processing complete.", BoxIcon::Information, dialog, IDOK);
    Settle(dialog);
    EXPECT_FALSE(FileExists(LinkIn(UserStartMenu)));
    EXPECT_TRUE(FileExists(LinkIn(UserDesktop)));

    // Escape ends the dialog without a question; the first run then goes on to the main window.
    ASSERT_TRUE(PostCommand(dialog, IDCANCEL));
    HWND window = run.WaitForMainWindow(StartBound);
    ASSERT_NE(nullptr, window);
    EXPECT_FALSE(IsWindow(dialog));
    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    DWORD code = 0;
    ASSERT_TRUE(run.WaitForExit(30000, &code));
    EXPECT_EQ(1u, code);
}

} // namespace
