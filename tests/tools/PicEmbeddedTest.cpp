#include "tools/datagen/Generators.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace vtx::datagen {
namespace {

int luminance(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

QImage decode(const std::vector<unsigned char>& bytes) {
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()))
        .convertToFormat(QImage::Format_ARGB32);
}

class Embedded : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_set = new EmbeddedSet();
        generateEmbedded(*s_set);
    }
    static void TearDownTestSuite() {
        delete s_set;
        s_set = nullptr;
    }
    static QImage image(const std::string& name) {
        const auto it = s_set->find(name);
        return it == s_set->end() ? QImage() : decode(it->second);
    }

    static EmbeddedSet* s_set;
};

EmbeddedSet* Embedded::s_set = nullptr;

// Every name the program looks up, with its size.
std::map<std::string, QSize> documentedNames() {
    std::map<std::string, QSize> names;
    for (int i = 0; i < 32; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "water/%02d", i);
        names[name] = {128, 128};
    }
    for (const char* mark : {"hint", "hit", "frame", "bad"})
        names[std::string("cell/") + mark] = {64, 64};
    for (const char* state : {"main", "over", "press"}) {
        names[std::string("button/71x24/") + state] = {71, 24};
        names[std::string("button/86x24/") + state] = {86, 24};
        names[std::string("button/low/") + state] = {25, 25};
        names[std::string("button/high/") + state] = {25, 25};
    }
    for (const char* state : {"main", "over", "press"})
        names[std::string("combo/") + state] = {20, 20};
    for (const char* check : {"checked", "unchecked", "grayed"})
        names[std::string("check/") + check] = {32, 16};
    names["volume/effects"] = {160, 25};
    names["volume/music"] = {160, 25};
    return names;
}

TEST_F(Embedded, HoldsExactlyTheDocumentedNamesInTheirFormatsAndSizes) {
    const auto names = documentedNames();
    ASSERT_EQ(s_set->size(), names.size());
    for (const auto& [name, size] : names) {
        const auto it = s_set->find(name);
        ASSERT_NE(it, s_set->end()) << name;
        const auto& bytes = it->second;
        ASSERT_GE(bytes.size(), 8u) << name;
        const bool jpeg = name.starts_with("water/") || name.starts_with("cell/");
        if (jpeg) {
            EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8) << name;
        } else {
            EXPECT_TRUE(bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G') << name;
        }
        EXPECT_EQ(decode(bytes).size(), size) << name;
    }
}

// Mean absolute difference of two columns (or rows) of a picture.
double lineStep(const QImage& a, const QImage& b, int ax, int bx, bool columns) {
    double sum = 0.0;
    const int n = columns ? a.height() : a.width();
    for (int i = 0; i < n; ++i) {
        const QRgb p = columns ? a.pixel(ax, i) : a.pixel(i, ax);
        const QRgb q = columns ? b.pixel(bx, i) : b.pixel(i, bx);
        sum += std::abs(luminance(p) - luminance(q));
    }
    return sum / n;
}

double frameStep(const QImage& a, const QImage& b) {
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(luminance(a.pixel(x, y)) - luminance(b.pixel(x, y)));
    return sum / (a.width() * a.height());
}

TEST_F(Embedded, WaterTilesAcrossItsEdgesAndLoopsInTime) {
    const QImage first = image("water/00");
    // Across the edge the picture changes no more than between neighbours inside.
    const double wrapX = lineStep(first, first, 127, 0, true);
    const double insideX = lineStep(first, first, 63, 64, true);
    const double wrapY = lineStep(first, first, 127, 0, false);
    const double insideY = lineStep(first, first, 63, 64, false);
    EXPECT_LT(wrapX, 2.0 * insideX + 4.0);
    EXPECT_LT(wrapY, 2.0 * insideY + 4.0);

    // The step from the last frame to the first is an ordinary step, and the
    // frames do move.
    double total = 0.0;
    for (int i = 0; i < 31; ++i) {
        char a[16], b[16];
        std::snprintf(a, sizeof a, "water/%02d", i);
        std::snprintf(b, sizeof b, "water/%02d", i + 1);
        total += frameStep(image(a), image(b));
    }
    const double mean = total / 31.0;
    EXPECT_GT(mean, 1.0);
    EXPECT_LT(frameStep(image("water/31"), first), 1.5 * mean + 1.0);
    // Blue-green water, not grey.
    const QRgb centre = first.pixel(40, 40);
    EXPECT_GT(qBlue(centre) + qGreen(centre), 2 * qRed(centre) + 40);
}

// Mean luminance of each 8 x 8 block: the picture as a cell of about 10
// screen pixels shows it (its 8 x 8 mip level).
std::array<std::array<double, 8>, 8> blocks(const QImage& mark) {
    std::array<std::array<double, 8>, 8> out{};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            out[std::size_t(y / 8)][std::size_t(x / 8)] += luminance(mark.pixel(x, y)) / 64.0;
    return out;
}

