// msi.dll comes from the system directory only: a copy planted beside the exe stays unloaded,
// and without any msi.dll every shortcut is copied as a plain one. Each case runs in its own
// process with the DLL override it needs (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "mirror/shortcut_copier.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

std::string DllOverrides() {
    const char* value = getenv("WINEDLLOVERRIDES");
    return value ? value : "";
}

std::string Folder(const std::string& file) {
    return file.substr(0, file.find_last_of('\\'));
}

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, sizeof path);
    return path;
}

class InstallerGuard : public ::testing::Test {
  protected:
    void SetUp() override {
        // Nothing in this program imports msi.dll: only the copier may bring it in.
        ASSERT_EQ(nullptr, GetModuleHandleA("msi.dll"));
        fields_ = SampleShortcutFields(dir_.path(), "tool");
        ASSERT_TRUE(CREATE_SHORTCUT(dir_ / "source.lnk", fields_));
    }

    ComApartment com_;
    TempDir dir_{"guard"};
    ShortcutFields fields_;
};

TEST_F(InstallerGuard, PlantedMsiBesideTheExeIsNotLoaded) {
    ASSERT_NE(std::string::npos, DllOverrides().find("msi=n,b")) << DllOverrides();
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string planted = Folder(exe) + "\\msi.dll";
    ASSERT_TRUE(FileExists(planted)) << planted;

    EXPECT_TRUE(CopyShortcut((dir_ / "source.lnk").c_str(), (dir_ / "copy.lnk").c_str()));

    CHECK_SHORTCUT(dir_ / "copy.lnk", fields_);
    HMODULE msi = GetModuleHandleA("msi.dll");
    ASSERT_NE(nullptr, msi);
    EXPECT_EQ(nullptr, GetProcAddress(msi, "TallowfinPlantedMsi"));
    char systemDir[MAX_PATH];
    GetSystemDirectoryA(systemDir, sizeof systemDir);
    EXPECT_EQ(0, lstrcmpiA(systemDir, Folder(ModulePath(msi)).c_str())) << ModulePath(msi);
}

TEST_F(InstallerGuard, WithoutMsiEveryShortcutIsPlain) {
    ASSERT_NE(std::string::npos, DllOverrides().find("msi=d")) << DllOverrides();

    EXPECT_TRUE(CopyShortcut((dir_ / "source.lnk").c_str(), (dir_ / "copy.lnk").c_str()));
    EXPECT_TRUE(CopyShortcut((dir_ / "source.lnk").c_str(), (dir_ / "again.lnk").c_str()));

    CHECK_SHORTCUT(dir_ / "copy.lnk", fields_);
    CHECK_SHORTCUT(dir_ / "again.lnk", fields_);
    EXPECT_EQ(nullptr, GetModuleHandleA("msi.dll"));
}

} // namespace
