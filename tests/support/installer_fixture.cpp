// Test helpers for Windows Installer (see installer_fixture.h).
#include "installer_fixture.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <msiquery.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "temp_dir.h"

namespace {

const char PackAlphabet[] = "!$%&'()*+,-.0123456789=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklm"
                            "nopqrstuvwxyz{}~";
const char DarwinPrefix[] = "::{9db1186e-40df-11d1-aa8c-00c04fb67863}:";
const char MachineComponents[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components\\";
const char MachineProducts[] = "Software\\Classes\\Installer\\Products\\";

GUID ParseGuid(const std::string& text) {
    GUID guid = {};
    WCHAR wide[64];
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 64);
    CLSIDFromString(wide, &guid);
    return guid;
}

std::wstring Wide(const std::string& text) {
    std::vector<WCHAR> buffer(text.size() + 1);
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(),
                        static_cast<int>(buffer.size()));
    return buffer.data();
}

HRESULT AddDarwinDataBlock(IShellLinkW* link, const std::string& descriptor) {
    IShellLinkDataList* list = nullptr;
    HRESULT hr = link->QueryInterface(IID_IShellLinkDataList, reinterpret_cast<void**>(&list));
    if (FAILED(hr))
        return hr;
    EXP_DARWIN_LINK block = {};
    block.dbh.cbSize = sizeof block;
    block.dbh.dwSignature = EXP_DARWIN_ID_SIG;
    lstrcpynA(block.szDarwinID, descriptor.c_str(), MAX_PATH);
    lstrcpynW(block.szwDarwinID, Wide(descriptor).c_str(), MAX_PATH);
    hr = list->AddDataBlock(&block);
    if (SUCCEEDED(hr)) {
        DWORD flags = 0;
        list->GetFlags(&flags);
        hr = list->SetFlags(flags | SLDF_HAS_DARWINID);
    }
    list->Release();
    return hr;
}

HRESULT SetAdvertisedFields(IShellLinkW* link, const InstallerCodes& codes,
                            const ShortcutFields& extra) {
    std::string descriptor = DarwinDescriptor(codes);
    HRESULT hr = AddDarwinDataBlock(link, descriptor);
    if (hr == E_NOTIMPL)
        hr = link->SetPath(Wide(DarwinPrefix + descriptor + "::").c_str());
    if (SUCCEEDED(hr))
        hr = link->SetArguments(Wide(extra.arguments).c_str());
    if (SUCCEEDED(hr))
        hr = link->SetWorkingDirectory(Wide(extra.workingDir).c_str());
    if (SUCCEEDED(hr))
        hr = link->SetIconLocation(Wide(extra.iconPath).c_str(), extra.iconIndex);
    if (SUCCEEDED(hr))
        hr = link->SetDescription(Wide(extra.description).c_str());
    return hr;
}

bool Execute(MSIHANDLE database, const std::string& query) {
    MSIHANDLE view = 0;
    UINT result = MsiDatabaseOpenViewA(database, query.c_str(), &view);
    if (result == ERROR_SUCCESS) {
        result = MsiViewExecute(view, 0);
        MsiViewClose(view);
        MsiCloseHandle(view);
    }
    return result == ERROR_SUCCESS;
}

bool SetSummary(MSIHANDLE database, const std::string& packageCode) {
    MSIHANDLE summary = 0;
    if (MsiGetSummaryInformationA(database, nullptr, 10, &summary) != ERROR_SUCCESS)
        return false;
    bool ok = MsiSummaryInfoSetPropertyA(summary, PIDSI_TEMPLATE, VT_LPSTR, 0, nullptr,
                                         "Intel;1033") == ERROR_SUCCESS &&
              MsiSummaryInfoSetPropertyA(summary, PIDSI_REVNUMBER, VT_LPSTR, 0, nullptr,
                                         packageCode.c_str()) == ERROR_SUCCESS &&
              MsiSummaryInfoSetPropertyA(summary, PIDSI_PAGECOUNT, VT_I4, 200, nullptr, nullptr) ==
                  ERROR_SUCCESS &&
              // Long file names, uncompressed: the file is read from beside the package.
              MsiSummaryInfoSetPropertyA(summary, PIDSI_WORDCOUNT, VT_I4, 0, nullptr, nullptr) ==
                  ERROR_SUCCESS &&
              MsiSummaryInfoPersist(summary) == ERROR_SUCCESS;
    MsiCloseHandle(summary);
    return ok;
}

bool DeleteKey64(const std::string& key) {
    LONG result = RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), KEY_WOW64_64KEY, 0);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool WriteString64(const std::string& key, const std::string& name, const std::string& value) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(handle, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

} // namespace

std::string NewGuidText() {
    GUID guid;
    CoCreateGuid(&guid);
    char text[40];
    snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
             static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
             guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
             guid.Data4[6], guid.Data4[7]);
    return text;
}

