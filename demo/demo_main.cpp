// The demo behind run.sh: builds a sample profile in the demo prefix, drives Tallowfin.exe as
// a user would when there is no one at the display, and reports what the run left behind.
//   tallowfin_demo profile   sample shortcuts under C:\TallowfinDemo; Shell Folders point there
//   tallowfin_demo drive     runs Tallowfin.exe, answers its boxes, saves screenshots
//   tallowfin_demo report    prints the tree under Send To and the log
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/profile.h"
#include "tests/support/temp_dir.h"

namespace {

const char DemoRoot[] = "C:\\TallowfinDemo";
const char LogPath[] = "C:\\windows\\TallowfinLog.txt";

struct SampleLink {
    FolderSlot slot;
    const char* path;   // relative to the slot's folder
    const char* target; // a program of the prefix, or one under Apps made for the demo
    const char* arguments;
};

const SampleLink SampleLinks[] = {
    {MachinePrograms, "Accessories\\Notepad.lnk", "C:\\windows\\notepad.exe", ""},
    {MachinePrograms, "Accessories\\WordPad.lnk",
     "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe", ""},
    {MachinePrograms, "Accessories\\Command Prompt.lnk", "C:\\windows\\system32\\cmd.exe", ""},
    {MachinePrograms, "System Tools\\Registry Editor.lnk", "C:\\windows\\regedit.exe", ""},
    {MachinePrograms, "System Tools\\Task Manager.lnk", "C:\\windows\\system32\\taskmgr.exe", ""},
    {MachinePrograms, "System Tools\\Wine Configuration.lnk", "C:\\windows\\system32\\winecfg.exe",
     ""},
    {MachinePrograms, "Games\\Minesweeper.lnk", "C:\\windows\\system32\\winemine.exe", ""},
    {MachineStartMenu, "Windows Update.lnk", "C:\\windows\\system32\\cmd.exe", "/c ver"},
    {CommonPrograms, "Acme Paint\\Acme Paint.lnk", "Apps\\Acme Paint\\paint.exe", ""},
    {CommonPrograms, "Acme Paint\\Acme Paint Help.lnk", "Apps\\Acme Paint\\paint.exe", "/help"},
    {CommonPrograms, "Acme Paint\\Uninstall Acme Paint.lnk", "Apps\\Acme Paint\\uninstall.exe", ""},
    {CommonPrograms, "Foxglove Office\\Foxglove Writer.lnk", "Apps\\Foxglove\\writer.exe", ""},
    {CommonPrograms, "Foxglove Office\\Foxglove Sheets.lnk", "Apps\\Foxglove\\sheets.exe", ""},
    {CommonPrograms, "Foxglove Office\\Foxglove Slides.lnk", "Apps\\Foxglove\\slides.exe", ""},
    {CommonPrograms, "Foxglove Office\\Tools\\Font Manager.lnk", "Apps\\Foxglove\\fonts.exe", ""},
    {CommonPrograms, "Foxglove Office\\Tools\\Language Settings.lnk", "Apps\\Foxglove\\lang.exe",
     ""},
    {CommonPrograms, "Startup\\Acme Updater.lnk", "Apps\\Acme Paint\\updater.exe", "/quiet"},
    {UserPrograms, "Internet\\Web Browser.lnk",
     "C:\\Program Files\\Internet Explorer\\iexplore.exe", ""},
    {UserPrograms, "Internet\\Mail.lnk", "Apps\\Heron Mail\\mail.exe", ""},
    {UserPrograms, "Internet\\News Reader.lnk", "Apps\\Heron Mail\\news.exe", ""},
    {UserPrograms, "Development\\Code Editor.lnk", "Apps\\Quill\\quill.exe", ""},
    {UserPrograms, "Development\\Terminal.lnk", "C:\\windows\\system32\\cmd.exe", "/k cd \\"},
    {UserPrograms, "Development\\Debugging\\Debugger.lnk", "Apps\\Quill\\debugger.exe", ""},
    {UserPrograms, "Development\\Debugging\\Profiler.lnk", "Apps\\Quill\\profiler.exe", ""},
    {UserPrograms, "Utilities\\Archive Manager.lnk", "Apps\\Crate\\crate.exe", ""},
    {UserPrograms, "Utilities\\Calculator.lnk", "Apps\\Abacus\\abacus.exe", ""},
    {UserPrograms, "Utilities\\Disk Tools\\Disk Usage.lnk", "Apps\\Crate\\du.exe", ""},
    {UserStartMenu, "Set Program Access.lnk", "C:\\windows\\system32\\control.exe", ""},
    {MachineDesktop, "Task Manager.lnk", "C:\\windows\\system32\\taskmgr.exe", ""},
    {CommonDesktop, "Acme Paint.lnk", "Apps\\Acme Paint\\paint.exe", ""},
    {CommonDesktop, "Foxglove Writer.lnk", "Apps\\Foxglove\\writer.exe", ""},
    {UserDesktop, "Notepad.lnk", "C:\\windows\\notepad.exe", ""},
    {UserDesktop, "Web Browser.lnk", "C:\\Program Files\\Internet Explorer\\iexplore.exe", ""},
    {UserDesktop, "Terminal.lnk", "C:\\windows\\system32\\cmd.exe", ""},
    {UserDesktop, "Project Notes.lnk", "Documents\\Project Notes.txt", ""},
    {MachineQuickLaunch, "Command Prompt.lnk", "C:\\windows\\system32\\cmd.exe", ""},
    {CommonQuickLaunch, "Acme Paint.lnk", "Apps\\Acme Paint\\paint.exe", ""},
    {UserQuickLaunch, "Notepad.lnk", "C:\\windows\\notepad.exe", ""},
    {UserQuickLaunch, "Web Browser.lnk", "C:\\Program Files\\Internet Explorer\\iexplore.exe", ""},
    {UserQuickLaunch, "Code Editor.lnk", "Apps\\Quill\\quill.exe", ""},
};

std::string Absolute(const char* target) {
    if (target[1] == ':')
        return target;
    return std::string(DemoRoot) + "\\" + target;
}

int BuildProfile() {
    RemoveTree(std::string(DemoRoot) + "\\Machine");
    RemoveTree(std::string(DemoRoot) + "\\Common");
    RemoveTree(std::string(DemoRoot) + "\\User");
    TestProfile profile(DemoRoot);
    profile.KeepFiles();
    profile.KeepRegistry();
    int made = 0;
    for (const SampleLink& link : SampleLinks) {
        std::string target = Absolute(link.target);
        if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            MakeDirs(target.substr(0, target.find_last_of('\\')));
            WriteTextFile(target, ""); // a stand-in program for the demo
        }
        ShortcutSpec desc = ShortcutTo(target);
        desc.arguments = link.arguments;
        desc.workingDir = target.substr(0, target.find_last_of('\\'));
        desc.iconPath = target;
        if (profile.AddShortcut(link.slot, link.path, desc))
            ++made;
        else
            printf("could not create %s\n", link.path);
    }
    if (!profile.Point()) {
        printf("could not point the Shell Folders values at %s\n", DemoRoot);
        return 1;
    }
    printf("sample profile: %d shortcuts under %s (machine, all users and user: Programs, "
           "Desktop, Quick Launch; Send To at %s)\n",
           made, DemoRoot, profile.SendTo().c_str());
    return 0;
}

