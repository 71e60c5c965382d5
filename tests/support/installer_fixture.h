// Test helpers for Windows Installer: real advertised shortcuts and their registered components,
// either installed from a small package with msiexec or written into the registry directly.
#pragma once
#include <windows.h>

#include <string>

#include "shortcut_fixture.h"

// Braced upper-case GUID texts, as the installer writes them, and the feature's name.
struct InstallerCodes {
    std::string product;
    std::string feature;
    std::string component;
};

std::string NewGuidText();
// A GUID in 20 characters: its 16 bytes as four little-endian words, five base-85 digits each.
std::string PackGuid(const std::string& guidText);
// The registry's form: hex digits reversed per group, the last 16 swapped in pairs.
std::string SquashGuid(const std::string& guidText);
// Packed product, feature, '>', packed component.
std::string DarwinDescriptor(const InstallerCodes& codes);

// Saves an advertised shortcut for the codes, with the other fields of extra (its path is not
// used). Tries the documented data block first and falls back to the darwin path form where the
// data block is not implemented (Wine). Failures are reported at the caller's line.
#define CREATE_ADVERTISED_SHORTCUT(file, codes, extra)                                             \
    CreateAdvertisedShortcutAt(__FILE__, __LINE__, file, codes, extra)
bool CreateAdvertisedShortcutAt(const char* srcFile, int line, const std::string& file,
                                const InstallerCodes& codes, const ShortcutFields& extra);

// Registers a component of a machine-wide product with its key path as the installer does, in
// the 64-bit registry view; removes both keys again when destroyed.
class RegisteredComponent {
  public:
    RegisteredComponent(const InstallerCodes& codes, const std::string& keyPath);
    ~RegisteredComponent();
    RegisteredComponent(const RegisteredComponent&) = delete;
    RegisteredComponent& operator=(const RegisteredComponent&) = delete;
    bool ok() const { return ok_; }

  private:
    std::string productKey_, componentKey_;
    bool ok_ = false;
};

// A one-file package built with the msi API in folder and installed machine-wide with
// `msiexec /i <package> /qn` into folder\installed; uninstalled again when destroyed.
class InstalledPackage {
  public:
    InstalledPackage(const std::string& folder, const std::string& fileName);
    ~InstalledPackage();
    InstalledPackage(const InstalledPackage&) = delete;
    InstalledPackage& operator=(const InstalledPackage&) = delete;
    bool ok() const { return ok_; }
    const InstallerCodes& codes() const { return codes_; }
    // Where the installer put the package's file.
    const std::string& installedFile() const { return installedFile_; }
    // Why building or installing failed.
    const std::string& error() const { return error_; }

  private:
    bool Build(const std::string& package, const std::string& fileName);
    InstallerCodes codes_;
    std::string installedFile_, error_;
    bool ok_ = false;
};

// Runs a command line and waits for it; its exit code, or -1 when it did not start or end.
long RunAndWait(const std::string& commandLine, DWORD timeoutMs = 60000);
