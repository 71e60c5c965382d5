// End to end: the Options dialog of the real Tallowfin.exe: its fields and keys, the product
// page through the referrer page and a stand-in browser, Explorer beside planted namesakes,
// Uninstall in the middle of a long pass, and Exit.
#include <cstdio>
#include <memory>

#include "dialogs/donation_text.h"
#include "dialogs/referrer_text.h"
#include "base/window_geometry.h"
#include "res/resource.h"
#include "tests/e2e/profile_case.h"
#include "tests/e2e/stand_in_browser.h"

namespace {

const char OptionsTitle[] = "Tallowfin v1.7.6.0 - Options - MISTLEBROOKWORKS";
const char Site[] = "http://www.mistlebrookworks.example/software/tallowfin";
const char DonateTitle[] = "Tallowfin v1.7.6.0 - Donate - MISTLEBROOKWORKS";

bool MenuIsOpen(const TallowfinRun& run) {
    for (HWND window : run.Windows())
        if (ClassName(window) == "#32768" && IsWindowVisible(window))
            return true;
    return false;
}

// The edit control holds the whole text, all of it selected.
void ExpectWholeTextSelected(HWND dialog, int id, const std::string& text) {
    EXPECT_EQ(text, ControlText(dialog, id));
    LRESULT selection = 0;
    ASSERT_TRUE(SendWithTimeout(GetDlgItem(dialog, id), EM_GETSEL, 0, 0, AnswerBound, &selection));
    EXPECT_EQ(0, LOWORD(selection));
    EXPECT_EQ(text.size(), HIWORD(selection));
}

POINT Centre(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Options : public ProfileCase {
  protected:
    void SetUp() override {
        ProfileCase::SetUp();
        web_ = std::make_unique<TempDir>("tallowfin-web");
    }

    void TearDown() override {
        web_.reset();
        ProfileCase::TearDown();
    }

    LaunchOptions Launch() const {
        LaunchOptions options = ProfileCase::Launch();
        options.env = {
            {"TEMP", *web_ / "temp"}, {"TMP", *web_ / "tmp"}, {"TALLOWFIN_OPEN_RECORD", Record()}};
        return options;
    }
    std::string Record() const { return *web_ / "opened.txt"; }

    // Presses button id of from and waits for the dialog titled title; null when none came.
    static HWND OpenDialog(TallowfinRun& run, HWND from, int id, const char* title) {
        HWND opened = nullptr;
        PressButton(from, id);
        WaitUntil(
            [&] {
                for (HWND dialog : run.OtherDialogs())
                    if (WindowText(dialog) == title)
                        opened = dialog;
                return opened != nullptr;
            },
            StartBound);
        // Shown while it initialises: once a message is answered, its fields are filled.
        SendWithTimeout(opened, WM_NULL, 0, 0, AnswerBound);
        return opened;
    }
    static HWND OpenOptions(TallowfinRun& run, HWND window) {
        return OpenDialog(run, window, IDC_MAIN_OPTIONS, OptionsTitle);
    }

    // Starts the program and opens the Options dialog once the worker has ended.
    void StartWithOptions(TallowfinRun& run, const LaunchOptions& options, HWND* window,
                          HWND* dialog) {
        ASSERT_TRUE(profile_->Point());
        ASSERT_TRUE(run.Start(options));
        *window = run.WaitForMainWindow(StartBound);
        ASSERT_NE(nullptr, *window);
        ASSERT_TRUE(WaitForWorkerEnd(run));
        *dialog = OpenOptions(run, *window);
        ASSERT_NE(nullptr, *dialog);
    }

    std::unique_ptr<TempDir> web_;
};

// One run from a copy of the program that sits beside a planted Explorer.exe, with another in
// its working folder: the dialog's fields, Uninstall declined, the product page, Explorer, the
// Escape key and the close box, and the end without the linger.
TEST_F(Options, FieldsPageExplorerKeysAndTheEndWithoutLinger) {
    ASSERT_TRUE(
        profile_->AddShortcut(UserPrograms, "Notepad.lnk", ShortcutTo("C:\\windows\\notepad.exe")));
    ASSERT_TRUE(profile_->Point());
    std::string app = *work_ / "app";
    MakeDirs(app);
    MakeDirs(*web_ / "temp");
    MakeDirs(*web_ / "tmp");
    std::string recorder = BuildFile("open_recorder.exe");
    ASSERT_TRUE(CopyFileA(TallowfinExe().c_str(), (app + "\\Tallowfin.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(recorder.c_str(), (app + "\\Explorer.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(recorder.c_str(), (*work_ / "cwd\\Explorer.exe").c_str(), FALSE));
    StandInBrowser browser;

    TallowfinRun run;
    LaunchOptions options = Launch();
    options.exe = app + "\\Tallowfin.exe";
    ASSERT_TRUE(run.Start(options));
    HWND window = run.WaitForMainWindow(StartBound);
    ASSERT_NE(nullptr, window);
    // Centred over the main window, the dialog stays clear of the screen's centre, where the
    // boxes open: in Wine's virtual desktop a window over this dialog is captured black.
    RECT main = {};
    GetWindowRect(window, &main);
    ASSERT_TRUE(MoveWindowTo(window, 209 - (main.right - main.left) / 2, 350));
    ASSERT_TRUE(WaitForWorkerEnd(run));
    auto watch = Watch();

    HWND dialog = OpenOptions(run, window);
    ASSERT_NE(nullptr, dialog) << "no Options dialog";
    EXPECT_EQ(OptionsTitle, WindowText(dialog));
    POINT mine = Centre(dialog), owners = Centre(window);
    EXPECT_NEAR(owners.x, mine.x, 1);
    EXPECT_NEAR(owners.y, mine.y, 1);
    ExpectWholeTextSelected(dialog, IDC_OPTIONS_SITE, Site);
    EXPECT_EQ("Tallowfin v1.7.6.0", ControlText(dialog, IDC_OPTIONS_VERSION));
    EXPECT_EQ(0u, ControlText(dialog, IDC_OPTIONS_COPYRIGHT).find("Copyright"));
    SaveScreenshot("options-dialog", dialog);
    // The Common menu dropped down for a picture: the menu bar has no mnemonics, so the keys
    // walk to it. Escape twice leaves the menu again.
    PostMessageA(dialog, WM_SYSCOMMAND, SC_KEYMENU, 0);
    for (WPARAM key : {VK_RIGHT, VK_RIGHT, VK_DOWN})
        PostMessageA(dialog, WM_KEYDOWN, key, 0);
    if (WaitUntil([&] { return MenuIsOpen(run); }, StartBound)) {
        Sleep(500); // the menu's own window paints after it shows
        SaveScreenshot("options-menu-common", dialog);
    }
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !MenuIsOpen(run); }, StartBound));

    PostCommand(dialog, IDM_OPTIONS_UNINSTALL);
    HWND box = run.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box);
    EXPECT_BOX(run, box, "Uninstall Tallowfin.\n\nAre You Sure?", BoxIcon::Warning, dialog,
               {IDYES, IDNO});
    SaveScreenshot("options-uninstall-question", box);
    PressButton(box, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !run.FindMessageBox(); }, StartBound));
    EXPECT_TRUE(watch->OnlySettingsChanged()) << "after No";

    PressButton(dialog, IDC_OPTIONS_VISIT);
    box = run.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box);
    EXPECT_BOX(run, box, "Visit the Tallowfin internet site?", BoxIcon::Question, dialog,
               {IDYES, IDNO});
    PressButton(box, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !Recorded(Record()).empty(); }, StartBound))
        << "the browser was not started";
    char name[PathBufferSize], text[ReferrerPageSize];
    BuildReferrerPageName(name);
    std::string page = *web_ / "temp\\" + name;
    ASSERT_TRUE(FormatReferrerPage(text, sizeof text, Site));
    std::string expected, written;
    for (const char* c = text; *c; ++c)
        expected += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
    ASSERT_TRUE(ReadTextFile(page, &written)) << page;
    EXPECT_EQ(expected, written) << "CR LF on disk, nothing after the last line";
    std::vector<std::string> opened = Recorded(Record());
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(0u, opened[0].find(recorder + "\t")) << opened[0];
    EXPECT_NE(std::string::npos, opened[0].find("\"" + page + "\"")) << opened[0];

    // Explorer opens the program's folder with the program selected; neither namesake starts.
    PostCommand(dialog, IDM_OPTIONS_EXPLORE);
    HWND explorer = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] { return (explorer = FindWindowExA(nullptr, nullptr, "ExplorerWClass", "app")); },
        StartBound))
        << "the system's Explorer did not open the program's folder";
    Sleep(500);
    EXPECT_EQ(1u, Recorded(Record()).size()) << Recorded(Record()).back();
    if (explorer)
        PostMessageA(explorer, WM_CLOSE, 0, 0);

    // Escape is ignored; the close box ends the dialog, and the run at the next tick.
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(SendWithTimeout(dialog, WM_NULL, 0, 0, AnswerBound));
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape closed the dialog";

    // Links from the menu: its own title, centred over this dialog and kept on the work area.
    HWND links =
        OpenDialog(run, dialog, IDM_OPTIONS_LINKS, "Tallowfin v1.7.6.0 - Links - MISTLEBROOKWORKS");
    ASSERT_NE(nullptr, links) << "no Links dialog";
    RECT placed = {};
    GetWindowRect(links, &placed);
    POINT over = Centre(dialog);
    int width = placed.right - placed.left, height = placed.bottom - placed.top;
    EXPECT_EQ(KeepInsideSpan(over.x - width / 2, width, 0, 1024), placed.left);
    EXPECT_EQ(KeepInsideSpan(over.y - height / 2, height, 0, 768), placed.top);
    SaveScreenshot("links-dialog", links);
    PostMessageA(links, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(links); }, StartBound));

    double closedAt = NowMs();
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(window, IDC_MAIN_OPTIONS) == "Exiting..."; },
                          EndBound, 5));
    double quitAfter = NowMs() - closedAt;
    printf("[ figures  ] dialog closed to \"Exiting...\": %.0f ms\n", quitAfter);
    // The linger alone would take five seconds from the close.
    EXPECT_LT(quitAfter, 5000) << "waited for the linger";
    EXPECT_RUN_ENDS_WITH(run, 1);
}

