// The set-up every end-to-end case shares: COM, a temporary folder with a profile and a working
// folder in it, no settings key before or after, and the case's launch options and change watch.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/profile.h"
#include "tests/support/temp_dir.h"

// How long a pass of a couple of thousand shortcuts may take on a loaded machine.
constexpr double LongPassBound = 300000;

constexpr const char LogPath[] = "C:\\windows\\TallowfinLog.txt";
constexpr const char VendorKey[] = "Software\\mistlebrookworks";
constexpr const char SettingsKey[] = "Software\\mistlebrookworks\\Tallowfin";

// The log's lines: two for each shortcut the pass copied, its target and its icon.
std::vector<std::string> LogLines();
bool WaitForWorkerEnd(TallowfinRun& run, double timeoutMs = StartBound);
// Waits until the bar has a range and stands past step `beyond`; false when it did not get there.
bool WaitForPassPast(HWND window, int beyond, ProgressState* state);

class ProfileCase : public ::testing::Test {
  protected:
    explicit ProfileCase(const char* profileFolder = "profile") : profileFolder_(profileFolder) {}
    void SetUp() override;
    void TearDown() override;

    std::string Cwd() const { return *work_ / "cwd"; }
    // Started in the working folder, which the start gives this version's accepted terms.
    LaunchOptions Launch() const;
    // Everything the case owns: the profile, and every file under its temporary folder. The
    // working folder first gets the accepted terms: what every start finds there is not the
    // run's doing.
    std::unique_ptr<ChangeWatch> Watch() const;
    // A long pass: 1,800 shortcuts in 30 folders of the user's Programs, to one target, and the
    // profile pointed at. Appends the entries of the mirror they make to listing if given.
    void BuildLongProfile(std::vector<std::string>* listing = nullptr);

    std::unique_ptr<TempDir> work_;
    std::unique_ptr<TestProfile> profile_;

  private:
    const char* profileFolder_;
};
