// Per-shortcut cost of CopyShortcut for plain and advertised shortcuts, beside the same shell-link
// and installer calls made in a bare loop (the platform floor), measured in one process.
#include <windows.h>
#include <msi.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "mirror/diagnostic_log.h"
#include "mirror/shortcut_copier.h"
#include "tests/support/installer_fixture.h"
#include "tests/support/shortcut_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

struct Link {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    void Create() {
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void**>(&link));
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    }
    void Release() {
        file->Release();
        link->Release();
    }
};

std::wstring Wide(const std::string& text) {
    WCHAR buffer[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH);
    return buffer;
}

// The calls CopyShortcut makes for a plain shortcut, without logging.
bool BarePlain(const std::string& source, const std::string& destination) {
    char product[40], feature[40], component[40], text[MAX_PATH];
    int index = 0;
    if (MsiGetShortcutTargetA(source.c_str(), product, feature, component) == 0)
        return false;
    Link object;
    object.Create();
    bool ok = SUCCEEDED(object.file->Load(Wide(source).c_str(), STGM_READ)) &&
              SUCCEEDED(object.link->Resolve(nullptr, 0x15)) &&
              SUCCEEDED(object.link->GetPath(text, MAX_PATH, nullptr, 0)) &&
              SUCCEEDED(object.link->GetIconLocation(text, MAX_PATH, &index)) &&
              SUCCEEDED(object.file->Save(Wide(destination).c_str(), TRUE));
    object.Release();
    return ok;
}

// The calls CopyShortcut makes for an advertised shortcut, without logging.
bool BareAdvertised(const std::string& source, const std::string& destination) {
    char product[40], feature[40], component[40], path[MAX_PATH] = "", icon[MAX_PATH];
    char text[MAX_PATH];
    int index = 0, unused = 0;
    DWORD size = MAX_PATH;
    if (MsiGetShortcutTargetA(source.c_str(), product, feature, component) != 0)
        return false;
    MsiGetComponentPathA(product, component, path, &size);
    Link object;
    object.Create();
    bool ok = SUCCEEDED(object.file->Load(Wide(source).c_str(), STGM_READ)) &&
              SUCCEEDED(object.link->GetIconLocation(icon, MAX_PATH, &index));
    object.Release();
    object.Create();
    ok = ok && SUCCEEDED(object.link->SetPath(path)) &&
         SUCCEEDED(object.link->SetIconLocation(icon, index)) &&
         SUCCEEDED(object.link->GetPath(text, MAX_PATH, nullptr, 0)) &&
         SUCCEEDED(object.link->GetIconLocation(text, MAX_PATH, &unused)) &&
         SUCCEEDED(object.file->Save(Wide(destination).c_str(), TRUE));
    object.Release();
    return ok;
}

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Totals {
    double seconds = 0;
    int calls = 0;
    int failures = 0;
};

template <typename Copy> void Measure(Totals* totals, int count, Copy copy) {
    double start = Now();
    for (int i = 0; i < count; ++i)
        totals->failures += copy() ? 0 : 1;
    totals->seconds += Now() - start;
    totals->calls += count;
}

void Report(const char* kind, const Totals& copier, const Totals& bare) {
    double copierMs = 1000 * copier.seconds / copier.calls;
    double bareMs = 1000 * bare.seconds / bare.calls;
    printf("%-10s CopyShortcut %7.3f ms/shortcut   bare calls %7.3f ms   ratio %.2f"
           "   (%d + %d calls, %d failed)\n",
           kind, copierMs, bareMs, copierMs / bareMs, copier.calls, bare.calls,
           copier.failures + bare.failures);
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 30;
    const int perRound = 10;
    ComApartment com;
    TempDir dir("copier-bench");
    if (!StartLog()) {
        printf("cannot create the log at %s\n", LogFilePath);
        return 1;
    }

    ShortcutFields plain = SampleShortcutFields(dir.path(), "tool");
    std::string plainSource = dir / "plain.lnk";
    CreateShortcutAt(__FILE__, __LINE__, plainSource, plain);

    InstallerCodes codes = {NewGuidText(), "Feature", NewGuidText()};
    RegisteredComponent component(codes, plain.path);
    std::string advertisedSource = dir / "advertised.lnk";
    CreateAdvertisedShortcutAt(__FILE__, __LINE__, advertisedSource, codes, plain);
    if (!component.ok()) {
        printf("cannot register the component\n");
        return 1;
    }

    const std::string destination = dir / "copy.lnk";
    Totals plainCopier, plainBare, advertisedCopier, advertisedBare;
    // Warm-up: the first call loads msi.dll and the shell's link code.
    CopyShortcut(plainSource.c_str(), destination.c_str());
    CopyShortcut(advertisedSource.c_str(), destination.c_str());
    auto copyPlain = [&] { return CopyShortcut(plainSource.c_str(), destination.c_str()); };
    auto barePlain = [&] { return BarePlain(plainSource, destination); };
    auto copyAdvertised = [&] {
        return CopyShortcut(advertisedSource.c_str(), destination.c_str());
    };
    auto bareAdvertised = [&] { return BareAdvertised(advertisedSource, destination); };
    // Short rounds, each side going first in every other round, keep the slow drifts of a busy
    // machine and any order effect out of the ratios.
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            Measure(&plainCopier, perRound, copyPlain);
            Measure(&plainBare, perRound, barePlain);
            Measure(&advertisedCopier, perRound, copyAdvertised);
            Measure(&advertisedBare, perRound, bareAdvertised);
        } else {
            Measure(&plainBare, perRound, barePlain);
            Measure(&plainCopier, perRound, copyPlain);
            Measure(&advertisedBare, perRound, bareAdvertised);
            Measure(&advertisedCopier, perRound, copyAdvertised);
        }
        StartLog(); // keeps the log from growing across rounds, as each pass does
    }
    Report("plain", plainCopier, plainBare);
    Report("advertised", advertisedCopier, advertisedBare);
    return 0;
}