// Uninstall while the worker is still copying: it stops, the whole mirror goes, copied part
// included, and the run then ends through Exit without saving its position: the settings key
// is gone, its parent stays. The stop is shown by what the pass made after Yes: its log holds
// two lines per shortcut copied.
TEST_F(Options, UninstallDuringALongPassRemovesTheMirrorAndTheSettingsKey) {
    ASSERT_NO_FATAL_FAILURE(BuildLongProfile());
    auto watch = Watch();

    TallowfinRun run;
    ASSERT_TRUE(run.Start(Launch()));
    HWND window = run.WaitForMainWindow(StartBound);
    ASSERT_NE(nullptr, window);
    ProgressState state;
    ASSERT_TRUE(WaitForPassPast(window, 100, &state));
    HWND dialog = OpenOptions(run, window);
    ASSERT_NE(nullptr, dialog);
    PostCommand(dialog, IDM_OPTIONS_UNINSTALL);
    HWND box = run.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box);
    double ended = 0;
    EXPECT_FALSE(run.WorkerEndedAtMs(&ended)) << "the pass ended before Uninstall";
    size_t copied = TreeListing(profile_->MirrorRoot()).size();
    EXPECT_GT(copied, 0u);
    double yesAt = NowMs();
    size_t loggedAtYes = LogLines().size();
    PressButton(box, IDYES);

    HWND question = box;
    ASSERT_TRUE(WaitUntil(
        [&] { return (box = run.FindMessageBox()) && box != question && IsWindowVisible(box); },
        StartBound));
    ASSERT_TRUE(run.WorkerEndedAtMs(&ended));
    size_t afterYes = (LogLines().size() - loggedAtYes) / 2, rest = 1800 - loggedAtYes / 2;
    printf("[ figures  ] Uninstall at step %d of %d, %u mirror entries made; the worker ended "
           "%.0f ms after Yes, having copied %u of the %u shortcuts left\n",
           state.position, state.high, static_cast<unsigned>(copied), ended - yesAt,
           static_cast<unsigned>(afterYes), static_cast<unsigned>(rest));
    EXPECT_LT(afterYes, rest / 2) << "the pass was not stopped";
    SaveScreenshot("options-uninstalled", box);
    EXPECT_BOX(run, box, "Tallowfin has been uninstalled.", BoxIcon::Information, dialog, {IDOK});
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(profile_->MirrorRoot().c_str()));
    PressButton(box, IDOK);

    PostCommand(dialog, IDM_OPTIONS_EXIT);
    EXPECT_RUN_ENDS_WITH(run, 1);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SettingsKey));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, VendorKey));
    EXPECT_TRUE(watch->OnlyMirrorChanged());
    EXPECT_TRUE(Recorded(Record()).empty());
}

