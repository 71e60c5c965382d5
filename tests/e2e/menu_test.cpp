// End to end: this build's TallowfinMenu.exe (TallowfinMenu64.exe in the 64-bit build) over a
// small mirror. The menu is read in-process through the probe, items are chosen with the
// keyboard, and a recording program shows what a chosen program receives. Also what it leaves
// out, the recent programs, its boxes, its own Send To entry and hot key, the hot key's run, and,
// from the 32-bit build, the 64-bit one (from TALLOWFIN_WIN64_BUILD, a Unix path), which a 32-bit
// probe cannot enter: that one is worked by keys alone.
#include <shlobj.h>

#include <cstdlib>

#include "app/settings_store.h"
#include "tests/e2e/profile_case.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/unix_link.h"

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

const char RecentKey[] = "Software\\mistlebrookworks\\Tallowfin Menu";

// The bitness of this build, of its menu and of its recorder.
constexpr int Bits = sizeof(void*) * 8;

// The Windows path of a Unix path named by an environment variable; empty when it is unset.
std::string HostPath(const char* variable) {
    const char* unixPath = getenv(variable);
    return unixPath && *unixPath ? WindowsPathOfHostPath(unixPath) : "";
}

std::string Menu64() {
    std::string folder = HostPath("TALLOWFIN_WIN64_BUILD");
    return folder.empty() ? "" : folder + "\\TallowfinMenu64.exe";
}

std::string RegistryText(const char* key, const char* name) {
    char text[MAX_PATH] = "";
    DWORD size = sizeof text;
    RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

// A shortcut to a shell object (the Computer folder): an item list and no file path.
bool LinkToShellObject(const std::string& linkPath) {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    PIDLIST_ABSOLUTE computer = nullptr;
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IShellLinkA, reinterpret_cast<void**>(&link))) &&
                 SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)) &&
                 SUCCEEDED(link->SetIDList(computer)) &&
                 SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    saved = saved && SUCCEEDED(file->Save(wide, TRUE));
    CoTaskMemFree(computer);
    for (IUnknown* object : {static_cast<IUnknown*>(file), static_cast<IUnknown*>(link)})
        if (object)
            object->Release();
    return saved;
}

class Menu : public ProfileCase {
  protected:
    // A profile path outside the ANSI code page: the Send To path must reach the program whole
    // through Tallowfin's discovery code.
    Menu() : ProfileCase("Профиль 日本") {}

