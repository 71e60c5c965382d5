// End to end: the Links dialog of the real Tallowfin.exe, opened the way a first run opens it,
// over a profile with every kind of location: what the boxes show, and what Process writes,
// asks, keeps, deletes and reports.
#include "res/resource.h"
#include "tests/e2e/profile_case.h"
#include "tests/support/shortcut_fixture.h"

namespace {

const char OwnLinkName[] = "Tallowfin [Mistlebrookworks].lnk";
const char Title[] = "Tallowfin v1.7.6.0";
constexpr UINT RefreshLinks = 0x8002;

// The check boxes in the dialog's order.
const int BoxIds[] = {1202, 1203, 1205, 1204, 1218, 1207, 1208, 1210,
                      1209, 1216, 1211, 1213, 1214, 1212, 1215};

// One letter per box in the dialog's order: o enabled unchecked, x enabled checked,
// - disabled unchecked, + disabled checked.
std::string BoxStates(HWND dialog) {
    std::string states;
    for (int id : BoxIds) {
        LRESULT checked = 0;
        SendWithTimeout(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, AnswerBound, &checked);
        bool enabled = ControlEnabled(dialog, id);
        states += enabled ? (checked ? 'x' : 'o') : (checked ? '+' : '-');
    }
    return states;
}

// A folder under the profile whose full path has 240 characters, in parts of at most 60: with
// the name, its link path passes MAX_PATH.
std::string LongFolder(size_t rootLength) {
    std::string folder = "Common\\" + std::string(60, 'd') + "\\" + std::string(60, 'd') + "\\";
    return folder + std::string(240 - rootLength - folder.size(), 'd');
}

// A first run: the disclaimer and the prompt answered Yes. The dialog, once it has answered.
HWND OpenThroughFirstRun(TallowfinRun& run, const std::string& workingDir) {
    LaunchOptions options;
    options.workingDir = workingDir;
    options.termsAccepted = false;
    if (!run.Start(options))
        return nullptr;
    for (int box = 0; box < 2; ++box) {
        PressButton(run.WaitForMessageBox(StartBound), IDYES);
        WaitUntil([&] { return !run.FindMessageBox(); }, StartBound);
    }
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> dialogs = run.OtherDialogs();
            dialog = dialogs.empty() ? nullptr : dialogs[0];
            return dialog != nullptr;
        },
        StartBound);
    SendWithTimeout(dialog, WM_NULL, 0, 0, AnswerBound);
    return dialog;
}

// One Process over every kind of location: written, kept after No, deleted, rewritten, and
// failed twice (a folder gone since it was checked, a link path past MAX_PATH).
class LinksDialog : public ProfileCase {};

