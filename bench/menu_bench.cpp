// Time from TallowfinMenu.exe's start to its menu on screen, over a small mirror (20 shortcuts)
// and a large one (the same 20 at the top plus 5,000 in 200 folders), alternating in one run.
// Only the top level should be read (and judged: only what can take files is listed) before the
// menu shows, so both should take about as long. Prints figures; it is not a test.
// With --find it times "Find a program..." instead, from the program's own timestamps: from
// choosing it to the first screenful of rows painted, and, once every row is in, from each
// change of the search box to the list's next paint.
// Args: rounds (default 9), the menu program (default: TallowfinMenu.exe beside this one),
// --find anywhere.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/profile.h"
#include "tests/support/registry_guard.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int TopShortcuts = 20, Folders = 200, PerFolder = 25;

// Every shortcut is a byte copy of one saved through the link object: that keeps building
// 5,000 of them to a few seconds.
int BuildMirror(const std::string& sendTo, const std::string& model, bool large) {
    std::string root = sendTo + "\\Tallowfin";
    MakeDirs(root + "\\Tallowfin Desktop");
    MakeDirs(root + "\\Tallowfin Quick Launch");
    int count = 0;
    char name[64];
    for (int i = 0; i < TopShortcuts; ++i) {
        snprintf(name, sizeof name, "\\Program %02d.lnk", i + 1);
        count += CopyFileA(model.c_str(), (root + name).c_str(), FALSE) ? 1 : 0;
    }
    for (int f = 0; large && f < Folders; ++f) {
        snprintf(name, sizeof name, "\\Vendor %03d", f + 1);
        std::string folder = root + name;
        MakeDirs(folder);
        for (int i = 0; i < PerFolder; ++i) {
            snprintf(name, sizeof name, "\\Tool %02d.lnk", i + 1);
            count += CopyFileA(model.c_str(), (folder + name).c_str(), FALSE) ? 1 : 0;
        }
    }
    return count;
}

void PointSendTo(const std::string& folder) {
    WriteRegistryString(HKEY_CURRENT_USER, ShellFoldersSubkey, "SendTo", folder);
    WriteRegistryString(HKEY_CURRENT_USER, UserShellFoldersSubkey, "SendTo", folder);
}

// The menu given one file, as Send To starts it, without the probe.
LaunchOptions MenuOnAFile(const std::string& exe) {
    LaunchOptions options;
    options.exe = exe;
    options.arguments = "\"C:\\some file.txt\"";
    options.probe = false;
    // The menu reads no terms: nothing is written into the folder the benchmark was run from.
    options.termsAccepted = false;
    return options;
}

// Milliseconds from process start to a visible menu window; negative when none came.
double TimeToMenu(const std::string& exe) {
    TallowfinRun run;
    if (!run.Start(MenuOnAFile(exe)))
        return -1;
    std::vector<HWND> menus;
    bool shown = WaitUntil([&] { return !(menus = run.MenuWindows()).empty(); }, StartBound, 1);
    double elapsed = NowMs() - run.StartedAtMs();
    if (shown)
        PressKey(menus[0], VK_ESCAPE);
    DWORD code;
    if (!run.WaitForExit(10000, &code))
        run.Kill();
    return shown ? elapsed : -1;
}

// The program's timestamps (menu/find_timing.h) of one run.
struct FindTimes {
    double show = -1, all = -1;
    std::vector<double> keys;
};

bool ReadFindTimes(const std::string& file, FindTimes* times) {
    std::string text;
    if (!ReadTextFile(file, &text))
        return false;
    *times = FindTimes();
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        double ms = line.size() > 4 ? atof(line.c_str() + line.find(' ') + 1) : -1;
        if (line.compare(0, 5, "show ") == 0)
            times->show = ms;
        else if (line.compare(0, 4, "all ") == 0)
            times->all = ms;
        else if (line.compare(0, 4, "key ") == 0)
            times->keys.push_back(ms);
    }
    return true;
}

HWND FindWindowOf(const TallowfinRun& run) {
    for (HWND window : run.Windows())
        if (IsWindowVisible(window) && ClassName(window) == "TallowfinFind")
            return window;
    return nullptr;
}

