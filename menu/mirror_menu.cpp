// The Tallowfin folder as a cascading pop-up menu (see mirror_menu.h).
#include "mirror_menu.h"

#include <shlwapi.h>

#include <cstdlib>
#include <cwchar>

#include "menu_icons.h"
#include "menu_state.h"
#include "menu_text.h"
#include "program_filter.h"
#include "recent_programs.h"

namespace {

constexpr int MaxListed = 2048;
constexpr wchar_t EmptyLabel[] = L"(empty)";
// Tallowfin's two own sub-folders close the top level, in this order, after a separator.
const wchar_t* const ClosingFolders[] = {L"Tallowfin Desktop", L"Tallowfin Quick Launch"};
constexpr int ClosingFolderCount = 2;

struct ListedEntry {
    bool folder;
    wchar_t name[MAX_PATH]; // as shown: a shortcut's without ".lnk"
};

// One folder's entries at a time; the menus keep what they need of it.
ListedEntry Listing[MaxListed];
int ListingOrder[MaxListed];
// The shortcut being judged and given an item.
ShortcutInfo Listed;

// Folders first, then shortcuts, each in Explorer's order of names (digits by value, any case).
int CompareListed(const void* a, const void* b) {
    const ListedEntry& x = Listing[*static_cast<const int*>(a)];
    const ListedEntry& y = Listing[*static_cast<const int*>(b)];
    if (x.folder != y.folder)
        return x.folder ? -1 : 1;
    return StrCmpLogicalW(x.name, y.name);
}

// folder + name + tail into out; false when the whole would not fit.
bool JoinPath(wchar_t (&out)[MAX_PATH], const wchar_t* folder, const wchar_t* name,
              const wchar_t* tail) {
    size_t a = wcslen(folder), b = wcslen(name), c = wcslen(tail);
    if (a + b + c >= MAX_PATH)
        return false;
    wmemcpy(out, folder, a);
    wmemcpy(out + a, name, b);
    wmemcpy(out + a + b, tail, c + 1);
    return true;
}

int ListFolder(const wchar_t* folder) {
    wchar_t pattern[MAX_PATH];
    if (!JoinPath(pattern, folder, L"*", L""))
        return 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        bool folderEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folderEntry
                ? (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0)
                : !IsShortcutFileName(found.cFileName))
            continue;
        Listing[count].folder = folderEntry;
        if (folderEntry) // a folder keeps a name ending in ".lnk": its path needs it
            wmemcpy(Listing[count].name, found.cFileName, MAX_PATH);
        else
            BuildItemName(Listing[count].name, MAX_PATH, found.cFileName);
        ListingOrder[count] = count;
        ++count;
    } while (count < MaxListed && FindNextFileW(search, &found));
    FindClose(search);
    qsort(ListingOrder, count, sizeof ListingOrder[0], CompareListed);
    return count;
}

void InsertItem(HMENU menu, int position, const wchar_t* name, UINT command, HMENU subMenu,
                HBITMAP picture) {
    wchar_t label[2 * MAX_PATH];
    EscapeAmpersands(label, ARRAYSIZE(label), name);
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING | MIIM_ID | MIIM_BITMAP | (subMenu ? MIIM_SUBMENU : 0);
    item.wID = command;
    item.hSubMenu = subMenu;
    item.hbmpItem = picture;
    item.dwTypeData = label;
    InsertMenuItemW(menu, position, TRUE, &item);
}

void AppendItem(HMENU menu, const wchar_t* name, UINT command, HMENU subMenu, HBITMAP picture) {
    InsertItem(menu, GetMenuItemCount(menu), name, command, subMenu, picture);
}

// The shortcut at path as an item at position, when it takes files and the table has room.
bool InsertShortcut(HMENU menu, int position, const wchar_t* path, const wchar_t* name) {
    if (MenuShortcutCount >= MaxMenuShortcuts || !ReadShortcutFile(path, &Listed) ||
        !TakesFiles(name, Listed))
        return false;
    int index = MenuShortcutCount++;
    wmemcpy(MenuShortcuts[index].path, path, MAX_PATH);
    InsertItem(menu, position, name, FirstShortcutCommand + index, nullptr,
               ShortcutBitmap(path, Listed));
    return true;
}

// Every sub-menu starts with "(empty)" alone, which its first opening replaces when the folder
// holds anything; that way a sub-menu always has something to open on.
HMENU NewFolderMenu(const wchar_t* path) {
    if (MenuFolderCount >= MaxMenuFolders)
        return nullptr;
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, EmptyLabel);
    MenuFolder& entry = MenuFolders[MenuFolderCount++];
    entry.menu = menu;
    entry.filled = false;
    wcsncpy(entry.path, path, MAX_PATH - 1);
    entry.path[MAX_PATH - 1] = L'\0';
    return menu;
}

