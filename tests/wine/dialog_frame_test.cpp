// The standard dialog frame on real windows: title, both icons, centring and the work area.
#include <gtest/gtest.h>

#include <string>

#include "base/dialog_frame.h"
#include "base/shared_state.h"

namespace {

class DialogFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        AppIcon = LoadIconA(nullptr, IDI_APPLICATION);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work_, 0);
    }
    void TearDown() override {
        for (HWND w : windows_)
            DestroyWindow(w);
    }
    HWND Make(HWND owner, int x, int y, int w, int h) {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CAPTION, x, y, w, h, owner,
                                      nullptr, nullptr, nullptr);
        windows_.insert(windows_.begin(), window);
        return window;
    }
    static RECT Rect(HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        return r;
    }
    static std::string Title(HWND w) {
        char text[256] = "";
        GetWindowTextA(w, text, sizeof text);
        return text;
    }
    RECT work_;
    std::vector<HWND> windows_;
};

TEST_F(DialogFrame, TitleAndBothIconsWithoutMoving) {
    HWND main = Make(nullptr, 30, 40, 250, 70);
    ApplyDialogFrame(main, "Main", false, 0);
    EXPECT_EQ("Tallowfin v1.7.6.0 - Main - MISTLEBROOKWORKS", Title(main));
    EXPECT_EQ(reinterpret_cast<LRESULT>(AppIcon), SendMessageA(main, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(AppIcon), SendMessageA(main, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(30, Rect(main).left);
    EXPECT_EQ(40, Rect(main).top);

    HWND ownerless = Make(nullptr, 50, 60, 200, 100);
    ApplyDialogFrame(ownerless, "Links", true, SW_SHOWNORMAL);
    EXPECT_EQ("Tallowfin v1.7.6.0 - Links - MISTLEBROOKWORKS", Title(ownerless));
    EXPECT_EQ(50, Rect(ownerless).left) << "no owner: not moved";
    EXPECT_FALSE(IsWindowVisible(ownerless));
}

TEST_F(DialogFrame, CentresOverTheOwnerAndShows) {
    HWND owner = Make(nullptr, 300, 200, 200, 100);
    HWND dialog = Make(owner, 0, 0, 99, 51);
    ApplyDialogFrame(dialog, "Options", true, SW_SHOWNORMAL);
    EXPECT_EQ(300 + 100 - 49, Rect(dialog).left);
    EXPECT_EQ(200 + 50 - 25, Rect(dialog).top);
    EXPECT_EQ(99, Rect(dialog).right - Rect(dialog).left);
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(DialogFrame, StaysInsideTheWorkArea) {
    HWND owner = Make(nullptr, work_.left + 10, work_.bottom - 60, 100, 40);
    HWND dialog = Make(owner, 0, 0, 400, 300);
    ApplyDialogFrame(dialog, "Donate", true, SW_SHOWNORMAL);
    EXPECT_EQ(work_.left, Rect(dialog).left) << "wider than its owner";
    EXPECT_EQ(work_.bottom, Rect(dialog).bottom) << "moved up to the bottom edge";
}

} // namespace
