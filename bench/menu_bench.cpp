// Time from TallowfinMenu.exe's start to its menu on screen, over a small mirror (20 shortcuts)
// and a large one (the same 20 at the top plus 5,000 in 200 folders), alternating in one run.
// Only the top level should be read (and judged: only what can take files is listed) before the
// menu shows, so both should take about as long. Prints figures; it is not a test.
// Args: rounds (default 9), the menu program (default: TallowfinMenu.exe beside this one).
#include <windows.h>
#include <objbase.h>

#include <algorithm>
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

// Milliseconds from process start to a visible menu window; negative when none came.
double TimeToMenu(const std::string& exe) {
    TallowfinRun run;
    LaunchOptions options;
    options.exe = exe;
    options.arguments = "\"C:\\some file.txt\"";
    options.probe = false;
    // The menu reads no terms: nothing is written into the folder the benchmark was run from.
    options.termsAccepted = false;
    if (!run.Start(options))
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 9;
    const std::string exe = argc > 2 ? argv[2] : BuildFile(TALLOWFIN_MENU_EXE_NAME);
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