std::string PackGuid(const std::string& guidText) {
    GUID guid = ParseGuid(guidText);
    uint32_t words[4];
    memcpy(words, &guid, sizeof words);
    std::string packed;
    for (uint32_t word : words) {
        for (int digit = 0; digit < 5; ++digit) {
            packed += PackAlphabet[word % 85];
            word /= 85;
        }
    }
    return packed;
}

std::string SquashGuid(const std::string& guidText) {
    std::string hex;
    for (char c : guidText)
        if (isxdigit(static_cast<unsigned char>(c)))
            hex += static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (hex.size() != 32)
        return "";
    std::string squashed(hex.rbegin() + 24, hex.rend());
    squashed.append(hex.rbegin() + 20, hex.rbegin() + 24);
    squashed.append(hex.rbegin() + 16, hex.rbegin() + 20);
    for (size_t i = 16; i < 32; i += 2) {
        squashed += hex[i + 1];
        squashed += hex[i];
    }
    return squashed;
}

std::string DarwinDescriptor(const InstallerCodes& codes) {
    return PackGuid(codes.product) + codes.feature + ">" + PackGuid(codes.component);
}

bool CreateAdvertisedShortcutAt(const char* srcFile, int line, const std::string& file,
                                const InstallerCodes& codes, const ShortcutFields& extra) {
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link));
    if (SUCCEEDED(hr))
        hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
    if (SUCCEEDED(hr))
        hr = SetAdvertisedFields(link, codes, extra);
    if (SUCCEEDED(hr))
        hr = persist->Save(Wide(file).c_str(), TRUE);
    if (persist)
        persist->Release();
    if (link)
        link->Release();
    if (FAILED(hr))
        ADD_FAILURE_AT(srcFile, line) << "creating advertised shortcut " << file << " failed: 0x"
                                      << std::hex << static_cast<unsigned long>(hr);
    return SUCCEEDED(hr);
}

RegisteredComponent::RegisteredComponent(const InstallerCodes& codes, const std::string& keyPath)
    : productKey_(MachineProducts + SquashGuid(codes.product)),
      componentKey_(MachineComponents + SquashGuid(codes.component)) {
    ok_ = WriteString64(productKey_, "ProductName", "Tallowfin test product") &&
          WriteString64(componentKey_, SquashGuid(codes.product), keyPath);
}

RegisteredComponent::~RegisteredComponent() {
    DeleteKey64(componentKey_);
    DeleteKey64(productKey_);
}

long RunAndWait(const std::string& commandLine, DWORD timeoutMs) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

InstalledPackage::InstalledPackage(const std::string& folder, const std::string& fileName) {
    codes_ = {NewGuidText(), "Main", NewGuidText()};
    std::string package = folder + "\\package.msi";
    std::string target = folder + "\\installed";
    // Uncompressed sources sit below the package in the folders the Directory table names.
    if (!MakeDirs(folder + "\\app") ||
        !WriteTextFile(folder + "\\app\\" + fileName, "Tallowfin test file\r\n")) {
        error_ = "cannot write the package's source file";
        return;
    }
    if (!Build(package, fileName))
        return;
    long code = RunAndWait("msiexec.exe /i \"" + package + "\" /qn TARGETDIR=\"" + target + "\"");
    if (code != 0) {
        error_ = "msiexec /i exited with " + std::to_string(code);
        return;
    }
    installedFile_ = target + "\\app\\" + fileName;
    ok_ = true;
}

InstalledPackage::~InstalledPackage() {
    if (ok_)
        RunAndWait("msiexec.exe /x " + codes_.product + " /qn");
}

