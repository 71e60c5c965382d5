// Temporary shell profiles for end-to-end cases: the nine source folders and Send To with real
// shortcuts, the Shell Folders values of both hives pointed at them, and snapshots of files and
// registry values for before-and-after comparisons.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mirror/folder_discovery.h"
#include "tests/support/registry_guard.h"
#include "tests/support/shell_folder_values.h"

// One shortcut, as IShellLinkA describes it.
struct ShortcutSpec {
    std::string target;
    std::string arguments;
    std::string workingDir;
    std::string iconPath;
    int iconIndex = 0;
    std::string description;
};

inline ShortcutSpec ShortcutTo(const std::string& target) {
    ShortcutSpec desc;
    desc.target = target;
    return desc;
}

// Creates a shortcut file through IShellLinkA and IPersistFile (COM must be initialised).
bool CreateShortcut(const std::string& linkPath, const ShortcutSpec& desc);

// A profile under root: Machine\, Common\ and User\ each with AppData (holding Quick Launch),
// Desktop and Start Menu\Programs\Startup; User\SendTo. Point() writes the Shell Folders and
// User Shell Folders values of both hives; everything written is put back when destroyed
// (Wine rewrites Shell Folders from User Shell Folders whenever a process asks the shell).
class TestProfile {
  public:
    explicit TestProfile(const std::string& root);
    ~TestProfile();
    TestProfile(const TestProfile&) = delete;
    TestProfile& operator=(const TestProfile&) = delete;

    const std::string& Root() const { return root_; }
    // The value the registry holds for a slot (for Quick Launch slots: the AppData folder).
    std::string ValueFor(FolderSlot slot) const;
    // The folder whose shortcuts the program reads for a slot (Quick Launch: the full path).
    std::string SourceFolder(FolderSlot slot) const;
    std::string SendTo() const { return root_ + "\\User\\SendTo"; }
    // The program's own folder under Send To.
    std::string MirrorRoot() const { return SendTo() + "\\Tallowfin"; }

    // Gives a slot another folder (relative to the root) before Point(), e.g. a Startup folder
    // outside Programs.
    void MoveSlot(FolderSlot slot, const std::string& relativeFolder);

    // Creates the shortcut relativePath (ending in .lnk) under the slot's source folder.
    bool AddShortcut(FolderSlot slot, const std::string& relativePath, const ShortcutSpec& desc);
    // A long pass in seconds: `folders` folders "Suite NN" under the slot, each with `perFolder`
    // copies "Tool NNN.lnk" of one shortcut to target, saved once through the shell. Appends
    // every folder (ending in a backslash) and copy, relative to the slot, to listing if given.
    bool AddShortcutCopies(FolderSlot slot, const std::string& target, int folders, int perFolder,
                           std::vector<std::string>* listing = nullptr);
    bool Point();                                  // every value of both hives, and SendTo
    void RemoveValue(HKEY hive, const char* name); // from both keys, restored later
    // Leaves the files in place when the object goes (the demo keeps its profile).
    void KeepFiles() { keepFiles_ = true; }
    void KeepRegistry() { keepRegistry_ = true; }

  private:
    void Guard(HKEY hive, const char* name);
    bool Write(HKEY hive, const char* name, const std::string& value);

    std::string root_;
    std::string folders_[FolderSlotCount]; // relative to root_
    bool keepFiles_ = false, keepRegistry_ = false;
    std::vector<std::unique_ptr<RegistryValueGuard>> guards_;
};

constexpr const char UserShellFoldersSubkey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// A snapshot of files (path -> size and content hash, folders included) and registry values
// (hive\key\name -> type and data hash), for "nothing else changed" checks.
struct RegistryRoot {
    HKEY hive;
    std::string subkey; // taken with every subkey below it
};

struct Snapshot {
    std::map<std::string, std::string> entries;
};

Snapshot TakeSnapshot(const std::vector<std::string>& paths, const std::vector<RegistryRoot>& keys);
// One line per entry added, removed or changed; empty when both are the same.
std::vector<std::string> SnapshotDifferences(const Snapshot& before, const Snapshot& after);

// Proof that a run changed nothing it does not own. Takes a snapshot of the whole profile and
// of any extra folders (every file's path, size and content hash) and of every value under both
// hives' Shell Folders and User Shell Folders keys and the vendor key, when made; the checks
// compare the present state with it and list every difference that is not allowed. The log
// lives in the Windows directory, outside what is watched.
class ChangeWatch {
  public:
    explicit ChangeWatch(const TestProfile& profile,
                         const std::vector<std::string>& extraFolders = {});
    // Passes when nothing changed but the mirror and the settings key.
    ::testing::AssertionResult OnlyMirrorChanged() const;
    // Passes when nothing changed but the settings key: the mirror stayed as it was.
    ::testing::AssertionResult OnlySettingsChanged() const;
    // The present state becomes the one later checks compare with.
    void Retake();

  private:
    Snapshot Take() const;
    ::testing::AssertionResult Check(bool mirrorMayChange) const;

    std::vector<std::string> folders_;
    std::string mirror_;
    Snapshot before_;
};

// The entries under folder at every depth, relative to it and sorted: folders end in a
// backslash, folder links end in " ->" and are not entered. Empty when the folder is missing.
std::vector<std::string> TreeListing(const std::string& folder);
