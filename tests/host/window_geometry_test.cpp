// Centring, work-area clamps and the stored window position, under the sanitizers.
#include <gtest/gtest.h>

#include "base/window_geometry.h"

namespace {

const ScreenRect Work = {0, 0, 1024, 768};

TEST(WindowGeometry, CentringHalvesEachTermBeforeSubtracting) {
    ScreenRect owner = {300, 200, 500, 300}; // 200 x 100
    int32_t x, y;
    CentreOverOwner(owner, owner, 99, 51, Work, &x, &y);
    EXPECT_EQ(300 + 51, x); // 100 - 49, not (200 - 99) / 2 = 50
    EXPECT_EQ(200 + 25, y); // 50 - 25
}

TEST(WindowGeometry, CentringUsesTheOwnersNormalCornerAndWindowSize) {
    ScreenRect normal = {100, 100, 140, 140}; // stale normal size must not matter
    ScreenRect window = {600, 400, 800, 500};
    int32_t x, y;
    CentreOverOwner(normal, window, 100, 50, Work, &x, &y);
    EXPECT_EQ(100 + 100 - 50, x);
    EXPECT_EQ(100 + 50 - 25, y);
}

TEST(WindowGeometry, CentredDialogStaysInsideTheWorkArea) {
    struct Case {
        ScreenRect owner;
        int32_t w, h, x, y;
        const char* what;
    } cases[] = {
        {{10, 300, 110, 340}, 400, 100, 0, 270, "wider than owner, left of work area"},
        {{900, 300, 1000, 340}, 400, 100, 624, 270, "past the right edge"},
        {{300, 700, 500, 760}, 200, 300, 300, 468, "bottom overflow moves up"},
        {{300, -50, 500, 10}, 200, 300, 300, 0, "above the top edge"},
        {{0, 0, 100, 100}, 2000, 1000, 0, 0, "larger than the work area"},
    };
    for (const Case& c : cases) {
        int32_t x, y;
        CentreOverOwner(c.owner, c.owner, c.w, c.h, Work, &x, &y);
        EXPECT_EQ(c.x, x) << c.what;
        EXPECT_EQ(c.y, y) << c.what;
    }
}

TEST(WindowGeometry, StoredPositionRoundTripsIncludingNegativeEdges) {
    struct Case {
        int32_t left, top;
        uint32_t stored;
    } cases[] = {
        {100, 50, (100u << 16) | 50u}, {0, 0, 0u},
        {32767, 32767, 0x7FFF7FFFu},   {-20, 50, 0xFFEC0032u},
        {100, -10, 0x0064FFF6u},       {-1, -1, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.stored, EncodeWindowPosition(c.left, c.top)) << c.left << "," << c.top;
        int32_t left, top;
        DecodeWindowPosition(c.stored, &left, &top);
        EXPECT_EQ(c.left, left);
        EXPECT_EQ(c.top, top);
    }
}

TEST(WindowGeometry, RestoreClampsEachAxisOnce) {
    struct Case {
        int32_t left, top, w, h;
        ScreenRect expected;
        const char* what;
    } cases[] = {
        {100, 50, 300, 80, {100, 50, 400, 130}, "inside stays"},
        {-20, 50, 300, 80, {0, 50, 300, 130}, "partly off the left edge"},
        {100, -10, 300, 80, {100, 0, 400, 80}, "partly off the top edge"},
        {900, 700, 300, 80, {724, 688, 1024, 768}, "past right and bottom"},
        {-5, 10, 2000, 80, {0, 10, 2000, 90}, "wider than work area, starts before it"},
        {5, 10, 2000, 80, {-976, 10, 1024, 90}, "wider than work area, starts inside it"},
    };
    for (const Case& c : cases) {
        ScreenRect r = RestoredRect(EncodeWindowPosition(c.left, c.top), c.w, c.h, Work);
        EXPECT_EQ(c.expected.left, r.left) << c.what;
        EXPECT_EQ(c.expected.top, r.top) << c.what;
        EXPECT_EQ(c.expected.right, r.right) << c.what;
        EXPECT_EQ(c.expected.bottom, r.bottom) << c.what;
    }
}

} // namespace