    void SetUp() override {
        ProfileCase::SetUp();
        ASSERT_TRUE(profile_->Point());
        RegDeleteKeyA(HKEY_CURRENT_USER, RecentKey);
        PlaceSystemRecorders();
        BuildMirror();
    }

    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, RecentKey);
        ProfileCase::TearDown();
    }

    std::string Record() const { return *work_ / "record.txt"; }

    void Link(const std::string& relativePath, ShortcutSpec shortcut) {
        std::string path = profile_->MirrorRoot() + "\\" + relativePath;
        MakeDirs(path.substr(0, path.find_last_of('\\')));
        ASSERT_TRUE(CreateShortcut(path, shortcut)) << relativePath;
    }

    // The recorder as tfrecord64.exe in system32 alone, where a 32-bit program cannot see it, and
    // as tfrecord.exe in both system32 (64-bit) and syswow64 (32-bit), as cmd.exe lies. Copied
    // from the host side: a 32-bit program's writes to system32 land in syswow64.
    void PlaceSystemRecorders() {
        std::string windows = HostPath("TALLOWFIN_WINEPREFIX") + "\\drive_c\\windows\\";
        ASSERT_TRUE(CopyFileA(BuildFile("record_args.exe").c_str(),
                              (windows + "syswow64\\tfrecord.exe").c_str(), FALSE));
        std::string recorder64 = HostPath("TALLOWFIN_WIN64_BUILD") + "\\record_args.exe";
        for (const char* name : {"tfrecord64.exe", "tfrecord.exe"})
            EXPECT_TRUE(
                Menu64().empty() ||
                CopyFileA(recorder64.c_str(), (windows + "system32\\" + name).c_str(), FALSE));
    }

    ShortcutSpec Recorder(const std::string& target, const std::string& arguments = "") {
        ShortcutSpec recorder = ShortcutTo(target);
        recorder.arguments = "--out " + Quoted(Record()) + arguments;
        recorder.workingDir = *work_ / "cwd";
        return recorder;
    }

    // Folders, "&", logical order in any case, the recorder, one with 2,000 characters of
    // arguments, two in system32. Left out: documents, a web link, a folder, a shell object,
    // uninstallers (msiexec by its /x), a missing target and either build of the menu itself; so
    // "Web & Help" stays empty.
    void BuildMirror() {
        MakeDirs(profile_->MirrorRoot() + "\\Empty");
        MakeDirs(profile_->MirrorRoot() + "\\Tallowfin Quick Launch");
        for (const char* path :
             {"Old.lnk\\Inside.lnk", "Tools\\zeta.lnk", "Tools\\Editor & Viewer.lnk",
              "Tools\\Deep\\Inner.lnk", "Item 10.lnk", "Item 2.lnk", "Banana.lnk", "apple.lnk",
              "Tallowfin Desktop\\Desk.lnk"})
            Link(path, ShortcutTo("C:\\windows\\notepad.exe"));
        for (const char* file :
             {"gone.exe", "unins000.exe", "read me.txt", "manual.chm", "TallowfinMenu.exe"})
            ASSERT_TRUE(WriteTextFile(*work_ / file, ""));
        ASSERT_TRUE(
            WriteTextFile(*work_ / "site.url", "[InternetShortcut]\nURL=http://x.invalid/\n"));
        const std::pair<const char*, std::string> leftOut[] = {
            {"Read me.lnk", *work_ / "read me.txt"},
            {"Web & Help\\Manual.lnk", *work_ / "manual.chm"},
            {"Site.lnk", *work_ / "site.url"},
            {"Folder.lnk", *work_ / "cwd"},
            {"Missing.lnk", *work_ / "missing.exe"},
            {"Setup Helper.lnk", *work_ / "unins000.exe"},
            {"Uninstall Record.lnk", BuildFile("record_args.exe")},
            {"Tools\\Uninstall Tools.lnk", BuildFile("record_args.exe")},
            {"Remove Tool.lnk", "C:\\windows\\system32\\msiexec.exe"},
            {"Tallowfin Menu.lnk", BuildFile(TALLOWFIN_MENU_EXE_NAME)},
            {"Menu Copy.lnk", *work_ / "TallowfinMenu.exe"}};
        for (const auto& link : leftOut)
            Link(link.first, Recorder(link.second, " /x{2E5C3B5D-4A4E-4C6B-9A0A-7D2B1C3E4F50}"));
        ASSERT_TRUE(LinkToShellObject(profile_->MirrorRoot() + "\\Computer.lnk"));
        Link("Gone.lnk", ShortcutTo(*work_ / "gone.exe"));
        Link("Recorder 64.lnk", Recorder("C:\\windows\\system32\\tfrecord64.exe"));
        Link("Recorder Both.lnk", Recorder("C:\\windows\\system32\\tfrecord.exe"));
        ShortcutSpec recorder = Recorder(BuildFile("record_args.exe"), " --flag \"two words\"");
        recorder.iconPath = BuildFile(TALLOWFIN_MENU_EXE_NAME);
        Link("Record & Я 日本.lnk", recorder);
        Link("Long Record.lnk", Recorder(BuildFile("record_args.exe"), " " + LongArgument()));
        Link("Tools\\Deep\\Core\\Sketch Pad.lnk",
             Recorder(BuildFile("record_args.exe"), " --sketch"));
        ASSERT_TRUE(WriteTextFile(profile_->MirrorRoot() + "\\readme.txt", "not a shortcut"));
    }

    // What makes "Long Record"'s arguments 2,000 characters.
    std::string LongArgument() {
        return std::string(2000 - Recorder("", " ").arguments.size(), 'a');
    }

    // Starts the program with the arguments; with downs >= 0, waits for the menu, presses Down
    // that many times and Enter. Returns the menu window (null when none showed).
    // This build's menu unless exe is given; the probe only enters a program of its own bitness.
    HWND Run(TallowfinRun& run, const std::string& arguments, int downs = -1,
             const std::string& exe = BuildFile(TALLOWFIN_MENU_EXE_NAME)) {
        LaunchOptions options;
        options.exe = exe;
        options.arguments = arguments;
        options.workingDir = work_->path();
        options.probe = (exe.find("64.exe") != std::string::npos) == (Bits == 64);
        std::vector<HWND> menus;
        if (!run.Start(options) || downs < 0 ||
            !WaitUntil([&] { return !(menus = run.MenuWindows()).empty(); }, StartBound))
            return nullptr;
        Choose(menus[0], downs);
        return menus[0];
    }

    static void Choose(HWND menu, int downs) {
        for (int i = 0; i < downs; ++i)
            PressKey(menu, VK_DOWN);
        if (downs > 0)
            PressKey(menu, VK_RETURN);
    }

    // What the recorder wrote: its build, folder, the shortcut's arguments, then the files.
    std::string ExpectedRecord(int bits, const std::string& arguments,
                               const std::vector<std::string>& files) const {
        std::string record = "bits " + std::to_string(bits) + "\ncwd " + *work_ / "cwd" +
                             "\narg --out\narg " + Record() + "\n" + arguments;
        for (const std::string& file : files)
            record += "arg " + file + "\n";
        return record;
    }

    std::string TakeRecord() const {
        std::string record;
        EXPECT_TRUE(WaitUntil([&] { return ReadTextFile(Record(), &record); }, StartBound));
        DeleteFileA(Record().c_str());
        return record;
    }

    // The run's box: its caption and number of buttons (by default OK alone, or Yes and No)
    // checked, saved as a screenshot when named, answered with the button; its text, its icon.
    static std::string Answer(TallowfinRun& run, int button, BoxIcon* icon, size_t buttons = 0,
                              const char* screenshot = nullptr) {
        HWND box = run.WaitForMessageBox(StartBound);
        MessageBoxFacts facts;
        if (!ReadMessageBox(run, box, &facts))
            return "(no box)";
        EXPECT_EQ(facts.caption, "Tallowfin Menu");
        EXPECT_EQ(facts.buttons.size(), buttons ? buttons : button == IDOK ? 1u : 2u);
        if (screenshot)
            SaveScreenshot(screenshot, box);
        PressButton(box, button);
        *icon = facts.icon;
        return facts.text;
    }

    static DWORD ExitCode(TallowfinRun& run) {
        DWORD code = 99;
        EXPECT_TRUE(run.WaitForExit(EndBound, &code)) << "still running";
        return code;
    }
};

