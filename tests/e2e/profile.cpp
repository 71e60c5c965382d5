// Temporary shell profiles and snapshots for end-to-end cases (see profile.h).
#include "profile.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "mirror/folder_text.h"
#include "tests/support/temp_dir.h"

namespace {

const char* const SlotFolders[FolderSlotCount] = {
    "User\\AppData",
    "User\\Desktop",
    "User\\Start Menu",
    "User\\Start Menu\\Programs",
    "User\\Start Menu\\Programs\\Startup",
    "Common\\AppData",
    "Common\\Desktop",
    "Common\\Start Menu",
    "Common\\Start Menu\\Programs",
    "Common\\Start Menu\\Programs\\Startup",
    "Machine\\AppData",
    "Machine\\Desktop",
    "Machine\\Start Menu",
    "Machine\\Start Menu\\Programs",
    "Machine\\Start Menu\\Programs\\Startup",
};

bool IsQuickLaunchSlot(FolderSlot slot) {
    return slot == UserQuickLaunch || slot == CommonQuickLaunch || slot == MachineQuickLaunch;
}

std::string ParentOf(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

unsigned long long Fnv(const void* data, size_t size, unsigned long long hash) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

std::string Describe(DWORD type, unsigned long long size, unsigned long long hash) {
    char text[96];
    snprintf(text, sizeof text, "type %lu size %llu hash %016llx", type, size, hash);
    return text;
}

void SnapshotFile(const std::string& path, Snapshot* snapshot) {
    unsigned long long hash = 1469598103934665603ull, size = 0;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[8192];
        DWORD got;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) {
            hash = Fnv(buffer, got, hash);
            size += got;
        }
        CloseHandle(file);
    }
    snapshot->entries["file " + path] = Describe(0, size, hash);
}

void SnapshotPath(const std::string& path, Snapshot* snapshot) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SnapshotFile(path, snapshot);
        return;
    }
    // A folder link is recorded, not followed: its target is watched where it lies, if at all.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        snapshot->entries["link " + path] = "";
        return;
    }
    snapshot->entries["folder " + path] = "";
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..")
            SnapshotPath(path + "\\" + name, snapshot);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void SnapshotKey(HKEY key, const std::string& label, Snapshot* snapshot) {
    snapshot->entries["key " + label] = "";
    char name[16384];
    std::vector<BYTE> data(1 << 16);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, dataSize = static_cast<DWORD>(data.size()), type = 0;
        LONG rc = RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data.data(), &dataSize);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS)
            continue;
        snapshot->entries["value " + label + "\\" + name] =
            Describe(type, dataSize, Fnv(data.data(), dataSize, 1469598103934665603ull));
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    for (const std::string& subkey : subkeys) {
        HKEY child;
        if (RegOpenKeyExA(key, subkey.c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
            SnapshotKey(child, label + "\\" + subkey, snapshot);
            RegCloseKey(child);
        }
    }
}

} // namespace

bool CreateShortcut(const std::string& linkPath, const ShortcutSpec& desc) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(desc.target.c_str());
    if (!desc.arguments.empty())
        link->SetArguments(desc.arguments.c_str());
    if (!desc.workingDir.empty())
        link->SetWorkingDirectory(desc.workingDir.c_str());
    if (!desc.iconPath.empty())
        link->SetIconLocation(desc.iconPath.c_str(), desc.iconIndex);
    if (!desc.description.empty())
        link->SetDescription(desc.description.c_str());
    bool saved = false;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH))
            saved = SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

TestProfile::TestProfile(const std::string& root) : root_(root) {
    for (int slot = 0; slot < FolderSlotCount; ++slot) {
        folders_[slot] = SlotFolders[slot];
        MakeDirs(SourceFolder(static_cast<FolderSlot>(slot)));
    }
    MakeDirs(SendTo());
}

TestProfile::~TestProfile() {
    if (keepRegistry_)
        for (auto& guard : guards_)
            (void)guard.release(); // the values stay as this profile wrote them
    // Newest first, so that a value guarded twice ends at the value it had before either.
    while (!guards_.empty())
        guards_.pop_back();
    if (!keepFiles_)
        RemoveTree(root_);
}

