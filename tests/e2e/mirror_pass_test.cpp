// End to end: the mirror pass of the real Tallowfin.exe on whole profiles: the tree it builds,
// merging, a second run over an earlier mirror, the progress bar, the log, a log that cannot be
// created, a close in the middle of a long pass, and that nothing outside the mirror changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "res/resource.h"
#include "tests/e2e/profile_case.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/unix_link.h"

namespace {

// The nine sources in the order the pass visits them.
const FolderSlot VisitOrder[] = {MachinePrograms,    CommonPrograms,    UserPrograms,
                                 MachineDesktop,     CommonDesktop,     UserDesktop,
                                 MachineQuickLaunch, CommonQuickLaunch, UserQuickLaunch};

// One shortcut of a profile: where it lies, the program it points at (under the case's Apps
// folder) and where the mirror must hold it, if anywhere.
struct ProfileLink {
    FolderSlot slot;
    const char* path;
    const char* target;
    const char* mirroredAs;
};

// Programs trees merge into the root (Accessories and Games from two sources each), Desktops
// and Quick Launches into their folders; a shortcut directly in a Start Menu folder and a
// Startup folder outside Programs stay out, a Startup folder inside Programs comes in.
const ProfileLink RealisticLinks[] = {
    {MachinePrograms, "Accessories\\Notepad.lnk", "notepad.exe", "Accessories\\Notepad.lnk"},
    {MachinePrograms, "Accessories\\System Tools\\Disk Cleanup.lnk", "cleanmgr.exe",
     "Accessories\\System Tools\\Disk Cleanup.lnk"},
    {MachinePrograms, "Games\\Solitaire.lnk", "sol.exe", nullptr},
    {CommonPrograms, "Accessories\\Calculator.lnk", "calc.exe", "Accessories\\Calculator.lnk"},
    {CommonPrograms, "Foxglove Office\\Writer.lnk", "Foxglove\\writer.exe",
     "Foxglove Office\\Writer.lnk"},
    {CommonPrograms, "Foxglove Office\\Tools\\Fonts\\Font Manager.lnk", "Foxglove\\fonts.exe",
     "Foxglove Office\\Tools\\Fonts\\Font Manager.lnk"},
    {CommonPrograms, "Startup\\Updater.lnk", "Foxglove\\updater.exe", "Startup\\Updater.lnk"},
    {UserPrograms, "Games\\Solitaire.lnk", "My Games\\solitaire.exe", "Games\\Solitaire.lnk"},
    {UserPrograms, "Internet\\Browser.lnk", "browser.exe", "Internet\\Browser.lnk"},
    {UserPrograms, "Программы 日本語\\Редактор 編集.lnk", "Редактор\\編集.exe",
     "Программы 日本語\\Редактор 編集.lnk"},
    {UserStartMenu, "Set Program Access.lnk", "control.exe", nullptr},
    {MachineStartMenu, "Windows Update.lnk", "update.exe", nullptr},
    {UserStartup, "Agent.lnk", "agent.exe", nullptr},
    {MachineDesktop, "Notepad.lnk", "notepad.exe", nullptr},
    {CommonDesktop, "Writer.lnk", "Foxglove\\writer.exe", "Tallowfin Desktop\\Writer.lnk"},
    {UserDesktop, "Notepad.lnk", "My Tools\\notepad2.exe", "Tallowfin Desktop\\Notepad.lnk"},
    {UserDesktop, "Projects\\Site.lnk", "site.exe", "Tallowfin Desktop\\Projects\\Site.lnk"},
    {MachineQuickLaunch, "Show Desktop.lnk", "desktop.exe",
     "Tallowfin Quick Launch\\Show Desktop.lnk"},
    {UserQuickLaunch, "Browser.lnk", "browser.exe", "Tallowfin Quick Launch\\Browser.lnk"},
};

// Files that are not shortcuts, and folders that hold none (a path ending in a backslash is an
// empty folder).
const struct {
    FolderSlot slot;
    const char* path;
} RealisticOtherFiles[] = {
    {MachinePrograms, "Accessories\\desktop.ini"},
    {CommonPrograms, "Foxglove Office\\Readme.txt"},
    {CommonPrograms, "Foxglove Office\\Manuals\\Guide.pdf"},
    {UserPrograms, "Empty Folder\\"},
    {UserPrograms, "Deep\\Deeper\\notes.txt"},
    {UserDesktop, "Photo.jpg"},
    {UserDesktop, "Web Site.url"},
};

const std::vector<std::string> RealisticMirror = {
    "Accessories\\",
    "Accessories\\Calculator.lnk",
    "Accessories\\Notepad.lnk",
    "Accessories\\System Tools\\",
    "Accessories\\System Tools\\Disk Cleanup.lnk",
    "Foxglove Office\\",
    "Foxglove Office\\Tools\\",
    "Foxglove Office\\Tools\\Fonts\\",
    "Foxglove Office\\Tools\\Fonts\\Font Manager.lnk",
    "Foxglove Office\\Writer.lnk",
    "Games\\",
    "Games\\Solitaire.lnk",
    "Internet\\",
    "Internet\\Browser.lnk",
    "Startup\\",
    "Startup\\Updater.lnk",
    "Tallowfin Desktop\\",
    "Tallowfin Desktop\\Notepad.lnk",
    "Tallowfin Desktop\\Projects\\",
    "Tallowfin Desktop\\Projects\\Site.lnk",
    "Tallowfin Desktop\\Writer.lnk",
    "Tallowfin Quick Launch\\",
    "Tallowfin Quick Launch\\Browser.lnk",
    "Tallowfin Quick Launch\\Show Desktop.lnk",
    "Программы 日本語\\",
    "Программы 日本語\\Редактор 編集.lnk",
};

std::vector<std::string> Sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool IsLinkFile(const std::string& name) {
    return name.size() >= 4 && _stricmp(name.c_str() + name.size() - 4, ".lnk") == 0;
}

// The two log lines of each shortcut under folder, in the order a walk meets them: entries as
// the file system returns them, each sub-folder entered where it is met.
void AppendExpectedLog(const std::string& folder, std::vector<std::string>* lines) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            AppendExpectedLog(path, lines);
        } else if (IsLinkFile(name)) {
            ShortcutFields fields;
            if (ReadShortcut(path, &fields)) {
                lines->push_back(fields.path);
                lines->push_back(fields.iconPath);
            }
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

size_t CountLinkFiles(const std::vector<std::string>& listing) {
    return std::count_if(listing.begin(), listing.end(), IsLinkFile);
}

// What one run showed before its window closed.
struct RunOutcome {
    DWORD exitCode = 99;
    ProgressState bar;
    double barLagMs = 0; // from the worker's end to the bar's last step
};

class MirrorPass : public ProfileCase {
  protected:
    std::string App(const char* target) const { return *work_ / "Apps" + "\\" + target; }

    void AddLinks(const ProfileLink* links, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            std::string target = App(links[i].target);
            MakeDirs(target.substr(0, target.find_last_of('\\')));
            WriteTextFile(target, "");
            ShortcutSpec desc = ShortcutTo(target);
            desc.iconPath = target;
            desc.iconIndex = static_cast<int>(i);
            ASSERT_TRUE(profile_->AddShortcut(links[i].slot, links[i].path, desc)) << links[i].path;
        }
    }

    void BuildRealisticProfile() {
        profile_->MoveSlot(UserStartup, "User\\Startup"); // outside Programs
        AddLinks(RealisticLinks, sizeof RealisticLinks / sizeof RealisticLinks[0]);
        for (const auto& other : RealisticOtherFiles) {
            std::string path = profile_->SourceFolder(other.slot) + "\\" + other.path;
            MakeDirs(path.substr(0, path.find_last_of('\\')));
            if (path.back() != '\\') {
                ASSERT_TRUE(WriteTextFile(path, "not a shortcut"));
            }
        }
        SetFileAttributesA(
            (profile_->SourceFolder(MachinePrograms) + "\\Accessories\\desktop.ini").c_str(),
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        ASSERT_TRUE(profile_->Point());
    }

    // The entries a pass counts now: the previous mirror and the nine sources.
    size_t EntriesToCount() const {
        size_t total = TreeListing(profile_->MirrorRoot()).size();
        for (FolderSlot slot : VisitOrder)
            total += TreeListing(profile_->SourceFolder(slot)).size();
        return total;
    }

    std::vector<std::string> ExpectedLog() const {
        std::vector<std::string> lines;
        for (FolderSlot slot : VisitOrder)
            AppendExpectedLog(profile_->SourceFolder(slot), &lines);
        return lines;
    }

    // Runs the program until its worker has ended and the bar has taken every step the worker
    // posted, reads the bar, then closes the window rather than waiting out the linger.
    void RunPass(RunOutcome* outcome, double passBound = StartBound) {
        TallowfinRun run;
        ASSERT_TRUE(run.Start(Launch()));
        HWND window = run.WaitForMainWindow(StartBound);
        ASSERT_NE(nullptr, window) << "no main window";
        double ended = 0;
        ASSERT_TRUE(WaitUntil([&] { return run.WorkerEndedAtMs(&ended); }, passBound))
            << "the worker did not end";
        // The steps the worker posted may still be queued behind its end, and a sent query is
        // answered before them: give the bar time to reach its maximum.
        HWND bar = GetDlgItem(window, IDC_MAIN_PROGRESS);
        ProgressState last;
        WaitUntil([&] { return ReadProgress(bar, &last) && last.position == last.high; }, passBound,
                  50);
        outcome->bar = last;
        outcome->barLagMs = NowMs() - ended;
        ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
        ASSERT_TRUE(run.WaitForExit(EndBound, &outcome->exitCode)) << "did not end after close";
    }

    void ExpectFullBar(const RunOutcome& outcome, size_t counted) {
        EXPECT_EQ(0, outcome.bar.low);
        EXPECT_EQ(static_cast<int>(counted), outcome.bar.high) << "maximum = entries counted";
        EXPECT_EQ(outcome.bar.high, outcome.bar.position) << "an undisturbed pass fills the bar";
    }
};

// First run on a realistic profile, then a second run over the mirror it left, after a source
// shortcut was removed and someone put a note and a folder link into the mirror.
TEST_F(MirrorPass, RealisticProfileIsMirroredExactlyAndRebuiltOnTheNextRun) {
    ASSERT_NO_FATAL_FAILURE(BuildRealisticProfile());
    auto watch = Watch();
    size_t counted = EntriesToCount();
    std::vector<std::string> expectedLog = ExpectedLog();
    RunOutcome first;
    ASSERT_NO_FATAL_FAILURE(RunPass(&first));
    EXPECT_EQ(1u, first.exitCode);
    EXPECT_EQ(Sorted(RealisticMirror), TreeListing(profile_->MirrorRoot()));
    for (const ProfileLink& link : RealisticLinks) {
        if (!link.mirroredAs)
            continue;
        ShortcutFields fields;
        std::string copy = profile_->MirrorRoot() + "\\" + link.mirroredAs;
        ASSERT_TRUE(ReadShortcut(copy, &fields)) << copy;
        // Where two sources share a name, the user's shortcut is the one left.
        EXPECT_EQ(App(link.target), fields.path) << link.mirroredAs;
    }
    ExpectFullBar(first, counted);
    EXPECT_EQ(expectedLog, LogLines()) << "target and icon of each copied shortcut, in order";
    EXPECT_EQ(2 * (CountLinkFiles(RealisticMirror) + 2), expectedLog.size())
        << "the two overwritten shortcuts are copied, and logged, too";
    EXPECT_TRUE(watch->OnlyMirrorChanged());

    // Between the runs: a source shortcut goes; a note lands in the mirror folder that loses its
    // last shortcut with it; a link in the mirror points at someone's folder of shortcuts.
    ASSERT_TRUE(
        DeleteFileA((profile_->SourceFolder(UserPrograms) + "\\Internet\\Browser.lnk").c_str()));
    std::string note = profile_->MirrorRoot() + "\\Internet\\bookmarks.txt";
    ASSERT_TRUE(WriteTextFile(note, "someone's notes"));
    std::string kept = *work_ / "Kept Shortcuts";
    ASSERT_TRUE(MakeDirs(kept + "\\Nested"));
    ASSERT_TRUE(CreateShortcut(kept + "\\One.lnk", ShortcutTo(App("notepad.exe"))));
    ASSERT_TRUE(CreateShortcut(kept + "\\Nested\\Two.lnk", ShortcutTo(App("calc.exe"))));
    ASSERT_TRUE(MakeUnixFolderLink(profile_->MirrorRoot() + "\\Linked", kept));
    std::vector<std::string> keptBefore = TreeListing(kept);
    watch->Retake();
    counted = EntriesToCount();

    RunOutcome second;
    ASSERT_NO_FATAL_FAILURE(RunPass(&second));
    EXPECT_EQ(1u, second.exitCode);
    std::vector<std::string> expected = RealisticMirror;
    expected.erase(std::find(expected.begin(), expected.end(), "Internet\\Browser.lnk"));
    expected.push_back("Internet\\bookmarks.txt");
    std::vector<std::string> mirror = TreeListing(profile_->MirrorRoot());
    // Wine cannot remove a folder link without following it, so there the link stays; what
    // matters is that nothing behind it went.
    mirror.erase(std::remove(mirror.begin(), mirror.end(), "Linked ->"), mirror.end());
    EXPECT_EQ(Sorted(expected), mirror);
    EXPECT_EQ(keptBefore, TreeListing(kept)) << "shortcuts behind a link in the mirror";
    std::string text;
    EXPECT_TRUE(ReadTextFile(note, &text));
    EXPECT_EQ("someone's notes", text);
    ExpectFullBar(second, counted);
    EXPECT_TRUE(watch->OnlyMirrorChanged());
}

// Without any shortcut the mirror is just its two sub-folders; other files stay where they are.
TEST_F(MirrorPass, WithoutShortcutsTheRootHoldsJustTheTwoEmptyFolders) {
    for (const auto& other : RealisticOtherFiles) {
        std::string path = profile_->SourceFolder(other.slot) + "\\" + other.path;
        MakeDirs(path.substr(0, path.find_last_of('\\')));
        if (path.back() != '\\') {
            ASSERT_TRUE(WriteTextFile(path, "not a shortcut"));
        }
    }
    ASSERT_TRUE(profile_->Point());
    auto watch = Watch();
    size_t counted = EntriesToCount();
    RunOutcome outcome;
    ASSERT_NO_FATAL_FAILURE(RunPass(&outcome));
    EXPECT_EQ(1u, outcome.exitCode);
    std::vector<std::string> expected = {"Tallowfin Desktop\\", "Tallowfin Quick Launch\\"};
    EXPECT_EQ(expected, TreeListing(profile_->MirrorRoot()));
    ExpectFullBar(outcome, counted);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_TRUE(watch->OnlyMirrorChanged());
}

// The mirror lies deeper than a Desktop, and a Cyrillic or CJK character takes 2 or 3 bytes: a
// folder at the second level and a shortcut at the third that fit at the source but not in the
// mirror are left out, with all beneath them, and nothing lands under a cut name anywhere; the
// bar still ends full.
TEST_F(MirrorPass, PathsThatDoNotFitInTheMirrorAreSkippedWhole) {
    const std::string top = "Программы", middle = "日本語", fits = "Редактор.lnk";
    const size_t source = profile_->SourceFolder(UserDesktop).size() + 1 + top.size() + 1;
    const size_t mirror =
        (profile_->MirrorRoot() + "\\Tallowfin Desktop").size() + 1 + top.size() + 1;
    auto cjk = [](size_t bytes) {
        std::string text;
        for (size_t i = 0; i < bytes / 3; ++i)
            text += "文";
        return text;
    };
    // A folder whose shortcut fits at the source, which the mirror cannot name.
    std::string deepFolder = cjk(259 - source - 1 - fits.size());
    // A shortcut beside a short folder: the same.
    std::string longLink = cjk(259 - source - middle.size() - 1 - 4) + ".lnk";
    ASSERT_GT(mirror + deepFolder.size(), 259u) << "the profile's folders are too short";
    ASSERT_GT(mirror + middle.size() + 1 + longLink.size(), 259u);
    ASSERT_TRUE(MakeDirs(*work_ / "Apps"));
    ASSERT_TRUE(WriteTextFile(App("editor.exe"), ""));
    ShortcutSpec editor = ShortcutTo(App("editor.exe"));
    for (std::string link :
         {top + "\\" + deepFolder + "\\" + fits, top + "\\" + middle + "\\" + fits,
          top + "\\" + middle + "\\" + longLink})
        ASSERT_TRUE(profile_->AddShortcut(UserDesktop, link, editor)) << link;
    ASSERT_TRUE(profile_->Point());
    auto watch = Watch();
    size_t counted = EntriesToCount();

    RunOutcome outcome;
    ASSERT_NO_FATAL_FAILURE(RunPass(&outcome));
    std::vector<std::string> expected = {"Tallowfin Desktop\\", "Tallowfin Desktop\\" + top + "\\",
                                         "Tallowfin Desktop\\" + top + "\\" + middle + "\\",
                                         "Tallowfin Desktop\\" + top + "\\" + middle + "\\" + fits,
                                         "Tallowfin Quick Launch\\"};
    EXPECT_EQ(Sorted(expected), TreeListing(profile_->MirrorRoot()));
    ExpectFullBar(outcome, counted);
    EXPECT_TRUE(watch->OnlyMirrorChanged());
}

// A folder in the log's place, and in its VirtualStore place, where the 64-bit build writes a
// refused log: the worker reports it in a box owned by the main window and leaves the earlier
// mirror alone; closing the window meanwhile ends the run once the box goes.
TEST_F(MirrorPass, LogThatCannotBeCreatedIsReportedAndTheMirrorIsLeftAlone) {
    ASSERT_TRUE(profile_->AddShortcut(UserPrograms, "Tools\\Notepad.lnk",
                                      ShortcutTo("C:\\windows\\notepad.exe")));
    ASSERT_TRUE(profile_->Point());
    std::string old = profile_->MirrorRoot() + "\\Old Tools";
    ASSERT_TRUE(MakeDirs(old));
    ASSERT_TRUE(MakeDirs(profile_->MirrorRoot() + "\\Tallowfin Desktop"));
    ASSERT_TRUE(CreateShortcut(old + "\\Old.lnk", ShortcutTo("C:\\windows\\regedit.exe")));
    DeleteFileA(LogPath);
    ASSERT_TRUE(CreateDirectoryA(LogPath, nullptr));
    struct LogFolderRemover {
        ~LogFolderRemover() { RemoveDirectoryA(LogPath); }
    } remover;
    TempDir local("local");
    ASSERT_TRUE(MakeDirs(local / "VirtualStore\\windows\\TallowfinLog.txt"));
    LaunchOptions options = Launch();
    options.env = {{"LOCALAPPDATA", local.path()}};
    auto watch = Watch();

    TallowfinRun run;
    ASSERT_TRUE(run.Start(options));
    HWND window = run.WaitForMainWindow(StartBound);
    ASSERT_NE(nullptr, window);
    HWND box = run.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box);
    SaveScreenshot("pass-box-log-failure", box);
    EXPECT_BOX(run, box, "FAILED to create 'C:\\windows\\TallowfinLog.txt'.", BoxIcon::Warning,
               window, {IDOK});
    EXPECT_TRUE(watch->OnlySettingsChanged()) << "while the box is up";

    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    Sleep(500); // the stop sequence now waits for the worker, which waits for the box
    EXPECT_TRUE(run.Running());
    EXPECT_TRUE(IsWindowVisible(box));
    ASSERT_TRUE(PressButton(box, IDOK));
    EXPECT_RUN_ENDS_WITH(run, 1, "deadlocked after the box closed");
    EXPECT_TRUE(watch->OnlySettingsChanged()) << "after the run";
    DWORD attributes = GetFileAttributesA(LogPath);
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

// A close in the middle of a long pass stops the worker at its next entry: the program ends
// with a partial mirror whose three folders exist, and the next run rebuilds it whole.
TEST_F(MirrorPass, CloseDuringALongPassStopsItAndTheNextRunRebuildsTheMirror) {
    std::vector<std::string> expected;
    ASSERT_NO_FATAL_FAILURE(BuildLongProfile(&expected));
    auto watch = Watch();
    const size_t total = CountLinkFiles(expected);

    {
        TallowfinRun run;
        ASSERT_TRUE(run.Start(Launch()));
        HWND window = run.WaitForMainWindow(StartBound);
        ASSERT_NE(nullptr, window);
        ProgressState state;
        ASSERT_TRUE(WaitForPassPast(window, 90, &state)) << "the pass did not get going";
        SaveScreenshot("pass-long-under-way", window);
        double closedAt = NowMs();
        size_t loggedAtClose = LogLines().size();
        ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
        EXPECT_RUN_ENDS_WITH(run, 1, "did not end after the close");
        double ended = 0;
        ASSERT_TRUE(run.WorkerEndedAtMs(&ended));
        size_t copied = CountLinkFiles(TreeListing(profile_->MirrorRoot()));
        printf("[ figures  ] closed at step %d of %d; worker ended %.0f ms later, %u shortcuts "
               "after the close; %u of %u shortcuts copied\n",
               state.position, state.high, ended - closedAt,
               static_cast<unsigned>((LogLines().size() - loggedAtClose) / 2),
               static_cast<unsigned>(copied), static_cast<unsigned>(total));
        EXPECT_GT(copied, 0u);
        EXPECT_LT(copied, total) << "the pass went on after the close";
        for (const char* folder : {"", "\\Tallowfin Desktop", "\\Tallowfin Quick Launch"}) {
            DWORD attributes = GetFileAttributesA((profile_->MirrorRoot() + folder).c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES &&
                        (attributes & FILE_ATTRIBUTE_DIRECTORY))
                << "missing: Tallowfin" << folder;
        }
    }
    EXPECT_TRUE(watch->OnlyMirrorChanged());

    RunOutcome next;
    size_t counted = EntriesToCount();
    ASSERT_NO_FATAL_FAILURE(RunPass(&next, LongPassBound));
    EXPECT_EQ(1u, next.exitCode);
    std::vector<std::string> mirror = TreeListing(profile_->MirrorRoot());
    EXPECT_EQ(Sorted(expected), mirror);
    ExpectFullBar(next, counted);
    EXPECT_TRUE(watch->OnlyMirrorChanged());
}

} // namespace