// "Find a program..." heads the menu (Wine's shell has no search icon to give it).
const std::string FindHead = "&Find a program...\n-\n";

// Every sub-menu reads "(empty)" until it first opens. Only programs that take files are listed;
// to a 32-bit program "Recorder 64" in system32 does not exist.
const std::string RootMenu = std::string("[i] Empty >\n"
                                         "  (empty) [off]\n"
                                         "[i] Old.lnk >\n"
                                         "  (empty) [off]\n"
                                         "[i] Tools >\n"
                                         "  (empty) [off]\n"
                                         "[i] Web && Help >\n"
                                         "  (empty) [off]\n"
                                         "[i] apple\n"
                                         "[i] Banana\n"
                                         "[i] Gone\n"
                                         "[i] Item 2\n"
                                         "[i] Item 10\n"
                                         "[i] Long Record\n"
                                         "[i] Record && Я 日本\n") +
                             (Bits == 64 ? "[i] Recorder 64\n" : "") +
                             "[i] Recorder Both\n"
                             "-\n"
                             "[i] Tallowfin Desktop >\n"
                             "  (empty) [off]\n"
                             "[i] Tallowfin Quick Launch >\n"
                             "  (empty) [off]\n";

// Then the recent programs: two runs choose two programs, the third shows them first and
// chooses one of them, and once the other's shortcut is gone it leaves the list.
TEST_F(Menu, ShowsTheMirrorAndStartsTheChosenProgramWithTheFiles) {
    const std::vector<std::string> files = {*work_ / "My Files\\report 2024.txt",
                                            *work_ / "Файлы 日本\\заметка & 記録.txt",
                                            *work_ / "Folder A\\"};
    std::string arguments;
    for (const std::string& file : files)
        arguments += Quoted(file + (file.back() == '\\' ? "\\" : "")) + " ";
    SetCursorPos(240, 160);
    TallowfinRun run;
    HWND menu = Run(run, arguments, 0);
    ASSERT_NE(menu, nullptr) << "no menu";
    printf("[ figures  ] start to menu: %.0f ms\n", NowMs() - run.StartedAtMs());
    EXPECT_EQ(ReadMenu(run, menu), FindHead + RootMenu);

    // Past "Find a program...", Right opens "Empty"; then "Old.lnk" (a folder); then "Tools",
    // whose own folder stays unread.
    for (UINT key :
         {VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RIGHT})
        PressKey(menu, key);
    std::string withTools = FindHead + RootMenu, seen;
    withTools.replace(withTools.find("[i] Old.lnk >\n  (empty) [off]\n"), 30,
                      "[i] Old.lnk >\n  [i] Inside\n");
    withTools.replace(withTools.find("[i] Tools >\n  (empty) [off]\n"), 28,
                      "[i] Tools >\n  [i] Deep >\n    (empty) [off]\n  [i] Editor && Viewer\n"
                      "  [i] zeta\n");
    WaitUntil([&] { return (seen = ReadMenu(run, menu)) == withTools; }, StartBound, 50);
    EXPECT_EQ(seen, withTools);
    EXPECT_EQ(run.MenuWindows().size(), 2u) << "Tools is open beside the top level";
    SaveScreenshot("menu-cascade");
    // "Web & Help", opened, still holds nothing it could list.
    PressKey(menu, VK_LEFT);
    EXPECT_TRUE(WaitUntil([&] { return run.MenuWindows().size() == 1; }, StartBound, 20));
    PressKey(menu, VK_DOWN);
    PressKey(menu, VK_RIGHT);
    EXPECT_TRUE(WaitUntil([&] { return run.MenuWindows().size() == 2; }, StartBound, 20));
    EXPECT_EQ(ReadMenu(run, menu), withTools);

    // Back to the top level, seven down to the recorder, Enter.
    for (UINT key :
         {VK_LEFT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
        PressKey(menu, key);
    EXPECT_EQ(ExitCode(run), 0u);
    EXPECT_EQ(TakeRecord(), ExpectedRecord(Bits, "arg --flag\narg two words\n", files));

    // 2,000 characters of the shortcut's own arguments arrive whole. The recorder now heads the
    // menu, so "Long Record" is twelve down.
    TallowfinRun second;
    ASSERT_NE(Run(second, Quoted(files[0]), 12), nullptr);
    EXPECT_EQ(ExitCode(second), 0u);
    EXPECT_EQ(TakeRecord(), ExpectedRecord(Bits, "arg " + LongArgument() + "\n", {files[0]}));

    TallowfinRun third;
    menu = Run(third, Quoted(files[0]), 0);
    ASSERT_NE(menu, nullptr);
    const std::string recent = "[i] Long Record\n[i] Record && Я 日本\n-\n";
    EXPECT_EQ(ReadMenu(third, menu), FindHead + recent + RootMenu);
    Choose(menu, 3);
    EXPECT_EQ(ExitCode(third), 0u);
    EXPECT_EQ(TakeRecord(), ExpectedRecord(Bits, "arg --flag\narg two words\n", {files[0]}));
    // Kept beside Tallowfin's key, whose Uninstall still deletes it.
    EXPECT_EQ(RegistryText(RecentKey, "1"), "Record & Я 日本.lnk");
    EXPECT_EQ(RegistryText(RecentKey, "2"), "Long Record.lnk");
    WriteRegistryString(HKEY_CURRENT_USER, "Software\\mistlebrookworks\\Tallowfin", "WP", "1");
    DeleteSettingsKey();
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\mistlebrookworks\\Tallowfin", 0, KEY_READ,
                            &key),
              ERROR_SUCCESS);

    // Escape closes the menu and starts nothing.
    ASSERT_TRUE(DeleteFileA((profile_->MirrorRoot() + "\\Long Record.lnk").c_str()));
    std::string root = RootMenu;
    root.erase(root.find("[i] Long Record\n"), 16);
    TallowfinRun escaped;
    menu = Run(escaped, Quoted(files[0]), 0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ReadMenu(escaped, menu), FindHead + "[i] Record && Я 日本\n-\n" + root);
    PressKey(menu, VK_ESCAPE);
    EXPECT_EQ(ExitCode(escaped), 0u);
    Sleep(300);
    EXPECT_FALSE(FileExists(Record()));
}

