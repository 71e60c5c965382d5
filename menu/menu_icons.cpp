// Small pictures for menu items (see menu_icons.h).
#include "menu_icons.h"

#include <shellapi.h>
#include <shlobj.h>

#include "icon_scale.h"
#include "menu_state.h"
#include "program_filter.h"
#include "../base/window_dpi.h"

namespace {

// Windows' largest icon picture; a larger one is no icon of a program.
constexpr int MaxIconSide = 256;

// The small-icon size of the monitor that the menu opens on, at the pointer: 16 pixels at 100 %,
// 24 at 150 %, 32 at 200 %, 40 at 250 %. Chosen at the first picture, so that every item of the
// menu has pictures of one size.
int IconSide() {
    if (!MenuIconSide) {
        POINT at = {};
        GetCursorPos(&at);
        int side = MetricForDpi(SM_CXSMICON, PointDpi(at));
        MenuIconSide = side > 0 && side <= MaxIconSide ? side : 16;
    }
    return MenuIconSide;
}

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

// Icons with an alpha channel keep it (premultiplied, as menus expect); older icons take
// their transparency from the mask.
void MakeAlpha(DWORD* pixels, const DWORD* mask, int count) {
    bool hasAlpha = false;
    for (int i = 0; i < count && !hasAlpha; ++i)
        hasAlpha = (pixels[i] >> 24) != 0;
    for (int i = 0; i < count; ++i) {
        DWORD p = pixels[i];
        if (!hasAlpha) {
            pixels[i] = (mask[i] & 0xFFFFFF) ? 0 : (p | 0xFF000000u);
            continue;
        }
        DWORD a = p >> 24;
        DWORD r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255,
              b = (p & 0xFF) * a / 255;
        pixels[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
}

// The icon's own pixels, with their transparency, at the menu's size: icons that come at another
// size (the shell's at the system's small size) are scaled to it.
HBITMAP BitmapFromIcon(HICON icon) {
    ICONINFO parts;
    if (!icon || !GetIconInfo(icon, &parts))
        return nullptr;
    BITMAP shape = {};
    GetObjectW(parts.hbmMask, sizeof shape, &shape);
    int width = shape.bmWidth, height = shape.bmHeight, side = IconSide();
    HBITMAP result = nullptr;
    // A monochrome icon (no colour bitmap) gets no picture: none of today's programs has one.
    DWORD* pixels = nullptr;
    if (parts.hbmColor && width > 0 && width <= MaxIconSide && height > 0 && height <= MaxIconSide)
        pixels = static_cast<DWORD*>(
            HeapAlloc(GetProcessHeap(), 0, sizeof(DWORD) * 2 * size_t(width) * size_t(height)));
    if (pixels) {
        DWORD* mask = pixels + width * height;
        BITMAPINFO format = TopDown32(width, height);
        HDC screen = GetDC(nullptr);
        bool read =
            GetDIBits(screen, parts.hbmColor, 0, height, pixels, &format, DIB_RGB_COLORS) ==
                height &&
            GetDIBits(screen, parts.hbmMask, 0, height, mask, &format, DIB_RGB_COLORS) == height;
        ReleaseDC(nullptr, screen);
        BITMAPINFO target = TopDown32(side, side);
        void* bits = nullptr;
        if (read)
            result = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (result) {
            MakeAlpha(pixels, mask, width * height);
            if (width == side && height == side)
                CopyMemory(bits, pixels, sizeof(DWORD) * size_t(side) * size_t(side));
            else
                ScalePicture(reinterpret_cast<const uint32_t*>(pixels), width, height,
                             static_cast<uint32_t*>(bits), side, side);
            GdiFlush();
        }
        HeapFree(GetProcessHeap(), 0, pixels);
    }
    if (parts.hbmColor)
        DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return result;
}

HICON SmallShellIcon(const wchar_t* path, DWORD attributes, UINT flags) {
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(path, attributes, &info, sizeof info, flags | SHGFI_ICON | SHGFI_SMALLICON))
        return nullptr;
    return info.hIcon;
}

HBITMAP BitmapOfIcon(HICON icon) {
    HBITMAP bitmap = BitmapFromIcon(icon);
    if (icon)
        DestroyIcon(icon);
    return bitmap;
}

// The icon at index in file at the menu's size, drawn for that size where the file has one.
HICON FileIconAtSide(const wchar_t* file, int index) {
    HICON icon = nullptr;
    int side = IconSide();
    if (SHDefExtractIconW(file, index, 0, nullptr, &icon, MAKELONG(side, side)) != S_OK)
        return nullptr;
    return icon;
}

// The icon the shortcut names, else its target's; the shell's icon of the file as a last resort.
// Nothing on the network is read: its files' icons are those of their kind.
HICON ShortcutIcon(const wchar_t* path, const ShortcutInfo& link) {
    HICON icon = nullptr;
    wchar_t iconFile[MAX_PATH];
    DWORD expanded = ExpandEnvironmentStringsW(link.iconPath, iconFile, MAX_PATH);
    if (link.iconPath[0] && expanded > 0 && expanded <= MAX_PATH && !IsNetworkPath(iconFile))
        icon = FileIconAtSide(iconFile, link.iconIndex);
    if (!icon && IsNetworkPath(link.target))
        return SmallShellIcon(link.target, FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES);
    // A program's own first icon is what the shell shows for it.
    if (!icon && link.target[0])
        icon = FileIconAtSide(link.target, 0);
    if (!icon && link.target[0])
        icon = SmallShellIcon(link.target, 0, 0);
    return icon ? icon : SmallShellIcon(path, 0, 0);
}

} // namespace

HBITMAP ShortcutBitmap(const wchar_t* path, const ShortcutInfo& link) {
    return BitmapOfIcon(ShortcutIcon(path, link));
}

HBITMAP FindBitmap() {
    SHSTOCKICONINFO stock = {};
    stock.cbSize = sizeof stock;
    if (FAILED(SHGetStockIconInfo(SIID_FIND, SHGSI_ICON | SHGSI_SMALLICON, &stock)))
        return nullptr;
    return BitmapOfIcon(stock.hIcon);
}

HBITMAP SharedFolderBitmap() {
    // Any folder shows the same closed-folder icon; no folder has to be read for it.
    if (!FolderBitmap)
        FolderBitmap = BitmapOfIcon(
            SmallShellIcon(L"folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_USEFILEATTRIBUTES));
    return FolderBitmap;
}
