#include "scene/engine/formats/HeightMap.h"
#include "tests/engine/formats/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace vtx {
namespace {

GreyImage picture(int width, int height, std::uint8_t (*value)(int x, int y)) {
    GreyImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(value(x, y));
    return image;
}

TEST(HeightMap, StretchesTwoHundredWideToTwoFiftySix) {
    HeightMap hds;
    EXPECT_EQ(hds.size(), 0);
    // Left half 40, right half 200: the edge moves from x 100 of 200 to x 128 of 256.
    hds.loadFromImage(picture(200, 200, [](int x, int) -> std::uint8_t { return x < 100 ? 40 : 200; }));
    ASSERT_EQ(hds.size(), 256);
    EXPECT_EQ(hds.height(10, 5), 40);
    EXPECT_EQ(hds.height(120, 250), 40);
    EXPECT_EQ(hds.height(136, 0), 200);
    EXPECT_EQ(hds.height(240, 128), 200);
    // Interior of a stretched gradient stays ordered.
    hds.loadFromImage(picture(200, 100, [](int x, int) -> std::uint8_t { return std::uint8_t(x); }));
    ASSERT_EQ(hds.size(), 256);
    for (int x = 2; x < 252; ++x)
        EXPECT_LE(hds.height(x, 7), hds.height(x + 1, 7)) << x;
    EXPECT_NEAR(hds.height(128, 50), 100, 1); // the picture's middle lands on the raster's middle
}

TEST(HeightMap, ReadsWrapInBothDirectionsIncludingNegative) {
    HeightMap hds;
    hds.loadFromImage(picture(4, 4, [](int x, int y) -> std::uint8_t { return std::uint8_t(10 * y + x); }));
    ASSERT_EQ(hds.size(), 4); // already a power of two: sampled 1:1
    EXPECT_EQ(hds.height(1, 2), 21);
    EXPECT_EQ(hds.height(5, 2), 21);
    EXPECT_EQ(hds.height(-3, -2), 21);
    EXPECT_EQ(hds.height(-1, -1), 33);
    EXPECT_EQ(hds.height(-2147483647 - 1, 2147483647), 30); // INT_MIN % 4 == 0, INT_MAX % 4 == 3
    const auto tile = hds.tile(-1, 3, 3);                   // starts at (3, 3), wraps to (0, 0) .. (1, 1)
    EXPECT_EQ(tile->heights, (std::vector<std::uint8_t>{33, 30, 31, 3, 0, 1, 13, 10, 11}));
}

TEST(HeightMap, TilePoolStaysWithinMaxPoolSizeAndEvictsLeastRecentlyUsed) {
    HeightMap hds;
    hds.setMaxPoolSize(3 * 16 * 16); // room for three tiles of 16 x 16
    EXPECT_EQ(hds.maxPoolSize(), 768u);
    hds.loadFromImage(picture(64, 64, [](int x, int y) -> std::uint8_t { return std::uint8_t(x ^ y); }));
    const auto a = hds.tile(0, 0, 16);
    const auto b = hds.tile(16, 0, 16);
    const auto c = hds.tile(32, 0, 16);
    EXPECT_EQ(hds.poolBytes(), 768u);
    EXPECT_EQ(hds.tile(64, 0, 16), a);  // same tile after wrapping: served from the cache
    const auto d = hds.tile(48, 0, 16); // evicts b, the least recently used
    EXPECT_LE(hds.poolBytes(), hds.maxPoolSize());
    EXPECT_EQ(hds.tile(0, 0, 16), a);
    EXPECT_EQ(hds.tile(32, 0, 16), c);
    EXPECT_NE(hds.tile(16, 0, 16), b);    // rebuilt
    EXPECT_EQ(b->heights[5], 16 ^ 0 ^ 5); // a caller's tile outlives its eviction
    for (int i = 0; i < 50; ++i) {
        hds.tile(i * 7, i * 3, 1 + i % 20);
        EXPECT_LE(hds.poolBytes(), hds.maxPoolSize());
    }
    const auto big = hds.tile(0, 0, 40); // larger than the whole pool: handed out, not kept
    EXPECT_EQ(big->heights.size(), 1600u);
    EXPECT_LE(hds.poolBytes(), hds.maxPoolSize());
    hds.setMaxPoolSize(256);
    EXPECT_LE(hds.poolBytes(), 256u);
    EXPECT_THROW(hds.tile(0, 0, 0), std::invalid_argument);
}

TEST(HeightMap, LoadFromFileReportsAndKeepsTheOldRaster) {
    HeightMap hds;
    hds.loadFromImage(picture(8, 8, [](int, int) -> std::uint8_t { return 77; }));
    const std::string missing = std::string(VTX_BINARY_DIR) + "/no-such-terrain.bmp";
    try {
        hds.loadFromFile(missing);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
    }
    const std::string broken = std::string(VTX_BINARY_DIR) + "/engine-formats-broken.bmp";
    std::ofstream(broken, std::ios::binary) << "BMnot really a bitmap";
    try {
        hds.loadFromFile(broken);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("BMP:", 0), 0u) << e.what();
    }
    EXPECT_EQ(hds.size(), 8);
    EXPECT_EQ(hds.height(3, 3), 77);

    const test::Bytes bmp =
        test::makeBmp(6, 6, 24, false, [](int, int) -> std::uint32_t { return 0x404040; });
    const std::string good = std::string(VTX_BINARY_DIR) + "/engine-formats-good.bmp";
    std::ofstream(good, std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
    hds.loadFromFile(good);
    EXPECT_EQ(hds.size(), 8);
    EXPECT_EQ(hds.height(7, 7), 0x40);

    // Named the way the game writes its file names, with a backslash before the file.
    const test::Bytes darker =
        test::makeBmp(6, 6, 24, false, [](int, int) -> std::uint32_t { return 0x202020; });
    std::ofstream(good, std::ios::binary)
        .write(reinterpret_cast<const char*>(darker.data()), std::streamsize(darker.size()));
    hds.loadFromFile(std::string(VTX_BINARY_DIR) + "\\engine-formats-good.bmp");
    EXPECT_EQ(hds.height(7, 7), 0x20);
    std::remove(broken.c_str());
    std::remove(good.c_str());
}

TEST(HeightMap, RefusesUnusablePictures) {
    HeightMap hds;
    GreyImage wrongSize;
    wrongSize.width = 4;
    wrongSize.height = 4;
    wrongSize.pixels.resize(15);
    EXPECT_THROW(hds.loadFromImage(wrongSize), std::invalid_argument);
    EXPECT_THROW(hds.loadFromImage(GreyImage{}), std::invalid_argument);
    EXPECT_EQ(hds.size(), 0);
    EXPECT_EQ(hds.height(3, -4), 0);
}

} // namespace
} // namespace vtx