TEST_F(Embedded, BoardMarksAreBoldLightShapesOnBlackClearOfTheBorder) {
    double middle[3] = {};
    int k = 0;
    for (const char* name : {"cell/hint", "cell/hit", "cell/frame"}) {
        const QImage mark = image(name);
        int lit = 0;
        int borderMax = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                lit += luminance(mark.pixel(x, y)) > 48;
                // The square is drawn with hard edges and the texture wraps:
                // light at the border would show the edges' stair steps.
                if (std::min({x, y, 63 - x, 63 - y}) < 4)
                    borderMax = std::max(borderMax, luminance(mark.pixel(x, y)));
            }
        EXPECT_GT(lit, 400) << name;
        EXPECT_LT(lit, 64 * 64 / 2) << name << ": mostly black, drawn additively";
        EXPECT_LT(borderMax, 24) << name;
        const auto b = blocks(mark);
        // The outline survives the 8 x 8 level all around.
        for (int i = 1; i < 7; ++i)
            for (double edge :
                 {b[0][std::size_t(i)], b[7][std::size_t(i)], b[std::size_t(i)][0], b[std::size_t(i)][7]})
                EXPECT_GT(edge, 25.0) << name << " outline at block " << i;
        middle[k++] = (b[3][3] + b[3][4] + b[4][3] + b[4][4]) / 4.0;
    }
    // A shot cell is bright in its middle even at 8 x 8; an untouched one dark.
    EXPECT_GT(middle[0], 90.0) << "hint";
    EXPECT_GT(middle[1], 90.0) << "hit";
    EXPECT_LT(middle[2], 8.0) << "frame";
}

TEST_F(Embedded, ButtonFacesDifferByStateAndStayDarkUnderTheCaption) {
    for (const char* size : {"71x24", "86x24", "low", "high"}) {
        const std::string base = std::string("button/") + size + "/";
        const QImage normal = image(base + "main");
        const QImage over = image(base + "over");
        const QImage press = image(base + "press");
        EXPECT_NE(normal, over) << base;
        EXPECT_NE(normal, press) << base;
        EXPECT_EQ(qAlpha(normal.pixel(0, 0)), 0) << base << ": rounded corners show the panel";
        EXPECT_EQ(qAlpha(normal.pixel(normal.width() / 2, normal.height() / 2)), 255) << base;
    }
    // White and grey captions are written at about (20, 7)..(60, 20).
    for (const char* state : {"main", "over", "press"}) {
        const QImage face = image(std::string("button/71x24/") + state);
        double sum = 0.0;
        for (int y = 7; y < 20; ++y)
            for (int x = 20; x < 60; ++x)
                sum += luminance(face.pixel(x, y));
        EXPECT_LT(sum / (13 * 40), 110) << state;
    }
    EXPECT_NE(image("button/low/main"), image("button/high/main")) << "minus and plus";
}

TEST_F(Embedded, CheckGlyphsHaveAnEnabledAndADisabledCell) {
    const QImage checked = image("check/checked");
    const QImage unchecked = image("check/unchecked");
    const QImage grayed = image("check/grayed");
    EXPECT_NE(checked, unchecked);
    EXPECT_NE(checked, grayed);
    EXPECT_NE(grayed, unchecked);
    for (const QImage& glyph : {checked, unchecked, grayed}) {
        EXPECT_NE(glyph.copy(0, 0, 16, 16), glyph.copy(16, 0, 16, 16));
        EXPECT_EQ(qAlpha(glyph.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(glyph.pixel(16, 15)), 0);
        EXPECT_EQ(qAlpha(glyph.pixel(8, 8)), 255);
    }
    // The tick is bright in the enabled cell, muted in the disabled one.
    EXPECT_GT(luminance(checked.pixel(7, 10)), luminance(checked.pixel(23, 10)) + 40);
}

TEST_F(Embedded, VolumeFramesHoldADarkGrooveUnderTheBar) {
    for (const char* name : {"volume/effects", "volume/music"}) {
        const QImage frame = image(name);
        // The bar covers (10, 8)..(149, 16); its surround is the groove's edge.
        for (int x = 10; x < 150; ++x) {
            ASSERT_LT(luminance(frame.pixel(x, 12)), 30) << name;
            ASSERT_LT(luminance(frame.pixel(x, 7)), 60) << name;
        }
        EXPECT_EQ(qAlpha(frame.pixel(0, 0)), 255);
    }
    for (const char* name : {"combo/main", "combo/over", "combo/press"})
        EXPECT_GT(luminance(image(name).pixel(10, 10)), 150) << name << ": the arrow shows";
}

TEST(EmbeddedOutput, TwoRunsGiveIdenticalBytes) {
    EmbeddedSet first;
    EmbeddedSet second;
    generateEmbedded(first);
    generateEmbedded(second);
    EXPECT_TRUE(first == second);
}

} // namespace
} // namespace vtx::datagen
