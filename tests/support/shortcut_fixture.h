// Test helpers for shortcut files: a descriptor of the fields, create, read back and check.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <string>

// The fields of a shortcut that a round trip must keep.
struct ShortcutFields {
    std::string path;
    std::string arguments;
    std::string workingDir;
    std::string iconPath;
    int iconIndex = 0;
    std::string description;
    WORD hotKey = 0; // as IShellLink::GetHotkey gives it; read, not compared
};

// A plain shortcut's fields with every one set: target "<folder>\<tag>.exe", icon 3 of
// "<folder>\<tag>.ico". Writes both files so that they exist.
ShortcutFields SampleShortcutFields(const std::string& folder, const std::string& tag);

// COM for the calling thread while the object lives.
class ComApartment {
  public:
    ComApartment() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (ok_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ok_;
};

// Saves a plain shortcut with every field through IShellLinkA. Failures are reported as test
// failures at the caller's line.
#define CREATE_SHORTCUT(file, fields) CreateShortcutAt(__FILE__, __LINE__, file, fields)
bool CreateShortcutAt(const char* srcFile, int line, const std::string& file,
                      const ShortcutFields& fields);

// Loads a shortcut and reads every field; false when it cannot be loaded.
bool ReadShortcut(const std::string& file, ShortcutFields* fields);

// Compares each field with the expected one and reports every difference, with the actual
// value, at the caller's line. Paths compare without regard to case.
#define CHECK_SHORTCUT(file, expected) CheckShortcutAt(__FILE__, __LINE__, file, expected)
void CheckShortcutAt(const char* srcFile, int line, const std::string& file,
                     const ShortcutFields& expected);

// Writes a shortcut file as another machine would: a header and a LinkInfo whose local base path
// is the given bytes, taken as they are (say, code page 1251), with no ID list and no Unicode
// path. Written directly, since the link object would write a clean file.
bool WriteLocalPathShortcut(const std::string& file, const std::string& localBasePath);
