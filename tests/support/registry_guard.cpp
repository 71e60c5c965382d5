// Test helpers for registry values (see registry_guard.h).
#include "registry_guard.h"

RegistryValueGuard::RegistryValueGuard(HKEY hive, const char* subkey, const char* name)
    : hive_(hive), subkey_(subkey), name_(name) {
    HKEY key;
    if (RegOpenKeyExA(hive_, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        data_.resize(size);
        existed_ =
            RegQueryValueExA(key, name, nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
        data_.resize(size);
    }
    RegCloseKey(key);
}

RegistryValueGuard::~RegistryValueGuard() {
    if (existed_)
        WriteRegistryValue(hive_, subkey_.c_str(), name_.c_str(), type_, data_.data(),
                           static_cast<DWORD>(data_.size()));
    else
        DeleteRegistryValue(hive_, subkey_.c_str(), name_.c_str());
}

bool WriteRegistryValue(HKEY hive, const char* subkey, const char* name, DWORD type,
                        const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(hive, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool ok =
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool WriteRegistryString(HKEY hive, const char* subkey, const char* name, const std::string& text) {
    return WriteRegistryValue(hive, subkey, name, REG_SZ, text.c_str(),
                              static_cast<DWORD>(text.size() + 1));
}

bool DeleteRegistryValue(HKEY hive, const char* subkey, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(hive, subkey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    LONG rc = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}
