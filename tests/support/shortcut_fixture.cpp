// Test helpers for shortcut files (see shortcut_fixture.h).
#include "shortcut_fixture.h"

#include <gtest/gtest.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdint>
#include <initializer_list>

#include "temp_dir.h"

namespace {

struct LinkPair {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    ~LinkPair() {
        if (file)
            file->Release();
        if (link)
            link->Release();
    }
    HRESULT Create() {
        HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, reinterpret_cast<void**>(&link));
        if (FAILED(hr))
            return hr;
        return link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    }
};

std::wstring Wide(const std::string& text) {
    WCHAR buffer[MAX_PATH * 2];
    if (!MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH * 2))
        return L"";
    return buffer;
}

void CheckField(const char* srcFile, int line, const std::string& file, const char* name,
                const std::string& actual, const std::string& expected, bool ignoreCase) {
    bool same = ignoreCase ? lstrcmpiA(actual.c_str(), expected.c_str()) == 0 : actual == expected;
    if (!same)
        ADD_FAILURE_AT(srcFile, line) << "shortcut " << file << ": " << name << " is \"" << actual
                                      << "\", expected \"" << expected << "\"";
}

} // namespace

ShortcutFields SampleShortcutFields(const std::string& folder, const std::string& tag) {
    ShortcutFields fields;
    fields.path = folder + "\\" + tag + ".exe";
    fields.arguments = "/open \"" + tag + " file.txt\" -v";
    fields.workingDir = folder;
    fields.iconPath = folder + "\\" + tag + ".ico";
    fields.iconIndex = 3;
    fields.description = "Opens " + tag;
    WriteTextFile(fields.path, "program");
    WriteTextFile(fields.iconPath, "icon");
    return fields;
}

bool CreateShortcutAt(const char* srcFile, int line, const std::string& file,
                      const ShortcutFields& fields) {
    LinkPair pair;
    HRESULT hr = pair.Create();
    if (SUCCEEDED(hr))
        hr = pair.link->SetPath(fields.path.c_str());
    if (SUCCEEDED(hr))
        hr = pair.link->SetArguments(fields.arguments.c_str());
    if (SUCCEEDED(hr))
        hr = pair.link->SetWorkingDirectory(fields.workingDir.c_str());
    if (SUCCEEDED(hr))
        hr = pair.link->SetIconLocation(fields.iconPath.c_str(), fields.iconIndex);
    if (SUCCEEDED(hr))
        hr = pair.link->SetDescription(fields.description.c_str());
    if (SUCCEEDED(hr))
        hr = pair.file->Save(Wide(file).c_str(), TRUE);
    if (FAILED(hr))
        ADD_FAILURE_AT(srcFile, line) << "creating shortcut " << file << " failed: 0x" << std::hex
                                      << static_cast<unsigned long>(hr);
    return SUCCEEDED(hr);
}

bool ReadShortcut(const std::string& file, ShortcutFields* fields) {
    LinkPair pair;
    if (FAILED(pair.Create()) || FAILED(pair.file->Load(Wide(file).c_str(), STGM_READ)))
        return false;
    char text[INFOTIPSIZE] = "";
    pair.link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    fields->path = text;
    text[0] = '\0';
    pair.link->GetArguments(text, sizeof text);
    fields->arguments = text;
    text[0] = '\0';
    pair.link->GetWorkingDirectory(text, MAX_PATH);
    fields->workingDir = text;
    text[0] = '\0';
    pair.link->GetIconLocation(text, MAX_PATH, &fields->iconIndex);
    fields->iconPath = text;
    text[0] = '\0';
    pair.link->GetDescription(text, sizeof text);
    fields->description = text;
    pair.link->GetHotkey(&fields->hotKey);
    return true;
}

void CheckShortcutAt(const char* srcFile, int line, const std::string& file,
                     const ShortcutFields& expected) {
    ShortcutFields actual;
    if (!ReadShortcut(file, &actual)) {
        ADD_FAILURE_AT(srcFile, line) << "shortcut " << file << " cannot be loaded";
        return;
    }
    CheckField(srcFile, line, file, "path", actual.path, expected.path, true);
    CheckField(srcFile, line, file, "arguments", actual.arguments, expected.arguments, false);
    CheckField(srcFile, line, file, "working dir", actual.workingDir, expected.workingDir, true);
    CheckField(srcFile, line, file, "icon path", actual.iconPath, expected.iconPath, true);
    if (actual.iconIndex != expected.iconIndex)
        ADD_FAILURE_AT(srcFile, line) << "shortcut " << file << ": icon index is "
                                      << actual.iconIndex << ", expected " << expected.iconIndex;
    CheckField(srcFile, line, file, "description", actual.description, expected.description, false);
}

namespace {

void PutU32s(std::string* out, std::initializer_list<uint32_t> values) {
    for (uint32_t value : values)
        for (int i = 0; i < 4; ++i)
            out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

bool WriteLocalPathShortcut(const std::string& file, const std::string& localBasePath) {
    std::string link;
    PutU32s(&link, {0x4C}); // header size, class id, flags: a LinkInfo and nothing else
    link.append(reinterpret_cast<const char*>(&CLSID_ShellLink), sizeof CLSID_ShellLink);
    PutU32s(&link, {0x2});
    link.append(36, '\0'); // attributes, three times, file size, icon index
    PutU32s(&link, {SW_SHOWNORMAL, 0, 0, 0});
    // LinkInfo: header, a volume id (fixed drive, a serial, empty label), the local base path,
    // an empty common path suffix.
    const uint32_t pathOffset = 0x1C + 0x11;
    const uint32_t suffixOffset = pathOffset + static_cast<uint32_t>(localBasePath.size()) + 1;
    PutU32s(&link, {suffixOffset + 1, 0x1C, 0x1, 0x1C, pathOffset, 0, suffixOffset});
    PutU32s(&link, {0x11, DRIVE_FIXED, 0x1234ABCD, 0x10});
    link.push_back('\0');
    link += localBasePath;
    link.append(2, '\0');
    PutU32s(&link, {0}); // no extra data blocks
    return WriteTextFile(file, link);
}
