// End to end: the main window's frame (title and icons) and the settings key across runs of
// the real Tallowfin.exe: version stamp, saved and restored position, and the failure boxes.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "res/resource.h"
#include "tests/e2e/icon_facts.h"
#include "tests/e2e/profile_case.h"
#include "tests/e2e/stand_in_browser.h"

namespace {

const char MainTitle[] = "Tallowfin v1.7.6.0 - Main - MISTLEBROOKWORKS";

// One value of the program's key as another tool would read it: type, size and bytes.
struct StoredValue {
    bool present = false;
    DWORD type = 0, size = 0;
    BYTE data[64] = {};
};

StoredValue ReadSetting(const char* name) {
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    value.size = sizeof value.data;
    value.present =
        RegQueryValueExA(key, name, nullptr, &value.type, value.data, &value.size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return value;
}

DWORD StoredPosition() {
    StoredValue wp = ReadSetting("WP");
    DWORD stored = 0;
    if (wp.present && wp.type == REG_DWORD && wp.size == sizeof stored)
        memcpy(&stored, wp.data, sizeof stored);
    return stored;
}

// Screenshots are kept where the suite keeps them; without that folder there is nothing to save.
void Shoot(const char* name, HWND window) {
    if (getenv("TALLOWFIN_SCREENSHOT_DIR")) {
        EXPECT_TRUE(SaveScreenshot(name, window)) << name;
    }
}

RECT WindowRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

class FrameAndSettings : public ProfileCase {
  protected:
    void SetUp() override {
        ProfileCase::SetUp();
        ASSERT_TRUE(profile_->AddShortcut(UserPrograms, "Notepad.lnk",
                                          ShortcutTo("C:\\windows\\notepad.exe")));
        ASSERT_TRUE(profile_->Point());
    }

    // Moves the window, lets the worker finish and closes the window, then waits for the end;
    // the position is saved on the way out.
    static void MoveAndClose(TallowfinRun& run, HWND window, int x, int y) {
        ASSERT_TRUE(MoveWindowTo(window, x, y));
        RECT moved = WindowRect(window);
        ASSERT_EQ(x, moved.left);
        ASSERT_EQ(y, moved.top);
        ASSERT_TRUE(WaitForWorkerEnd(run));
        ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
        EXPECT_RUN_ENDS_WITH(run, 1);
    }

    // A warning with OK alone, owned by no window.
    static void ExpectStandardBox(TallowfinRun& run, HWND box, const char* text) {
        EXPECT_BOX(run, box, text, BoxIcon::Warning, nullptr, {IDOK});
        MessageBoxFacts facts;
        ASSERT_TRUE(ReadMessageBox(run, box, &facts) && facts.buttons.size() == 1);
        EXPECT_EQ("OK", facts.buttons[0].text);
    }
};

// The icon the exe's resource gives at 16 x 16, described in this process.
ProbeIcon ExpectedAppIcon() {
    ProbeIcon described = {};
    HMODULE exe = LoadLibraryExA(TallowfinExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe)
        return described;
    HICON icon = static_cast<HICON>(
        LoadImageA(exe, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    described = DescribeIcon(icon);
    if (icon)
        DestroyIcon(icon);
    FreeLibrary(exe);
    return described;
}

// A first run gets the frame, the version stamp and the work area's corner; the position the
// driver leaves the window at is stored and is where the next run opens.
TEST_F(FrameAndSettings, FrameStampAndPositionAcrossRuns) {
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, VendorKey));
    {
        TallowfinRun run;
        ASSERT_TRUE(run.Start(Launch()));
        HWND window = run.WaitForMainWindow(StartBound);
        ASSERT_NE(nullptr, window) << "no main window";
        Shoot("frame-main-window", window);

        EXPECT_EQ(MainTitle, WindowText(window));
        ProbeShared facts;
        ASSERT_TRUE(run.Probe(window, &facts));
        ProbeIcon expected = ExpectedAppIcon();
        ASSERT_NE(0u, expected.pixelHash) << "the exe's icon 105 could not be read";
        EXPECT_NE(nullptr, facts.smallIcon.handle);
        EXPECT_EQ(facts.smallIcon.handle, facts.bigIcon.handle) << "one icon for both";
        for (const ProbeIcon& icon : {facts.smallIcon, facts.bigIcon}) {
            EXPECT_EQ(16, icon.width);
            EXPECT_EQ(16, icon.height);
            EXPECT_EQ(expected.pixelHash, icon.pixelHash) << "not the program's icon";
        }

        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        RECT opened = WindowRect(window);
        EXPECT_EQ(work.left, opened.left) << "first run";
        EXPECT_EQ(work.top, opened.top) << "first run";

        // Written at start, before the window: 18 bytes of text without a terminator.
        StoredValue stamp = ReadSetting("V");
        ASSERT_TRUE(stamp.present);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), stamp.type);
        EXPECT_EQ(18u, stamp.size);
        EXPECT_EQ(0, memcmp(stamp.data, "Tallowfin v1.7.6.0", 18));
        EXPECT_FALSE(ReadSetting("WP").present) << "saved only at exit";

        // This run ends on its own, after the linger.
        ASSERT_TRUE(MoveWindowTo(window, 100, 50));
        EXPECT_RUN_ENDS_WITH(run, 1);
    }
    StoredValue wp = ReadSetting("WP");
    ASSERT_TRUE(wp.present) << "a normal run leaves WP";
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), wp.type);
    EXPECT_EQ(4u, wp.size);
    DWORD stored = StoredPosition();
    EXPECT_EQ(100u, stored >> 16) << std::hex << stored;
    EXPECT_EQ(50u, stored & 0xFFFF) << std::hex << stored;

    // Each run opens where the previous one was left; a window partly off the left or the top
    // edge is stored as a negative field and comes back at that edge.
    struct Step {
        int moveX, moveY;
        DWORD stored;
        LONG nextLeft, nextTop;
    } steps[] = {
        {-40, 60, 0xFFD8003Cu, 0, 60},
        {120, -15, 0x0078FFF1u, 120, 0},
    };
    LONG expectLeft = 100, expectTop = 50;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "moved to " << step.moveX << "," << step.moveY);
        TallowfinRun run;
        ASSERT_TRUE(run.Start(Launch()));
        HWND window = run.WaitForMainWindow(StartBound);
        ASSERT_NE(nullptr, window);
        RECT opened = WindowRect(window);
        EXPECT_EQ(expectLeft, opened.left);
        EXPECT_EQ(expectTop, opened.top);
        MoveAndClose(run, window, step.moveX, step.moveY);
        EXPECT_EQ(step.stored, StoredPosition()) << std::hex << StoredPosition();
        expectLeft = step.nextLeft;
        expectTop = step.nextTop;
    }
    TallowfinRun last;
    ASSERT_TRUE(last.Start(Launch()));
    HWND window = last.WaitForMainWindow(StartBound);
    ASSERT_NE(nullptr, window);
    RECT opened = WindowRect(window);
    EXPECT_EQ(expectLeft, opened.left);
    EXPECT_EQ(expectTop, opened.top);
    MoveAndClose(last, window, opened.left, opened.top);
}