// A target that vanished after the menu showed, too many files and a missing mirror each give a
// warning and start nothing.
TEST_F(Menu, ErrorsStartNothing) {
    // With its 2,000 characters of arguments "Long Record" cannot take this many files; with
    // only the first 1,023 it could.
    int fileCount = static_cast<int>(31250 - BuildFile("record_args.exe").size()) / 4;
    std::string many;
    for (int i = 0; i < fileCount; ++i)
        many += "x ";
    const struct {
        std::string arguments;
        int downs; // -1: no menu is expected
        std::string text;
        bool targetVanishes = false; // after the menu showed
    } cases[] = {
        {many, 11, std::to_string(fileCount) + " files were given."},
        {"one.txt", 8,
         "The shortcut \"Gone\" points to something that no longer exists:\n\n" +
             *work_ / "gone.exe",
         true},
        {"one.txt", -1, "There is no Tallowfin folder in your Send To folder yet."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.downs < 0) {
            ASSERT_TRUE(RemoveTree(profile_->MirrorRoot()));
        }
        TallowfinRun run;
        HWND menu = Run(run, c.arguments, c.downs < 0 ? -1 : 0);
        EXPECT_TRUE(menu || c.downs < 0) << "no menu";
        if (c.targetVanishes) {
            ASSERT_TRUE(DeleteFileA((*work_ / "gone.exe").c_str()));
        }
        Choose(menu, c.downs);
        BoxIcon icon;
        std::string text = Answer(run, IDOK, &icon);
        EXPECT_EQ(text.find(c.text), 0u) << text;
        EXPECT_EQ(icon, BoxIcon::Warning) << BoxIconName(icon);
        EXPECT_EQ(ExitCode(run), 1u);
        EXPECT_FALSE(FileExists(Record()));
    }
}

