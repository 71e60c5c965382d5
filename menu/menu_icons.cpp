// Small pictures for menu items (see menu_icons.h).
#include "menu_icons.h"

#include <shellapi.h>

#include "menu_state.h"
#include "program_filter.h"

namespace {

// Small icons are 16 pixels at 96 dpi, up to 32 at 200 %; anything larger is not a small icon.
constexpr int MaxIconSide = 32;

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

HBITMAP BitmapFromIcon(HICON icon) {
    ICONINFO parts;
    if (!icon || !GetIconInfo(icon, &parts))
        return nullptr;
    BITMAP shape = {};
    GetObjectW(parts.hbmMask, sizeof shape, &shape);
    int width = shape.bmWidth, height = shape.bmHeight;
    HBITMAP result = nullptr;
    // A monochrome icon (no colour bitmap) gets no picture: none of today's programs has one.
    if (parts.hbmColor && width > 0 && width <= MaxIconSide && height > 0 &&
        height <= MaxIconSide) {
        BITMAPINFO format = TopDown32(width, height);
        void* bits = nullptr;
        result = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        DWORD mask[MaxIconSide * MaxIconSide];
        HDC screen = GetDC(nullptr);
        bool read =
            result &&
            GetDIBits(screen, parts.hbmColor, 0, height, bits, &format, DIB_RGB_COLORS) == height &&
            GetDIBits(screen, parts.hbmMask, 0, height, mask, &format, DIB_RGB_COLORS) == height;
        ReleaseDC(nullptr, screen);
        if (read) {
            MakeAlpha(static_cast<DWORD*>(bits), mask, width * height);
            GdiFlush();
        } else if (result) {
            DeleteObject(result);
            result = nullptr;
        }
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

// The icon the shortcut names, else its target's; the shell's icon of the file as a last resort.
// Nothing on the network is read: its files' icons are those of their kind.
HICON ShortcutIcon(const wchar_t* path, const ShortcutInfo& link) {
    HICON icon = nullptr;
    wchar_t iconFile[MAX_PATH];
    DWORD expanded = ExpandEnvironmentStringsW(link.iconPath, iconFile, MAX_PATH);
    if (link.iconPath[0] && expanded > 0 && expanded <= MAX_PATH && !IsNetworkPath(iconFile))
        ExtractIconExW(iconFile, link.iconIndex, nullptr, &icon, 1);
    if (!icon && IsNetworkPath(link.target))
        return SmallShellIcon(link.target, FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES);
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
