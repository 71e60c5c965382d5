// End to end: the real TallowfinMenu.exe over a small mirror. The menu is read in-process
// through the probe, items are chosen with the keyboard, and a recording program shows what a
// chosen program receives. Also its boxes and its own Send To entry.
#include "tests/e2e/profile_case.h"
#include "tests/support/shortcut_fixture.h"

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

class Menu : public ProfileCase {
  protected:
    // A profile path outside the ANSI code page: the Send To path must reach the program whole
    // through Tallowfin's discovery code.
    Menu() : ProfileCase("Профиль 日本") {}

    void SetUp() override {
        ProfileCase::SetUp();
        ASSERT_TRUE(profile_->Point());
        BuildMirror();
    }

    std::string Record() const { return *work_ / "record.txt"; }

    void Link(const std::string& relativePath, ShortcutSpec shortcut) {
        std::string path = profile_->MirrorRoot() + "\\" + relativePath;
        MakeDirs(path.substr(0, path.find_last_of('\\')));
        ASSERT_TRUE(CreateShortcut(path, shortcut)) << relativePath;
    }

    // Folders, "&", logical order in any case, a document, a vanished target, the recorder.
    void BuildMirror() {
        MakeDirs(profile_->MirrorRoot() + "\\Empty");
        MakeDirs(profile_->MirrorRoot() + "\\Tallowfin Quick Launch");
        for (const char* path :
             {"Old.lnk\\Inside.lnk", "Tools\\zeta.lnk", "Tools\\Editor & Viewer.lnk",
              "Tools\\Deep\\Inner.lnk", "Item 10.lnk", "Item 2.lnk", "Banana.lnk", "apple.lnk",
              "Tallowfin Desktop\\Desk.lnk"})
            Link(path, ShortcutTo("C:\\windows\\notepad.exe"));
        ASSERT_TRUE(WriteTextFile(*work_ / "letter.tfmenudoc", "text"));
        Link("Document.lnk", ShortcutTo(*work_ / "letter.tfmenudoc"));
        ASSERT_TRUE(WriteTextFile(*work_ / "gone.exe", ""));
        Link("Gone.lnk", ShortcutTo(*work_ / "gone.exe"));
        DeleteFileA((*work_ / "gone.exe").c_str());
        ShortcutSpec recorder = ShortcutTo(BuildFile("record_args.exe"));
        recorder.arguments = "--out " + Quoted(Record()) + " --flag \"two words\"";
        recorder.workingDir = *work_ / "cwd";
        recorder.iconPath = BuildFile("TallowfinMenu.exe");
        Link("Record & Я 日本.lnk", recorder);
        ASSERT_TRUE(WriteTextFile(profile_->MirrorRoot() + "\\readme.txt", "not a shortcut"));
    }

    // Starts the program with the arguments; with downs >= 0, waits for the menu, presses Down
    // that many times and Enter. Returns the menu window (null when none showed).
    HWND Run(TallowfinRun& run, const std::string& arguments, int downs = -1) {
        LaunchOptions options;
        options.exe = BuildFile("TallowfinMenu.exe");
        options.arguments = arguments;
        options.workingDir = work_->path();
        std::vector<HWND> menus;
        if (!run.Start(options) || downs < 0 ||
            !WaitUntil([&] { return !(menus = run.MenuWindows()).empty(); }, StartBound))
            return nullptr;
        for (int i = 0; i < downs; ++i)
            PressKey(menus[0], VK_DOWN);
        if (downs > 0)
            PressKey(menus[0], VK_RETURN);
        return menus[0];
    }

