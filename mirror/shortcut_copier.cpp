// Re-creates shortcuts through the shell's link object (see shortcut_copier.h).
#include "shortcut_copier.h"

#include <windows.h>
#include <msi.h>
#include <objidl.h>
#include <shlobj.h>

#include "../base/wide_text.h"
#include "diagnostic_log.h"
#include "link_target_text.h"
#include "installer_functions.h"
#include "link_object.h"

namespace {

constexpr size_t InstallerCodeSize = 40;
// SLR_NO_UI | SLR_UPDATE | SLR_NOSEARCH, with a time-out of 0 in the high word.
constexpr DWORD QuietResolveFlags = 0x15;

// What the installer says about an advertised shortcut.
struct InstallerTarget {
    char productCode[InstallerCodeSize];
    char featureId[InstallerCodeSize];
    char componentCode[InstallerCodeSize];
    char componentPath[PathBufferSize];
};

bool QueryAdvertisedTarget(const char* source, InstallerTarget* target) {
    const InstallerFunctions& installer = GetInstallerFunctions();
    if (!installer.AdvertisedShortcutQuery)
        return false;
    return installer.AdvertisedShortcutQuery(source, target->productCode, target->featureId,
                                             target->componentCode) == 0;
}

// A component that is not installed, or a path too long for the buffer, would give a shortcut
// to nothing: only a present component with a path counts.
bool QueryComponentPath(InstallerTarget* target) {
    DWORD size = sizeof target->componentPath;
    target->componentPath[0] = '\0';
    int state = GetInstallerFunctions().ComponentPathQuery(
        target->productCode, target->componentCode, target->componentPath, &size);
    bool present = state == INSTALLSTATE_LOCAL || state == INSTALLSTATE_SOURCE;
    return present && target->componentPath[0] != '\0';
}

bool LoadShortcut(LinkObject* object, const char* source) {
    WCHAR wide[PathBufferSize];
    return WidenAnsi(source, wide, PathBufferSize) &&
           SUCCEEDED(object->file->Load(wide, STGM_READ));
}

bool ResolveQuietly(LinkObject* object) {
    return SUCCEEDED(object->link->Resolve(nullptr, QuietResolveFlags));
}

// Replaces the loaded advertised shortcut by a new link object that carries only the installed
// file as its target and the source's icon.
bool RebuildAsPlainShortcut(LinkObject* object, const char* componentPath) {
    char iconPath[PathBufferSize];
    int iconIndex = 0;
    if (FAILED(object->link->GetIconLocation(iconPath, sizeof iconPath, &iconIndex)))
        return false;
    ReleaseLinkObject(object);
    return CreateLinkObject(object) && SUCCEEDED(object->link->SetPath(componentPath)) &&
           SUCCEEDED(object->link->SetIconLocation(iconPath, iconIndex));
}

// Two lines, target path then icon location, written before the save whatever its outcome.
// The target read for the first line also tells whether it came back damaged.
bool LogTargetAndIcon(LinkObject* object, bool* targetMangled) {
    char text[PathBufferSize];
    if (FAILED(object->link->GetPath(text, sizeof text, nullptr, 0)))
        return false;
    *targetMangled = TargetLooksMangled(text);
    if (!LoggingEnabled)
        return true;
    LogLine(text);
    int iconIndex = 0;
    if (FAILED(object->link->GetIconLocation(text, sizeof text, &iconIndex)))
        return false;
    LogLine(text);
    return true;
}

bool SaveShortcut(LinkObject* object, const char* destination) {
    WCHAR wide[PathBufferSize];
    return WidenAnsi(destination, wide, PathBufferSize) &&
           SUCCEEDED(object->file->Save(wide, TRUE));
}

} // namespace

bool CopyShortcut(const char* source, const char* destination) {
    InstallerTarget target = {};
    bool advertised = QueryAdvertisedTarget(source, &target);
    if (advertised && !QueryComponentPath(&target))
        return false;

    LinkObject object = {};
    bool targetMangled = false;
    bool loaded = CreateLinkObject(&object) && LoadShortcut(&object, source) &&
                  (advertised ? RebuildAsPlainShortcut(&object, target.componentPath)
                              : ResolveQuietly(&object)) &&
                  LogTargetAndIcon(&object, &targetMangled);
    // A damaged target saved would lose the user's link for good; the source file itself still
    // works wherever it worked before. An advertised target comes from the installer instead.
    bool saved = false;
    if (loaded && !advertised && targetMangled)
        saved = CopyFileA(source, destination, FALSE) != FALSE;
    else if (loaded)
        saved = SaveShortcut(&object, destination);
    ReleaseLinkObject(&object);
    return saved;
}
