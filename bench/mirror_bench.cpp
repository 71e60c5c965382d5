// The mirror pass at several profile sizes beside the calls it must make (the same shell-link,
// installer, log and attribute calls in a bare loop over the same files, the folders and one
// progress step per entry) and a raw CopyFileA of the same files, all in one process; the pass's
// phases timed one by one; the working set during the pass beside that of the idle window.
// Prints figures; it is not a test. Args: sizes (default 400 10000), --rounds=N (default 3).
#include <windows.h>
#include <commctrl.h>
#include <msi.h>
#include <objidl.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/app_main.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "base/shared_state.h"
#include "mirror/folder_discovery.h"
#include "mirror/diagnostic_log.h"
#include "mirror/mirror_pass.h"
#include "mirror/mirror_paths.h"
#include "mirror/shortcut_copier.h"
#include "mirror/tree_walks.h"
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
    std::vector<std::string> files;        // source shortcut paths, in the pass's order
    std::vector<std::string> destinations; // relative to a mirror root
    std::vector<std::string> folders;      // relative folders a mirror needs, parents first
    uint32_t entries = 0;                  // files and folders of the sources: progress steps
};

const char* const SourceNames[FolderSlotCount] = {
    "User\\Quick Launch",    "User\\Desktop",    "", "User\\Programs",    "",
    "Common\\Quick Launch",  "Common\\Desktop",  "", "Common\\Programs",  "",
    "Machine\\Quick Launch", "Machine\\Desktop", "", "Machine\\Programs", "",
};

// Lists the shortcuts of a source tree in the order the pass meets them (the file system's),
// each with its place in a mirror, so that the bare loop does the same work in the same order.
void ListShortcuts(const std::string& folder, const std::string& relative, Profile* profile) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..")
                ListShortcuts(folder + "\\" + name, relative + name + "\\", profile);
        } else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".lnk") == 0) {
            profile->files.push_back(folder + "\\" + name);
            profile->destinations.push_back(relative + name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

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
        if (slot == UserDesktop || slot == CommonDesktop || slot == UserQuickLaunch) {
            snprintf(relative, sizeof relative, "Shortcut %05d.lnk", k);
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
                profile->entries += 2;
            }
            if (std::find(folderSet.begin(), folderSet.end(), productFolder) == folderSet.end()) {
                folderSet.push_back(productFolder);
                ++profile->entries;
            }
            if (tools && std::find(folderSet.begin(), folderSet.end(), productFolder + "\\Tools") ==
                             folderSet.end()) {
                folderSet.push_back(productFolder + "\\Tools");
                ++profile->entries;
            }
            snprintf(relative, sizeof relative, "%s%s\\Tool %05d.lnk", productFolder.c_str(),
                     tools ? "\\Tools" : "", k);
        }
        std::string source = profile->sources[slot] + "\\" + relative;
        MakeDirs(source.substr(0, source.find_last_of('\\')));
        CopyFileA(original.c_str(), source.c_str(), FALSE);
        ++profile->entries;
    }
    profile->folders = folderSet;
    const struct {
        FolderSlot slot;
        const char* mirrorBase;
    } passOrder[] = {
        {MachinePrograms, ""},
        {CommonPrograms, ""},
        {UserPrograms, ""},
        {MachineDesktop, "Tallowfin Desktop\\"},
        {CommonDesktop, "Tallowfin Desktop\\"},
        {UserDesktop, "Tallowfin Desktop\\"},
        {MachineQuickLaunch, "Tallowfin Quick Launch\\"},
        {CommonQuickLaunch, "Tallowfin Quick Launch\\"},
        {UserQuickLaunch, "Tallowfin Quick Launch\\"},
    };
    for (const auto& source : passOrder)
        ListShortcuts(profile->sources[source.slot], source.mirrorBase, profile);
}

