// The end-to-end driver (see driver.h).
#include "driver.h"

#include "tests/support/temp_dir.h"
#include "tests/support/unix_link.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

constexpr int MessageBoxTextId = 0xFFFF;

LONGLONG TicksPerSecond() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

double TicksToMs(LONGLONG ticks) {
    static const double perMs = TicksPerSecond() / 1000.0;
    return ticks / perMs;
}

// The environment block of this process with the given changes, sorted as Windows keeps it.
std::vector<char> BuildEnvironment(const std::vector<std::pair<std::string, std::string>>& env) {
    std::map<std::string, std::string> upperKeyed; // upper-case name -> "Name=value"
    char* block = GetEnvironmentStringsA();
    for (const char* entry = block; *entry; entry += strlen(entry) + 1) {
        const char* equals = strchr(entry + 1, '='); // names may start with '='
        if (!equals)
            continue;
        std::string name(entry, equals - entry);
        std::string upper = name;
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
        upperKeyed[upper] = entry;
    }
    FreeEnvironmentStringsA(block);
    for (const auto& change : env) {
        std::string upper = change.first;
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
        if (change.second.empty())
            upperKeyed.erase(upper);
        else
            upperKeyed[upper] = change.first + "=" + change.second;
    }
    std::vector<char> result;
    for (const auto& entry : upperKeyed) {
        result.insert(result.end(), entry.second.begin(), entry.second.end());
        result.push_back('\0');
    }
    result.push_back('\0');
    return result;
}

bool HasChild(HWND window, int id, const char* className) {
    HWND child = GetDlgItem(window, id);
    return child && ClassName(child) == className;
}

struct EnumRequest {
    DWORD processId;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<EnumRequest*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == request->processId)
        request->windows->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

bool NeedsPainting(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE))
        return true;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
            return true;
    return false;
}

// A window found visible may not have painted yet: its thread answers sent messages before it
// paints. Once nothing is left to paint, one more answered message means the thread is back in
// its message loop, where Wine hands the painted picture to X.
void LetWindowReachTheScreen(HWND window) {
    WaitUntil([&] { return !NeedsPainting(window); }, 3000, 5);
    SendWithTimeout(window, WM_NULL, 0, 0, AnswerBound);
}

} // namespace

double NowMs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return TicksToMs(now.QuadPart);
}

bool WaitUntil(const std::function<bool()>& ready, double timeoutMs, DWORD pollMs) {
    double end = NowMs() + timeoutMs;
    for (;;) {
        if (ready())
            return true;
        if (NowMs() > end)
            return false;
        Sleep(pollMs);
    }
}

std::string BuildFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash)
        *slash = '\0';
    std::string folder = path;
    // Test, demo and benchmark programs live one folder below <build>; the program in it.
    if (GetFileAttributesA((folder + "\\" TALLOWFIN_EXE_NAME).c_str()) == INVALID_FILE_ATTRIBUTES) {
        slash = strrchr(path, '\\');
        if (slash)
            *slash = '\0';
        folder = path;
    }
    return folder;
}

std::string TallowfinExe() {
    return BuildFolder() + "\\" TALLOWFIN_EXE_NAME;
}

std::string BuildFile(const char* name) {
    return BuildFolder() + "\\" + name;
}

bool WriteAcceptedTerms(const std::string& folder) {
    MakeDirs(folder);
    if (WriteTextFile(folder + "\\" + TermsFileName, AcceptanceLine))
        return true;
    fprintf(stderr, "could not write the terms file in %s\n", folder.c_str());
    return false;
}

// TallowfinRun ----------------------------------------------------------------------------------

TallowfinRun::~TallowfinRun() {
    Kill();
    for (auto& hook : hooks_)
        UnhookWindowsHookEx(hook.second);
    if (shared_)
        UnmapViewOfFile(shared_);
    if (mapping_)
        CloseHandle(mapping_);
    if (info_.hProcess)
        CloseHandle(info_.hProcess);
    if (info_.hThread)
        CloseHandle(info_.hThread);
}

