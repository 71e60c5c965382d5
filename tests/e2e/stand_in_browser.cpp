// The stand-in browser for end-to-end cases (see stand_in_browser.h).
#include "stand_in_browser.h"

#include "tests/e2e/driver.h"
#include "tests/support/temp_dir.h"

bool KeyExists(HKEY hive, const char* path) {
    HKEY key;
    if (RegOpenKeyExA(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

StandInBrowser::StandInBrowser() : htmKeyExisted_(KeyExists(HKEY_LOCAL_MACHINE, HtmKey)) {
    std::string command = "\"" + BuildFile("open_recorder.exe") + "\" \"%1\"";
    const char* commandKeys[] = {"Software\\Classes\\htmlfile\\shell\\open\\command",
                                 "Software\\Classes\\http\\shell\\open\\command",
                                 "Software\\Classes\\https\\shell\\open\\command"};
    guards_.push_back(std::make_unique<RegistryValueGuard>(HKEY_LOCAL_MACHINE, HtmKey, ""));
    WriteRegistryString(HKEY_LOCAL_MACHINE, HtmKey, "", "htmlfile");
    for (const char* key : commandKeys) {
        guards_.push_back(std::make_unique<RegistryValueGuard>(HKEY_LOCAL_MACHINE, key, ""));
        WriteRegistryString(HKEY_LOCAL_MACHINE, key, "", command);
    }
}

StandInBrowser::~StandInBrowser() {
    guards_.clear();
    if (!htmKeyExisted_)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, HtmKey);
}

std::vector<std::string> Recorded(const std::string& record) {
    std::string text;
    std::vector<std::string> lines;
    ReadTextFile(record, &text);
    size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
