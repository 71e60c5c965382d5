// Test program started by Tallowfin Menu: writes what it was started with to the file named
// by its first two arguments ("--out <file>"): "bits 32" or "bits 64" (the build that started),
// "cwd <folder>", then "arg <argument>" for every argument after the program name, in UTF-8.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count < 3 || lstrcmpW(args[1], L"--out") != 0)
        return 2;
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::string record = "bits " + std::to_string(sizeof(void*) * 8) + "\n";
    for (int i = 0; i < count; ++i) {
        char text[4096] = "";
        WideCharToMultiByte(CP_UTF8, 0, i ? args[i] : folder, -1, text, sizeof text, 0, 0);
        record += (i ? "arg " : "cwd ") + std::string(text) + "\n";
    }
    // Written aside and renamed, so that a reader never sees half a record.
    std::wstring partial = std::wstring(args[2]) + L".part";
    HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = WriteFile(file, record.data(), DWORD(record.size()), &written, nullptr);
    CloseHandle(file);
    return ok && MoveFileExW(partial.c_str(), args[2], MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
