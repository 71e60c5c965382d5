// Test helpers reaching the host: starting a host program, and a Unix symbolic link inside the
// prefix, the only folder link Wine 8 can show.
#pragma once
#include <string>

// Starts a host program from its command line. Wine returns a handle that cannot be waited
// for (the wait fails at once), so callers watch for the program's effect instead.
bool StartHostProgram(std::string commandLine);

// The Windows name of a host path, through Wine's Z: drive.
std::string WindowsPathOfHostPath(const std::string& hostPath);

// Creates a link at linkPath (its parent must exist) pointing at the folder targetPath.
bool MakeUnixFolderLink(const std::string& linkPath, const std::string& targetPath);

// Fills an existing folder from the host side with `folders` sub-folders of `files` empty files
// each: tens of thousands of entries in seconds. True once they are all there.
bool FillFolderFromHost(const std::string& folder, int folders, int files);
