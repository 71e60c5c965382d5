// The end-to-end driver: starts the real Tallowfin.exe under Wine and reads and works its
// windows from outside, the way a user or the system would. Shared by every end-to-end test.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "probe_protocol.h"

// Milliseconds on a monotonic clock shared by every process of the machine.
double NowMs();

// Polls until ready() holds or timeoutMs has passed; true when it held.
bool WaitUntil(const std::function<bool()>& ready, double timeoutMs, DWORD pollMs = 10);

// Bounds for waits, generous for a loaded machine, which starts Wine slowly: a start, the end of
// a run (the linger, "Exiting..." and the settings), and the answer to a message sent to it.
constexpr double StartBound = 30000;
constexpr double EndBound = 60000;
constexpr DWORD AnswerBound = 10000;

// Windows paths of the programs next to the test executables.
std::string BuildFolder();          // the folder that holds Tallowfin.exe
std::string TallowfinExe();         // this build's program: Tallowfin.exe or Tallowfin64.exe
std::string BuildFile(const char*); // BuildFolder() + "\\" + name

// The program looks for this version's acceptance in its working folder before anything else.
constexpr const char TermsFileName[] = "TermsAccepted.txt";
constexpr const char AcceptanceLine[] =
    "The Terms and Conditions and Disclaimer for 'Tallowfin v1.7.6.0' have been accepted.";

// Creates folder if needed and writes this version's acceptance into it, as a user who
// accepted earlier would have it.
bool WriteAcceptedTerms(const std::string& folder);

struct LaunchOptions {
    std::string exe = TallowfinExe();
    std::string arguments;     // after the quoted exe and a space
    std::string workingDir;    // empty: the driver's own
    bool termsAccepted = true; // the working folder gets the acceptance file before the start
    std::vector<std::pair<std::string, std::string>> env; // added or replaced; "" value removes
    bool probe = true; // load the probe DLL through a hook on the main thread, before it runs
};

// One started process. Ends it (if still running) and releases everything when destroyed.
class TallowfinRun {
  public:
    TallowfinRun() = default;
    ~TallowfinRun();
    TallowfinRun(const TallowfinRun&) = delete;
    TallowfinRun& operator=(const TallowfinRun&) = delete;

    bool Start(const LaunchOptions& options = LaunchOptions());
    DWORD ProcessId() const { return info_.dwProcessId; }
    DWORD MainThreadId() const { return info_.dwThreadId; }
    double StartedAtMs() const { return startedAt_; }
    bool Running() const;
    // Waits at most timeoutMs for the process to end; true and the exit code when it did.
    bool WaitForExit(double timeoutMs, DWORD* exitCode);
    // Test cleanup: ends a process that outlived its test.
    void Kill();

    // Top-level windows of the process, visible or not, in EnumWindows order.
    std::vector<HWND> Windows() const;
    // The main window: a dialog with the progress bar 1011. Null when there is none.
    HWND FindMainWindow() const;
    // A message box: a dialog with the text control 0xFFFF. Null when there is none.
    HWND FindMessageBox() const;
    // The same, waited for at most timeoutMs; the main window only once it is visible.
    HWND WaitForMainWindow(double timeoutMs) const;
    HWND WaitForMessageBox(double timeoutMs) const;
    // Other dialogs of the process (neither the main window nor a message box).
    std::vector<HWND> OtherDialogs() const;
    // Visible pop-up menu windows (class "#32768"), one for each open level.
    std::vector<HWND> MenuWindows() const;

    // In-process facts read by the probe; false when the probe could not answer. On request also
    // the bitmap of button imageControl, the type of a GDI object of the process, and a list
    // view's measures after its window was moved to a monitor of sendDpi.
    bool Probe(HWND window, ProbeShared* facts, int imageControl = 0,
               HGDIOBJ objectToCheck = nullptr, UINT sendDpi = 0);
    // Threads started after the probe was loaded (normally the mirror worker first).
    std::vector<ProbeThread> ProbedThreads() const;
    // When the first thread the probe saw ended, on the NowMs clock; false while it runs.
    bool WorkerEndedAtMs(double* atMs) const;