// Without files it offers its Send To entry and its hot key, a shortcut in the Start Menu with
// the key and the argument; to one who has only the entry, the key; once both are there, to
// remove both and the recent list's key. On 64-bit Windows the 32-bit build alone says that a
// 64-bit build fits; beside one, it offers shortcuts to it.
TEST_F(Menu, WithoutFilesItOffersItsSendToEntryAndHotKeyThenRemovesBoth) {
    const std::string entry = profile_->SendTo() + "\\Tallowfin Menu.lnk";
    const std::string keyEntry = profile_->SourceFolder(UserPrograms) + "\\Tallowfin Menu.lnk";
    const std::string release = *work_ / "release", menu64 = release + "\\TallowfinMenu64.exe";
    const char* const questions[] = {
        "Add Tallowfin Menu to your Send To menu, and give it the key Ctrl+Shift+Alt+F10?",
        "Tallowfin Menu is in your Send To menu.\n\nAdd its key Ctrl+Shift+Alt+F10 too?",
        "Tallowfin Menu is in your Send To menu and opens with the key Ctrl+Shift+Alt+F10.\n\n"
        "Remove both?"};
    struct Step {
        std::string exe;
        const char* question;
        std::string mentions, target; // the shortcuts' target; empty: removed
        bool keyRemovedBefore = false;
    };
    const std::string own = BuildFile(TALLOWFIN_MENU_EXE_NAME);
    std::vector<Step> steps = {
        {own, questions[0], Bits == 32 ? "TallowfinMenu64.exe" : "", own},
        {own, questions[1], "", own, true},
        {own, questions[2], "", ""},
    };
    // The 32-bit build, on 64-bit Windows, offers the 64-bit one beside it.
    if (Bits == 32) {
        steps.push_back({release + "\\TallowfinMenu.exe", questions[0], menu64, menu64});
        steps.push_back({menu64, questions[2], "", ""});
    }
    MakeDirs(release);
    ASSERT_TRUE(CopyFileA(own.c_str(), (release + "\\" TALLOWFIN_MENU_EXE_NAME).c_str(), FALSE));
    bool with64 = CopyFileA(Menu64().c_str(), menu64.c_str(), FALSE);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.question);
        if (step.exe == menu64 && !with64)
            break;
        ShortcutFields before, fields;
        ReadShortcut(entry, &before);
        if (step.keyRemovedBefore) {
            ASSERT_TRUE(DeleteFileA(keyEntry.c_str()));
        }
        WriteRegistryString(HKEY_CURRENT_USER, RecentKey, "1", "apple.lnk");
        TallowfinRun run;
        Run(run, "", -1, step.exe);
        BoxIcon icon;
        std::string text = Answer(run, IDYES, &icon, step.keyRemovedBefore ? 3 : 2,
                                  step.question == questions[0] ? "menu-offer" : nullptr);
        EXPECT_EQ(text.find(step.question), 0u) << text;
        EXPECT_NE(text.find(step.mentions), std::string::npos) << text;
        EXPECT_TRUE(icon == BoxIcon::Question || (Bits == 32 && step.exe == menu64))
            << BoxIconName(icon);
        EXPECT_EQ(ExitCode(run), 0u);
        ASSERT_EQ(ReadShortcut(entry, &fields), !step.target.empty()) << entry;
        EXPECT_EQ(lstrcmpiA(fields.path.c_str(), step.target.c_str()), 0) << fields.path;
        EXPECT_EQ(fields.iconPath, fields.path);
        if (step.keyRemovedBefore) { // the Send To entry stays as it was
            EXPECT_EQ(fields.path + fields.arguments, before.path + before.arguments);
        }
        ShortcutFields key;
        ASSERT_EQ(ReadShortcut(keyEntry, &key), !step.target.empty()) << keyEntry;
        EXPECT_EQ(lstrcmpiA(key.path.c_str(), step.target.c_str()), 0) << key.path;
        if (!step.target.empty()) {
            EXPECT_EQ(key.arguments, "/hotkey");
            EXPECT_EQ(key.hotKey, 0x0779) << "Ctrl+Shift+Alt+F10";
        }
        EXPECT_EQ(RegistryText(RecentKey, "1").empty(), step.target.empty());
    }
    EXPECT_TRUE(with64) << "no 64-bit build at " << Menu64();
}

