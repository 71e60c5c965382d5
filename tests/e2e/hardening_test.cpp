// End to end: the program as a download would run it, from a folder that others could write to.
#include <cstdlib>
#include <cstring>

#include "tests/e2e/profile_case.h"
#include "tests/e2e/stand_in_browser.h"
#include "base/product_info.h"
#include "res/resource.h"
#include "tests/support/registry_guard.h"

namespace {

// What a bad input must come to after one run.
enum class Outcome {
    Mirrored, // in the mirror under its own relative path
    Absent,   // nowhere in the mirror under its own path; nothing outside the mirror changed
    Kept,     // an entry of the old mirror that the run cannot or does not remove
};

// Makes one bad input at a path; false when the set-up failed.
typedef bool (*MakeInput)(const std::string& path);

std::string Bytes(size_t count, unsigned seed) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return ok;
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

bool PlainLink(const std::string& path) {
    return MakeDirs(Folder(path)) && CreateShortcut(path, ShortcutTo("C:\\windows\\notepad.exe"));
}

// A shortcut whose target path has exactly n characters.
template <size_t n> bool LinkWithTargetOf(const std::string& path) {
    std::string target = "C:\\Apps\\" + std::string(n - 12, 't') + ".exe";
    return MakeDirs(Folder(path)) && CreateShortcut(path, ShortcutTo(target));
}

bool Garbage(const std::string& path) {
    return MakeDirs(Folder(path)) && WriteBytes(path, Bytes(300, 7));
}
bool Megabyte(const std::string& path) {
    return MakeDirs(Folder(path)) && WriteBytes(path, Bytes(1 << 20, 11));
}
bool Empty(const std::string& path) {
    return MakeDirs(Folder(path)) && WriteBytes(path, "");
}
bool Truncated(const std::string& path) {
    std::string whole;
    return PlainLink(path) && ReadTextFile(path, &whole) && WriteBytes(path, whole.substr(0, 80));
}
bool FolderNamedLikeALink(const std::string& path) {
    return PlainLink(path + "\\inner.lnk");
}
template <DWORD attributes> bool LinkWith(const std::string& path) {
    return PlainLink(path) && SetFileAttributesA(path.c_str(), attributes);
}
// A shortcut at a path of n characters, through the \\?\ form past MAX_PATH.
template <size_t n> bool LinkAtLength(const std::string& path) {
    std::string folder = Folder(path);
    if (folder.size() + 10 > n || !PlainLink(path))
        return false;
    std::string name = std::string(n - folder.size() - 5, 'p') + ".lnk";
    std::wstring from(path.begin(), path.end()), to(folder.begin(), folder.end());
    to = L"\\\\?\\" + to + L"\\" + std::wstring(name.begin(), name.end());
    bool moved = MoveFileW((L"\\\\?\\" + from).c_str(), to.c_str());
    return moved;
}
bool Named(const std::string& path) {
    return PlainLink(path);
}
const char FolderTarget[] = "C:\\windows";
const char EnvTarget[] = "%SystemRoot%\\notepad.exe";
template <const char* target> bool LinkTo(const std::string& path) {
    return MakeDirs(Folder(path)) && CreateShortcut(path, ShortcutTo(target));
}
bool LongArguments(const std::string& path) {
    ShortcutSpec desc = ShortcutTo("C:\\windows\\notepad.exe");
    desc.arguments = std::string(1000, 'a');
    return MakeDirs(Folder(path)) && CreateShortcut(path, desc);
}
bool LongIcon(const std::string& path) {
    ShortcutSpec desc = ShortcutTo("C:\\windows\\notepad.exe");
    desc.iconPath = "C:\\" + std::string(296, 'i');
    return MakeDirs(Folder(path)) && CreateShortcut(path, desc);
}

struct BadInput {
    const char* what;
    const char* where; // "S" for the user's Programs, "M" for the old mirror, then the path
    MakeInput make;
    Outcome outcome;
};

// One profile holds them all; a path beginning with "M" lies in the mirror of an earlier run.
const BadInput BadInputs[] = {
    {"malformed bytes", "S\\Bad\\malformed.lnk", Garbage, Outcome::Absent},
    {"truncated shortcut", "S\\Bad\\truncated.lnk", Truncated, Outcome::Absent},
    {"empty file", "S\\Bad\\empty.lnk", Empty, Outcome::Absent},
    {"1 MB of noise", "S\\Bad\\huge.lnk", Megabyte, Outcome::Absent},
    {"folder named x.lnk", "S\\Bad\\x.lnk", FolderNamedLikeALink, Outcome::Mirrored},
    {"target of 259 characters", "S\\Long\\t259.lnk", LinkWithTargetOf<259>, Outcome::Mirrored},
    {"target of 260 characters", "S\\Long\\t260.lnk", LinkWithTargetOf<260>, Outcome::Mirrored},
    {"target of 300 characters", "S\\Long\\t300.lnk", LinkWithTargetOf<300>, Outcome::Mirrored},
    {"shortcut to a folder", "S\\Bad\\folder.lnk", LinkTo<FolderTarget>, Outcome::Mirrored},
    {"target with an environment variable", "S\\Bad\\env.lnk", LinkTo<EnvTarget>,
     Outcome::Mirrored},
    {"arguments of 1,000 characters", "S\\Bad\\args.lnk", LongArguments, Outcome::Mirrored},
    {"icon path of 300 characters", "S\\Bad\\icon.lnk", LongIcon, Outcome::Mirrored},
    {"upper-case ending", "S\\Bad\\UPPER.LNK", PlainLink, Outcome::Mirrored},
    {"shortcut name without a dot", "S\\Bad\\nodotlnk", PlainLink, Outcome::Mirrored},
    {"shortcut bytes under another ending", "S\\Bad\\link.lnk.txt", PlainLink, Outcome::Absent},
    {"read-only source shortcut", "S\\Attr\\ro.lnk", LinkWith<FILE_ATTRIBUTE_READONLY>,
     Outcome::Mirrored},
    {"hidden source shortcut", "S\\Attr\\hidden.lnk", LinkWith<FILE_ATTRIBUTE_HIDDEN>,
     Outcome::Mirrored},
    {"system source shortcut", "S\\Attr\\system.lnk", LinkWith<FILE_ATTRIBUTE_SYSTEM>,
     Outcome::Mirrored},
    {"format directives in a name", "S\\Names\\100%s %n %x.lnk", Named, Outcome::Mirrored},
    {"format directives in a folder", "S\\%s%s%s\\inner.lnk", Named, Outcome::Mirrored},
    {"twenty folders deep",
     "S\\1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11\\12\\13\\14\\15\\16\\17\\18\\19\\20\\deep.lnk", Named,
     Outcome::Mirrored},
    {"name of 150 characters",
     "S\\Names\\nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn"
     "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn.lnk",
     Named, Outcome::Mirrored},
    {"Cyrillic name", "S\\Names\\Ярлык.lnk", Named, Outcome::Mirrored},
    {"CJK name", "S\\Names\\快捷方式.lnk", Named, Outcome::Mirrored},
    {"emoji name", "S\\Names\\\xF0\x9F\x99\x82 smile.lnk", Named, Outcome::Mirrored},
    {"source path of 248", "S\\Deep\\a.lnk", LinkAtLength<248>, Outcome::Absent},
    {"source path of 259", "S\\Deep\\b.lnk", LinkAtLength<259>, Outcome::Absent},
    {"source path of 262", "S\\Deep\\c.lnk", LinkAtLength<262>, Outcome::Absent},
    {"read-only shortcut in the old mirror", "M\\Old\\ro.lnk", LinkWith<FILE_ATTRIBUTE_READONLY>,
     Outcome::Absent},
    {"hidden shortcut in the old mirror", "M\\Old\\hidden.lnk", LinkWith<FILE_ATTRIBUTE_HIDDEN>,
     Outcome::Absent},
    {"system shortcut in the old mirror", "M\\Old\\system.lnk", LinkWith<FILE_ATTRIBUTE_SYSTEM>,
     Outcome::Absent},
    // Only shortcuts are deleted from an old mirror: the file stays, and the Desktops go
    // unmirrored.
    {"a mirror folder that is a file", "M\\Tallowfin Desktop", Garbage, Outcome::Kept},
    {"locked file in the old mirror", "M\\Old\\locked.lnk", PlainLink, Outcome::Kept},
};

// The run's first dialog that is neither the main window nor a box.
HWND FirstDialog(const TallowfinRun& run) {
    std::vector<HWND> dialogs = run.OtherDialogs();
    return dialogs.empty() ? nullptr : dialogs[0];
}

const char* const PlantedDlls[] = {"msi.dll", "winmm.dll", "comctl32.dll"};

class Hardening : public ProfileCase {};

// Stand-ins for the three libraries that are no KnownDLLs sit beside the exe and in its working
// folder, and Wine is told to prefer them to its own (tests/CMakeLists.txt): had the program loaded
// any of them, the log would name it (and the run would break). It loads none, and runs to its
// normal end.
TEST_F(Hardening, DllsPlantedBesideTheExeAndInTheWorkingFolderAreNotLoaded) {
    std::string app = *work_ / "Downloads", cwd = Cwd();
    std::string planted = BuildFolder() + "\\tests\\planted";
    ASSERT_TRUE(MakeDirs(app));
    ASSERT_TRUE(CopyFileA(TallowfinExe().c_str(), (app + "\\Tallowfin.exe").c_str(), FALSE));
    for (const char* dll : PlantedDlls) {
        for (const std::string& folder : {app, cwd}) {
            ASSERT_TRUE(
                CopyFileA((planted + "\\" + dll).c_str(), (folder + "\\" + dll).c_str(), FALSE))
                << planted << "\\" << dll;
        }
    }
    std::string target = *work_ / "tool.exe";
    ASSERT_TRUE(WriteTextFile(target, ""));
    ASSERT_TRUE(profile_->AddShortcut(UserPrograms, "Tool.lnk", ShortcutTo(target)));
    ASSERT_TRUE(profile_->Point());

    LaunchOptions options = Launch();
    options.exe = app + "\\Tallowfin.exe";
    const char* overrides = getenv("WINEDLLOVERRIDES");
    ASSERT_TRUE(overrides && strstr(overrides, "msi,winmm,comctl32=n,b")) << overrides;
    options.env = {{"TALLOWFIN_PLANTED_LOG", *work_ / "planted.log"}};
    TallowfinRun run;
    ASSERT_TRUE(run.Start(options));
    HWND window = run.WaitForMainWindow(StartBound);
    DWORD code = 0;
    bool ended = window && run.WaitForExit(EndBound, &code);

    std::string loaded;
    ReadTextFile(*work_ / "planted.log", &loaded);
    EXPECT_EQ("", loaded) << "planted libraries were loaded";
    ASSERT_NE(nullptr, window) << "no main window";
    ASSERT_TRUE(ended) << "the exit countdown never ran out";
    EXPECT_EQ(1u, code);
    EXPECT_TRUE(FileExists(profile_->MirrorRoot() + "\\Tool.lnk"));
}

// Every bad input at once, in one run: it ends normally, each input comes to its outcome, the
// ordinary shortcut beside them is mirrored, and nothing outside the mirror changes.
TEST_F(Hardening, OneProfileOfBadInputsRunsToItsEnd) {
    std::string mirror = profile_->MirrorRoot();
    std::string programs = profile_->SourceFolder(UserPrograms);
    auto place = [&](const BadInput& input) {
        return (input.where[0] == 'S' ? programs : mirror) + std::string(input.where + 1);
    };
    for (const BadInput& input : BadInputs)
        ASSERT_TRUE(input.make(place(input))) << input.what;
    ASSERT_TRUE(PlainLink(programs + "\\Ordinary.lnk"));
    // Odd registry values for sources the pass also reads.
    const DWORD number = 42;
    const char multi[] = "C:\\A\0C:\\B\0";
    std::string long300(300, 'v');
    const struct {
        HKEY hive;
        const char* name;
        DWORD type;
        const void* data;
        DWORD size;
    } values[] = {
        {HKEY_LOCAL_MACHINE, "Common Desktop", REG_DWORD, &number, sizeof number},
        {HKEY_LOCAL_MACHINE, "Common AppData", REG_MULTI_SZ, multi, sizeof multi},
        {HKEY_CURRENT_USER, "AppData", REG_EXPAND_SZ, "%APPDATA%", 10},
        {HKEY_LOCAL_MACHINE, "Common Programs", REG_SZ, long300.c_str(), 300},
        {HKEY_LOCAL_MACHINE, "Desktop", REG_SZ, long300.c_str(), 258},
        {HKEY_LOCAL_MACHINE, "Programs", REG_SZ, long300.c_str(), 259},
        {HKEY_LOCAL_MACHINE, "AppData", REG_SZ, long300.c_str(), 260},
    };
    ASSERT_TRUE(profile_->Point());
    for (const auto& value : values) {
        profile_->RemoveValue(value.hive, value.name); // guarded and restored afterwards
        for (const char* key : {ShellFoldersSubkey, UserShellFoldersSubkey})
            ASSERT_TRUE(WriteRegistryValue(value.hive, key, value.name, value.type, value.data,
                                           value.size));
    }
    profile_->RemoveValue(HKEY_CURRENT_USER, "Desktop"); // a missing value
    // A file of the old mirror held open without delete sharing.
    HANDLE locked = CreateFileA((mirror + "\\Old\\locked.lnk").c_str(), GENERIC_READ,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    // The temporary directory is a file and TMP is unset: the product page cannot be written
    // there, and the address itself goes to the browser.
    TempDir web("tallowfin-web");
    ASSERT_TRUE(WriteTextFile(*work_ / "temp-file", "not a folder"));
    StandInBrowser browser;
    auto watch = Watch();

    LaunchOptions options = Launch();
    options.env = {
        {"TEMP", *work_ / "temp-file"}, {"TMP", ""}, {"TALLOWFIN_OPEN_RECORD", web / "opened.txt"}};
    TallowfinRun run;
    ASSERT_TRUE(run.Start(options));
    HWND window = run.WaitForMainWindow(StartBound);
    ASSERT_NE(nullptr, window) << "no main window";
    ASSERT_TRUE(WaitForWorkerEnd(run, EndBound)) << "no end";
    PressButton(window, IDC_MAIN_OPTIONS);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = FirstDialog(run)) != nullptr; }, StartBound));
    PostCommand(dialog, IDM_OPTIONS_VISIT);
    ANSWER_BOX(run, "Visit the Tallowfin internet site?", BoxIcon::Question, dialog, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !Recorded(web / "opened.txt").empty(); }, StartBound));
    EXPECT_NE(std::string::npos, Recorded(web / "opened.txt")[0].find(SiteAddress));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_RUN_ENDS_WITH(run, 1);
    CloseHandle(locked);

    std::string programsMirror = mirror + "\\";
    for (const BadInput& input : BadInputs) {
        // A source's own path in the mirror, or the old mirror's entry itself.
        std::string path =
            input.where[0] == 'S' ? programsMirror + (input.where + 2) : place(input);
        bool present = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(input.outcome != Outcome::Absent, present) << input.what << ": " << path;
    }
    EXPECT_TRUE(FileExists(programsMirror + "Ordinary.lnk"));
    EXPECT_TRUE(watch->OnlyMirrorChanged());
}

// A folder where the terms file belongs: the disclaimer, then on Yes the creation error, and
// the start ends there with exit code 0.
TEST_F(Hardening, TermsFileThatIsAFolderEndsTheStartWithTheCreationError) {
    ASSERT_TRUE(MakeDirs(Cwd() + "\\" + TermsFileName));
    LaunchOptions options = Launch();
    options.termsAccepted = false;
    TallowfinRun run;
    ASSERT_TRUE(run.Start(options));
    HWND box = run.WaitForMessageBox(StartBound);
    MessageBoxFacts facts;
    ASSERT_TRUE(ReadMessageBox(run, box, &facts));
    EXPECT_EQ(0u, facts.text.find("LEGAL DISCLAIMER")) << facts.text;
    PressButton(box, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, StartBound));
    ANSWER_BOX(run, "ERROR: Could not create 'TermsAccepted.txt' ['TermsAccepted.txt'].",
               BoxIcon::Warning, nullptr, IDOK);
    EXPECT_RUN_ENDS_WITH(run, 0);
}

} // namespace
