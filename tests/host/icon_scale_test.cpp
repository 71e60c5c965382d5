// Menu pictures resized for another screen scale, under the sanitizers.
#include <gtest/gtest.h>

#include <vector>

#include "menu/icon_scale.h"

namespace {

const uint32_t Clear = 0, Red = 0xFFFF0000, HalfRed = 0x80800000; // premultiplied

std::vector<uint32_t> Scale(const std::vector<uint32_t>& source, int width, int height, int side) {
    std::vector<uint32_t> target(size_t(side) * side, 0xDEADBEEF);
    ScalePicture(source.data(), width, height, target.data(), side, side);
    return target;
}

// 16 to 24 (150 %) and 16 to 40 (250 %): an opaque picture stays opaque, a clear one clear,
// and no target pixel is left unwritten.
TEST(IconScale, FlatPicturesKeepTheirColourAtEveryScale) {
    for (int side : {12, 20, 24, 32, 40}) {
        EXPECT_EQ(std::vector<uint32_t>(size_t(side) * side, Red),
                  Scale(std::vector<uint32_t>(256, Red), 16, 16, side))
            << side;
        EXPECT_EQ(std::vector<uint32_t>(size_t(side) * side, Clear),
                  Scale(std::vector<uint32_t>(256, Clear), 16, 16, side))
            << side;
    }
}

// Halving averages each 2 x 2 block with its transparency; doubling repeats each pixel.
TEST(IconScale, EdgesAverageWithTheirTransparency) {
    EXPECT_EQ(std::vector<uint32_t>({HalfRed}), Scale({Red, Clear, Red, Clear}, 2, 2, 1));
    EXPECT_EQ(std::vector<uint32_t>({Red, Red, Clear, Clear, Red, Red, Clear, Clear, Clear, Clear,
                                     Red, Red, Clear, Clear, Red, Red}),
              Scale({Red, Clear, Clear, Red}, 2, 2, 4));
}

} // namespace
