// End to end: start-up, the main window, the linger, the stop requests and the shut-down of
// the real Tallowfin.exe, driven from outside.
#include <cstdio>
#include <memory>

#include "res/resource.h"
#include "tests/e2e/profile_case.h"

namespace {

constexpr double LingerMs = 5000;
constexpr double LingerUpperBound = 15000;

class Spine : public ProfileCase {
  protected:
    void SetUp() override {
        ProfileCase::SetUp();
        ASSERT_TRUE(profile_->AddShortcut(UserPrograms, "Tools\\Notepad.lnk",
                                          ShortcutTo("C:\\windows\\notepad.exe")));
        ASSERT_TRUE(profile_->AddShortcut(UserDesktop, "Regedit.lnk",
                                          ShortcutTo("C:\\windows\\regedit.exe")));
        ASSERT_TRUE(profile_->Point());
    }

    LaunchOptions Options(const std::string& exe = TallowfinExe()) const {
        LaunchOptions options = Launch();
        options.exe = exe;
        return options;
    }

    // Everything a run could touch: the profile, the working folder and the settings.
    Snapshot Everything() const {
        return TakeSnapshot({work_->path(), "C:\\windows\\TallowfinLog.txt"},
                            {{HKEY_CURRENT_USER, VendorKey},
                             {HKEY_CURRENT_USER, ShellFoldersSubkey},
                             {HKEY_LOCAL_MACHINE, ShellFoldersSubkey}});
    }

    static bool WaitForExiting(HWND window, double* seenAt) {
        bool seen = WaitUntil([&] { return ControlText(window, IDC_MAIN_OPTIONS) == "Exiting..."; },
                              LingerUpperBound + StartBound, 5);
        *seenAt = NowMs();
        return seen;
    }
};

TEST_F(Spine, NormalRunLingersFiveSecondsShowsExitingAndEndsWithOne) {
    TallowfinRun run;
    ASSERT_TRUE(run.Start(Options()));
    HWND window = run.WaitForMainWindow(StartBound);
    ASSERT_NE(window, nullptr) << "no main window";
    double visibleAfter = NowMs() - run.StartedAtMs();
    SaveScreenshot("spine-main-running", window);

    EXPECT_EQ(ControlText(window, IDC_MAIN_OPTIONS), "Options...");
    EXPECT_TRUE(ControlEnabled(window, IDC_MAIN_OPTIONS));
    ProbeShared facts;
    ASSERT_TRUE(run.Probe(window, &facts));
    EXPECT_FALSE(facts.closeItemState & MF_GRAYED) << "Close is available while running";
    ProgressState bar;
    EXPECT_TRUE(ReadProgress(GetDlgItem(window, IDC_MAIN_PROGRESS), &bar));
    ASSERT_TRUE(MoveWindowTo(window, 100, 50));
    RECT moved;
    ASSERT_TRUE(GetWindowRect(window, &moved));
    EXPECT_EQ(moved.left, 100);
    EXPECT_EQ(moved.top, 50);

    double workerEnded = 0, exitingSeen = 0;
    ASSERT_TRUE(WaitForWorkerEnd(run) && run.WorkerEndedAtMs(&workerEnded))
        << "the worker did not end";
    ASSERT_TRUE(WaitForExiting(window, &exitingSeen));
    double linger = exitingSeen - workerEnded;
    printf("[ figures  ] start to main window visible: %.0f ms; linger after the worker: %.0f ms\n",
           visibleAfter, linger);
    EXPECT_GE(linger, LingerMs);
    EXPECT_LT(linger, LingerUpperBound);

    EXPECT_FALSE(ControlEnabled(window, IDC_MAIN_OPTIONS));
    ASSERT_TRUE(run.Probe(window, &facts));
    EXPECT_TRUE(facts.closeItemState & MF_GRAYED) << "state " << facts.closeItemState;
    SaveScreenshot("spine-main-exiting", window);

    DWORD code = 0;
    ASSERT_TRUE(run.WaitForExit(LingerUpperBound, &code));
    double exitingPhase = NowMs() - exitingSeen;
    printf("[ figures  ] \"Exiting...\" to process end: %.0f ms\n", exitingPhase);
    EXPECT_EQ(code, 1u);
    // Thirty rounds of 50 ms; the text is read late by up to a round, so the bound is loose.
    EXPECT_GE(exitingPhase, 1000.0);
}

// WM_CLOSE and a log-off query during the linger end the run without the rest of the linger.
TEST_F(Spine, StopRequestsDuringTheLingerEndTheRunAtOnce) {
    const UINT requests[] = {WM_CLOSE, WM_QUERYENDSESSION};
    for (UINT request : requests) {
        SCOPED_TRACE(request == WM_CLOSE ? "WM_CLOSE" : "WM_QUERYENDSESSION");
        TallowfinRun run;
        ASSERT_TRUE(run.Start(Options()));
        HWND window = run.WaitForMainWindow(StartBound);
        ASSERT_NE(window, nullptr);
        double workerEnded = 0, exitingSeen = 0;
        ASSERT_TRUE(WaitForWorkerEnd(run) && run.WorkerEndedAtMs(&workerEnded));
        Sleep(300); // well inside the linger
        LRESULT answer = 0;
        ASSERT_TRUE(SendWithTimeout(window, request, 0, 0, 10000, &answer));
        if (request == WM_QUERYENDSESSION) {
            EXPECT_EQ(answer, TRUE) << "the log-off may go on";
        }
        ASSERT_TRUE(WaitForExiting(window, &exitingSeen));
        EXPECT_LT(exitingSeen - workerEnded, LingerMs) << "waited for the rest of the linger";
        EXPECT_RUN_ENDS_WITH(run, 1);
    }
}

// The worker holds a box owned by the main window when the window is closed: the stop
// sequence's wait must let the box close, and the run then ends. Meanwhile a second instance
// of the real program is refused and changes nothing.
TEST_F(Spine, CloseWhileTheWorkerHoldsABoxEndsOnceTheBoxIsAnswered) {
    TallowfinRun first;
    ASSERT_TRUE(first.Start(Options(BuildFile("Tallowfin_worker_box.exe"))));
    HWND window = first.WaitForMainWindow(StartBound);
    ASSERT_NE(window, nullptr);
    HWND box = first.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box);
    MessageBoxFacts facts;
    ASSERT_TRUE(ReadMessageBox(first, box, &facts));
    EXPECT_EQ(facts.owner, window);