bool TallowfinRun::Start(const LaunchOptions& options) {
    if (options.termsAccepted &&
        !WriteAcceptedTerms(options.workingDir.empty() ? "." : options.workingDir))
        return false;
    std::vector<char> environment = BuildEnvironment(options.env);
    std::string commandLine = "\"" + options.exe + "\"";
    if (!options.arguments.empty())
        commandLine += " " + options.arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    // Wine now and then fails to bring up a new process on a busy machine (ERROR_INTERNAL_ERROR);
    // a second try starts it. Nothing of the program has run by then.
    bool created = false;
    for (int attempt = 0; attempt < 3 && !created; ++attempt) {
        if (attempt > 0)
            Sleep(250);
        startedAt_ = NowMs();
        created = CreateProcessA(options.exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                                 CREATE_SUSPENDED, environment.data(),
                                 options.workingDir.empty() ? nullptr : options.workingDir.c_str(),
                                 &startup, &info_);
        if (created)
            break;
        DWORD error = GetLastError();
        fprintf(stderr, "CreateProcess %s failed: %lu\n", options.exe.c_str(), error);
        if (error != ERROR_INTERNAL_ERROR)
            return false;
    }
    if (!created)
        return false;
    if (options.probe) {
        char name[64];
        ProbeMappingName(name, sizeof name, info_.dwProcessId);
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(ProbeShared), name);
        if (mapping_)
            shared_ = static_cast<ProbeShared*>(
                MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(ProbeShared)));
        probeModule_ = LoadLibraryA(BuildFile("tallowfin_probe.dll").c_str());
        if (!shared_ || !probeModule_ || !HookThread(info_.dwThreadId))
            fprintf(stderr, "probe not installed (error %lu)\n", GetLastError());
    }
    ResumeThread(info_.hThread);
    return true;
}

bool TallowfinRun::HookThread(DWORD threadId) {
    for (auto& hook : hooks_)
        if (hook.first == threadId)
            return true;
    if (!probeModule_)
        return false;
    auto procedure = reinterpret_cast<HOOKPROC>(GetProcAddress(probeModule_, ProbeHookExport));
    HHOOK hook =
        procedure ? SetWindowsHookExA(WH_CALLWNDPROC, procedure, probeModule_, threadId) : nullptr;
    if (!hook)
        return false;
    hooks_.push_back({threadId, hook});
    return true;
}

bool TallowfinRun::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool TallowfinRun::WaitForExit(double timeoutMs, DWORD* exitCode) {
    if (!info_.hProcess ||
        WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(info_.hProcess, exitCode) != 0;
}

void TallowfinRun::Kill() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

std::vector<HWND> TallowfinRun::Windows() const {
    std::vector<HWND> windows;
    EnumRequest request = {info_.dwProcessId, &windows};
    if (info_.dwProcessId)
        EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&request));
    return windows;
}

HWND TallowfinRun::FindMainWindow() const {
    for (HWND window : Windows())
        if (IsDialog(window) && HasChild(window, 1011, "msctls_progress32"))
            return window;
    return nullptr;
}

HWND TallowfinRun::WaitForMainWindow(double timeoutMs) const {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            window = FindMainWindow();
            return window && IsWindowVisible(window);
        },
        timeoutMs);
    return window;
}

HWND TallowfinRun::WaitForMessageBox(double timeoutMs) const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindMessageBox()) != nullptr; }, timeoutMs);
    return box;
}

HWND TallowfinRun::FindMessageBox() const {
    for (HWND window : Windows())
        if (IsDialog(window) && IsWindowVisible(window) && GetDlgItem(window, MessageBoxTextId))
            return window;
    return nullptr;
}

std::vector<HWND> TallowfinRun::OtherDialogs() const {
    std::vector<HWND> dialogs;
    for (HWND window : Windows())
        if (IsDialog(window) && IsWindowVisible(window) && !GetDlgItem(window, MessageBoxTextId) &&
            !HasChild(window, 1011, "msctls_progress32"))
            dialogs.push_back(window);
    return dialogs;
}

std::vector<HWND> TallowfinRun::MenuWindows() const {
    std::vector<HWND> menus;
    for (HWND window : Windows())
        if (IsWindowVisible(window) && ClassName(window) == "#32768")
            menus.push_back(window);
    return menus;
}

bool TallowfinRun::Probe(HWND window, ProbeShared* facts, int imageControl, HGDIOBJ objectToCheck,
                         UINT sendDpi) {
    DWORD threadId = GetWindowThreadProcessId(window, nullptr);
    if (!shared_ || !threadId || !HookThread(threadId))
        return false;
    static UINT probeMessage = RegisterWindowMessageA(ProbeMessageName);
    shared_->window = window;
    shared_->imageControl = imageControl;
    shared_->objectToCheck = objectToCheck;
    shared_->sendDpi = sendDpi;
    LONG sequence = InterlockedIncrement(&shared_->requestSequence);
    DWORD_PTR ignored;
    if (!SendMessageTimeoutA(window, probeMessage, 0, 0, SMTO_NORMAL, AnswerBound, &ignored))
        return false;
    MemoryBarrier();
    if (shared_->answerSequence != sequence)
        return false;
    *facts = *shared_;
    return true;
}