// Closes at random moments of a long pass, from its first entries to its last: every run ends
// normally, and the run after them all rebuilds the mirror whole. The seed is printed.
TEST_F(MirrorPass, ClosesAtRandomPointsEndCleanlyAndTheNextRunRebuildsTheMirror) {
    std::vector<std::string> expected;
    ASSERT_NO_FATAL_FAILURE(BuildLongProfile(&expected));
    auto watch = Watch();
    unsigned seed = GetTickCount();
    srand(seed);
    printf("[ figures  ] seed %u\n", seed);
    for (int round = 0; round < 20; ++round) {
        TallowfinRun run;
        ASSERT_TRUE(run.Start(Launch()));
        HWND window = run.WaitForMainWindow(StartBound);
        ASSERT_NE(nullptr, window);
        HWND bar = GetDlgItem(window, IDC_MAIN_PROGRESS);
        // A step of the pass, from before the count to past its end.
        int stop = rand() % (static_cast<int>(expected.size()) + 1);
        ProgressState state;
        double ended = 0;
        WaitUntil(
            [&] {
                return (ReadProgress(bar, &state) && state.position >= stop) ||
                       run.WorkerEndedAtMs(&ended);
            },
            LongPassBound);
        ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
        SCOPED_TRACE(testing::Message() << "round " << round << ", step " << stop);
        EXPECT_RUN_ENDS_WITH(run, 1);
    }
    EXPECT_TRUE(watch->OnlyMirrorChanged());

    RunOutcome next;
    size_t counted = EntriesToCount();
    ASSERT_NO_FATAL_FAILURE(RunPass(&next, LongPassBound));
    EXPECT_EQ(Sorted(expected), TreeListing(profile_->MirrorRoot()));
    ExpectFullBar(next, counted);
}

// Past 65,535 entries the bar still spans them all: 70,000 small files, written from the host
// side because the platform would take minutes, beside a shortcut.
TEST_F(MirrorPass, SeventyThousandEntriesFillTheBarExactly) {
    std::string bulk = profile_->SourceFolder(UserPrograms) + "\\Bulk";
    ASSERT_TRUE(MakeDirs(bulk));
    ASSERT_TRUE(FillFolderFromHost(bulk, 70, 1000));
    AddLinks(RealisticLinks, 1);
    ASSERT_TRUE(profile_->Point());
    size_t counted = EntriesToCount();
    ASSERT_GT(counted, 70000u);

    RunOutcome outcome;
    ASSERT_NO_FATAL_FAILURE(RunPass(&outcome, LongPassBound));
    printf("[ figures  ] %u entries; the bar took its last step %.0f ms after the worker ended\n",
           static_cast<unsigned>(counted), outcome.barLagMs);
    EXPECT_EQ(1u, outcome.exitCode);
    ExpectFullBar(outcome, counted);
}
