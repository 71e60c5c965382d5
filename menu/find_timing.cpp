// Timestamps for the find benchmark (see find_timing.h). Window thread only.
#include "find_timing.h"

#include <windows.h>

#include <cstdio>

namespace {

wchar_t TimingFile[MAX_PATH];
bool Asked; // the environment was read
LARGE_INTEGER Frequency, Chosen, Typed;
bool ShowNoted, TypedPending;

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void Write(const char* what, LONGLONG since) {
    double ms = double(Now() - since) * 1000.0 / double(Frequency.QuadPart);
    char line[64];
    int length = snprintf(line, sizeof line, "%s %.3f\r\n", what, ms);
    HANDLE file = CreateFileW(TimingFile, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
}

} // namespace

bool FindTimingOn() {
    if (!Asked) {
        Asked = true;
        DWORD length = GetEnvironmentVariableW(L"TALLOWFIN_FIND_TIMING", TimingFile, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            TimingFile[0] = L'\0';
        QueryPerformanceFrequency(&Frequency);
    }
    return TimingFile[0] != L'\0';
}

void NoteFindChosen() {
    if (FindTimingOn())
        Chosen.QuadPart = Now();
}

void NoteFindTyped() {
    if (!FindTimingOn())
        return;
    Typed.QuadPart = Now();
    TypedPending = true;
}

void NoteFindListPainted(int shownRows, int rowsPerPage, bool allRowsIn) {
    if (!FindTimingOn())
        return;
    if (!ShowNoted && (shownRows >= rowsPerPage || allRowsIn)) {
        ShowNoted = true;
        Write("show", Chosen.QuadPart);
    }
    if (TypedPending) {
        TypedPending = false;
        Write("key", Typed.QuadPart);
    }
}

void NoteFindAllRows() {
    if (FindTimingOn())
        Write("all", Chosen.QuadPart);
}