std::vector<ProbeThread> TallowfinRun::ProbedThreads() const {
    std::vector<ProbeThread> threads;
    if (!shared_)
        return threads;
    LONG count = shared_->threadCount;
    for (LONG i = 0; i < count && i < ProbeThreadSlots; ++i)
        threads.push_back(shared_->threads[i]);
    return threads;
}

bool TallowfinRun::WorkerEndedAtMs(double* atMs) const {
    std::vector<ProbeThread> threads = ProbedThreads();
    if (threads.empty() || threads[0].endTicks == 0)
        return false;
    *atMs = TicksToMs(threads[0].endTicks);
    return true;
}

// Windows and controls ---------------------------------------------------------------------------

std::string WindowText(HWND window) {
    char text[4096] = "";
    DWORD_PTR length = 0;
    if (!window ||
        !SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL, AnswerBound, &length))
        return "";
    text[sizeof text - 1] = '\0';
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string ControlText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool ControlEnabled(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control && IsWindowEnabled(control);
}

bool IsDialog(HWND window) {
    return ClassName(window) == "#32770";
}

bool ReadProgress(HWND bar, ProgressState* state) {
    // Only return values cross processes: one PBM_GETRANGE per limit, no PBRANGE structure.
    DWORD_PTR low = 0, high = 0, position = 0;
    if (!SendMessageTimeoutA(bar, PBM_GETRANGE, TRUE, 0, SMTO_NORMAL, AnswerBound, &low) ||
        !SendMessageTimeoutA(bar, PBM_GETRANGE, FALSE, 0, SMTO_NORMAL, AnswerBound, &high) ||
        !SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, AnswerBound, &position))
        return false;
    state->low = static_cast<int>(low);
    state->high = static_cast<int>(high);
    state->position = static_cast<int>(position);
    return true;
}

bool ReadMessageBox(TallowfinRun& run, HWND box, MessageBoxFacts* facts) {
    if (!box || !IsWindow(box))
        return false;
    facts->window = box;
    facts->owner = GetWindow(box, GW_OWNER);
    facts->caption = WindowText(box);
    facts->text = ControlText(box, MessageBoxTextId);
    facts->buttons.clear();
    std::vector<HWND> children;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children)
        if (ClassName(child) == "Button" && IsWindowVisible(child))
            facts->buttons.push_back({GetDlgCtrlID(child), WindowText(child)});
    ProbeShared probed;
    facts->icon = run.Probe(box, &probed) ? probed.boxIcon : BoxIcon::Other;
    return true;
}

HWND AnswerBoxAt(const char* file, int line, TallowfinRun& run, const std::string& text,
                 BoxIcon icon, HWND owner, int button, const char* screenshot) {
    HWND box = run.WaitForMessageBox(StartBound);
    // Before the probe reads it: the picture must show the box as it first appears.
    if (box && screenshot)
        SaveScreenshot(screenshot, box);
    if (!box) {
        ADD_FAILURE_AT(file, line) << "no box came; expected \"" << text << "\"";
        return nullptr;
    }
    ExpectBoxAt(file, line, run, box, text, icon, owner,
                button == IDOK ? std::vector<int>{IDOK} : std::vector<int>{IDYES, IDNO});
    PressButton(box, button);
    if (!WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, StartBound))
        ADD_FAILURE_AT(file, line) << "the box stayed after button " << button;
    return box;
}

void ExpectRunEndsAt(const char* file, int line, TallowfinRun& run, DWORD code, const char* note) {
    DWORD actual = 99;
    if (!run.WaitForExit(EndBound, &actual)) {
        // What it still shows says where it stopped.
        std::string shown;
        for (HWND window : run.Windows())
            shown += "\n  " + ClassName(window) + " \"" + WindowText(window) + "\"" +
                     (IsWindowVisible(window) ? " (visible)" : "") + " " +
                     WindowText(GetDlgItem(window, 0xFFFF));
        ADD_FAILURE_AT(file, line) << note << "; its windows:" << shown;
    } else if (actual != code)
        ADD_FAILURE_AT(file, line) << "exit code " << actual << ", expected " << code;
}

