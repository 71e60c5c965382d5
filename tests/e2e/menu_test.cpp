// End to end: the real TallowfinMenu.exe over a small mirror. The menu is read in-process
// through the probe, items are chosen with the keyboard, and a recording program shows what a
// chosen program receives. Also its boxes and its own Send To entry.
#include <gtest/gtest.h>

#include <objbase.h>

#include <memory>

#include "tests/e2e/driver.h"
#include "tests/e2e/profile.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

const char Caption[] = "Tallowfin Menu";
const char DocumentType[] = "Software\\Classes\\.tfmenudoc";
const char DocumentClass[] = "Software\\Classes\\TallowfinMenu.TestDocument";

std::string MenuExe() {
    return BuildFile("TallowfinMenu.exe");
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

class Menu : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        work_ = std::make_unique<TempDir>("tallowfin-menu");
        // A profile path outside the ANSI code page: the Send To path must reach the program
        // whole through Tallowfin's discovery code.
        profile_ = std::make_unique<TestProfile>(*work_ / "Профиль 日本");
        ASSERT_TRUE(profile_->Point());
        MakeDirs(*work_ / "cwd");
    }

    void TearDown() override {
        profile_.reset();
        work_.reset();
        CoUninitialize();
    }

    std::string Record() const { return *work_ / "record.txt"; }

    void Link(const std::string& relativePath, ShortcutSpec spec) {
        std::string path = profile_->MirrorRoot() + "\\" + relativePath;
        MakeDirs(path.substr(0, path.find_last_of('\\')));
        ASSERT_TRUE(CreateShortcut(path, spec)) << relativePath;
    }

    // Folders, "&", logical order in any case, a document, a vanished target, the recorder.
    void BuildMirror() {
        const std::string notepad = "C:\\windows\\notepad.exe";
        MakeDirs(profile_->MirrorRoot() + "\\Empty");
        MakeDirs(profile_->MirrorRoot() + "\\Tallowfin Quick Launch");
        Link("Tools\\zeta.lnk", ShortcutTo(notepad));
        Link("Tools\\Editor & Viewer.lnk", ShortcutTo(notepad));
        Link("Tools\\Deep\\Inner.lnk", ShortcutTo(notepad));
        Link("Item 10.lnk", ShortcutTo(notepad));
        Link("Item 2.lnk", ShortcutTo(notepad));
        Link("Banana.lnk", ShortcutTo(notepad));
        Link("apple.lnk", ShortcutTo(notepad));
        ASSERT_TRUE(WriteTextFile(*work_ / "letter.tfmenudoc", "text"));
        Link("Document.lnk", ShortcutTo(*work_ / "letter.tfmenudoc"));
        ASSERT_TRUE(WriteTextFile(*work_ / "gone.exe", ""));
        Link("Gone.lnk", ShortcutTo(*work_ / "gone.exe"));
        DeleteFileA((*work_ / "gone.exe").c_str());
        ShortcutSpec recorder = ShortcutTo(BuildFile("record_args.exe"));
        recorder.arguments = "--out " + Quoted(Record()) + " --flag \"two words\"";
        recorder.workingDir = *work_ / "cwd";
        recorder.iconPath = MenuExe();
        Link("Record & Я 日本.lnk", recorder);
        Link("Tallowfin Desktop\\Desk.lnk", ShortcutTo(notepad));
        ASSERT_TRUE(WriteTextFile(profile_->MirrorRoot() + "\\readme.txt", "not a shortcut"));
    }

    // Starts the menu with the files and waits for it; null when no menu showed.
    HWND StartMenu(TallowfinRun& run, const std::string& arguments) {
        LaunchOptions options;
        options.exe = MenuExe();
        options.arguments = arguments;
        options.workingDir = work_->path();
        if (!run.Start(options))
            return nullptr;
        std::vector<HWND> menus;
        WaitUntil([&] { return !(menus = run.MenuWindows()).empty(); }, StartBound);
        return menus.empty() ? nullptr : menus[0];
    }

    static void Keys(HWND menu, std::initializer_list<UINT> keys) {
        for (UINT key : keys)
            ASSERT_TRUE(PressKey(menu, key));
    }

    // Waits until the root menu reads as expected; the last reading when it never did.
    static std::string MenuOnceItReads(TallowfinRun& run, HWND menu, const std::string& expected) {
        std::string seen;
        WaitUntil([&] { return (seen = ReadMenu(run, menu)) == expected; }, 5000, 50);
        return seen;
    }

    // The box the run shows, checked for the caption and a single OK; its text comes back.
    static std::string AnswerOkBox(TallowfinRun& run) {
        HWND box = run.WaitForMessageBox(StartBound);
        MessageBoxFacts facts;
        if (!ReadMessageBox(run, box, &facts))
            return "(no box)";
        EXPECT_EQ(facts.caption, Caption);
        EXPECT_EQ(facts.icon, BoxIcon::Warning) << BoxIconName(facts.icon);
        EXPECT_EQ(facts.buttons.size(), 1u);
        PressButton(box, IDOK);
        return facts.text;
    }

    static DWORD ExitCode(TallowfinRun& run) {
        DWORD code = 99;
        EXPECT_TRUE(run.WaitForExit(StartBound, &code)) << "still running";
        return code;
    }

    std::unique_ptr<TempDir> work_;
    std::unique_ptr<TestProfile> profile_;
};