// Chooses "Find a program..." by its mnemonic, waits for every row, then types "prog" and
// deletes it again, one change at a time: every step leaves a screenful of rows, and the last
// brings back every program. False when a step did not come.
bool TimeFind(const std::string& exe, const std::string& timingFile, FindTimes* times) {
    DeleteFileA(timingFile.c_str());
    TallowfinRun run;
    LaunchOptions options = MenuOnAFile(exe);
    options.env = {{"TALLOWFIN_FIND_TIMING", timingFile}};
    if (!run.Start(options))
        return false;
    std::vector<HWND> menus;
    HWND window = nullptr, edit = nullptr;
    bool ready =
        WaitUntil([&] { return !(menus = run.MenuWindows()).empty(); }, StartBound, 1) &&
        PressKey(menus[0], 'F') &&
        WaitUntil([&] { return (window = FindWindowOf(run)); }, StartBound, 1) &&
        (edit = FindWindowExA(window, nullptr, "Edit", nullptr)) &&
        WaitUntil([&] { return ReadFindTimes(timingFile, times) && times->all >= 0; }, 600000, 20);
    const wchar_t keys[] = {L'p', L'r', L'o', L'g', VK_BACK, VK_BACK, VK_BACK, VK_BACK};
    for (size_t i = 0; ready && i < sizeof keys / sizeof keys[0]; ++i) {
        PostMessageW(edit, WM_CHAR, keys[i], 1);
        ready = WaitUntil(
            [&] { return ReadFindTimes(timingFile, times) && times->keys.size() > i; }, 10000, 5);
    }
    if (edit)
        PressKey(edit, VK_ESCAPE);
    DWORD code;
    if (!run.WaitForExit(10000, &code))
        run.Kill();
    return ready && times->show >= 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintFigures(const char* what, const std::vector<double> (&times)[2], const int* counts) {
    for (int size = 0; size < 2; ++size)
        printf("%5d shortcuts: %s median %.1f ms, fastest %.1f, slowest %.1f (%zu)\n", counts[size],
               what, Median(times[size]), *std::min_element(times[size].begin(), times[size].end()),
               *std::max_element(times[size].begin(), times[size].end()), times[size].size());
    printf("%s large / small: %.2f (medians)\n", what, Median(times[1]) / Median(times[0]));
}

int RunFindRounds(int rounds, const std::string& exe, const std::string (&sendTo)[2],
                  const int* counts, const std::string& timingFile) {
    std::vector<double> show[2], keys[2], all[2];
    for (int round = -1; round < rounds; ++round)
        for (int turn = 0; turn < 2; ++turn) {
            int size = (round + 2 + turn) % 2;
            PointSendTo(sendTo[size]);
            Sleep(300);
            FindTimes times;
            if (!TimeFind(exe, timingFile, &times)) {
                printf("the find window over the mirror of %d did not finish\n", counts[size]);
                return 1;
            }
            if (round < 0)
                continue;
            show[size].push_back(times.show);
            all[size].push_back(times.all);
            keys[size].insert(keys[size].end(), times.keys.begin(), times.keys.end());
        }
    PrintFigures("first screenful painted", show, counts);
    PrintFigures("keystroke to paint", keys, counts);
    PrintFigures("every row in (not a goal)", all, counts);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    bool find = false;
    for (int i = 1; i < argc; ++i)
        if (strcmp(argv[i], "--find") == 0)
            find = true;
        else
            args.push_back(argv[i]);
    int rounds = !args.empty() ? atoi(args[0].c_str()) : 9;
    const std::string exe = args.size() > 1 ? args[1] : BuildFile(TALLOWFIN_MENU_EXE_NAME);
    printf("menu program: %s\n", exe.c_str());
    CoInitialize(nullptr);
    TempDir work("tallowfin-menu-bench");
    RegistryValueGuard shellFolders(HKEY_CURRENT_USER, ShellFoldersSubkey, "SendTo");
    RegistryValueGuard userShellFolders(HKEY_CURRENT_USER, UserShellFoldersSubkey, "SendTo");
    std::string model = work / "model.lnk";
    if (!CreateShortcut(model, ShortcutTo("C:\\windows\\notepad.exe"))) {
        printf("could not save the model shortcut\n");
        return 1;
    }
    const std::string sendTo[2] = {work / "SendTo small", work / "SendTo large"};
    int counts[2];
    for (int size = 0; size < 2; ++size) {
        double started = NowMs();
        counts[size] = BuildMirror(sendTo[size], model, size == 1);
        printf("mirror of %d shortcuts built in %.1f s\n", counts[size],
               (NowMs() - started) / 1000);
    }
    if (find)
        return RunFindRounds(rounds, exe, sendTo, counts, work / "find-timing.txt");
    std::vector<double> times[2];
    // Round -1 warms both up, untimed. The order alternates, and each run starts after a pause,
    // so that neither size always follows the other's teardown.
    for (int round = -1; round < rounds; ++round)
        for (int turn = 0; turn < 2; ++turn) {
            int size = (round + 2 + turn) % 2;
            PointSendTo(sendTo[size]);
            Sleep(300);
            double ms = TimeToMenu(exe);
            if (ms < 0) {
                printf("no menu over the mirror of %d\n", counts[size]);
                return 1;
            }
            if (round >= 0)
                times[size].push_back(ms);
        }
    for (int size = 0; size < 2; ++size)
        printf(
            "%5d shortcuts: start to menu median %.0f ms, fastest %.0f, slowest %.0f (%d rounds)\n",
            counts[size], Median(times[size]),
            *std::min_element(times[size].begin(), times[size].end()),
            *std::max_element(times[size].begin(), times[size].end()), rounds);
    // Each round's pair ran back to back, under about the same load of the machine.
    std::vector<double> ratios;
    for (int i = 0; i < rounds; ++i)
        ratios.push_back(times[1][i] / times[0][i]);
    printf("large / small: %.2f (medians), %.2f (fastest), %.2f (median of the rounds' ratios)\n",
           Median(times[1]) / Median(times[0]),
           *std::min_element(times[1].begin(), times[1].end()) /
               *std::min_element(times[0].begin(), times[0].end()),
           Median(ratios));
    CoUninitialize();
    return 0;
}
