// The mirror pass at two profile sizes beside its platform floor (the same shell-link and
// installer calls in a bare loop over the same files) and a raw CopyFileA of the same files,
// all in one process; and the working set during the pass beside that of the idle main window.
// Prints figures; it is not a test. Args: sizes (default 400 10000).
#include <windows.h>
#include <commctrl.h>
#include <msi.h>
#include <objidl.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_main.h"
#include "app/main_window.h"
#include "app/shared_state.h"
#include "mirror/diagnostic_log.h"
#include "mirror/mirror_pass.h"
#include "res/resource.h"
#include "tests/support/temp_dir.h"

namespace {

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::wstring Wide(const std::string& text) {
    WCHAR buffer[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH);
    return buffer;
}

// A generated profile: the nine source folders, and each shortcut with its place in a mirror.
struct Profile {
    std::string root;
    std::string sources[FolderSlotCount];
    std::vector<std::string> files;        // source shortcut paths
    std::vector<std::string> destinations; // relative to a mirror root
    std::vector<std::string> folders;      // relative folders a mirror needs, parents first
};

const char* const SourceNames[FolderSlotCount] = {
    "User\\Quick Launch",    "User\\Desktop",    "", "User\\Programs",    "",
    "Common\\Quick Launch",  "Common\\Desktop",  "", "Common\\Programs",  "",
    "Machine\\Quick Launch", "Machine\\Desktop", "", "Machine\\Programs", "",
};

// Spreads count shortcuts like a real profile: most in the Programs trees, in vendor and product
// folders with a Tools sub-folder, a desktop.ini per vendor; some on the Desktops and in Quick
// Launch. Every shortcut is a copy of one saved through the shell.
void Generate(Profile* profile, const std::string& root, const std::string& original, int count) {
    profile->root = root;
    for (int slot = 0; slot < FolderSlotCount; ++slot)
        if (*SourceNames[slot]) {
            profile->sources[slot] = root + "\\" + SourceNames[slot];
            MakeDirs(profile->sources[slot]);
        }
    const FolderSlot pattern[20] = {
        UserDesktop,     CommonDesktop,   UserQuickLaunch, MachinePrograms, MachinePrograms,
        MachinePrograms, MachinePrograms, CommonPrograms,  CommonPrograms,  CommonPrograms,
        CommonPrograms,  CommonPrograms,  CommonPrograms,  CommonPrograms,  UserPrograms,
        UserPrograms,    UserPrograms,    UserPrograms,    UserPrograms,    UserPrograms};
    int perSlot[FolderSlotCount] = {};
    std::vector<std::string> folderSet = {"Tallowfin Desktop", "Tallowfin Quick Launch"};
    for (int i = 0; i < count; ++i) {
        FolderSlot slot = pattern[i % 20];
        int k = perSlot[slot]++;
        char relative[MAX_PATH];
        std::string mirrorBase;
        if (slot == UserDesktop || slot == CommonDesktop || slot == UserQuickLaunch) {
            snprintf(relative, sizeof relative, "Shortcut %05d.lnk", k);
            mirrorBase =
                slot == UserQuickLaunch ? "Tallowfin Quick Launch\\" : "Tallowfin Desktop\\";
        } else {
            int vendor = k / 40, product = (k / 8) % 5;
            char folder[MAX_PATH];
            snprintf(folder, sizeof folder, "Vendor %03d %s", vendor,
                     slot == MachinePrograms  ? "M"
                     : slot == CommonPrograms ? "C"
                                              : "U");
            std::string vendorFolder = folder;
            snprintf(folder, sizeof folder, "%s\\Product %d", vendorFolder.c_str(), product);
            std::string productFolder = folder;
            bool tools = k % 8 >= 6;
            if (std::find(folderSet.begin(), folderSet.end(), vendorFolder) == folderSet.end()) {
                folderSet.push_back(vendorFolder);
                std::string source = profile->sources[slot] + "\\" + vendorFolder;
                MakeDirs(source);
                WriteTextFile(source + "\\desktop.ini", "[.ShellClassInfo]\r\n");
            }
            if (std::find(folderSet.begin(), folderSet.end(), productFolder) == folderSet.end())
                folderSet.push_back(productFolder);
            if (tools && std::find(folderSet.begin(), folderSet.end(), productFolder + "\\Tools") ==
                             folderSet.end())
                folderSet.push_back(productFolder + "\\Tools");
            snprintf(relative, sizeof relative, "%s%s\\Tool %05d.lnk", productFolder.c_str(),
                     tools ? "\\Tools" : "", k);
        }
        std::string source = profile->sources[slot] + "\\" + relative;
        MakeDirs(source.substr(0, source.find_last_of('\\')));
        CopyFileA(original.c_str(), source.c_str(), FALSE);
        profile->files.push_back(source);
        profile->destinations.push_back(mirrorBase + relative);
    }
    profile->folders = folderSet;
}

void MakeFolders(const Profile& profile, const std::string& root) {
    MakeDirs(root);
    for (const std::string& folder : profile.folders)
        MakeDirs(root + "\\" + folder);
}

// The calls CopyShortcut makes for a plain shortcut, with or without its two log lines.
bool BareCopy(const std::string& source, const std::string& destination, bool log) {
    char product[40], feature[40], component[40], text[MAX_PATH], icon[MAX_PATH];
    int index = 0;
    if (MsiGetShortcutTargetA(source.c_str(), product, feature, component) == 0)
        return false;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    bool ok = SUCCEEDED(file->Load(Wide(source).c_str(), STGM_READ)) &&
              SUCCEEDED(link->Resolve(nullptr, 0x15)) &&
              SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0)) &&
              SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &index));
    if (ok && log) {
        LogLine(text);
        LogLine(icon);
    }
    ok = ok && SUCCEEDED(file->Save(Wide(destination).c_str(), TRUE));
    file->Release();
    link->Release();
    return ok;
}