// Started by the key with no folder window in the foreground (Wine's list reads no selection),
// the menu opens at the pointer, and the chosen program starts without files and heads the
// recent list. Windows refuses CreateProcess a program that needs administrator rights; Wine
// starts it without asking, so a test-only build is refused every program, which then starts
// through the shell with the same arguments, files and folder, from Send To and the key alike.
TEST_F(Menu, TheHotKeyStartsWithoutFilesAndARefusedProgramStartsThroughTheShell) {
    const std::vector<std::string> files = {*work_ / "a b.txt", *work_ / "Folder A\\"};
    const std::string own = BuildFile(TALLOWFIN_MENU_EXE_NAME);
    const std::string refusing = BuildFile("Elevation" TALLOWFIN_MENU_EXE_NAME);
    const struct {
        std::string exe, arguments;
        std::vector<std::string> files;
    } runs[] = {{own, "/hotkey", {}},
                {refusing, Quoted(files[0]) + " " + Quoted(files[1] + "\\"), files},
                {refusing, "/hotkey", {}}};
    for (const auto& started : runs) {
        SCOPED_TRACE(started.exe + " " + started.arguments);
        RegDeleteKeyA(HKEY_CURRENT_USER, RecentKey);
        SetCursorPos(300, 200);
        TallowfinRun run;
        HWND menu = Run(run, started.arguments, 0, started.exe);
        ASSERT_NE(menu, nullptr) << "no menu";
        printf("[ figures  ] start to menu: %.0f ms\n", NowMs() - run.StartedAtMs());
        RECT at = {};
        GetWindowRect(menu, &at);
        EXPECT_EQ(at.left, 300);
        EXPECT_EQ(at.top, 200);
        EXPECT_EQ(ReadMenu(run, menu), FindHead + RootMenu);
        Choose(menu, 12);
        EXPECT_EQ(ExitCode(run), 0u);
        EXPECT_EQ(TakeRecord(), ExpectedRecord(Bits, "arg --flag\narg two words\n", started.files));
        EXPECT_EQ(RegistryText(RecentKey, "1"), "Record & Я 日本.lnk");
    }
}

