// Test helper: a Unix symbolic link inside the prefix, the only folder link Wine 8 can show.
#pragma once
#include <string>

// Creates a link at linkPath (its parent must exist) pointing at the folder targetPath.
bool MakeUnixFolderLink(const std::string& linkPath, const std::string& targetPath);
