// Shortcut files through IShellLinkW and IPersistFile (see shortcut_file.h).
#include "shortcut_file.h"

#include <objbase.h>
#include <shlobj.h>

namespace {

IShellLinkW* CreateLink() {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return nullptr;
    return link;
}

IPersistFile* FileOf(IShellLinkW* link) {
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
        return nullptr;
    return file;
}

} // namespace

bool ReadShortcutFile(const wchar_t* path, ShortcutInfo* info) {
    IShellLinkW* link = CreateLink();
    if (!link)
        return false;
    bool loaded = false;
    if (IPersistFile* file = FileOf(link)) {
        loaded = SUCCEEDED(file->Load(path, STGM_READ));
        file->Release();
    }
    if (loaded) {
        // Each field starts empty: a getter that fails leaves its buffer as it was.
        info->target[0] = info->arguments[0] = info->workingDir[0] = info->iconPath[0] = L'\0';
        info->showCommand = SW_SHOWNORMAL;
        info->iconIndex = 0;
        WIN32_FIND_DATAW found;
        if (link->GetPath(info->target, MAX_PATH, &found, 0) != S_OK)
            info->target[0] = L'\0';
        link->GetArguments(info->arguments, ShortcutArgumentsSize);
        link->GetWorkingDirectory(info->workingDir, MAX_PATH);
        link->GetShowCmd(&info->showCommand);
        link->GetIconLocation(info->iconPath, MAX_PATH, &info->iconIndex);
        info->target[MAX_PATH - 1] = info->arguments[ShortcutArgumentsSize - 1] = L'\0';
        info->workingDir[MAX_PATH - 1] = info->iconPath[MAX_PATH - 1] = L'\0';
    }
    link->Release();
    return loaded;
}

bool WriteShortcutFile(const wchar_t* path, const wchar_t* target, const wchar_t* arguments,
                       WORD hotKey, const wchar_t* iconPath, int iconIndex,
                       const wchar_t* description) {
    IShellLinkW* link = CreateLink();
    if (!link)
        return false;
    bool saved = SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetArguments(arguments)) &&
                 SUCCEEDED(link->SetHotkey(hotKey)) &&
                 SUCCEEDED(link->SetIconLocation(iconPath, iconIndex)) &&
                 SUCCEEDED(link->SetDescription(description));
    if (saved) {
        IPersistFile* file = FileOf(link);
        saved = file && SUCCEEDED(file->Save(path, TRUE));
        if (file)
            file->Release();
    }
    link->Release();
    return saved;
}