void PrintTree(const std::string& folder, const std::string& indent) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    std::set<std::string> folders, files;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? folders : files).insert(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    for (const std::string& name : folders) {
        printf("%s%s\\\n", indent.c_str(), name.c_str());
        PrintTree(folder + "\\" + name, indent + "    ");
    }
    for (const std::string& name : files)
        printf("%s%s\n", indent.c_str(), name.c_str());
}

int Report() {
    char sendTo[MAX_PATH] = "";
    DWORD size = sizeof sendTo;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ShellFoldersSubkey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, "SendTo", nullptr, nullptr, reinterpret_cast<BYTE*>(sendTo), &size);
        RegCloseKey(key);
    }
    printf("---- tree under Send To (%s)\n", sendTo);
    PrintTree(sendTo, "    ");
    std::string log;
    printf("---- log %s\n", LogPath);
    if (ReadTextFile(LogPath, &log))
        printf("%s\n", log.c_str());
    else
        printf("    (no log)\n");
    return 0;
}

bool StartsWith(const std::string& text, const char* start) {
    return text.rfind(start, 0) == 0;
}

// A first-time user accepts the disclaimer and takes up the offer of shortcuts.
bool AnswerYes(const std::string& text) {
    return StartsWith(text, "LEGAL DISCLAIMER") || StartsWith(text, "This is the first time");
}

// The screenshot's name for a window the demo meets.
const char* ShotName(HWND window, bool isMain) {
    if (isMain)
        return "main-window";
    std::string text = ControlText(window, 0xFFFF);
    if (StartsWith(text, "LEGAL DISCLAIMER"))
        return "disclaimer";
    if (StartsWith(text, "This is the first time"))
        return "first-run-prompt";
    if (WindowText(window).find(" - Links - ") != std::string::npos)
        return "links-dialog";
    if (WindowText(window).find(" - Options - ") != std::string::npos)
        return "options-dialog";
    if (WindowText(window).find(" - Donate - ") != std::string::npos)
        return "donate-dialog";
    return GetDlgItem(window, 0xFFFF) ? "box" : "dialog";
}

