// End to end: the program as a download would run it, from a folder that others could write to.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "tests/e2e/driver.h"
#include "tests/e2e/profile.h"
#include "tests/support/temp_dir.h"

namespace {

const char* const PlantedDlls[] = {"msi.dll", "winmm.dll", "comctl32.dll"};

class Hardening : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        work_ = std::make_unique<TempDir>("tallowfin-hard");
        profile_ = std::make_unique<TestProfile>(*work_ / "profile");
    }

    void TearDown() override {
        profile_.reset();
        work_.reset();
        CoUninitialize();
    }

    std::unique_ptr<TempDir> work_;
    std::unique_ptr<TestProfile> profile_;
};

// Stand-ins for the three libraries that are no KnownDLLs sit beside the exe and in its working
// folder, and Wine is told to prefer them to its own (tests/CMakeLists.txt): had the program loaded
// any of them, the log would name it (and the run would break). It loads none, and runs to its
// normal end.
TEST_F(Hardening, DllsPlantedBesideTheExeAndInTheWorkingFolderAreNotLoaded) {
    std::string app = *work_ / "Downloads", cwd = *work_ / "cwd";
    std::string planted = BuildFolder() + "\\tests\\planted";
    ASSERT_TRUE(MakeDirs(app) && MakeDirs(cwd));
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

    LaunchOptions options;
    options.exe = app + "\\Tallowfin.exe";
    options.workingDir = cwd;
    const char* overrides = getenv("WINEDLLOVERRIDES");
    ASSERT_TRUE(overrides && strstr(overrides, "msi,winmm,comctl32=n,b")) << overrides;
    options.env = {{"TALLOWFIN_PLANTED_LOG", *work_ / "planted.log"}};
    TallowfinRun run;
    ASSERT_TRUE(run.Start(options));
    HWND window = run.WaitForMainWindow(StartBound);
    DWORD code = 0;
    bool ended = window && run.WaitForExit(30000, &code);

    std::string loaded;
    ReadTextFile(*work_ / "planted.log", &loaded);
    EXPECT_EQ("", loaded) << "planted libraries were loaded";
    ASSERT_NE(nullptr, window) << "no main window";
    ASSERT_TRUE(ended) << "the exit countdown never ran out";
    EXPECT_EQ(1u, code);
    EXPECT_TRUE(FileExists(profile_->MirrorRoot() + "\\Tool.lnk"));
}

} // namespace
