// Shell folder discovery against the test prefix's real registry.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "mirror/folder_discovery.h"
#include "tests/support/registry_guard.h"
#include "tests/support/shell_folder_values.h"

namespace {

const std::string Suffix = "\\Microsoft\\Internet Explorer\\Quick Launch";

// Every case starts from Shell Folders keys that hold none of the values the readers use,
// and from zeroed tables; the prefix's own values come back afterwards.
class FolderDiscovery : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const ShellFolderValue& v : ShellFolderValues)
            Clear(v.hive, v.name);
        Clear(HKEY_CURRENT_USER, "SendTo");
        memset(&SourceFolderTable, 0, sizeof SourceFolderTable);
        memset(LinkLocationTable, 0, sizeof LinkLocationTable);
        memset(&SendToFolder, 0, sizeof SendToFolder);
    }

    void Clear(HKEY hive, const char* name) {
        guards_.push_back(std::make_unique<RegistryValueGuard>(hive, ShellFoldersSubkey, name));
        DeleteRegistryValue(hive, ShellFoldersSubkey, name);
    }

    static void Set(HKEY hive, const char* name, const std::string& text) {
        ASSERT_TRUE(WriteRegistryString(hive, ShellFoldersSubkey, name, text)) << name;
    }

    static void SetRaw(HKEY hive, const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_TRUE(WriteRegistryValue(hive, ShellFoldersSubkey, name, type, data, size)) << name;
    }

    static const FolderEntry& Source(FolderSlot slot) { return SourceFolderTable.slots[slot]; }

  private:
    std::vector<std::unique_ptr<RegistryValueGuard>> guards_;
};

TEST_F(FolderDiscovery, EachSlotReadsItsOwnHiveAndValue) {
    for (const ShellFolderValue& v : ShellFolderValues)
        Set(v.hive, v.name, std::string("C:\\slot") + std::to_string(v.slot));
    ReadSourceFolders();
    ReadLinkLocations();
    for (const ShellFolderValue& v : ShellFolderValues) {
        std::string value = "C:\\slot" + std::to_string(v.slot);
        bool quickLaunch = v.slot == UserQuickLaunch || v.slot == CommonQuickLaunch ||
                           v.slot == MachineQuickLaunch;
        std::string sourceExpected = quickLaunch ? value + Suffix : value + "\\";
        std::string linkExpected = quickLaunch ? value + Suffix : value;
        EXPECT_TRUE(Source(v.slot).found) << v.name;
        EXPECT_EQ(sourceExpected, Source(v.slot).path) << v.name;
        EXPECT_TRUE(LinkLocationTable[v.slot].found) << v.name;
        EXPECT_EQ(linkExpected, LinkLocationTable[v.slot].path) << v.name;
    }
    EXPECT_TRUE(SourceFolderTable.AnySourceFound);
}

TEST_F(FolderDiscovery, TrailingBackslashInSourceTableOnly) {
    Set(HKEY_CURRENT_USER, "Desktop", "C:\\Users\\a\\Desktop");
    Set(HKEY_CURRENT_USER, "Programs", "C:\\Users\\a\\Programs\\");
    ReadSourceFolders();
    ReadLinkLocations();
    EXPECT_STREQ("C:\\Users\\a\\Desktop\\", Source(UserDesktop).path);
    EXPECT_STREQ("C:\\Users\\a\\Desktop", LinkLocationTable[UserDesktop].path);
    EXPECT_STREQ("C:\\Users\\a\\Programs\\", Source(UserPrograms).path);
    EXPECT_STREQ("C:\\Users\\a\\Programs\\", LinkLocationTable[UserPrograms].path);
}

TEST_F(FolderDiscovery, QuickLaunchPathsFromAppData) {
    const std::string long240(240, 'q');
    struct Case {
        std::string appData, expected;
    } cases[] = {
        {"C:\\D", "C:\\D" + Suffix},
        {"C:\\D\\", "C:\\D" + Suffix},
        {"C:\\" + long240.substr(3), "C:\\" + long240.substr(3, 215) + Suffix},
    };
    for (const Case& c : cases) {
        Set(HKEY_CURRENT_USER, "AppData", c.appData);
        Set(HKEY_LOCAL_MACHINE, "Common AppData", c.appData);
        Set(HKEY_LOCAL_MACHINE, "AppData", c.appData);
        ReadSourceFolders();
        ReadLinkLocations();
        for (FolderSlot slot : {UserQuickLaunch, CommonQuickLaunch, MachineQuickLaunch}) {
            EXPECT_EQ(c.expected, Source(slot).path) << c.appData.size() << " slot " << slot;
            EXPECT_EQ(c.expected, LinkLocationTable[slot].path) << c.appData.size();
        }
    }
    EXPECT_EQ(259u, strlen(Source(UserQuickLaunch).path));
}

