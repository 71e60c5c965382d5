// End to end: start-up, the main window, the linger, the stop requests and the shut-down of
// the real Tallowfin.exe, driven from outside.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdio>
#include <memory>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/profile.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr double LingerMs = 5000;
constexpr double LingerUpperBound = 15000;

const char* const SettingsSubkey = "Software\\mistlebrookworks";

class Spine : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        work_ = std::make_unique<TempDir>("tallowfin-e2e");
        profile_ = std::make_unique<TestProfile>(*work_ / "profile");
        ASSERT_TRUE(profile_->AddShortcut(UserPrograms, "Tools\\Notepad.lnk",
                                          ShortcutTo("C:\\windows\\notepad.exe")));
        ASSERT_TRUE(profile_->AddShortcut(UserDesktop, "Regedit.lnk",
                                          ShortcutTo("C:\\windows\\regedit.exe")));
        ASSERT_TRUE(profile_->Point());
        MakeDirs(*work_ / "cwd");
    }

    void TearDown() override {
        profile_.reset();
        work_.reset();
        CoUninitialize();
    }

    LaunchOptions Options(const std::string& exe = TallowfinExe()) const {
        LaunchOptions options;
        options.exe = exe;
        options.workingDir = *work_ / "cwd";
        return options;
    }

    // Everything a run could touch: the profile, the working folder and the settings.
    Snapshot Everything() const {
        return TakeSnapshot({work_->path(), "C:\\windows\\TallowfinLog.txt"},
                            {{HKEY_CURRENT_USER, SettingsSubkey},
                             {HKEY_CURRENT_USER, ShellFoldersSubkey},
                             {HKEY_LOCAL_MACHINE, ShellFoldersSubkey}});
    }

    static bool WaitForWorkerEnd(TallowfinRun& run, double* endedAt) {
        return WaitUntil([&] { return run.WorkerEndedAtMs(endedAt); }, StartBound);
    }

    static bool WaitForExiting(HWND window, double* seenAt) {
        bool seen = WaitUntil([&] { return ControlText(window, IDC_MAIN_OPTIONS) == "Exiting..."; },
                              LingerUpperBound + StartBound, 5);
        *seenAt = NowMs();
        return seen;
    }

    std::unique_ptr<TempDir> work_;
    std::unique_ptr<TestProfile> profile_;
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
    ASSERT_TRUE(WaitForWorkerEnd(run, &workerEnded)) << "the worker did not end";
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
        ASSERT_TRUE(WaitForWorkerEnd(run, &workerEnded));
        Sleep(300); // well inside the linger
        LRESULT answer = 0;
        ASSERT_TRUE(SendWithTimeout(window, request, 0, 0, 10000, &answer));
        if (request == WM_QUERYENDSESSION) {
            EXPECT_EQ(answer, TRUE) << "the log-off may go on";
        }
        ASSERT_TRUE(WaitForExiting(window, &exitingSeen));
        EXPECT_LT(exitingSeen - workerEnded, LingerMs) << "waited for the rest of the linger";
        DWORD code = 0;
        ASSERT_TRUE(run.WaitForExit(LingerUpperBound, &code));
        EXPECT_EQ(code, 1u);
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
    HWND box = nullptr;
    box = first.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box);
    MessageBoxFacts facts;
    ASSERT_TRUE(ReadMessageBox(first, box, &facts));
    EXPECT_EQ(facts.owner, window);

    // Second instance, while the first is running and idle.
    Snapshot before = Everything();
    TallowfinRun second;
    ASSERT_TRUE(second.Start(Options()));
    DWORD code = 0;
    ASSERT_TRUE(second.WaitForExit(StartBound, &code)) << "the second instance did not end";
    printf("[ figures  ] refused second instance ended after %.0f ms\n",
           NowMs() - second.StartedAtMs());
    EXPECT_EQ(code, 1u);
    std::vector<std::string> changes = SnapshotDifferences(before, Everything());
    EXPECT_TRUE(changes.empty()) << changes.size() << " changes, first: " << changes[0];

    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    Sleep(500); // the stop sequence is now waiting for the worker
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(ControlText(window, IDC_MAIN_OPTIONS), "Options...") << "quit before the worker";
    ASSERT_TRUE(PressButton(box, IDOK));
    ASSERT_TRUE(first.WaitForExit(StartBound, &code)) << "deadlocked after the box closed";
    EXPECT_EQ(code, 1u);
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
        HWND box = nullptr;
        box = run.WaitForMessageBox(StartBound);
        ASSERT_NE(nullptr, box);
        MessageBoxFacts facts;
        SaveScreenshot(c.removeSendTo ? "spine-box-no-sendto" : "spine-box-no-source", box);
        ASSERT_TRUE(ReadMessageBox(run, box, &facts));
        EXPECT_EQ(facts.caption, "Tallowfin v1.7.6.0");
        EXPECT_EQ(facts.text, "ERROR: could not read registry objects.");
        EXPECT_EQ(facts.owner, nullptr);
        EXPECT_EQ(facts.icon, BoxIcon::Warning) << BoxIconName(facts.icon);
        ASSERT_EQ(facts.buttons.size(), 1u);
        EXPECT_EQ(facts.buttons[0].id, IDOK);
        EXPECT_EQ(run.FindMainWindow(), nullptr);
        ASSERT_TRUE(PressButton(box, IDOK));
        DWORD code = 99;
        ASSERT_TRUE(run.WaitForExit(StartBound, &code));
        EXPECT_EQ(code, 0u);
        profile_.reset(); // every value back, then a fresh profile for the next case
        profile_ = std::make_unique<TestProfile>(*work_ / "profile");
        ASSERT_TRUE(profile_->Point());
    }
}

} // namespace
