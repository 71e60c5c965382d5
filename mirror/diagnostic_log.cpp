// The diagnostic log in the Windows directory (see diagnostic_log.h).
#include "diagnostic_log.h"

#include <windows.h>

#include <cstdio>

#include "../base/virtual_store.h"
#include "log_path.h"

char LogFilePath[PathBufferSize];
bool LoggingEnabled = true;

bool StartLog() {
    if (!LoggingEnabled)
        return true;
    char windowsDir[PathBufferSize] = "";
    UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    bool knownFolder = length > 0 && length < sizeof windowsDir;
    if (!knownFolder)
        windowsDir[0] = '\0';
    BuildLogFilePath(LogFilePath, windowsDir);
    // Without the Windows directory the name alone would land in whatever folder is current.
    if (!knownFolder)
        return false;
    DeleteFileA(LogFilePath);
    FILE* file = OpenVirtualized(LogFilePath, "w+");
    if (!file)
        return false;
    fclose(file);
    return true;
}

bool LogLine(const char* text) {
    if (!LoggingEnabled)
        return true;
    FILE* file = OpenVirtualized(LogFilePath, "a+");
    if (!file)
        return false;
    fprintf(file, "%s\n", text);
    fclose(file);
    return true;
}