// Every sub-menu reads "(empty)" until it first opens.
const char RootMenu[] = "[i] Empty >\n"
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
    BuildMirror();
    const std::vector<std::string> files = {*work_ / "My Files\\report 2024.txt",
                                            *work_ / "Файлы 日本\\заметка & 記録.txt",
                                            *work_ / "Folder A\\"};
    std::string arguments;
    for (const std::string& file : files)
        arguments += Quoted(file + (file.back() == '\\' ? "\\" : "")) + " ";
    SetCursorPos(240, 160);
    TallowfinRun run;
    HWND menu = StartMenu(run, arguments);
    ASSERT_NE(menu, nullptr) << "no menu";
    printf("[ figures  ] start to menu: %.0f ms\n", NowMs() - run.StartedAtMs());
    EXPECT_EQ(ReadMenu(run, menu), RootMenu);

    // Down, Right opens "Empty"; Left, Down, Right opens "Tools", whose own folder stays unread.
    Keys(menu, {VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RIGHT});
    std::string withTools = RootMenu;
    withTools.replace(withTools.find("[i] Tools >\n  (empty) [off]\n"), 28,
                      "[i] Tools >\n  [i] Deep >\n    (empty) [off]\n  [i] Editor && Viewer\n"
                      "  [i] zeta\n");
    EXPECT_EQ(MenuOnceItReads(run, menu, withTools), withTools);
    EXPECT_EQ(run.MenuWindows().size(), 2u) << "Tools is open beside the top level";
    SaveScreenshot("menu-cascade");

    // Back to the top level, seven down to the recorder, Enter.
    Keys(menu, {VK_LEFT});
    for (int i = 0; i < 7; ++i)
        Keys(menu, {VK_DOWN});
    Keys(menu, {VK_RETURN});
    EXPECT_EQ(ExitCode(run), 0u);
    std::string record;
    ASSERT_TRUE(WaitUntil([&] { return ReadTextFile(Record(), &record); }, StartBound))
        << "the recorder did not run";
    std::string expected =
        "cwd " + *work_ / "cwd" + "\narg --out\narg " + Record() + "\narg --flag\narg two words\n";
    for (const std::string& file : files)
        expected += "arg " + file + "\n";
    EXPECT_EQ(record, expected);

    // Escape closes the menu and starts nothing.
    DeleteFileA(Record().c_str());
    TallowfinRun escaped;
    menu = StartMenu(escaped, Quoted(files[0]));
    ASSERT_NE(menu, nullptr);
    Keys(menu, {VK_ESCAPE});
    EXPECT_EQ(ExitCode(escaped), 0u);
    Sleep(300);
    EXPECT_FALSE(FileExists(Record()));
}