// The Donate dialog: the address to copy, the picture button's notice and the page in the
// stand-in browser, the keys that do not close it, and one bitmap per opening, deleted at close.
TEST_F(Options, DonateShowsOpensAndFreesItsPicture) {
    MakeDirs(*web_ / "temp");
    StandInBrowser browser;
    TallowfinRun run;
    HWND window = nullptr, options = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartWithOptions(run, Launch(), &window, &options));
    HWND donate = OpenDialog(run, options, IDC_OPTIONS_DONATE, DonateTitle);
    ASSERT_NE(nullptr, donate) << "no Donate dialog";
    ExpectWholeTextSelected(donate, IDC_DONATE_ADDRESS, DonationAddress);
    SaveScreenshot("donate-dialog", donate);
    ProbeShared facts;
    ASSERT_TRUE(run.Probe(donate, &facts, IDC_DONATE_BUTTON));
    HGDIOBJ picture = facts.controlImage;
    ASSERT_TRUE(run.Probe(donate, &facts, 0, picture));
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), facts.objectType) << "the button shows no picture";

    PostMessageA(donate, WM_KEYDOWN, VK_ESCAPE, 0);
    PostCommand(donate, IDOK);
    ASSERT_TRUE(SendWithTimeout(donate, WM_NULL, 0, 0, AnswerBound));
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(donate)) << "Escape or Enter closed the dialog";

    PressButton(donate, IDC_DONATE_BUTTON);
    HWND box = run.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box);
    std::string notice =
        std::string("The donation URL...\n\n'") + DonationAddress +
        "'\n\n... for this software...\n\n'Tallowfin v1.7.6.0'\n\n...has been *checked* for "
        "correctness (It is possible that the URL has been altered by a third party; always "
        "check a important URL begins with a known domain).\n\nFor better security, please use "
        "the donate button that can be found on http://www.mistlebrookworks.example/ internet "
        "pages.";
    EXPECT_BOX(run, box, notice, BoxIcon::Information, donate, {IDOK});
    EXPECT_TRUE(Recorded(Record()).empty()) << "opened before the notice was read";
    PressButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !Recorded(Record()).empty(); }, StartBound));
    char name[PathBufferSize];
    BuildReferrerPageName(name);
    std::string page = *web_ / "temp\\" + name, written;
    EXPECT_NE(std::string::npos, Recorded(Record())[0].find("\"" + page + "\""));
    ASSERT_TRUE(ReadTextFile(page, &written));
    EXPECT_NE(std::string::npos, written.find(std::string("<a href=\"") + DonationAddress + "\">"));

    // Each opening loads its own picture and each close deletes it. Wine reports no GDI object
    // count for a process, so the probe asks after each handle.
    int live = 0, leaked = 0;
    for (int round = 0; round < 50 && donate; ++round) {
        if (round > 0)
            donate = OpenDialog(run, options, IDC_OPTIONS_DONATE, DonateTitle);
        ASSERT_NE(nullptr, donate) << "round " << round;
        ASSERT_TRUE(run.Probe(donate, &facts, IDC_DONATE_BUTTON));
        picture = facts.controlImage;
        live += run.Probe(donate, &facts, 0, picture) && facts.objectType == OBJ_BITMAP;
        PostMessageA(donate, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(donate); }, StartBound));
        leaked += !run.Probe(options, &facts, 0, picture) || facts.objectType != 0;
    }
    EXPECT_EQ(50, live);
    EXPECT_EQ(0, leaked);
    PostMessageA(options, WM_CLOSE, 0, 0);
    EXPECT_RUN_ENDS_WITH(run, 1);
}