bool InstalledPackage::Build(const std::string& package, const std::string& fileName) {
    MSIHANDLE database = 0;
    if (MsiOpenDatabaseA(package.c_str(), MSIDBOPEN_CREATE, &database) != ERROR_SUCCESS) {
        error_ = "MsiOpenDatabase failed";
        return false;
    }
    const std::string queries[] = {
        "CREATE TABLE `Property` (`Property` CHAR(72) NOT NULL, `Value` LONGCHAR NOT NULL "
        "PRIMARY KEY `Property`)",
        "CREATE TABLE `Directory` (`Directory` CHAR(72) NOT NULL, `Directory_Parent` CHAR(72), "
        "`DefaultDir` CHAR(255) NOT NULL PRIMARY KEY `Directory`)",
        "CREATE TABLE `Component` (`Component` CHAR(72) NOT NULL, `ComponentId` CHAR(38), "
        "`Directory_` CHAR(72) NOT NULL, `Attributes` SHORT NOT NULL, `Condition` CHAR(255), "
        "`KeyPath` CHAR(72) PRIMARY KEY `Component`)",
        "CREATE TABLE `Feature` (`Feature` CHAR(38) NOT NULL, `Feature_Parent` CHAR(38), "
        "`Title` CHAR(64), `Description` CHAR(255), `Display` SHORT, `Level` SHORT NOT NULL, "
        "`Directory_` CHAR(72), `Attributes` SHORT NOT NULL PRIMARY KEY `Feature`)",
        "CREATE TABLE `FeatureComponents` (`Feature_` CHAR(38) NOT NULL, `Component_` CHAR(72) "
        "NOT NULL PRIMARY KEY `Feature_`, `Component_`)",
        "CREATE TABLE `File` (`File` CHAR(72) NOT NULL, `Component_` CHAR(72) NOT NULL, "
        "`FileName` CHAR(255) NOT NULL, `FileSize` LONG NOT NULL, `Version` CHAR(72), "
        "`Language` CHAR(20), `Attributes` SHORT, `Sequence` SHORT NOT NULL PRIMARY KEY `File`)",
        "CREATE TABLE `Media` (`DiskId` SHORT NOT NULL, `LastSequence` SHORT NOT NULL, "
        "`DiskPrompt` CHAR(64), `Cabinet` CHAR(255), `VolumeLabel` CHAR(32), `Source` CHAR(72) "
        "PRIMARY KEY `DiskId`)",
        "CREATE TABLE `InstallExecuteSequence` (`Action` CHAR(72) NOT NULL, `Condition` "
        "CHAR(255), `Sequence` SHORT PRIMARY KEY `Action`)",
        "INSERT INTO `Property` (`Property`, `Value`) VALUES ('ProductCode', '" + codes_.product +
            "')",
        "INSERT INTO `Property` (`Property`, `Value`) VALUES ('ProductName', 'Tallowfin test')",
        "INSERT INTO `Property` (`Property`, `Value`) VALUES ('ProductVersion', '1.0.0')",
        "INSERT INTO `Property` (`Property`, `Value`) VALUES ('Manufacturer', 'Tallowfin tests')",
        "INSERT INTO `Property` (`Property`, `Value`) VALUES ('ProductLanguage', '1033')",
        "INSERT INTO `Property` (`Property`, `Value`) VALUES ('ALLUSERS', '1')",
        "INSERT INTO `Directory` (`Directory`, `Directory_Parent`, `DefaultDir`) VALUES "
        "('TARGETDIR', '', 'SourceDir')",
        "INSERT INTO `Directory` (`Directory`, `Directory_Parent`, `DefaultDir`) VALUES "
        "('APPDIR', 'TARGETDIR', 'app')",
        "INSERT INTO `Component` (`Component`, `ComponentId`, `Directory_`, `Attributes`, "
        "`Condition`, `KeyPath`) VALUES ('Tool', '" +
            codes_.component + "', 'APPDIR', 0, '', 'ToolFile')",
        "INSERT INTO `Feature` (`Feature`, `Feature_Parent`, `Title`, `Description`, `Display`, "
        "`Level`, `Directory_`, `Attributes`) VALUES ('" +
            codes_.feature + "', '', 'Main', '', 1, 1, 'APPDIR', 0)",
        "INSERT INTO `FeatureComponents` (`Feature_`, `Component_`) VALUES ('" + codes_.feature +
            "', 'Tool')",
        "INSERT INTO `File` (`File`, `Component_`, `FileName`, `FileSize`, `Version`, "
        "`Language`, `Attributes`, `Sequence`) VALUES ('ToolFile', 'Tool', '" +
            fileName + "', 21, '', '', 0, 1)",
        "INSERT INTO `Media` (`DiskId`, `LastSequence`, `DiskPrompt`, `Cabinet`, `VolumeLabel`, "
        "`Source`) VALUES (1, 1, '', '', '', '')",
    };
    bool ok = true;
    for (const std::string& query : queries) {
        if (ok && !Execute(database, query)) {
            error_ = "query failed: " + query;
            ok = false;
        }
    }
    const char* actions[][2] = {
        {"CostInitialize", "800"},   {"FileCost", "900"},           {"CostFinalize", "1000"},
        {"InstallValidate", "1400"}, {"InstallInitialize", "1500"}, {"ProcessComponents", "1600"},
        {"RemoveFiles", "3500"},     {"InstallFiles", "4000"},      {"RegisterProduct", "6100"},
        {"PublishFeatures", "6300"}, {"PublishProduct", "6400"},    {"InstallFinalize", "6600"},
    };
    for (const auto& action : actions) {
        std::string query = "INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, "
                            "`Sequence`) VALUES ('" +
                            std::string(action[0]) + "', '', " + action[1] + ")";
        if (ok && !Execute(database, query)) {
            error_ = "query failed: " + query;
            ok = false;
        }
    }
    if (ok && !SetSummary(database, NewGuidText())) {
        error_ = "summary information failed";
        ok = false;
    }
    if (ok && MsiDatabaseCommit(database) != ERROR_SUCCESS) {
        error_ = "MsiDatabaseCommit failed";
        ok = false;
    }
    MsiCloseHandle(database);
    return ok;
}
