// The rows of "Find a program...": a worker thread walks the whole mirror, judges each shortcut
// as the menu does and publishes rows to the window in batches, so that the window shows at once
// and never waits for it. Between shortcuts it fetches the icons the window asks for.
#pragma once
#include <windows.h>
#include <commctrl.h>

constexpr UINT MSG_FIND_ROWS = WM_APP + 1;  // more rows are published, or the walk ended
constexpr UINT MSG_FIND_ICONS = WM_APP + 2; // icons the window asked for are known

// text in lower case by the user's locale and Windows' linguistic rules (Cyrillic, accents,
// Turkish i); false when it failed or would not fit.
bool FoldForFind(const wchar_t* text, wchar_t* out, int outSize);

// The system's small image list, which the window shares, and in it the icon of a program as
// shown before its own is known.
HIMAGELIST FindSmallIcons(int* genericProgramIcon);

// Starts the worker over the mirror (ending in a backslash), posting to window. The first batch
// goes as soon as it holds firstBatch rows, a screenful; later ones at most every 50 ms. False
// when no thread could start.
bool StartFindRows(const wchar_t* mirrorRoot, HWND window, int firstBatch);

// Stops the worker and waits a while for it; a shortcut being judged finishes first.
void StopFindRows();

// Window thread: the row is on screen and its icon unknown. The latest asked is fetched first.
void AskFindIcon(int row);
