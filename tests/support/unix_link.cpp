// Test helper: a Unix symbolic link inside the prefix (see unix_link.h).
#include "unix_link.h"

#include <windows.h>

namespace {

// Wine's own export that maps a Windows path to the host's path.
std::string UnixPath(const std::string& windowsPath) {
    typedef char*(CDECL * ToUnixFn)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnixFn>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix)
        return "";
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* unixPath = toUnix(wide);
    if (!unixPath)
        return "";
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

} // namespace

bool StartHostProgram(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    // For a Unix program Wine gives no process handle and leaves junk in the thread handle (seen
    // in the 64-bit build): closing that junk once closed the driver's own registry root.
    if (process.hProcess) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    return true;
}

bool MakeUnixFolderLink(const std::string& linkPath, const std::string& targetPath) {
    size_t slash = linkPath.find_last_of('\\');
    std::string parent = UnixPath(linkPath.substr(0, slash));
    std::string target = UnixPath(targetPath);
    if (parent.empty() || target.empty())
        return false;
    // The target is written canonical, as a user's own link would be, rather than through the
    // prefix's drive link.
    const std::string driveLink = "/dosdevices/c:/";
    size_t at = target.find(driveLink);
    if (at != std::string::npos)
        target.replace(at, driveLink.size(), "/drive_c/");
    std::string command =
        "Z:\\bin\\ln -s \"" + target + "\" \"" + parent + "/" + linkPath.substr(slash + 1) + "\"";
    if (!StartHostProgram(command))
        return false;
    // The link's appearance is the sign that ln has run.
    for (int i = 0; i < 500; ++i) {
        DWORD attributes = GetFileAttributesA(linkPath.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        Sleep(10);
    }
    return false;
}

bool FillFolderFromHost(const std::string& folder, int folders, int files) {
    std::string unixFolder = UnixPath(folder);
    if (unixFolder.empty())
        return false;
    // The marker comes last, so its appearance means that every file is there.
    std::string script = "cd '" + unixFolder + "' && for d in $(seq " + std::to_string(folders) +
                         "); do mkdir f$d && (cd f$d && touch $(seq -f n%g.dat " +
                         std::to_string(files) + ")); done && touch filled.marker";
    if (!StartHostProgram("Z:\\bin\\bash -c \"" + script + "\""))
        return false;
    std::string marker = folder + "\\filled.marker";
    for (int i = 0; i < 12000; ++i) {
        if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(10);
    }
    return false;
}

std::string WindowsPathOfHostPath(const std::string& hostPath) {
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}
