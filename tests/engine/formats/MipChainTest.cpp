#include "scene/engine/formats/MipChain.h"

#include <gtest/gtest.h>

namespace vtx {
namespace {

TEST(MipChainTest, HalvesLikeOpenGlAndKeepsEveryTexel) {
    // 5 x 2 with a padded stride: levels 2 x 1 and 1 x 1, as OpenGL sizes a 5 x 2 texture.
    const int width = 5, height = 2, stride = 24;
    std::vector<std::uint8_t> picture(std::size_t(stride * height), 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < 4; ++k)
                picture[std::size_t(y * stride + x * 4 + k)] =
                    std::uint8_t(k == 3 ? 255 : (x + 1) * 10 * (y + 1));
    const auto levels = buildMipChain(picture.data(), width, height, stride);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].width, 2);
    EXPECT_EQ(levels[0].height, 1);
    EXPECT_EQ(levels[1].width, 1);
    EXPECT_EQ(levels[1].height, 1);
    // Columns 0-1 of both rows: (10 + 20 + 20 + 40) / 4; the odd last column folds into 2-4:
    // (30 + 40 + 50 + 60 + 80 + 100) / 6 = 60. The padding never leaks in; alpha stays opaque.
    EXPECT_EQ(levels[0].rgba[0], 23);
    EXPECT_EQ(levels[0].rgba[4], 60);
    EXPECT_EQ(levels[0].rgba[3], 255);
    EXPECT_EQ(levels[1].rgba[0], 42);
    EXPECT_EQ(levels[1].rgba[7 - 4], 255);

    const std::uint8_t one[4] = {1, 2, 3, 4};
    EXPECT_TRUE(buildMipChain(one, 1, 1, 4).empty());
    EXPECT_TRUE(buildMipChain(picture.data(), width, height, 8).empty()); // stride shorter than a row
    const std::vector<std::uint8_t> tall(4 * 1 * 4, 200);
    const auto column = buildMipChain(tall.data(), 1, 4, 4);
    ASSERT_EQ(column.size(), 2u);
    EXPECT_EQ(column[0].width, 1);
    EXPECT_EQ(column[0].height, 2);
    EXPECT_EQ(column[1].rgba[0], 200);
}

} // namespace
} // namespace vtx