// A document opens through its file type, without the files; a vanished target, too many files
// and a missing mirror each give a box and start nothing.
TEST_F(Menu, DocumentsOpenAloneAndErrorsStartNothing) {
    BuildMirror();
    // Wine's shell reads file types only from the machine's classes.
    std::string documentRecord = *work_ / "document.txt";
    ASSERT_TRUE(
        WriteRegistryString(HKEY_LOCAL_MACHINE, DocumentType, "", "TallowfinMenu.TestDocument"));
    ASSERT_TRUE(WriteRegistryString(
        HKEY_LOCAL_MACHINE, (std::string(DocumentClass) + "\\shell\\open\\command").c_str(), "",
        Quoted(BuildFile("record_args.exe")) + " --out " + Quoted(documentRecord) + " \"%1\""));
    {
        TallowfinRun run;
        HWND menu = StartMenu(run, "one.txt two.txt");
        ASSERT_NE(menu, nullptr);
        Keys(menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
        EXPECT_EQ(ExitCode(run), 0u);
        std::string record;
        EXPECT_TRUE(WaitUntil([&] { return ReadTextFile(documentRecord, &record); }, StartBound));
        EXPECT_NE(record.find("arg --out\narg " + documentRecord + "\narg " +
                              *work_ / "letter.tfmenudoc\n"),
                  std::string::npos)
            << record;
        EXPECT_EQ(record.find("one.txt"), std::string::npos) << record;
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, DocumentType);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, DocumentClass);

    {
        SCOPED_TRACE("vanished target");
        TallowfinRun run;
        HWND menu = StartMenu(run, "one.txt");
        ASSERT_NE(menu, nullptr);
        Keys(menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
        std::string text = AnswerOkBox(run);
        EXPECT_NE(text.find("\"Gone\""), std::string::npos) << text;
        EXPECT_NE(text.find(*work_ / "gone.exe"), std::string::npos) << text;
        EXPECT_EQ(ExitCode(run), 1u);
    }
    {
        SCOPED_TRACE("too many files");
        // 16,000 one-letter files fit this program's command line, but not quoted after the
        // recorder's path and arguments.
        std::string many;
        for (int i = 0; i < 16000; ++i)
            many += "x ";
        TallowfinRun run;
        HWND menu = StartMenu(run, many);
        ASSERT_NE(menu, nullptr);
        for (int i = 0; i < 9; ++i)
            Keys(menu, {VK_DOWN});
        Keys(menu, {VK_RETURN});
        std::string text = AnswerOkBox(run);
        EXPECT_EQ(text.find("16000 files were given."), 0u) << text;
        EXPECT_EQ(ExitCode(run), 1u);
        EXPECT_FALSE(FileExists(Record()));
    }
    {
        SCOPED_TRACE("no mirror");
        ASSERT_TRUE(RemoveTree(profile_->MirrorRoot()));
        TallowfinRun run;
        LaunchOptions options;
        options.exe = MenuExe();
        options.arguments = "one.txt";
        ASSERT_TRUE(run.Start(options));
        std::string text = AnswerOkBox(run);
        EXPECT_NE(text.find("Run Tallowfin first"), std::string::npos) << text;
        EXPECT_EQ(ExitCode(run), 1u);
        EXPECT_TRUE(run.MenuWindows().empty());
    }
}

// Without files it offers to add its Send To entry; once added, to remove it.
TEST_F(Menu, WithoutFilesItAddsThenRemovesItsSendToEntry) {
    const std::string entry = profile_->SendTo() + "\\Tallowfin Menu.lnk";
    const char* const questions[] = {"Add Tallowfin Menu to your Send To menu?",
                                     "Tallowfin Menu is in your Send To menu.\n\nRemove it?"};
    for (const char* question : questions) {
        SCOPED_TRACE(question);
        TallowfinRun run;
        LaunchOptions options;
        options.exe = MenuExe();
        ASSERT_TRUE(run.Start(options));
        HWND box = run.WaitForMessageBox(StartBound);
        MessageBoxFacts facts;
        ASSERT_TRUE(ReadMessageBox(run, box, &facts));
        EXPECT_EQ(facts.caption, Caption);
        EXPECT_EQ(facts.text.find(question), 0u) << facts.text;
        EXPECT_EQ(facts.icon, BoxIcon::Question) << BoxIconName(facts.icon);
        ASSERT_EQ(facts.buttons.size(), 2u);
        EXPECT_EQ(facts.buttons[0].id, IDYES);
        EXPECT_EQ(facts.buttons[1].id, IDNO);
        PressButton(box, IDYES);
        EXPECT_EQ(ExitCode(run), 0u);
        if (question == questions[0]) {
            ShortcutFields fields;
            ASSERT_TRUE(ReadShortcut(entry, &fields)) << entry;
            EXPECT_EQ(lstrcmpiA(fields.path.c_str(), MenuExe().c_str()), 0) << fields.path;
            EXPECT_EQ(lstrcmpiA(fields.iconPath.c_str(), MenuExe().c_str()), 0) << fields.iconPath;
        } else {
            EXPECT_FALSE(FileExists(entry));
        }
    }
}

} // namespace