    // The run's box: its caption checked, answered with the button; its text, its icon kind.
    static std::string Answer(TallowfinRun& run, int button, BoxIcon* icon) {
        HWND box = run.WaitForMessageBox(StartBound);
        MessageBoxFacts facts;
        if (!ReadMessageBox(run, box, &facts))
            return "(no box)";
        EXPECT_EQ(facts.caption, "Tallowfin Menu");
        EXPECT_EQ(facts.buttons.size(), button == IDOK ? 1u : 2u);
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

// Every sub-menu reads "(empty)" until it first opens.
const char RootMenu[] = "[i] Empty >\n"
                        "  (empty) [off]\n"
                        "[i] Old.lnk >\n"
                        "  (empty) [off]\n"
                        "[i] Tools >\n"
                        "  (empty) [off]\n"
                        "[i] apple\n"
                        "[i] Banana\n"
                        "[i] Document\n"
                        "[i] Gone\n"
                        "[i] Item 2\n"
                        "[i] Item 10\n"
                        "[i] Record && Я 日本\n"
                        "-\n"
                        "[i] Tallowfin Desktop >\n"
                        "  (empty) [off]\n"
                        "[i] Tallowfin Quick Launch >\n"
                        "  (empty) [off]\n";

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
    EXPECT_EQ(ReadMenu(run, menu), RootMenu);

    // Down, Right opens "Empty"; then "Old.lnk" (a folder); then "Tools", whose own folder
    // stays unread.
    for (UINT key : {VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RIGHT})
        PressKey(menu, key);
    std::string withTools = RootMenu, seen;
    withTools.replace(withTools.find("[i] Old.lnk >\n  (empty) [off]\n"), 30,
                      "[i] Old.lnk >\n  [i] Inside\n");
    withTools.replace(withTools.find("[i] Tools >\n  (empty) [off]\n"), 28,
                      "[i] Tools >\n  [i] Deep >\n    (empty) [off]\n  [i] Editor && Viewer\n"
                      "  [i] zeta\n");
    WaitUntil([&] { return (seen = ReadMenu(run, menu)) == withTools; }, StartBound, 50);
    EXPECT_EQ(seen, withTools);
    EXPECT_EQ(run.MenuWindows().size(), 2u) << "Tools is open beside the top level";
    SaveScreenshot("menu-cascade");

    // Back to the top level, seven down to the recorder, Enter.
    for (UINT key :
         {VK_LEFT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
        PressKey(menu, key);
    EXPECT_EQ(ExitCode(run), 0u);
    std::string record;
    ASSERT_TRUE(WaitUntil([&] { return ReadTextFile(Record(), &record); }, StartBound));
    std::string expected =
        "cwd " + *work_ / "cwd" + "\narg --out\narg " + Record() + "\narg --flag\narg two words\n";
    for (const std::string& file : files)
        expected += "arg " + file + "\n";
    EXPECT_EQ(record, expected);

    // Escape closes the menu and starts nothing.
    DeleteFileA(Record().c_str());
    TallowfinRun escaped;
    menu = Run(escaped, Quoted(files[0]), 0);
    ASSERT_NE(menu, nullptr);
    PressKey(menu, VK_ESCAPE);
    EXPECT_EQ(ExitCode(escaped), 0u);
    Sleep(300);
    EXPECT_FALSE(FileExists(Record()));
}

// A document opens through its file type, without the files; a vanished target, too many files
// and a missing mirror each give a warning and start nothing.
TEST_F(Menu, DocumentsOpenAloneAndErrorsStartNothing) {
    // Wine's shell reads file types only from the machine's classes.
    const char* const keys[] = {"Software\\Classes\\.tfmenudoc",
                                "Software\\Classes\\TallowfinMenu.TestDocument"};
    std::string documentRecord = *work_ / "document.txt", record;
    WriteRegistryString(HKEY_LOCAL_MACHINE, keys[0], "", "TallowfinMenu.TestDocument");
    WriteRegistryString(
        HKEY_LOCAL_MACHINE, (keys[1] + std::string("\\shell\\open\\command")).c_str(), "",
        Quoted(BuildFile("record_args.exe")) + " --out " + Quoted(documentRecord) + " \"%1\"");
    TallowfinRun document;
    Run(document, "one.txt two.txt", 6);
    EXPECT_EQ(ExitCode(document), 0u);
    EXPECT_TRUE(WaitUntil([&] { return ReadTextFile(documentRecord, &record); }, StartBound));
    EXPECT_EQ(record.substr(record.find('\n') + 1),
              "arg --out\narg " + documentRecord + "\narg " + *work_ / "letter.tfmenudoc\n");
    for (const char* key : keys)
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);

    // 16,000 one-letter files fit this program's command line, but not quoted after the
    // recorder's path and arguments.
    std::string many;
    for (int i = 0; i < 16000; ++i)
        many += "x ";
    const struct {
        std::string arguments;
        int downs; // -1: no menu is expected
        std::string text;
    } cases[] = {
        {"one.txt", 7,
         "The shortcut \"Gone\" points to something that no longer exists:\n\n" +
             *work_ / "gone.exe"},
        {many, 10, "16000 files were given."},
        {"one.txt", -1, "There is no Tallowfin folder in your Send To folder yet."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.downs < 0) {
            ASSERT_TRUE(RemoveTree(profile_->MirrorRoot()));
        }
        TallowfinRun run;
        HWND menu = Run(run, c.arguments, c.downs);
        EXPECT_TRUE(menu || c.downs < 0) << "no menu";
        BoxIcon icon;
        std::string text = Answer(run, IDOK, &icon);
        EXPECT_EQ(text.find(c.text), 0u) << text;
        EXPECT_EQ(icon, BoxIcon::Warning) << BoxIconName(icon);
        EXPECT_EQ(ExitCode(run), 1u);
        EXPECT_FALSE(FileExists(Record()));
    }
}

// Without files it offers to add its Send To entry; once added, to remove it.
TEST_F(Menu, WithoutFilesItAddsThenRemovesItsSendToEntry) {
    const std::string entry = profile_->SendTo() + "\\Tallowfin Menu.lnk";
    const char* const questions[] = {"Add Tallowfin Menu to your Send To menu?",
                                     "Tallowfin Menu is in your Send To menu.\n\nRemove it?"};
    for (const char* question : questions) {
        TallowfinRun run;
        Run(run, "");
        BoxIcon icon;
        std::string text = Answer(run, IDYES, &icon);
        EXPECT_EQ(text.find(question), 0u) << text;
        EXPECT_EQ(icon, BoxIcon::Question) << BoxIconName(icon);
        EXPECT_EQ(ExitCode(run), 0u);
        ShortcutFields fields;
        bool added = question == questions[0];
        ASSERT_EQ(ReadShortcut(entry, &fields), added) << entry;
        if (added) {
            EXPECT_EQ(lstrcmpiA(fields.path.c_str(), BuildFile("TallowfinMenu.exe").c_str()), 0);
            EXPECT_EQ(fields.iconPath, fields.path);
        }
    }
}

} // namespace
