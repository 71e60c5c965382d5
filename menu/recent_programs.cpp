// The recent programs in the registry (see recent_programs.h): one REG_SZ value per entry,
// named "1" (the most recent) to "5".
#include "recent_programs.h"

#include <cwchar>

#include "menu_state.h"
#include "menu_text.h"

namespace {

constexpr wchar_t RecentKeyPath[] = L"Software\\mistlebrookworks\\Tallowfin Menu";

void ValueName(wchar_t (&name)[2], int index) {
    name[0] = static_cast<wchar_t>(L'1' + index);
    name[1] = L'\0';
}

} // namespace

void LoadRecentPrograms() {
    RecentProgramCount = 0;
    for (int i = 0; i < MaxRecentPrograms; ++i) {
        wchar_t name[2];
        ValueName(name, i);
        wchar_t* entry = RecentPrograms[RecentProgramCount];
        DWORD bytes = sizeof RecentPrograms[0];
        // RegGetValueW checks the type and always ends the text; too long a value fails whole.
        if (RegGetValueW(HKEY_CURRENT_USER, RecentKeyPath, name, RRF_RT_REG_SZ, nullptr, entry,
                         &bytes) == ERROR_SUCCESS &&
            IsMirrorRelativeShortcut(entry))
            ++RecentProgramCount;
    }
}

bool RememberRecentProgram(const wchar_t* relativePath) {
    if (wcslen(relativePath) >= MAX_PATH)
        return false;
    int kept = 0;
    wchar_t list[MaxRecentPrograms][MAX_PATH];
    wmemcpy(list[kept++], relativePath, wcslen(relativePath) + 1);
    for (int i = 0; i < RecentProgramCount && kept < MaxRecentPrograms; ++i)
        if (lstrcmpiW(RecentPrograms[i], relativePath) != 0)
            wmemcpy(list[kept++], RecentPrograms[i], MAX_PATH);
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, RecentKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool written = true;
    for (int i = 0; i < MaxRecentPrograms; ++i) {
        wchar_t name[2];
        ValueName(name, i);
        if (i < kept) {
            DWORD bytes = static_cast<DWORD>((wcslen(list[i]) + 1) * sizeof(wchar_t));
            written = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(list[i]),
                                     bytes) == ERROR_SUCCESS &&
                      written;
        } else {
            RegDeleteValueW(key, name);
        }
    }
    RegCloseKey(key);
    return written;
}

void ForgetRecentPrograms() {
    RegDeleteKeyW(HKEY_CURRENT_USER, RecentKeyPath);
}
