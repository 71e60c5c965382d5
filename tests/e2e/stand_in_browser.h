// A stand-in for the browser: while one lives, the shell opens web pages and addresses with the
// suite's recorder (open_recorder.exe), which writes what it was asked to open to the file
// named by TALLOWFIN_OPEN_RECORD in its environment.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/registry_guard.h"

bool KeyExists(HKEY hive, const char* path);

// The .htm type and the http and https protocols lead to the recorder while this lives. Wine 8's
// shell reads them from HKLM\Software\Classes only.
class StandInBrowser {
  public:
    StandInBrowser();
    ~StandInBrowser();
    StandInBrowser(const StandInBrowser&) = delete;
    StandInBrowser& operator=(const StandInBrowser&) = delete;

  private:
    static constexpr const char* HtmKey = "Software\\Classes\\.htm";
    bool htmKeyExisted_;
    std::vector<std::unique_ptr<RegistryValueGuard>> guards_;
};

// What the recorder wrote: one "program<TAB>command line" per start.
std::vector<std::string> Recorded(const std::string& record);
