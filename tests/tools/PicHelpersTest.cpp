#include "tools/datagen/PicCommon.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace vtx::datagen::pic {
namespace {

TEST(PicNoise, RepeatsWithPeriodOneAndStaysInRange) {
    for (int i = 0; i < 50; ++i) {
        const double u = i * 0.0371;
        const double v = i * 0.0913;
        const double n = tileNoise(u, v, 7, 5u);
        EXPECT_GE(n, 0.0);
        EXPECT_LT(n, 1.0);
        EXPECT_NEAR(n, tileNoise(u + 1.0, v, 7, 5u), 1e-9);
        EXPECT_NEAR(n, tileNoise(u, v - 1.0, 7, 5u), 1e-9);
        EXPECT_NEAR(tileFbm(u, v, 3, 4, 9u), tileFbm(u + 1.0, v + 1.0, 3, 4, 9u), 1e-9);
        const double r = tileRidged(u, v, 4, 3, 2u);
        EXPECT_GE(r, 0.0);
        EXPECT_LE(r, 1.0);
    }
    // Continuous: neighbouring samples differ little.
    EXPECT_NEAR(tileNoise(0.5, 0.5, 8, 1u), tileNoise(0.5001, 0.5, 8, 1u), 0.01);
    // Different seeds give different fields.
    EXPECT_NE(tileNoise(0.3, 0.7, 8, 1u), tileNoise(0.3, 0.7, 8, 2u));
}

TEST(PicRng, SameSeedSameSequenceAndValuesInRange) {
    Rng a(42);
    Rng b(42);
    Rng c(43);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.uniform();
        EXPECT_EQ(x, b.uniform());
        differs = differs || x != c.uniform();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        const int k = a.below(7);
        b.below(7);
        ASSERT_GE(k, 0);
        ASSERT_LT(k, 7);
    }
    EXPECT_TRUE(differs);
}

// Odd widths exercise the row padding of the BMP writers.
TEST(PicBmp, BothWritersRoundTripThroughTheDecoder) {
    QImage colour(7, 3, QImage::Format_RGB32);
    QImage grey(5, 4, QImage::Format_Grayscale8);
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            colour.setPixel(x, y, qRgb(x * 30, y * 80, 200 - x * 10));
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            grey.scanLine(y)[x] = static_cast<uchar>(x * 50 + y);

    const auto colourBytes = encodeBmp24(colour);
    EXPECT_EQ(colourBytes.size(), 54u + 3u * 24u); // rows of 21 bytes padded to 24
    const QImage colourBack = QImage::fromData(colourBytes.data(), int(colourBytes.size()));
    ASSERT_EQ(colourBack.size(), colour.size());
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            EXPECT_EQ(colourBack.pixel(x, y), colour.pixel(x, y));

    const auto greyBytes = encodeBmpGrey8(grey);
    EXPECT_EQ(greyBytes.size(), 54u + 1024u + 4u * 8u);
    const QImage greyBack =
        QImage::fromData(greyBytes.data(), int(greyBytes.size())).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(greyBack.size(), grey.size());
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            EXPECT_EQ(greyBack.constScanLine(y)[x], grey.constScanLine(y)[x]);
}

} // namespace
} // namespace vtx::datagen::pic
