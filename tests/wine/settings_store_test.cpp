// The settings key in the test prefix's real registry: version stamp, position, deletion and
// the failure boxes.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include "app/settings_store.h"
#include "base/shared_state.h"
#include "base/window_geometry.h"
#include "tests/support/box_watcher.h"

namespace {

const char ParentKey[] = "Software\\mistlebrookworks";
const char SettingsKey[] = "Software\\mistlebrookworks\\Tallowfin";

bool KeyExists(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void RemoveAllKeys() {
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, ParentKey);
}

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        RemoveAllKeys();
        MainWindow = CreateWindowExA(0, "STATIC", "main", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10,
                                     10, 300, 80, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, MainWindow);
    }
    void TearDown() override {
        DestroyWindow(MainWindow);
        MainWindow = nullptr;
        RemoveAllKeys();
    }
    static RECT WindowRect() {
        RECT r;
        GetWindowRect(MainWindow, &r);
        return r;
    }
};

TEST_F(SettingsStore, VersionStampIsEighteenBytesWithoutTerminator) {
    WriteVersionStamp();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key));
    char data[64] = {};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueExA(key, "V", nullptr, &type, reinterpret_cast<BYTE*>(data), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(18u, size);
    EXPECT_EQ(0, memcmp(data, "Tallowfin v1.7.6.0", 18));
    WCHAR wide[64] = {};
    size = sizeof wide;
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueExW(key, L"V", nullptr, &type, reinterpret_cast<BYTE*>(wide), &size));
    EXPECT_EQ(36u, size) << "no terminator stored";
    RegCloseKey(key);
}

TEST_F(SettingsStore, PositionRoundTripsThroughTheRegistry) {
    EXPECT_EQ(0u, ReadWindowPosition()) << "no key yet";
    struct Case {
        int left, top;
        DWORD stored;
        LONG restoredLeft, restoredTop;
    } cases[] = {
        {100, 50, (100u << 16) | 50u, 100, 50},
        {-20, 50, 0xFFEC0032u, 0, 50},   // partly off the left edge comes back at it
        {100, -10, 0x0064FFF6u, 100, 0}, // and likewise at the top
    };
    for (const Case& c : cases) {
        SetWindowPos(MainWindow, nullptr, c.left, c.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SaveWindowPosition();
        EXPECT_EQ(c.stored, ReadWindowPosition()) << c.left << "," << c.top;
        SetWindowPos(MainWindow, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RestoreWindowPosition(MainWindow);
        RECT r = WindowRect();
        EXPECT_EQ(c.restoredLeft, r.left) << c.left << "," << c.top;
        EXPECT_EQ(c.restoredTop, r.top) << c.left << "," << c.top;
        EXPECT_EQ(300, r.right - r.left) << "size kept";
    }
}

TEST_F(SettingsStore, FirstRunOpensAtTheWorkAreaCorner) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(MainWindow, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RestoreWindowPosition(MainWindow);
    RECT r = WindowRect();
    EXPECT_EQ(work.left, r.left);
    EXPECT_EQ(work.top, r.top);
}

TEST_F(SettingsStore, DeletionRemovesOnlyTheProgramsKey) {
    SaveWindowPosition();
    ASSERT_TRUE(KeyExists(SettingsKey));
    DeleteSettingsKey();
    EXPECT_FALSE(KeyExists(SettingsKey));
    EXPECT_TRUE(KeyExists(ParentKey));
    WriteVersionStamp(); // the next start creates it again
    EXPECT_TRUE(KeyExists(SettingsKey));
}

// A volatile parent cannot hold the program's non-volatile key, so creating it fails.
TEST_F(SettingsStore, KeyThatCannotBeCreatedIsReportedAndNothingElseHappens) {
    HKEY parent;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, ParentKey, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &parent, nullptr));
    RegCloseKey(parent);
    std::vector<SeenBox> seen;
    {
        BoxWatcher watcher;
        WriteVersionStamp();
        SaveWindowPosition();
        seen = watcher.Seen();
    }
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("ERROR - could not write (V)ersion to registry.", seen[0].text);
    EXPECT_EQ("ERROR - could not write 'WP' to registry", seen[1].text);
    for (const SeenBox& box : seen) {
        EXPECT_EQ("Tallowfin v1.7.6.0", box.caption);
        EXPECT_FALSE(box.hasOwner);
        EXPECT_EQ("warning", box.icon);
    }
    EXPECT_FALSE(KeyExists(SettingsKey));
}

TEST_F(SettingsStore, MinimizeShowStateSkipsTheSave) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(MainWindow, &placement);
    placement.showCmd = SW_MINIMIZE;
    SetWindowPlacement(MainWindow, &placement);
    GetWindowPlacement(MainWindow, &placement);
    SaveWindowPosition();
    // The platform reports a minimized window as SW_SHOWMINIMIZED, which is still saved.
    EXPECT_EQ(placement.showCmd == SW_MINIMIZE, !KeyExists(SettingsKey))
        << "showCmd " << placement.showCmd;
}

// The parent is a registry link into a volatile key: following it, the non-volatile parent
// cannot be created, which is as close as this registry comes to a key the user may not write.
TEST_F(SettingsStore, ParentKeyThatCannotBeCreatedIsReported) {
    const char volatileHome[] = "Software\\TallowfinTestVolatile";
    HKEY home;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, volatileHome, 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &home, nullptr));
    RegCloseKey(home);
    HKEY link;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, ParentKey, 0, nullptr,
                                             REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &link, nullptr));
    WCHAR userRoot[256];
    // The link names its target by the kernel's path of the current user's hive.
    HANDLE token;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE buffer[256];
    DWORD length = 0;
    GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &length);
    CloseHandle(token);
    LPWSTR sid = nullptr;
    ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid);
    wsprintfW(userRoot, L"\\Registry\\User\\%s\\Software\\TallowfinTestVolatile\\mb", sid);
    LocalFree(sid);
    LONG rc = RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                             reinterpret_cast<const BYTE*>(userRoot),
                             static_cast<DWORD>(lstrlenW(userRoot) * sizeof(WCHAR)));
    RegCloseKey(link);
    ASSERT_EQ(ERROR_SUCCESS, rc);
    std::vector<SeenBox> seen;
    {
        BoxWatcher watcher;
        WriteVersionStamp();
        seen = watcher.Seen();
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, volatileHome);
    HKEY linkKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ParentKey, REG_OPTION_OPEN_LINK, DELETE, &linkKey) ==
        ERROR_SUCCESS) {
        RegDeleteKeyA(linkKey, "");
        RegCloseKey(linkKey);
    }
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("ERROR - could not create 'mistlebrookworks' registry key", seen[0].text);
    EXPECT_FALSE(KeyExists(ParentKey)) << "the link is gone again";
}

} // namespace