// A volatile parent cannot hold the program's non-volatile key: creating it fails at start and
// at exit. Each failure gives its box, and the run goes on between them.
TEST_F(FrameAndSettings, KeyThatCannotBeCreatedGivesBoxesAndTheRunGoesOn) {
    HKEY parent;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, VendorKey, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &parent, nullptr));
    RegCloseKey(parent);

    TallowfinRun run;
    ASSERT_TRUE(run.Start(Launch()));
    HWND box = run.WaitForMessageBox(StartBound);
    ASSERT_NE(nullptr, box) << "no box at start";
    Shoot("frame-box-version", box);
    ExpectStandardBox(run, box, "ERROR - could not write (V)ersion to registry.");
    EXPECT_EQ(nullptr, run.FindMainWindow()) << "the box comes before the window";
    ASSERT_TRUE(PressButton(box, IDOK));

    HWND window = run.WaitForMainWindow(StartBound);
    ASSERT_NE(nullptr, window) << "the start did not go on";
    EXPECT_EQ(MainTitle, WindowText(window));
    EXPECT_TRUE(WaitForWorkerEnd(run)) << "the worker did not run";

    // The exit's box: shown while "Exiting..." is still on the main window.
    box = run.WaitForMessageBox(EndBound);
    ASSERT_NE(nullptr, box) << "no box at exit";
    Shoot("frame-box-position", box);
    ExpectStandardBox(run, box, "ERROR - could not write 'WP' to registry");
    ASSERT_TRUE(PressButton(box, IDOK));
    EXPECT_RUN_ENDS_WITH(run, 1);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SettingsKey));
}

} // namespace