    // Second instance, while the first is running and idle.
    Snapshot before = Everything();
    TallowfinRun second;
    ASSERT_TRUE(second.Start(Options()));
    EXPECT_RUN_ENDS_WITH(second, 1, "the second instance did not end");
    printf("[ figures  ] refused second instance ended after %.0f ms\n",
           NowMs() - second.StartedAtMs());
    std::vector<std::string> changes = SnapshotDifferences(before, Everything());
    EXPECT_TRUE(changes.empty()) << changes.size() << " changes, first: " << changes[0];

    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    Sleep(500); // the stop sequence is now waiting for the worker
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(ControlText(window, IDC_MAIN_OPTIONS), "Options...") << "quit before the worker";
    ASSERT_TRUE(PressButton(box, IDOK));
    EXPECT_RUN_ENDS_WITH(first, 1, "deadlocked after the box closed");
}

// Without a Send To folder, or without any source folder, the run stops before the window.
TEST_F(Spine, MissingRegistryFoldersStopTheRunWithAWarning) {
    struct Case {
        const char* name;
        bool removeSendTo;
    } cases[] = {{"no SendTo value", true}, {"no source folder", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.removeSendTo) {
            profile_->RemoveValue(HKEY_CURRENT_USER, "SendTo");
        } else {
            for (const ShellFolderValue& v : ShellFolderValues)
                profile_->RemoveValue(v.hive, v.name);
        }
        TallowfinRun run;
        ASSERT_TRUE(run.Start(Options()));
        HWND box = run.WaitForMessageBox(StartBound);
        ASSERT_NE(nullptr, box);
        SaveScreenshot(c.removeSendTo ? "spine-box-no-sendto" : "spine-box-no-source", box);
        EXPECT_BOX(run, box, "ERROR: could not read registry objects.", BoxIcon::Warning, nullptr,
                   {IDOK});
        EXPECT_EQ(run.FindMainWindow(), nullptr);
        ASSERT_TRUE(PressButton(box, IDOK));
        EXPECT_RUN_ENDS_WITH(run, 0);
        profile_.reset(); // every value back, then a fresh profile for the next case
        profile_ = std::make_unique<TestProfile>(*work_ / "profile");
        ASSERT_TRUE(profile_->Point());
    }
}

} // namespace