// A copy of the program whose donation address was changed by one byte in the file: the check
// sees it, says so, and the run ends as Exit ends it, with nothing opened.
TEST_F(Options, AlteredDonationAddressEndsTheRunWithNothingOpened) {
    std::string exe, copy = *work_ / "Tallowfin.exe";
    ASSERT_TRUE(ReadTextFile(TallowfinExe(), &exe));
    size_t at = exe.find(DonationAddress);
    ASSERT_NE(std::string::npos, at);
    EXPECT_EQ(std::string::npos, exe.find(DonationAddress, at + 1)) << "the address twice";
    exe[at + strlen("https://www.pay")] = 'q';
    ASSERT_TRUE(WriteTextFile(copy, exe));
    StandInBrowser browser;

    TallowfinRun run;
    LaunchOptions launch = Launch();
    launch.exe = copy;
    HWND window = nullptr, options = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartWithOptions(run, launch, &window, &options));
    PressButton(options, IDC_OPTIONS_DONATE);
    HWND box = run.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box);
    MessageBoxFacts facts;
    ASSERT_TRUE(ReadMessageBox(run, box, &facts));
    SaveScreenshot("donate-altered-address", box);
    EXPECT_EQ(0u, facts.text.find("ERROR: ")) << facts.text;
    EXPECT_EQ("Tallowfin v1.7.6.0", facts.caption);
    EXPECT_EQ(BoxIcon::Warning, facts.icon) << BoxIconName(facts.icon);
    PressButton(box, IDOK);
    EXPECT_RUN_ENDS_WITH(run, 1, "the run went on");
    Sleep(500);
    EXPECT_TRUE(Recorded(Record()).empty());
}

} // namespace