// The calls CopyShortcut makes for a plain shortcut, its two log lines, and the attribute reset
// that MirrorTree gives each copy.
bool BareCopy(const std::string& source, const std::string& destination) {
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
    if (ok) {
        LogLine(text);
        LogLine(icon);
    }
    ok = ok && SUCCEEDED(file->Save(Wide(destination).c_str(), TRUE));
    file->Release();
    link->Release();
    return ok && SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Work on a thread of its own while the main thread pumps the window's messages, as in the
// program: wall time from CreateThread to the thread's end, the part before its first
// instruction, and the CPU time the main (window) thread spent meanwhile.
struct WorkerRun {
    std::function<void()> work;
    double created = 0, started = 0, ended = 0;
    double uiCpu = 0, workerCpu = 0;
    size_t peakWorkingSet = 0;
};

double CpuSeconds(HANDLE thread) {
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(thread, &creation, &exit, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

DWORD WINAPI WorkerMain(LPVOID param) {
    auto* run = static_cast<WorkerRun*>(param);
    run->started = Now();
    run->work();
    run->workerCpu = CpuSeconds(GetCurrentThread());
    run->ended = Now();
    return 0;
}

void RunOnWorker(WorkerRun* run) {
    double uiBefore = CpuSeconds(GetCurrentThread());
    run->created = Now();
    HANDLE thread = CreateThread(nullptr, 0, WorkerMain, run, 0, nullptr);
    // Any message wakes the wait at once; the working set is sampled on the time-outs only,
    // since reading it is not free under Wine.
    DWORD woke;
    while ((woke = MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT)) !=
           WAIT_OBJECT_0) {
        PumpPendingMessages(); // the program's own way of taking each message

        if (woke == WAIT_TIMEOUT)
            run->peakWorkingSet = std::max(run->peakWorkingSet, WorkingSet());
    }
    CloseHandle(thread);
    PumpPendingMessages();
    run->uiCpu = CpuSeconds(GetCurrentThread()) - uiBefore;
}

void PointDiscoveryAt(const Profile& profile, const std::string& sendTo) {
    SourceFolderTable = {};
    SendToFolder = {};
    for (int slot = 0; slot < FolderSlotCount; ++slot) {
        snprintf(SourceFolderTable.slots[slot].path, PathBufferSize, "%s",
                 profile.sources[slot].c_str());
        SourceFolderTable.slots[slot].found = !profile.sources[slot].empty();
    }
    snprintf(SendToFolder.path, PathBufferSize, "%s\\", sendTo.c_str());
    SendToFolder.found = true;
    ProgressCounters = {};
}

// The real pass. The Send To folder is sendTo; its mirror is sendTo\Tallowfin.
WorkerRun TimePass(const Profile& profile, const std::string& sendTo) {
    PointDiscoveryAt(profile, sendTo);
    WorkerRun run;
    run.work = [] { MirrorWorkerMain(nullptr); };
    RunOnWorker(&run);
    return run;
}

// How the loop below copies each shortcut: the bare calls, or the program's own copier (which
// shows what the walks add to the pass, and what the copier adds to the bare calls).
enum class LoopCopy { BareLogged, Copier };

// What the pass must cost at the least: the three mirror folders and every sub-folder created,
// each shortcut copied, one progress step posted per entry of the sources.
WorkerRun TimeFloor(const Profile& profile, const std::string& root, LoopCopy how) {
    WorkerRun run;
    run.work = [&profile, &root, how] {
        CoInitialize(nullptr);
        HWND bar = GetDlgItem(MainWindow, IDC_MAIN_PROGRESS);
        PostMessageA(bar, PBM_SETRANGE32, 0, profile.entries);
        uint32_t step = 0;
        CreateDirectoryA(root.c_str(), nullptr);
        for (const std::string& folder : profile.folders)
            CreateDirectoryA((root + "\\" + folder).c_str(), nullptr);
        for (; step < profile.entries - profile.files.size(); ++step) // folders, desktop.ini
            PostMessageA(bar, PBM_SETPOS, step + 1, 0);
        for (size_t i = 0; i < profile.files.size(); ++i) {
            PostMessageA(bar, PBM_SETPOS, ++step, 0);
            std::string destination = root + "\\" + profile.destinations[i];
            if (how == LoopCopy::BareLogged)
                BareCopy(profile.files[i], destination);
            else if (CopyShortcut(profile.files[i].c_str(), destination.c_str()))
                SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        CoUninitialize();
    };
    RunOnWorker(&run);
    return run;
}

// The pass's steps one by one, timed: the same calls the worker makes, in its order.
struct Phases {
    double start = 0, logAndCom = 0, count = 0, remove = 0, mirror = 0, total = 0, cpu = 0;
};

Phases TimePhases(const Profile& profile, const std::string& sendTo) {
    PointDiscoveryAt(profile, sendTo);
    Phases phases;
    WorkerRun run;
    run.work = [&phases] {
        double t0 = Now();
        CoInitialize(nullptr);
        StartLog();
        double t1 = Now();
        char root[PathBufferSize], folder[PathBufferSize];
        BuildMirrorFolder(root, SendToFolder.path, MirrorFolder::Root);
        strcpy(folder, root);
        CountTree(folder);
        for (FolderEntry& source : SourceFolderTable.slots)
            if (source.found) // the generated profile has the nine sources only
                CountTree(source.path);
        HWND bar = GetDlgItem(MainWindow, IDC_MAIN_PROGRESS);
        PostMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(ProgressCounters.total));
        PostMessageA(bar, PBM_SETPOS, ProgressCounters.position, 0);
        double t2 = Now();
        strcpy(folder, root);
        DeleteTree(folder);
        CreateDirectoryA(folder, nullptr);
        double t3 = Now();
        const struct {
            MirrorFolder folder;
            FolderSlot slots[3];
        } order[] = {
            {MirrorFolder::Root, {MachinePrograms, CommonPrograms, UserPrograms}},
            {MirrorFolder::Desktop, {MachineDesktop, CommonDesktop, UserDesktop}},
            {MirrorFolder::QuickLaunch, {MachineQuickLaunch, CommonQuickLaunch, UserQuickLaunch}},
        };
        for (const auto& destination : order) {
            BuildMirrorFolder(folder, SendToFolder.path, destination.folder);
            CreateDirectoryA(folder, nullptr);
            for (FolderSlot slot : destination.slots)
                if (SourceFolderTable.slots[slot].found)
                    MirrorTree(folder, SourceFolderTable.slots[slot].path);
        }
        CoUninitialize();
        double t4 = Now();
        phases.logAndCom = t1 - t0;
        phases.count = t2 - t1;
        phases.remove = t3 - t2;
        phases.mirror = t4 - t3;
    };
    RunOnWorker(&run);
    phases.start = run.started - run.created;
    phases.total = run.ended - run.created;
    phases.cpu = run.workerCpu;
    return phases;
}

// A bare recursive listing of a tree, as the walks make it: with FindFirstFileA, or asking for
// no short names and larger batches (basic).
void List(const std::string& folder, bool basic, uint32_t* entries) {
    WIN32_FIND_DATAA data;
    std::string pattern = folder + "\\*";
    HANDLE find = basic
                      ? FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH)
                      : FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (strcmp(data.cFileName, ".") == 0 || strcmp(data.cFileName, "..") == 0)
            continue;
        ++*entries;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            List(folder + "\\" + data.cFileName, basic, entries);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

double TimeListing(const Profile& profile, bool basic) {
    uint32_t entries = 0;
    double start = Now();
    for (const std::string& source : profile.sources)
        if (!source.empty())
            List(source, basic, &entries);
    return Now() - start;
}

// The window thread's cost of one progress step, posted and taken on this thread one at a time:
// looking at each message first and then taking it, or taking it with one removing peek. The
// thread's CPU time per step is added to *cpu.
double StepCost(bool peekThenTake, int steps, double* cpu) {
    HWND bar = GetDlgItem(MainWindow, IDC_MAIN_PROGRESS);
    SendMessageA(bar, PBM_SETRANGE32, 0, steps);
    double cpuBefore = CpuSeconds(GetCurrentThread());
    double start = Now();
    MSG msg;
    for (int i = 1; i <= steps; ++i) {
        PostMessageA(bar, PBM_SETPOS, i, 0);
        while (PeekMessageA(&msg, nullptr, 0, 0, peekThenTake ? PM_NOREMOVE : PM_REMOVE)) {
            if (peekThenTake)
                GetMessageA(&msg, nullptr, 0, 0);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    double elapsed = Now() - start;
    *cpu += (CpuSeconds(GetCurrentThread()) - cpuBefore) / steps;
    return elapsed / steps;
}

double TimeRawCopy(const Profile& profile, const std::string& root) {
    double start = Now();
    CreateDirectoryA(root.c_str(), nullptr);
    for (const std::string& folder : profile.folders)
        CreateDirectoryA((root + "\\" + folder).c_str(), nullptr);
    for (size_t i = 0; i < profile.files.size(); ++i)
        CopyFileA(profile.files[i].c_str(), (root + "\\" + profile.destinations[i]).c_str(), FALSE);
    return Now() - start;
}

struct SizeFigures {
    int count = 0, rounds = 0, samples = 0, entries = 0;
    double pass = 0, rerun = 0, copierLoop = 0, floorLogged = 0, raw = 0, copierCpu = 0;
    double passUi = 0, floorUi = 0, passCpu = 0, floorCpu = 0;
    std::vector<double> ratios; // pass / mandated, one per round
    double listing = 0, basicListing = 0;
    double settling = 0; // the untimed first pass, right after the profile was generated
    Phases phases;
    size_t peak = 0;
};

double Seconds(const WorkerRun& run) {
    return run.ended - run.created;
}

SizeFigures Measure(const std::string& base, const std::string& original, int count, int rounds) {
    SizeFigures figures;
    figures.count = count;
    figures.rounds = rounds;
    char name[32];
    snprintf(name, sizeof name, "\\p%d", count);
    Profile profile;
    Generate(&profile, base + name, original, count);
    figures.entries = static_cast<int>(profile.entries);
    std::string sendTo = profile.root + "\\SendTo", floorRoot = profile.root + "\\floor",
                rawRoot = profile.root + "\\raw", phaseSendTo = profile.root + "\\PhaseSendTo";
    MakeDirs(sendTo);
    MakeDirs(phaseSendTo);
    // Not timed: lets the freshly generated files settle on disk and warms every cache; right
    // after generating 3,000 files the first pass ran up to three times slower than later ones.
    StartLog();
    figures.settling = Seconds(TimePass(profile, sendTo));
    // Short runs are many per round, so that each round takes a while and a passing load of the
    // machine weighs on both sides alike.
    const int samples = std::min(5, std::max(1, 2000 / count)), runs = rounds * samples;
    figures.samples = samples;
    double roundPass = 0, roundFloor = 0, roundPassCpu = 0, roundFloorCpu = 0, roundPhased = 0,
           roundPhasedCpu = 0;
    auto pass = [&] {
        RemoveTree(sendTo + "\\Tallowfin");
        WorkerRun first = TimePass(profile, sendTo);
        WorkerRun again = TimePass(profile, sendTo); // deletes the first one's mirror too
        roundPass += Seconds(first);
        roundPassCpu += first.workerCpu;
        figures.pass += Seconds(first);
        figures.passUi += first.uiCpu;
        figures.passCpu += first.workerCpu;
        figures.rerun += Seconds(again);
        figures.peak = std::max({figures.peak, first.peakWorkingSet, again.peakWorkingSet});
    };
    auto floor = [&] {
        RemoveTree(floorRoot);
        StartLog();
        WorkerRun copier = TimeFloor(profile, floorRoot, LoopCopy::Copier);
        figures.copierLoop += Seconds(copier);
        figures.copierCpu += copier.workerCpu;
        RemoveTree(floorRoot);
        StartLog();
        WorkerRun logged = TimeFloor(profile, floorRoot, LoopCopy::BareLogged);
        roundFloor += Seconds(logged);
        roundFloorCpu += logged.workerCpu;
        figures.floorLogged += Seconds(logged);
        figures.floorUi += logged.uiCpu;
        figures.floorCpu += logged.workerCpu;
    };
    auto raw = [&] {
        RemoveTree(rawRoot);
        figures.raw += TimeRawCopy(profile, rawRoot);
        for (int i = 0; i < 3; ++i) {
            figures.listing += TimeListing(profile, false) / 3;
            figures.basicListing += TimeListing(profile, true) / 3;
        }
    };
    auto phases = [&] {
        RemoveTree(phaseSendTo + "\\Tallowfin");
        Phases p = TimePhases(profile, phaseSendTo);
        roundPhased += p.total;
        roundPhasedCpu += p.cpu;
        figures.phases.start += p.start / runs;
        figures.phases.logAndCom += p.logAndCom / runs;
        figures.phases.count += p.count / runs;
        figures.phases.remove += p.remove / runs;
        figures.phases.mirror += p.mirror / runs;
        figures.phases.total += p.total / runs;
    };
    // Each side goes first in every other run, so a drift of a busy machine spreads evenly.
    for (int round = 0; round < rounds; ++round) {
        roundPass = roundFloor = roundPassCpu = roundFloorCpu = roundPhased = roundPhasedCpu = 0;
        for (int sample = 0; sample < samples; ++sample) {
            if ((round * samples + sample) % 2 == 0) {
                pass();
                floor();
                phases();
                raw();
            } else {
                raw();
                phases();
                floor();
                pass();
            }
        }
        figures.ratios.push_back(roundPass / roundFloor);
        printf("        round %d (%d run%s each): pass %.2f s (CPU %.2f), mandated %.2f s (CPU "
               "%.2f), phased %.2f s (CPU %.2f)\n",
               round + 1, samples, samples > 1 ? "s" : "", roundPass, roundPassCpu, roundFloor,
               roundFloorCpu, roundPhased, roundPhasedCpu);
    }
    figures.pass /= runs;
    figures.rerun /= runs;
    figures.copierLoop /= runs;
    figures.copierCpu /= runs;
    figures.floorLogged /= runs;
    figures.raw /= runs;
    figures.listing /= runs;
    figures.basicListing /= runs;
    figures.passUi /= runs;
    figures.floorUi /= runs;
    figures.passCpu /= runs;
    figures.floorCpu /= runs;
    RemoveTree(profile.root);
    return figures;
}

void Report(const SizeFigures& f) {
    printf("%6d shortcuts, %d entries (%d round%s of %d): pass %.2f s (%.3f ms/shortcut; with the "
           "previous mirror to delete %.3f ms)\n",
           f.count, f.entries, f.rounds, f.rounds > 1 ? "s" : "", f.samples, f.pass,
           1000 * f.pass / f.count, 1000 * f.rerun / f.count);
    printf(
        "        mandated calls %.2f s; the same loop through CopyShortcut %.2f s; raw CopyFileA "
        "%.2f s\n",
        f.floorLogged, f.copierLoop, f.raw);
    std::vector<double> sorted = f.ratios;
    std::sort(sorted.begin(), sorted.end());
    printf("        pass/mandated: median of the rounds %.3f, of the sums %.3f (rounds:",
           sorted[sorted.size() / 2], f.pass / f.floorLogged);
    for (double ratio : f.ratios)
        printf(" %.3f", ratio);
    printf(")   pass/copier-loop %.3f   pass/raw-copy %.2f\n", f.pass / f.copierLoop,
           f.pass / f.raw);
    printf("        the first pass right after generating the profile (not counted): %.2f s\n",
           f.settling);
    printf("        listing the sources: %.1f ms, without short names %.1f ms\n", 1000 * f.listing,
           1000 * f.basicListing);
    const Phases& p = f.phases;
    printf("        phases (ms): worker start %.2f, COM and log %.2f, count %.1f, delete %.1f, "
           "mirror %.1f; total %.1f\n",
           1000 * p.start, 1000 * p.logAndCom, 1000 * p.count, 1000 * p.remove, 1000 * p.mirror,
           1000 * p.total);
    printf(
        "        CPU of the worker: pass %.2f s, mandated calls %.2f s (x%.3f), copier loop %.2f "
        "s; of the window thread meanwhile: %.2f s, %.2f s\n",
        f.passCpu, f.floorCpu, f.passCpu / f.floorCpu, f.copierCpu, f.passUi, f.floorUi);
}

} // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    std::vector<int> sizes;
    int rounds = 3;
    for (int i = 1; i < argc; ++i) {
        if (strncmp(argv[i], "--rounds=", 9) == 0)
            rounds = std::max(1, atoi(argv[i] + 9));
        else
            sizes.push_back(atoi(argv[i]));
    }
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
    double peekThenTake = 0, singleTake = 0, stepCpu = 0;
    for (int i = 0; i < 8; ++i) { // each way goes first in every other pair
        bool peekFirst = i % 2 == 0;
        double first = StepCost(peekFirst, 500, &stepCpu);
        double second = StepCost(!peekFirst, 500, &stepCpu);
        peekThenTake += (peekFirst ? first : second) / 8;
        singleTake += (peekFirst ? second : first) / 8;
    }
    printf("one progress step on the window thread: %.3f ms looking at each message, then taking "
           "it; %.3f ms with one removing peek; %.3f ms of its CPU (both ways)\n",
           1000 * peekThenTake, 1000 * singleTake, 1000 * stepCpu / 16);
    // Warm-up: the first pass loads msi.dll and the shell's link code.
    Measure(dir.path(), original, 20, 1);

    std::vector<SizeFigures> all;
    for (int count : sizes) {
        all.push_back(Measure(dir.path(), original, count, rounds));
        const SizeFigures& f = all.back();
        Report(f);
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
