// The end-to-end cases' shared set-up (see profile_case.h).
#include "profile_case.h"

#include <objbase.h>

#include <cctype>

#include "res/resource.h"

namespace {

void RemoveSettingsKeys() {
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, VendorKey); // only when nothing else lives under it
}

} // namespace

std::vector<std::string> LogLines() {
    std::string text;
    std::vector<std::string> lines;
    if (!ReadTextFile(LogPath, &text))
        return lines;
    size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool WaitForWorkerEnd(TallowfinRun& run, double timeoutMs) {
    double ended = 0;
    return WaitUntil([&] { return run.WorkerEndedAtMs(&ended); }, timeoutMs);
}

bool WaitForPassPast(HWND window, int beyond, ProgressState* state) {
    HWND bar = GetDlgItem(window, IDC_MAIN_PROGRESS);
    return WaitUntil(
        [&] { return ReadProgress(bar, state) && state->high > 0 && state->position > beyond; },
        LongPassBound);
}

void ProfileCase::SetUp() {
    CoInitialize(nullptr);
    RemoveSettingsKeys();
    std::string tag = "tallowfin-";
    for (const char* c = ::testing::UnitTest::GetInstance()->current_test_suite()->name(); *c; ++c)
        tag += static_cast<char>(tolower(static_cast<unsigned char>(*c)));
    work_ = std::make_unique<TempDir>(tag.c_str());
    profile_ = std::make_unique<TestProfile>(*work_ / profileFolder_);
    MakeDirs(Cwd());
}

void ProfileCase::TearDown() {
    profile_.reset();
    work_.reset();
    RemoveSettingsKeys();
    CoUninitialize();
}

LaunchOptions ProfileCase::Launch() const {
    LaunchOptions options;
    options.workingDir = Cwd();
    return options;
}

std::unique_ptr<ChangeWatch> ProfileCase::Watch() const {
    WriteAcceptedTerms(Cwd());
    return std::make_unique<ChangeWatch>(*profile_, std::vector<std::string>{work_->path()});
}

void ProfileCase::BuildLongProfile(std::vector<std::string>* listing) {
    std::string target = *work_ / "Apps\\tool.exe";
    MakeDirs(*work_ / "Apps");
    WriteTextFile(target, "");
    if (listing)
        *listing = {"Tallowfin Desktop\\", "Tallowfin Quick Launch\\"};
    ASSERT_TRUE(profile_->AddShortcutCopies(UserPrograms, target, 30, 60, listing));
    ASSERT_TRUE(profile_->Point());
}