TEST_F(LinksDialog, ProcessMakesTheFoldersMatchTheBoxes) {
    profile_->MoveSlot(CommonDesktop, LongFolder(profile_->Root().size() + 1));
    ASSERT_TRUE(profile_->Point());
    profile_->RemoveValue(HKEY_LOCAL_MACHINE, "Startup");
    ASSERT_TRUE(RemoveTree(profile_->ValueFor(MachineDesktop)));
    auto LinkIn = [&](FolderSlot slot) {
        return profile_->SourceFolder(slot) + "\\" + OwnLinkName;
    };
    const std::string exe = TallowfinExe();
    ShortcutFields foreign, caseOnly, stale;
    foreign.path = "C:\\windows\\notepad.exe";
    caseOnly.path = exe;
    CharUpperA(&caseOnly.path[0]);
    stale.path = exe;
    stale.description = "an older description";
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(UserStartMenu), foreign));
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(MachineStartMenu), foreign));
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(UserPrograms), caseOnly));
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(CommonStartup), stale));
    // Wine saves to a path longer than MAX_PATH; the file functions still cannot open it.
    ASSERT_TRUE(CREATE_SHORTCUT(LinkIn(CommonDesktop), stale));
    std::string foreignBytes, bytes;
    ASSERT_TRUE(ReadTextFile(LinkIn(UserStartMenu), &foreignBytes));

    TallowfinRun run;
    HWND dialog = OpenThroughFirstRun(run, Cwd());
    ASSERT_NE(nullptr, dialog) << "no Links dialog after Yes on the prompt";
    EXPECT_EQ(nullptr, GetWindow(dialog, GW_OWNER));
    EXPECT_EQ(nullptr, run.FindMainWindow()) << "the dialog comes before the main window";
    EXPECT_EQ(std::string(Title) + " - Links - MISTLEBROOKWORKS", WindowText(dialog));
    EXPECT_EQ(Title, ControlText(dialog, IDC_LINKS_VERSION));
    SaveScreenshot("links-dialog-first-run", dialog);
    // Machine Desktop has no folder and Machine Startup no value. Only the stale shortcut to
    // this exe counts: not the foreign ones, the case-only one or the one past MAX_PATH.
    EXPECT_EQ("ooooo-oo-ooooxo", BoxStates(dialog));

    // A refresh sets every enabled box from the disk, and leaves a disabled one as it was.
    for (int id : {IDC_LINKS_MACHINE_QUICK_LAUNCH, IDC_LINKS_USER_DESKTOP,
                   IDC_LINKS_USER_START_MENU, IDC_LINKS_COMMON_DESKTOP}) {
        SendWithTimeout(GetDlgItem(dialog, id), BM_SETCHECK, BST_CHECKED, 0, AnswerBound);
        if (id == IDC_LINKS_MACHINE_QUICK_LAUNCH) {
            ASSERT_TRUE(RemoveTree(profile_->SourceFolder(MachineQuickLaunch)));
            ASSERT_TRUE(SendWithTimeout(dialog, RefreshLinks, 0, 0, AnswerBound));
            EXPECT_EQ("ooooo-oo-+oooxo", BoxStates(dialog)) << "disabled, and still checked";
        }
    }

    ASSERT_TRUE(PostCommand(dialog, IDC_LINKS_PROCESS));
    ANSWER_BOX(run, "Process the specified links?", BoxIcon::Question, dialog, IDYES);
    ANSWER_BOX(run,
               "The link '" + LinkIn(UserStartMenu) + "' already exists. It links to '" +
                   foreign.path + "'.\n\nOverwrite?",
               BoxIcon::Question, nullptr, IDNO);
    ANSWER_BOX(run,
               "'" + profile_->SourceFolder(MachineQuickLaunch) +
                   "' is not a valid directory name. [Create Link]",
               BoxIcon::Warning, dialog, IDOK);
    ANSWER_BOX(run, "Error creating link.", BoxIcon::Warning, nullptr, IDOK);
    ANSWER_BOX(run, "Error creating link.", BoxIcon::Warning, nullptr, IDOK);
    ANSWER_BOX(run, "Processing complete.", BoxIcon::Information, dialog, IDOK);
    SendWithTimeout(dialog, WM_NULL, 0, 0, AnswerBound);
    EXPECT_EQ(nullptr, run.FindMessageBox()) << "one closing message only";
    EXPECT_EQ("xoooo-oo-+oooxo", BoxStates(dialog));

    ShortcutFields written;
    written.path = exe;
    written.workingDir = BuildFolder();
    written.iconPath = exe;
    written.description = Title;
    CHECK_SHORTCUT(LinkIn(UserDesktop), written);
    CHECK_SHORTCUT(LinkIn(CommonStartup), written);
    ShortcutFields read;
    ASSERT_TRUE(ReadShortcut(LinkIn(UserDesktop), &read));
    EXPECT_EQ(exe, read.path) << "the exe's path exactly as the program knows it";
    ASSERT_TRUE(ReadTextFile(LinkIn(UserStartMenu), &bytes));
    EXPECT_EQ(foreignBytes, bytes) << "No must keep the foreign shortcut untouched";
    EXPECT_FALSE(FileExists(LinkIn(MachineStartMenu))) << "unchecked: deleted wherever it points";
    EXPECT_FALSE(FileExists(LinkIn(UserPrograms)));

    // Escape ends the dialog without a question; the first run then goes on to the main window.
    ASSERT_TRUE(PostCommand(dialog, IDCANCEL));
    EXPECT_TRUE(CloseAfterPass(run));
    EXPECT_FALSE(IsWindow(dialog));
}

} // namespace