struct PassRun {
    double seconds = 0;
    size_t peakWorkingSet = 0;
};

DWORD WINAPI PassThread(LPVOID param) {
    double start = Now();
    RunMirrorPass(MainWindow);
    static_cast<PassRun*>(param)->seconds = Now() - start;
    return 0;
}

// The real pass on a worker thread, the main thread pumping the window's messages meanwhile,
// as the program does. The Send To folder is root; its mirror is root\Tallowfin.
PassRun TimePass(const Profile& profile, const std::string& sendTo) {
    SourceSnapshot = {};
    for (int slot = 0; slot < FolderSlotCount; ++slot) {
        snprintf(SourceSnapshot.sources.slots[slot].path, PathBufferSize, "%s",
                 profile.sources[slot].c_str());
        SourceSnapshot.sources.slots[slot].found = !profile.sources[slot].empty();
    }
    snprintf(SourceSnapshot.sendTo.path, PathBufferSize, "%s\\", sendTo.c_str());
    SourceSnapshot.sendTo.found = true;
    ProgressCounters = {};
    PassRun run;
    HANDLE thread = CreateThread(nullptr, 0, PassThread, &run, 0, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 5, QS_ALLINPUT) != WAIT_OBJECT_0) {
        Pump();
        run.peakWorkingSet = std::max(run.peakWorkingSet, WorkingSet());
    }
    CloseHandle(thread);
    Pump();
    return run;
}

template <typename Copy>
double TimeLoop(const Profile& profile, const std::string& root, Copy copy) {
    MakeFolders(profile, root);
    int failures = 0;
    double start = Now();
    for (size_t i = 0; i < profile.files.size(); ++i)
        failures += copy(profile.files[i], root + "\\" + profile.destinations[i]) ? 0 : 1;
    double seconds = Now() - start;
    if (failures)
        printf("    (%d of %u copies failed)\n", failures,
               static_cast<unsigned>(profile.files.size()));
    return seconds;
}

struct SizeFigures {
    int count = 0;
    double pass = 0, rerun = 0, floor = 0, floorLogged = 0, raw = 0;
    size_t peak = 0;
};