// The 64-bit build on 64-bit Windows: a program in system32 alone is listed and starts, and one
// in both system32 and syswow64 starts as its 64-bit copy, each with the files.
TEST_F(Menu, The64BitBuildStartsWhatExplorerWould) {
    if (Menu64().empty())
        GTEST_SKIP() << "TALLOWFIN_WIN64_BUILD names no 64-bit build";
    for (int downs : {13, 14}) {
        RegDeleteKeyA(HKEY_CURRENT_USER, RecentKey);
        TallowfinRun run;
        ASSERT_NE(Run(run, "\"C:\\some file.txt\"", downs, Menu64()), nullptr);
        EXPECT_EQ(ExitCode(run), 0u);
        EXPECT_EQ(TakeRecord(), ExpectedRecord(64, "", {"C:\\some file.txt"})) << downs;
    }
}

// The find window of a run: its search box and list, once shown.
struct FindWindow {
    HWND window = nullptr, edit = nullptr, list = nullptr;
};

FindWindow WaitForFindWindow(TallowfinRun& run) {
    FindWindow found;
    WaitUntil(
        [&] {
            for (HWND window : run.Windows())
                if (IsWindowVisible(window) && ClassName(window) == "TallowfinFind")
                    found.window = window;
            return found.window != nullptr;
        },
        StartBound);
    found.edit = FindWindowExA(found.window, nullptr, "Edit", nullptr);
    found.list = FindWindowExA(found.window, nullptr, "SysListView32", nullptr);
    return found;
}

// Replaces the search box's text as a user would: select all, delete, type.
void Type(HWND edit, const std::string& utf8) {
    PostMessageW(edit, EM_SETSEL, 0, -1);
    PostMessageW(edit, WM_CHAR, VK_BACK, 1);
    wchar_t text[256] = L"";
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text, 256);
    for (const wchar_t* c = text; *c; ++c)
        PostMessageW(edit, WM_CHAR, *c, 1);
}