TEST_F(FolderDiscovery, RefusedValuesLeaveSlotsNotFound) {
    const char expand[] = "%USERPROFILE%\\Desktop";
    const DWORD number = 42;
    const std::string oversized(299, 'o');
    struct Case {
        const char* what;
        DWORD type;
        const void* data;
        DWORD size;
    } cases[] = {
        {"REG_EXPAND_SZ", REG_EXPAND_SZ, expand, sizeof expand},
        {"REG_DWORD", REG_DWORD, &number, sizeof number},
        {"empty string", REG_SZ, "", 1},
        {"300-byte value", REG_SZ, oversized.c_str(), 300},
    };
    for (const Case& c : cases) {
        Set(HKEY_CURRENT_USER, "Desktop", "C:\\before");
        ReadSourceFolders();
        ReadLinkLocations();
        ASSERT_TRUE(Source(UserDesktop).found);

        SetRaw(HKEY_CURRENT_USER, "Desktop", c.type, c.data, c.size);
        ReadSourceFolders();
        ReadLinkLocations();
        EXPECT_FALSE(Source(UserDesktop).found) << c.what;
        EXPECT_STREQ("", Source(UserDesktop).path) << c.what;
        EXPECT_FALSE(LinkLocationTable[UserDesktop].found) << c.what;
        EXPECT_STREQ("C:\\before", LinkLocationTable[UserDesktop].path) << c.what;
    }
}

TEST_F(FolderDiscovery, ValueOfExactly259Characters) {
    const std::string value = "C:\\" + std::string(256, 'v');
    ASSERT_EQ(259u, value.size());
    Set(HKEY_CURRENT_USER, "Startup", value);
    Set(HKEY_CURRENT_USER, "SendTo", value);
    ReadSourceFolders();
    ReadLinkLocations();
    ReadSendToFolder();
    const std::string cut = value.substr(0, 258) + "\\";
    EXPECT_TRUE(Source(UserStartup).found);
    EXPECT_EQ(cut, Source(UserStartup).path);
    EXPECT_EQ(value, LinkLocationTable[UserStartup].path);
    EXPECT_TRUE(SendToFolder.found);
    EXPECT_EQ(cut, SendToFolder.path);
}

// 260 bytes of text with no terminator fill the read buffer exactly: whether or not the
// value is accepted, the path must stay terminated inside its 260 bytes.
TEST_F(FolderDiscovery, ValueFillingTheWholeBufferStaysTerminated) {
    std::string raw = "C:\\" + std::string(257, 'f') + "!"; // the byte after the data is not 0
    SetRaw(HKEY_CURRENT_USER, "Desktop", REG_SZ, raw.data(), 260);
    memset(LinkLocationTable[UserDesktop].path, 'X', PathBufferSize);
    memset(SourceFolderTable.slots[UserDesktop].path, 'X', PathBufferSize);
    ReadSourceFolders();
    ReadLinkLocations();
    const FolderEntry* entries[] = {&Source(UserDesktop), &LinkLocationTable[UserDesktop]};
    for (const FolderEntry* e : entries) {
        const char* end = static_cast<const char*>(memchr(e->path, 0, PathBufferSize));
        ASSERT_NE(nullptr, end);
        if (e->found) {
            EXPECT_EQ(0, strncmp(e->path, raw.c_str(), 258));
        }
    }
    if (Source(UserDesktop).found) {
        EXPECT_EQ(259u, strlen(Source(UserDesktop).path));
        EXPECT_EQ('\\', Source(UserDesktop).path[258]);
    }
}

TEST_F(FolderDiscovery, MachineSlotsAbsentStillCountsAsFound) {
    Set(HKEY_LOCAL_MACHINE, "Common Programs", "C:\\ProgramData\\Programs");
    ReadSourceFolders();
    EXPECT_TRUE(SourceFolderTable.AnySourceFound);
    for (FolderSlot slot :
         {MachineQuickLaunch, MachineDesktop, MachineStartMenu, MachinePrograms, MachineStartup}) {
        EXPECT_FALSE(Source(slot).found) << slot;
        EXPECT_STREQ("", Source(slot).path) << slot;
    }
}

TEST_F(FolderDiscovery, NothingFoundLeavesTheFlagAsItWas) {
    ReadSourceFolders();
    EXPECT_FALSE(SourceFolderTable.AnySourceFound);
    SourceFolderTable.AnySourceFound = true;
    ReadSourceFolders();
    EXPECT_TRUE(SourceFolderTable.AnySourceFound);
}

TEST_F(FolderDiscovery, MissingSendToLeavesPathUnchanged) {
    strcpy(SendToFolder.path, "C:\\old\\SendTo\\");
    SendToFolder.found = true;
    ReadSendToFolder();
    EXPECT_FALSE(SendToFolder.found);
    EXPECT_STREQ("C:\\old\\SendTo\\", SendToFolder.path);

    Set(HKEY_CURRENT_USER, "SendTo", "C:\\Users\\a\\SendTo");
    ReadSendToFolder();
    EXPECT_TRUE(SendToFolder.found);
    EXPECT_STREQ("C:\\Users\\a\\SendTo\\", SendToFolder.path);
}

TEST_F(FolderDiscovery, VanishedValueKeepsItsLinkLocationText) {
    Set(HKEY_LOCAL_MACHINE, "Common Desktop", "C:\\Users\\Public\\Desktop");
    ReadLinkLocations();
    ASSERT_TRUE(LinkLocationTable[CommonDesktop].found);
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, ShellFoldersSubkey, "Common Desktop");
    ReadLinkLocations();
    EXPECT_FALSE(LinkLocationTable[CommonDesktop].found);
    EXPECT_STREQ("C:\\Users\\Public\\Desktop", LinkLocationTable[CommonDesktop].path);
}

} // namespace
