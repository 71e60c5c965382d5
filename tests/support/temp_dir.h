// Test helpers for the file system: a private temporary folder removed with its contents.
#pragma once
#include <string>

class TempDir {
  public:
    explicit TempDir(const char* tag = "tallowfin");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder's path, without a trailing backslash.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// Removes a folder and everything below it; true when it is gone.
bool RemoveTree(const std::string& path);
// Creates every missing folder of a path.
bool MakeDirs(const std::string& path);
bool WriteTextFile(const std::string& path, const std::string& content);
bool ReadTextFile(const std::string& path, std::string* content);
bool FileExists(const std::string& path);
