// Opening a web address for the user through a local referrer page.
#include "referrer_page.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "referrer_text.h"

namespace {

// The default action of whatever handles the file or address; its answer is not looked at.
void OpenWithShell(const char* file) {
    ShellExecuteA(nullptr, nullptr, file, nullptr, nullptr, SW_SHOWNORMAL);
}

bool WritePage(const char* path, const char* address) {
    char page[ReferrerPageSize];
    if (!FormatReferrerPage(page, sizeof page, address))
        return false;
    // Text mode: the page's lines end in CR LF on disk, as an editor opening it would expect.
    FILE* file = fopen(path, "w+");
    if (!file)
        return false;
    fputs(page, file);
    fclose(file);
    return true;
}

} // namespace

void OpenViaReferrerPage(const char* address) {
    char path[ReferrerPathSize];
    if (BuildReferrerPagePath(path, getenv("TEMP"), getenv("TMP")) && WritePage(path, address))
        OpenWithShell(path);
    else
        OpenWithShell(address);
}