  private:
    bool HookThread(DWORD threadId);

    PROCESS_INFORMATION info_ = {};
    double startedAt_ = 0;
    HANDLE mapping_ = nullptr;
    ProbeShared* shared_ = nullptr;
    HMODULE probeModule_ = nullptr;
    std::vector<std::pair<DWORD, HHOOK>> hooks_;
};

// Window and control reading. Texts go through WM_GETTEXT with a timeout, so a hung target
// gives an empty text instead of a hung test.
std::string WindowText(HWND window);
std::string ClassName(HWND window);
std::string ControlText(HWND dialog, int id);
bool ControlEnabled(HWND dialog, int id);
bool IsDialog(HWND window);

struct ProgressState {
    int low = 0, high = 0, position = 0;
};
bool ReadProgress(HWND bar, ProgressState* state);

struct BoxButton {
    int id;
    std::string text;
};

struct MessageBoxFacts {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption, text;
    BoxIcon icon = BoxIcon::None;
    std::vector<BoxButton> buttons; // visible buttons, in child order
};
// Reads caption, text, owner and buttons; the icon through the run's probe.
bool ReadMessageBox(TallowfinRun& run, HWND box, MessageBoxFacts* facts);
// Presses a box's or dialog's button as a click would (posted, so the driver never blocks).
bool PressButton(HWND dialog, int id);

// Waits for the run's next message box and checks it as EXPECT_BOX does, with buttons Yes and
// No when a Yes or No is to be pressed, else OK alone. Saves a screenshot when named, presses the
// button and waits for the box to go. The box, or null when none came.
#define ANSWER_BOX(run, text, icon, owner, button, ...)                                            \
    AnswerBoxAt(__FILE__, __LINE__, run, text, icon, owner, button, ##__VA_ARGS__)
HWND AnswerBoxAt(const char* file, int line, TallowfinRun& run, const std::string& text,
                 BoxIcon icon, HWND owner, int button, const char* screenshot = nullptr);

// Waits for the run's end and checks its exit code, at the caller's line.
#define EXPECT_RUN_ENDS_WITH(run, code, ...)                                                       \
    ExpectRunEndsAt(__FILE__, __LINE__, run, code, ##__VA_ARGS__)
void ExpectRunEndsAt(const char* file, int line, TallowfinRun& run, DWORD code,
                     const char* note = "the run did not end");

// Reads a box and checks it at the caller's line: text, caption "Tallowfin v1.7.6.0", owner,
// icon and the ids of its buttons in order.
#define EXPECT_BOX(run, box, text, icon, owner, ...)                                               \
    ExpectBoxAt(__FILE__, __LINE__, run, box, text, icon, owner, __VA_ARGS__)
void ExpectBoxAt(const char* file, int line, TallowfinRun& run, HWND box, const std::string& text,
                 BoxIcon icon, HWND owner, const std::vector<int>& buttons);

// Waits for the main window and the end of the pass, closes the window and waits for the end
// of the run; true when it ended with exit code 1.
bool CloseAfterPass(TallowfinRun& run);

// Posts WM_COMMAND with the id, as a click on the control would.
bool PostCommand(HWND window, int id);
// Sends a message with a timeout; false when the target did not answer in time.
bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                     LRESULT* result = nullptr);
bool MoveWindowTo(HWND window, int x, int y);
// Posts a key press (down and up) to a window, as the keyboard would send it to the focus.
bool PressKey(HWND window, UINT virtualKey);
// The menu shown by a pop-up menu window, or the rows of a list view, as the probe reads them
// (see ProbeShared::menuDump).
std::string ReadMenu(TallowfinRun& run, HWND menuWindow);
const char* BoxIconName(BoxIcon icon);

// Saves a PNG of the Wine desktop (cut to the window when given) as <name>.png in the folder
// named by TALLOWFIN_SCREENSHOT_DIR (a Unix path). False when no folder is set or it failed.
bool SaveScreenshot(const std::string& name, HWND window = nullptr);