// Answers a box as a user would: Yes where AnswerYes says so, No to other questions, and
// acknowledges everything else.
void AnswerBox(TallowfinRun& run, HWND box) {
    MessageBoxFacts facts;
    if (!ReadMessageBox(run, box, &facts))
        return;
    std::string buttons;
    for (const BoxButton& b : facts.buttons)
        buttons += " [" + b.text + "]";
    printf("box \"%s\" (%s icon):%s\n    %s\n", facts.caption.c_str(), BoxIconName(facts.icon),
           buttons.c_str(), facts.text.c_str());
    int answer = facts.buttons.empty() ? IDOK : facts.buttons[0].id;
    for (const BoxButton& b : facts.buttons) {
        if (b.id == IDYES && AnswerYes(facts.text))
            answer = IDYES;
        else if (b.id == IDNO && !AnswerYes(facts.text))
            answer = IDNO;
        else if (b.id == IDOK)
            answer = IDOK;
    }
    printf("    answered %s\n", answer == IDYES ? "Yes" : answer == IDNO ? "No" : "OK");
    PressButton(box, answer);
}

int Drive() {
    TallowfinRun run;
    LaunchOptions options;
    options.workingDir = DemoRoot;
    // Every demo is a first run: the disclaimer and the offer of shortcuts come up each time.
    options.termsAccepted = false;
    DeleteFileA((std::string(DemoRoot) + "\\" + TermsFileName).c_str());
    if (!run.Start(options))
        return 1;
    printf("started %s in %s\n", TallowfinExe().c_str(), DemoRoot);
    std::set<HWND> seen;
    int shots = 0;
    bool exitingShot = false;
    HWND mainWindow = nullptr, optionsDialog = nullptr;
    bool optionsPressed = false, donateClosed = false;
    double end = NowMs() + 120000, workerEnd = 0;
    while (run.Running() && NowMs() < end) {
        // Once the pass is done the user looks at Options and its Donate dialog, then closes
        // Options; the program then ends at once rather than after its linger.
        if (mainWindow && !optionsPressed && run.WorkerEndedAtMs(&workerEnd)) {
            optionsPressed = true;
            PressButton(mainWindow, IDC_MAIN_OPTIONS);
        }
        if (optionsDialog && donateClosed && IsWindowVisible(optionsDialog)) {
            printf("dialog \"%s\": closed\n", WindowText(optionsDialog).c_str());
            PostMessageA(optionsDialog, WM_CLOSE, 0, 0);
            optionsDialog = nullptr;
        }
        for (HWND window : run.Windows()) {
            if (!IsWindowVisible(window) || !IsDialog(window))
                continue;
            bool isNew = seen.insert(window).second;
            bool isMain = window == run.FindMainWindow();
            char name[64];
            if (isMain && !mainWindow) {
                mainWindow = window;
                printf("main window \"%s\" visible after %.0f ms\n", WindowText(window).c_str(),
                       NowMs() - run.StartedAtMs());
            }
            if (isNew) {
                snprintf(name, sizeof name, "demo-%02d-%s", ++shots, ShotName(window, isMain));
                SaveScreenshot(name, window);
            }
            if (isMain) {
                if (!exitingShot && ControlText(window, IDC_MAIN_OPTIONS) == "Exiting...") {
                    exitingShot = true;
                    ProgressState bar;
                    ReadProgress(GetDlgItem(window, IDC_MAIN_PROGRESS), &bar);
                    printf("main window shows \"Exiting...\"; progress %d of %d..%d\n",
                           bar.position, bar.low, bar.high);
                    snprintf(name, sizeof name, "demo-%02d-main-exiting", ++shots);
                    SaveScreenshot(name, window);
                }
            } else if (GetDlgItem(window, 0xFFFF)) {
                AnswerBox(run, window);
            } else if (isNew && WindowText(window).find(" - Options - ") != std::string::npos) {
                optionsDialog = window;
                PressButton(window, IDC_OPTIONS_DONATE);
            } else if (isNew) {
                printf("dialog \"%s\": closed\n", WindowText(window).c_str());
                PostMessageA(window, WM_CLOSE, 0, 0);
                donateClosed = donateClosed || optionsDialog != nullptr;
            }
        }
        Sleep(50);
    }
    DWORD code = 0;
    if (!run.WaitForExit(10000, &code)) {
        printf("Tallowfin.exe did not end in time\n");
        return 1;
    }
    printf("Tallowfin.exe exited with code %lu after %.1f s\n", code,
           (NowMs() - run.StartedAtMs()) / 1000);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    CoInitialize(nullptr);
    const char* command = argc > 1 ? argv[1] : "";
    int result = 2;
    if (!strcmp(command, "profile"))
        result = BuildProfile();
    else if (!strcmp(command, "drive"))
        result = Drive();
    else if (!strcmp(command, "report"))
        result = Report();
    else
        printf("usage: tallowfin_demo profile|drive|report\n");
    CoUninitialize();
    return result;
}
