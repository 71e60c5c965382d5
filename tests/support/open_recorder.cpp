// A stand-in for the programs the shell starts (browser, Explorer): appends its own path and
// the command line it got to the file named by TALLOWFIN_OPEN_RECORD, one line per start.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char record[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("TALLOWFIN_OPEN_RECORD", record, sizeof record);
    if (length == 0 || length >= sizeof record)
        return 1;
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    HANDLE file = CreateFileA(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const char* parts[] = {self, "\t", GetCommandLineA(), "\n"};
    for (const char* part : parts) {
        DWORD written;
        WriteFile(file, part, lstrlenA(part), &written, nullptr);
    }
    CloseHandle(file);
    return 0;
}