std::string TestProfile::ValueFor(FolderSlot slot) const {
    return root_ + "\\" + folders_[slot];
}

void TestProfile::MoveSlot(FolderSlot slot, const std::string& relativeFolder) {
    folders_[slot] = relativeFolder;
    MakeDirs(SourceFolder(slot));
}

std::string TestProfile::SourceFolder(FolderSlot slot) const {
    std::string folder = ValueFor(slot);
    if (IsQuickLaunchSlot(slot))
        folder += std::string("\\") + QuickLaunchSuffix;
    return folder;
}

bool TestProfile::AddShortcut(FolderSlot slot, const std::string& relativePath,
                              const ShortcutSpec& desc) {
    std::string path = SourceFolder(slot) + "\\" + relativePath;
    MakeDirs(ParentOf(path));
    return CreateShortcut(path, desc);
}

bool TestProfile::AddShortcutCopies(FolderSlot slot, const std::string& target, int folders,
                                    int perFolder, std::vector<std::string>* listing) {
    std::string original = root_ + "\\original.lnk";
    if (!CreateShortcut(original, ShortcutTo(target)))
        return false;
    for (int f = 0; f < folders; ++f) {
        char folder[32];
        snprintf(folder, sizeof folder, "Suite %02d", f);
        std::string source = SourceFolder(slot) + "\\" + folder;
        if (!MakeDirs(source))
            return false;
        if (listing)
            listing->push_back(std::string(folder) + "\\");
        for (int i = 0; i < perFolder; ++i) {
            char name[32];
            snprintf(name, sizeof name, "Tool %03d.lnk", i);
            if (!CopyFileA(original.c_str(), (source + "\\" + name).c_str(), FALSE))
                return false;
            if (listing)
                listing->push_back(std::string(folder) + "\\" + name);
        }
    }
    return true;
}

void TestProfile::Guard(HKEY hive, const char* name) {
    guards_.push_back(std::make_unique<RegistryValueGuard>(hive, ShellFoldersSubkey, name));
    guards_.push_back(std::make_unique<RegistryValueGuard>(hive, UserShellFoldersSubkey, name));
}

bool TestProfile::Write(HKEY hive, const char* name, const std::string& value) {
    Guard(hive, name);
    return WriteRegistryString(hive, ShellFoldersSubkey, name, value) &&
           WriteRegistryString(hive, UserShellFoldersSubkey, name, value);
}

bool TestProfile::Point() {
    bool ok = true;
    for (const ShellFolderValue& v : ShellFolderValues)
        ok = Write(v.hive, v.name, ValueFor(v.slot)) && ok;
    return Write(HKEY_CURRENT_USER, "SendTo", SendTo()) && ok;
}

void TestProfile::RemoveValue(HKEY hive, const char* name) {
    Guard(hive, name);
    DeleteRegistryValue(hive, ShellFoldersSubkey, name);
    DeleteRegistryValue(hive, UserShellFoldersSubkey, name);
}