SizeFigures Measure(const std::string& base, const std::string& original, int count, int rounds) {
    SizeFigures figures;
    figures.count = count;
    char name[32];
    snprintf(name, sizeof name, "\\p%d", count);
    Profile profile;
    Generate(&profile, base + name, original, count);
    std::string sendTo = profile.root + "\\SendTo", floorRoot = profile.root + "\\floor",
                rawRoot = profile.root + "\\raw";
    MakeDirs(sendTo);
    auto pass = [&] {
        RemoveTree(sendTo + "\\Tallowfin");
        StartLog();
        PassRun first = TimePass(profile, sendTo);
        StartLog();
        PassRun again = TimePass(profile, sendTo); // deletes the first one's mirror too
        figures.pass += first.seconds;
        figures.rerun += again.seconds;
        figures.peak = std::max({figures.peak, first.peakWorkingSet, again.peakWorkingSet});
    };
    auto floor = [&] {
        RemoveTree(floorRoot);
        figures.floor +=
            TimeLoop(profile, floorRoot, [](const std::string& s, const std::string& d) {
                return BareCopy(s, d, false);
            });
        RemoveTree(floorRoot);
        StartLog();
        figures.floorLogged +=
            TimeLoop(profile, floorRoot, [](const std::string& s, const std::string& d) {
                return BareCopy(s, d, true);
            });
    };
    auto raw = [&] {
        RemoveTree(rawRoot);
        figures.raw += TimeLoop(profile, rawRoot, [](const std::string& s, const std::string& d) {
            return CopyFileA(s.c_str(), d.c_str(), FALSE) != 0;
        });
    };
    // Each side goes first in every other round, so a drift of a busy machine spreads evenly.
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            pass();
            floor();
            raw();
        } else {
            raw();
            floor();
            pass();
        }
    }
    figures.pass /= rounds;
    figures.rerun /= rounds;
    figures.floor /= rounds;
    figures.floorLogged /= rounds;
    figures.raw /= rounds;
    RemoveTree(profile.root);
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(atoi(argv[i]));
    if (sizes.empty())
        sizes = {400, 10000};

    AppInstance = GetModuleHandleA(nullptr);
    InitAppState();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    MainWindow =
        CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainWindowProc, 0);
    if (!MainWindow) {
        printf("no main window (is there a display?)\n");
        return 1;
    }
    ShowWindow(MainWindow, SW_SHOW);
    for (int i = 0; i < 50; ++i) { // let the window settle before its working set is read
        Pump();
        Sleep(10);
    }
    size_t idle = WorkingSet();

    TempDir dir("mirror-bench");
    std::string original = dir / "original.lnk", target = dir / "tool.exe";
    WriteTextFile(target, "");
    {
        IShellLinkA* link = nullptr;
        IPersistFile* file = nullptr;
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void**>(&link));
        link->SetPath(target.c_str());
        link->SetIconLocation(target.c_str(), 0);
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        file->Save(Wide(original).c_str(), TRUE);
        file->Release();
        link->Release();
    }
    // Warm-up: the first pass loads msi.dll and the shell's link code.
    Measure(dir.path(), original, 20, 1);

    std::vector<SizeFigures> all;
    for (int count : sizes) {
        int rounds = count <= 1000 ? 5 : 1;
        all.push_back(Measure(dir.path(), original, count, rounds));
        const SizeFigures& f = all.back();
        double perShortcut = 1000 * f.pass / f.count;
        printf("%6d shortcuts (%d round%s): pass %.2f s (%.3f ms/shortcut; with the previous "
               "mirror to delete %.3f ms)\n",
               f.count, rounds, rounds > 1 ? "s" : "", f.pass, perShortcut,
               1000 * f.rerun / f.count);
        printf("        floor %.2f s (with the log lines %.2f s), raw CopyFileA %.2f s\n", f.floor,
               f.floorLogged, f.raw);
        printf("        pass/floor %.2f   pass/(floor+log) %.2f   pass/raw-copy %.2f\n",
               f.pass / f.floor, f.pass / f.floorLogged, f.pass / f.raw);
        printf("        working set: idle main window %.1f MB, peak during the pass %.1f MB "
               "(x%.2f)\n",
               idle / 1048576.0, f.peak / 1048576.0, static_cast<double>(f.peak) / idle);
    }
    if (all.size() >= 2) {
        const SizeFigures &small = all.front(), &large = all.back();
        printf("time per shortcut at %d vs %d: x%.2f\n", large.count, small.count,
               (large.pass / large.count) / (small.pass / small.count));
    }
    DestroyWindow(MainWindow);
    return 0;
}
