// A dialog moved to a monitor of another scale, in-process: Wine cannot move a window between
// monitors of different scales, so the test sends the notice Windows would send. What the
// dialogs draw themselves follows it, and no picture or icon is leaked or freed while shown.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "base/shared_state.h"
#include "base/window_dpi.h"
#include "dialogs/donate_dialog.h"
#include "dialogs/options_dialog.h"
#include "res/resource.h"

namespace {

// The dialogs' templates and pictures come from the program, one folder above this test.
class DpiChange : public ::testing::Test {
  protected:
    void SetUp() override {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, sizeof path);
        *strrchr(path, '\\') = '\0';
        *strrchr(path, '\\') = '\0';
        std::string exe = std::string(path) + "\\" TALLOWFIN_EXE_NAME;
        AppInstance = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, AppInstance) << exe;
    }
    void TearDown() override {
        if (dialog_)
            DestroyWindow(dialog_);
        FreeLibrary(AppInstance);
        AppInstance = nullptr;
    }
    HWND Open(int id, DLGPROC procedure) {
        dialog_ = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(id), nullptr, procedure, 0);
        return dialog_;
    }
    void MoveToScale(unsigned dpi) {
        RECT suggested;
        GetWindowRect(dialog_, &suggested);
        SendMessageA(dialog_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }
    static SIZE BitmapSize(HGDIOBJ bitmap) {
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        return {info.bmWidth, info.bmHeight};
    }
    static int IconWidth(HICON icon) {
        ICONINFO parts = {};
        if (!icon || !GetIconInfo(icon, &parts))
            return 0;
        int width = BitmapSize(parts.hbmColor ? parts.hbmColor : parts.hbmMask).cx;
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        return width;
    }
    HWND dialog_ = nullptr;
};

// 62 x 31 at 100 %; 93 x 47 at 150 % and 124 x 62 at 200 %; each picture freed once replaced,
// the last at close.
TEST_F(DpiChange, DonatePictureFollowsTheScaleAndIsFreedOnce) {
    ASSERT_NE(nullptr, Open(IDD_DONATE, DonateDialogProc));
    HWND button = GetDlgItem(dialog_, IDC_DONATE_BUTTON);
    HGDIOBJ first = reinterpret_cast<HGDIOBJ>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
    unsigned dpi = WindowDpi(dialog_);
    EXPECT_EQ(ScaleForDpi(62, dpi), BitmapSize(first).cx);
    HGDIOBJ previous = first;
    for (unsigned next : {144u, 192u}) {
        MoveToScale(next);
        HGDIOBJ shown =
            reinterpret_cast<HGDIOBJ>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
        EXPECT_EQ(ScaleForDpi(62, next), BitmapSize(shown).cx) << next;
        EXPECT_EQ(ScaleForDpi(31, next), BitmapSize(shown).cy) << next;
        EXPECT_EQ(0u, GetObjectType(previous)) << "the replaced picture lives on at " << next;
        previous = shown;
    }
    SendMessageA(dialog_, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, GetObjectType(previous)) << "the last picture outlives the dialog";
}

// The Options dialog's icon: the large-icon size of the new scale, the old icon freed, and the
// last one freed with the dialog.
TEST_F(DpiChange, DialogIconFollowsTheScaleAndIsFreedWithTheDialog) {
    ASSERT_NE(nullptr, Open(IDD_OPTIONS, OptionsDialogProc));
    HWND icon = nullptr;
    for (HWND child = GetWindow(dialog_, GW_CHILD); child && !icon;
         child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = child;
    ASSERT_NE(nullptr, icon);
    auto shown = [&] { return reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)); };
    EXPECT_EQ(MetricForDpi(SM_CXICON, WindowDpi(dialog_)), IconWidth(shown()));
    HICON before = shown();
    MoveToScale(192);
    EXPECT_EQ(MetricForDpi(SM_CXICON, 192), IconWidth(shown()));
    EXPECT_EQ(0, IconWidth(before)) << "the replaced icon lives on";
    HICON last = shown();
    DestroyWindow(dialog_);
    dialog_ = nullptr;
    EXPECT_EQ(0, IconWidth(last)) << "the icon outlives the dialog";
}

} // namespace