// Every program the menu would list, at any depth, each with its folder: the recent one first,
// then the rest by name. The uninstallers, documents and other shortcuts the menu leaves out
// are absent. Words find a program three folders deep in any order and case, by Windows' rules
// for Cyrillic too; Down moves the highlight from the search box; Enter starts the first row
// with the files and makes it the most recent; Escape, or activating another window, starts
// nothing.
TEST_F(Menu, FindAProgramListsEveryDepthFiltersByWordsAndStartsTheFirstRow) {
    WriteRegistryString(HKEY_CURRENT_USER, RecentKey, "1", "Long Record.lnk");
    const std::string file = *work_ / "Файлы\\note.txt";
    SetCursorPos(200, 120);
    // "Find a program..." chosen by its letter as the menu opens.
    auto openFind = [&](TallowfinRun& started) {
        HWND menu = Run(started, Quoted(file), 0);
        if (menu)
            PressKey(menu, 'F');
        return menu ? WaitForFindWindow(started) : FindWindow();
    };
    TallowfinRun run;
    FindWindow find = openFind(run);
    ASSERT_TRUE(find.window && find.edit && find.list) << "no find window";
    const std::string recorder64 = Bits == 64 ? "Recorder 64 | \n" : "";
    const std::string rest = "apple | \n"
                             "Banana | \n"
                             "Desk | Tallowfin Desktop\n"
                             "Editor & Viewer | Tools\n"
                             "Gone | \n"
                             "Inner | Tools\\Deep\n"
                             "Inside | Old.lnk\n"
                             "Item 2 | \n"
                             "Item 10 | \n"
                             "Record & Я 日本 | \n" +
                             recorder64 + "Recorder Both | \nzeta | Tools\n";
    const std::string sketch = "Sketch Pad | Tools\\Deep\\Core";
    std::string all = "Long Record |  [sel]\n" + rest;
    all.insert(all.find("zeta"), sketch + "\n");
    std::string seen;
    WaitUntil([&] { return (seen = ReadMenu(run, find.list)) == all; }, StartBound, 50);
    EXPECT_EQ(seen, all);
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof focus;
    EXPECT_TRUE(GetGUIThreadInfo(run.MainThreadId(), &focus) && focus.hwndFocus == find.edit);

    const struct {
        const char* typed;
        UINT key; // pressed in the search box afterwards, or 0
        std::string rows;
    } steps[] = {
        {"sketch core", 0, sketch + " [sel]\n"},
        {"CORE  Sketch", 0, sketch + " [sel]\n"},
        {"я 日本", 0, "Record & Я 日本 |  [sel]\n"},
        {"TOOLS", VK_DOWN,
         "Editor & Viewer | Tools\nInner | Tools\\Deep [sel]\n" + sketch + "\nzeta | Tools\n"},
        {"uninstall", 0, ""},
        {"tools SKETCH", 0, sketch + " [sel]\n"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.typed);
        Type(find.edit, step.typed);
        if (step.key)
            PressKey(find.edit, step.key);
        WaitUntil([&] { return (seen = ReadMenu(run, find.list)) == step.rows; }, StartBound, 20);
        EXPECT_EQ(seen, step.rows);
        if (step.key)
            SaveScreenshot("menu-find", find.window);
    }
    PressKey(find.edit, VK_RETURN);
    EXPECT_EQ(ExitCode(run), 0u);
    EXPECT_EQ(TakeRecord(), ExpectedRecord(Bits, "arg --sketch\n", {file}));
    EXPECT_EQ(RegistryText(RecentKey, "1"), "Tools\\Deep\\Core\\Sketch Pad.lnk");
    EXPECT_EQ(RegistryText(RecentKey, "2"), "Long Record.lnk");

    TallowfinRun escaped;
    find = openFind(escaped);
    ASSERT_NE(find.list, nullptr);
    const std::string recentFirst = sketch + " [sel]\nLong Record | \n" + rest;
    WaitUntil([&] { return (seen = ReadMenu(escaped, find.list)) == recentFirst; }, StartBound, 50);
    EXPECT_EQ(seen, recentFirst);
    // Moved to a monitor at twice the scale, the window draws its font and icons at that scale.
    ProbeShared at96 = {}, at192 = {};
    ASSERT_TRUE(escaped.Probe(find.list, &at96));
    ASSERT_TRUE(escaped.Probe(find.list, &at192, 0, nullptr, 192));
    EXPECT_EQ(at192.listIconWidth, 2 * at96.listIconWidth);
    EXPECT_NEAR(at192.listFontHeight, 2 * at96.listFontHeight, 1);
    PressKey(find.edit, VK_ESCAPE);
    EXPECT_EQ(ExitCode(escaped), 0u);

    // A click on another window takes the activation away: the window closes as a menu would.
    TallowfinRun deactivated;
    find = openFind(deactivated);
    ASSERT_NE(find.window, nullptr);
    WaitUntil([&] { return GetForegroundWindow() == find.window; }, StartBound);
    HWND other = CreateWindowExA(0, "STATIC", "elsewhere", WS_POPUP | WS_VISIBLE, 600, 500, 100, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_EQ(ExitCode(deactivated), 0u);
    DestroyWindow(other);
    Sleep(300);
    EXPECT_FALSE(FileExists(Record()));
}

} // namespace