void ExpectBoxAt(const char* file, int line, TallowfinRun& run, HWND box, const std::string& text,
                 BoxIcon icon, HWND owner, const std::vector<int>& buttons) {
    MessageBoxFacts facts;
    if (!ReadMessageBox(run, box, &facts)) {
        ADD_FAILURE_AT(file, line) << "no box to read; expected \"" << text << "\"";
        return;
    }
    std::vector<int> ids;
    for (const BoxButton& button : facts.buttons)
        ids.push_back(button.id);
    if (facts.text != text || facts.caption != "Tallowfin v1.7.6.0" || facts.owner != owner ||
        facts.icon != icon || ids != buttons) {
        std::string shown, wanted;
        for (int id : ids)
            shown += " " + std::to_string(id);
        for (int id : buttons)
            wanted += " " + std::to_string(id);
        ADD_FAILURE_AT(file, line)
            << "box \"" << facts.caption << "\", " << BoxIconName(facts.icon) << " icon, owner "
            << facts.owner << ", buttons" << shown << ":\n  " << facts.text << "\nexpected "
            << BoxIconName(icon) << " icon, owner " << owner << ", buttons" << wanted << ":\n  "
            << text;
    }
}

// The pass is done when the bar stands at the top of its range.
bool CloseAfterPass(TallowfinRun& run) {
    HWND window = run.WaitForMainWindow(StartBound);
    ProgressState bar;
    auto passDone = [&] {
        return ReadProgress(GetDlgItem(window, 1011), &bar) && bar.high > 0 &&
               bar.position >= bar.high;
    };
    DWORD code = 0;
    return window && WaitUntil(passDone, StartBound) && PostMessageA(window, WM_CLOSE, 0, 0) &&
           run.WaitForExit(EndBound, &code) && code == 1;
}

bool PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}

bool PostCommand(HWND window, int id) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(window, id))) != 0;
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                     LRESULT* result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &answer))
        return false;
    if (result)
        *result = static_cast<LRESULT>(answer);
    return true;
}

bool MoveWindowTo(HWND window, int x, int y) {
    return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) !=
           0;
}

bool PressKey(HWND window, UINT virtualKey) {
    return PostMessageA(window, WM_KEYDOWN, virtualKey, 1) &&
           PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

std::string ReadMenu(TallowfinRun& run, HWND menuWindow) {
    ProbeShared facts;
    return run.Probe(menuWindow, &facts) ? facts.menuDump : "(probe did not answer)";
}

const char* BoxIconName(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::None: return "none";
    case BoxIcon::Warning: return "warning";
    case BoxIcon::Question: return "question";
    case BoxIcon::Information: return "information";
    case BoxIcon::Error: return "error";
    default: return "other";
    }
}

// Screenshots ----------------------------------------------------------------------------------

bool SaveScreenshot(const std::string& name, HWND window) {
    const char* folder = getenv("TALLOWFIN_SCREENSHOT_DIR");
    if (!folder || !*folder)
        return false;
    std::string unixFolder = folder;
    if (window)
        LetWindowReachTheScreen(window);
    std::string crop;
    RECT bounds;
    if (window && GetWindowRect(window, &bounds)) {
        char geometry[80];
        snprintf(geometry, sizeof geometry, " -crop %ldx%ld+%ld+%ld +repage",
                 bounds.right - bounds.left, bounds.bottom - bounds.top, bounds.left, bounds.top);
        crop = geometry;
    }
    // Wine starts a Unix program when it is given one, but the handle it returns cannot be
    // waited for: the wait fails at once while xwd has not even run. The picture is written
    // under a temporary name and renamed when complete, and the driver waits for that name,
    // so the shot shows the screen of this moment and not of whatever the test does next.
    std::string target = unixFolder + "/" + name + ".png";
    std::string partial = target + ".part";
    std::string command = "/bin/sh -c \"mkdir -p '" + unixFolder +
                          "' && (xwd -silent -name 'Default - Wine desktop' 2>/dev/null || "
                          "xwd -silent -root) | convert xwd:-" +
                          crop + " 'png:" + partial + "' && mv -f '" + partial + "' '" + target +
                          "'\"";
    std::string windowsPath = WindowsPathOfHostPath(target);
    DeleteFileA(windowsPath.c_str());
    if (!StartHostProgram(command))
        return false;
    return WaitUntil(
        [&] { return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000,
        20);
}