Snapshot TakeSnapshot(const std::vector<std::string>& paths,
                      const std::vector<RegistryRoot>& keys) {
    Snapshot snapshot;
    for (const std::string& path : paths)
        SnapshotPath(path, &snapshot);
    for (const RegistryRoot& root : keys) {
        HKEY key;
        std::string label = (root.hive == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") + root.subkey;
        if (RegOpenKeyExA(root.hive, root.subkey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            SnapshotKey(key, label, &snapshot);
            RegCloseKey(key);
        }
    }
    return snapshot;
}

std::vector<std::string> SnapshotDifferences(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> differences;
    for (const auto& entry : before.entries) {
        auto found = after.entries.find(entry.first);
        if (found == after.entries.end())
            differences.push_back("removed: " + entry.first);
        else if (found->second != entry.second)
            differences.push_back("changed: " + entry.first + " (" + entry.second + " -> " +
                                  found->second + ")");
    }
    for (const auto& entry : after.entries)
        if (!before.entries.count(entry.first))
            differences.push_back("added: " + entry.first);
    return differences;
}

// ChangeWatch -----------------------------------------------------------------------------------

namespace {

const char VendorSubkey[] = "Software\\mistlebrookworks";
const char VendorKeyLabel[] = "HKCU\\Software\\mistlebrookworks";
const char SettingsKeyLabel[] = "HKCU\\Software\\mistlebrookworks\\Tallowfin";

bool IsPathOrBelow(const std::string& path, const std::string& folder) {
    return path == folder || path.compare(0, folder.size() + 1, folder + "\\") == 0;
}

// Entries are "<kind> <path or label>", see SnapshotPath and SnapshotKey.
bool IsSettingsEntry(const std::string& entry) {
    if (entry == std::string("key ") + VendorKeyLabel) // the parent, created with the key
        return true;
    return IsPathOrBelow(entry, std::string("key ") + SettingsKeyLabel) ||
           entry.compare(0, strlen(SettingsKeyLabel) + 7,
                         std::string("value ") + SettingsKeyLabel + "\\") == 0;
}

bool IsMirrorEntry(const std::string& entry, const std::string& mirror) {
    size_t space = entry.find(' ');
    std::string kind = entry.substr(0, space);
    return (kind == "file" || kind == "folder" || kind == "link") &&
           IsPathOrBelow(entry.substr(space + 1), mirror);
}

std::string EntryOf(const std::string& difference) {
    size_t colon = difference.find(": ");
    std::string entry = difference.substr(colon + 2);
    size_t detail = entry.find(" (type ");
    return detail == std::string::npos ? entry : entry.substr(0, detail);
}

void ListInto(const std::string& folder, const std::string& prefix,
              std::vector<std::string>* listing) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        bool isLink = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        if (isFolder && isLink) {
            listing->push_back(prefix + name + " ->");
        } else if (isFolder) {
            listing->push_back(prefix + name + "\\");
            ListInto(folder + "\\" + name, prefix + name + "\\", listing);
        } else {
            listing->push_back(prefix + name);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

} // namespace

ChangeWatch::ChangeWatch(const TestProfile& profile, const std::vector<std::string>& extraFolders)
    : folders_(extraFolders), mirror_(profile.MirrorRoot()) {
    folders_.push_back(profile.Root());
    before_ = Take();
}

Snapshot ChangeWatch::Take() const {
    return TakeSnapshot(folders_, {{HKEY_CURRENT_USER, ShellFoldersSubkey},
                                   {HKEY_CURRENT_USER, UserShellFoldersSubkey},
                                   {HKEY_LOCAL_MACHINE, ShellFoldersSubkey},
                                   {HKEY_LOCAL_MACHINE, UserShellFoldersSubkey},
                                   {HKEY_CURRENT_USER, VendorSubkey}});
}

void ChangeWatch::Retake() {
    before_ = Take();
}

::testing::AssertionResult ChangeWatch::OnlyMirrorChanged() const {
    return Check(true);
}

::testing::AssertionResult ChangeWatch::OnlySettingsChanged() const {
    return Check(false);
}

::testing::AssertionResult ChangeWatch::Check(bool mirrorMayChange) const {
    std::vector<std::string> unexpected;
    for (const std::string& difference : SnapshotDifferences(before_, Take())) {
        std::string entry = EntryOf(difference);
        if (!IsSettingsEntry(entry) && !(mirrorMayChange && IsMirrorEntry(entry, mirror_)))
            unexpected.push_back(difference);
    }
    if (unexpected.empty())
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << unexpected.size() << " change(s) outside "
            << (mirrorMayChange ? "the mirror and " : "") << "the settings key:";
    for (const std::string& line : unexpected)
        failure << "\n  " << line;
    return failure;
}

std::vector<std::string> TreeListing(const std::string& folder) {
    std::vector<std::string> listing;
    ListInto(folder, "", &listing);
    std::sort(listing.begin(), listing.end());
    return listing;
}