// False when the entry was given no item: a shortcut that takes no files, a path too long, a
// table full.
bool AppendEntry(HMENU menu, const wchar_t* folder, const ListedEntry& entry) {
    wchar_t path[MAX_PATH];
    if (entry.folder) {
        HMENU subMenu = JoinPath(path, folder, entry.name, L"\\") ? NewFolderMenu(path) : nullptr;
        if (subMenu)
            AppendItem(menu, entry.name, 0, subMenu, SharedFolderBitmap());
        return subMenu != nullptr;
    }
    return JoinPath(path, folder, entry.name, L".lnk") &&
           InsertShortcut(menu, GetMenuItemCount(menu), path, entry.name);
}

int ClosingFolderIndex(const ListedEntry& entry) {
    for (int i = 0; entry.folder && i < ClosingFolderCount; ++i)
        if (lstrcmpiW(entry.name, ClosingFolders[i]) == 0)
            return i;
    return -1;
}

void FillFolder(int index) {
    MenuFolder& folder = MenuFolders[index];
    if (folder.filled)
        return;
    folder.filled = true;
    bool top = index == 0;
    int count = ListFolder(folder.path);
    int closing[ClosingFolderCount] = {-1, -1};
    bool any = false;
    for (int i = 0; i < count; ++i) {
        const ListedEntry& entry = Listing[ListingOrder[i]];
        int slot = top ? ClosingFolderIndex(entry) : -1;
        if (slot >= 0)
            closing[slot] = ListingOrder[i];
        else
            any = AppendEntry(folder.menu, folder.path, entry) || any;
    }
    bool separate = any;
    for (int i = 0; i < ClosingFolderCount; ++i) {
        if (closing[i] < 0)
            continue;
        if (separate)
            AppendMenuW(folder.menu, MF_SEPARATOR, 0, nullptr);
        separate = false;
        any = AppendEntry(folder.menu, folder.path, Listing[closing[i]]) || any;
    }
    if (any)
        DeleteMenu(folder.menu, 0, MF_BYPOSITION); // the "(empty)" placeholder
}

bool AlreadyListed(int count, const wchar_t* relativePath) {
    for (int i = 0; i < count; ++i)
        if (lstrcmpiW(RecentPrograms[i], relativePath) == 0)
            return true;
    return false;
}

// The recent programs head the top level, then a separator. The list keeps only those shown,
// so a program whose shortcut is gone drops out when the list is next written.
void InsertRecentPrograms(HMENU menu, const wchar_t* mirrorRoot) {
    LoadRecentPrograms();
    int kept = 0;
    for (int i = 0; i < RecentProgramCount; ++i) {
        wchar_t path[MAX_PATH], name[MAX_PATH];
        BuildItemName(name, MAX_PATH, PathFindFileNameW(RecentPrograms[i]));
        if (AlreadyListed(kept, RecentPrograms[i]) ||
            !JoinPath(path, mirrorRoot, RecentPrograms[i], L"") ||
            !InsertShortcut(menu, kept, path, name))
            continue;
        if (kept != i)
            wmemcpy(RecentPrograms[kept], RecentPrograms[i], MAX_PATH);
        ++kept;
    }
    RecentProgramCount = kept;
    if (kept > 0)
        InsertMenuW(menu, kept, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

// Heads the menu with a mnemonic of its own: no other item has one, their "&" being doubled.
void InsertFindItem(HMENU menu) {
    wchar_t label[] = L"&Find a program...";
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING | MIIM_ID | MIIM_BITMAP;
    item.wID = FindProgramCommand;
    item.hbmpItem = FindBitmap();
    item.dwTypeData = label;
    InsertMenuItemW(menu, 0, TRUE, &item);
    InsertMenuW(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

} // namespace

HMENU CreateMirrorMenu(const wchar_t* mirrorRoot) {
    HMENU menu = NewFolderMenu(mirrorRoot);
    if (menu) {
        FillFolder(0);
        InsertRecentPrograms(menu, mirrorRoot);
        InsertFindItem(menu);
    }
    return menu;
}

void FillMenuOnOpen(HMENU menu) {
    for (int i = 0; i < MenuFolderCount; ++i)
        if (MenuFolders[i].menu == menu) {
            FillFolder(i);
            return;
        }
}

const wchar_t* ShortcutForCommand(UINT command) {
    if (command < FirstShortcutCommand || command - FirstShortcutCommand >= UINT(MenuShortcutCount))
        return nullptr;
    return MenuShortcuts[command - FirstShortcutCommand].path;
}
