#include "scene/engine/formats/BmpImage.h"
#include "tests/engine/formats/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace vtx {
namespace {

using test::Bytes;

bool decode(const Bytes& bytes, GreyImage& image, std::string& error) {
    return decodeBmpGrey(std::span<const unsigned char>(bytes.data(), bytes.size()), image, error);
}

TEST(BmpImage, LuminanceWeights) {
    EXPECT_EQ(luminance(0, 0, 0), 0);
    EXPECT_EQ(luminance(255, 255, 255), 255);
    EXPECT_EQ(luminance(255, 0, 0), 76);  // 0.299 * 255 = 76.2
    EXPECT_EQ(luminance(0, 255, 0), 150); // 0.587 * 255 = 149.7
    EXPECT_EQ(luminance(0, 0, 255), 29);  // 0.114 * 255 = 29.1
}

TEST(BmpImage, EightBitPaletteBottomUpWithPadding) {
    // 5 pixels wide: rows of 5 bytes padded to 8. Palette: 0 black, 1 white, 2 pure red (BGR0 0x00ff0000).
    const std::vector<std::uint32_t> palette = {0x00000000u, 0x00ffffffu, 0x00ff0000u};
    const Bytes bytes = test::makeBmp(
        5, 3, 8, false, [](int x, int y) -> std::uint32_t { return (x + y) % 3; }, palette);
    GreyImage image;
    std::string error;
    ASSERT_TRUE(decode(bytes, image, error)) << error;
    ASSERT_EQ(image.width, 5);
    ASSERT_EQ(image.height, 3);
    const std::uint8_t grey[3] = {0, 255, 76};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.pixels[std::size_t(y * 5 + x)], grey[(x + y) % 3]) << x << "," << y;
}

TEST(BmpImage, IndexBeyondThePaletteReadsBlack) {
    const Bytes bytes = test::makeBmp(
        2, 1, 8, false, [](int x, int) -> std::uint32_t { return x == 0 ? 0 : 200; }, {0x00ffffffu});
    GreyImage image;
    std::string error;
    ASSERT_TRUE(decode(bytes, image, error)) << error;
    EXPECT_EQ(image.pixels, (std::vector<std::uint8_t>{255, 0}));
}

TEST(BmpImage, TwentyFourAndThirtyTwoBitsTopDownAndBottomUp) {
    // Row y holds grey level 10 * y + x in all three channels, except pixel (0, 0) which is pure blue.
    const auto pixel = [](int x, int y) -> std::uint32_t {
        if (x == 0 && y == 0) return 0x0000ffu;
        const std::uint32_t g = std::uint32_t(10 * y + x);
        return (g << 16) | (g << 8) | g;
    };
    for (const int bits : {24, 32})
        for (const bool topDown : {false, true}) {
            const Bytes bytes = test::makeBmp(3, 4, bits, topDown, pixel);
            GreyImage image;
            std::string error;
            ASSERT_TRUE(decode(bytes, image, error)) << error;
            ASSERT_EQ(image.width, 3);
            ASSERT_EQ(image.height, 4);
            EXPECT_EQ(image.pixels[0], 29) << bits << " bits, top-down " << topDown;
            for (int y = 0; y < 4; ++y)
                for (int x = (y == 0 ? 1 : 0); x < 3; ++x)
                    EXPECT_EQ(image.pixels[std::size_t(y * 3 + x)], 10 * y + x)
                        << bits << " bits, top-down " << topDown << " at " << x << "," << y;
        }
}

TEST(BmpImage, MalformedFilesAreRefused) {
    const auto grey = [](int x, int y) -> std::uint32_t { return std::uint32_t(x * 16 + y) * 0x010101u; };
    const Bytes good24 = test::makeBmp(7, 5, 24, false, grey);
    const Bytes good8 = test::makeBmp(
        7, 5, 8, false, [](int x, int) -> std::uint32_t { return x; },
        std::vector<std::uint32_t>(8, 0x00808080u));
    struct Case {
        const char* what;
        const Bytes* base;
        std::function<void(Bytes&)> spoil;
    };
    const auto at = [](std::size_t offset, std::uint32_t v) {
        return [=](Bytes& b) { test::patchU32(b, offset, v); };
    };
    const std::vector<Case> cases = {
        {"magic", &good24, [](Bytes& b) { b[1] = 'A'; }},
        {"OS/2 core header", &good24, at(14, 12)},
        {"info header past the end", &good24, at(14, 0x7fffffffu)},
        {"zero width", &good24, at(18, 0)},
        {"negative width", &good24, at(18, 0xfffffff9u)},
        {"zero height", &good24, at(22, 0)},
        {"absurd width", &good24, at(18, 100000)},
        {"absurd height", &good24, at(22, 100000)},
        {"most negative height", &good24, at(22, 0x80000000u)},
        {"width within the limit but more than the data", &good24, at(18, 8192)},
        {"two planes", &good24, [](Bytes& b) { b[26] = 2; }},
        {"16 bits per pixel", &good24, [](Bytes& b) { b[28] = 16; }},
        {"4 bits per pixel", &good8, [](Bytes& b) { b[28] = 4; }},
        {"run-length compression", &good8, at(30, 1)},
        {"bit fields on 24 bits", &good24, at(30, 3)},
        {"pixel data offset past the end", &good24, at(10, 0xfffffff0u)},
        {"palette of 300 colours", &good8, at(46, 300)},
        {"palette past the end", &good8, at(46, 256)},
        {"one byte short", &good24,
         [](Bytes& b) {
             b.pop_back();
             b.pop_back();
             b.pop_back();
             b.pop_back();
         }},
        {"empty file", &good24, [](Bytes& b) { b.clear(); }},
    };
    for (const Case& c : cases) {
        Bytes bad = *c.base;
        c.spoil(bad);
        GreyImage image;
        image.width = 99;
        std::string error;
        EXPECT_FALSE(decode(bad, image, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_EQ(image.width, 99) << c.what;
    }
    // Every truncation of both, as exact-size copies for the sanitizers.
    for (const Bytes* full : {&good24, &good8})
        for (std::size_t length = 0; length + 3 < full->size(); ++length) {
            // The last row's padding (3 bytes of 24 at width 7: 21 bytes -> 24) may be missing.
            const Bytes cut(full->begin(), full->begin() + static_cast<std::ptrdiff_t>(length));
            GreyImage image;
            std::string error;
            EXPECT_FALSE(decode(cut, image, error)) << "length " << length;
        }
}

} // namespace
} // namespace vtx
