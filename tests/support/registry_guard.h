// Test helpers for registry values: write any type, and restore the previous state afterwards.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Remembers one value (or its absence) and puts it back when destroyed.
class RegistryValueGuard {
  public:
    RegistryValueGuard(HKEY hive, const char* subkey, const char* name);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

  private:
    HKEY hive_;
    std::string subkey_, name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// Writes raw data of a given type; creates the key when needed.
bool WriteRegistryValue(HKEY hive, const char* subkey, const char* name, DWORD type,
                        const void* data, DWORD size);
// Writes a REG_SZ including its terminator.
bool WriteRegistryString(HKEY hive, const char* subkey, const char* name, const std::string& text);
bool DeleteRegistryValue(HKEY hive, const char* subkey, const char* name);

constexpr const char ShellFoldersSubkey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
