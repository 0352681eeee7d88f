#include "scene/HudGlyphs.h"
#include "tools/datagen/Generators.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>

namespace vtx::datagen {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint32_t le32(const QByteArray& b, int at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

int le16(const QByteArray& b, int at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

int luminance(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

int colourDistance(QRgb a, QRgb b) {
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Files below root as relative paths.
std::set<QString> listFiles(const QString& root) {
    std::set<QString> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(QDir(root).relativeFilePath(it.next()));
    return files;
}

// The picture files are generated once for the whole suite.
class Pictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir();
        generatePictures(s_dir->path());
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    static QString path(const QString& name) { return s_dir->path() + "/" + name; }
    static QImage load(const QString& name) { return QImage(path(name)); }

    static QTemporaryDir* s_dir;
};

QTemporaryDir* Pictures::s_dir = nullptr;

TEST_F(Pictures, WritesEveryFileAndEachDecodesAtItsSize) {
    const std::map<QString, QSize> expected{
        {"DATA/font.bmp", {495, 278}},      {"DATA/logo.jpg", {397, 303}},
        {"DATA/terrain.bmp", {200, 200}},   {"DATA/snow512.jpg", {512, 512}},
        {"DATA/detailmap.jpg", {256, 256}}, {"DATA/flare0.jpg", {256, 256}},
        {"DATA/grass.jpg", {256, 256}},     {"DATA/ship.jpg", {256, 256}},
        {"DATA/ship2.jpg", {256, 256}},     {"DATA/shipkill.jpg", {256, 256}},
        {"data/panel1.jpg", {742, 603}},    {"data/panel2.jpg", {306, 184}},
        {"data/panel3.jpg", {306, 325}},    {"data/panel4.jpg", {306, 325}},
    };
    std::set<QString> names;
    for (const auto& [name, size] : expected) {
        names.insert(name);
        const QImage image = load(name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), size) << name.toStdString();
        if (name.endsWith(".jpg")) {
            EXPECT_TRUE(readAll(path(name)).startsWith("\xFF\xD8")) << name.toStdString();
        }
    }
    EXPECT_EQ(listFiles(s_dir->path()), names);
}

TEST_F(Pictures, FontHoldsEveryGlyphOfItsRunsInWholeCells) {
    const QByteArray bytes = readAll(path("DATA/font.bmp"));
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(le16(bytes, 28), 24); // bits per pixel

    const QImage font = load("DATA/font.bmp").convertToFormat(QImage::Format_RGB32);
    const int perRow = (font.width() + 1) / 31;
    const int rows = (font.height() + 1) / 31;
    ASSERT_GE(perRow * rows, hud::glyphCount());
    for (int glyph = 0; glyph < hud::glyphCount(); ++glyph) {
        const int x0 = (glyph % perRow) * 31;
        const int y0 = (glyph / perRow) * 31;
        ASSERT_LE(x0 + 30, font.width());
        ASSERT_LE(y0 + 30, font.height());
        int lit = 0;
        for (int y = y0; y < y0 + 30; ++y)
            for (int x = x0; x < x0 + 30; ++x)
                lit += luminance(font.pixel(x, y)) > 128;
        if (glyph == 0) {
            EXPECT_EQ(lit, 0) << "the blank is blank";
        } else {
            EXPECT_GT(lit, 8) << "glyph " << glyph;
        }
    }
    // The one-pixel gaps stay black so no glyph bleeds into its neighbour.
    for (int y = 0; y < font.height(); ++y)
        for (int x = 30; x < font.width(); x += 31)
            ASSERT_LT(luminance(font.pixel(x, y)), 24) << x << "," << y;
    for (int x = 0; x < font.width(); ++x)
        for (int y = 30; y < font.height(); y += 31)
            ASSERT_LT(luminance(font.pixel(x, y)), 24) << x << "," << y;
}

TEST_F(Pictures, LogoIsOneBrightCellOnBlack) {
    const QImage logo = load("DATA/logo.jpg");
    EXPECT_EQ(logo.width() / 397, 1);
    EXPECT_EQ(logo.height() / 303, 1);
    for (const QPoint corner : {QPoint(0, 0), QPoint(396, 0), QPoint(0, 302), QPoint(396, 302)})
        EXPECT_LT(luminance(logo.pixel(corner)), 16);
    int bright = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            bright += luminance(logo.pixel(x, y)) > 180;
    EXPECT_GT(bright, 2000);
}

TEST_F(Pictures, TerrainIsAnEightBitGreyRingAroundOpenWater) {
    const QByteArray bytes = readAll(path("DATA/terrain.bmp"));
    ASSERT_GE(bytes.size(), 54 + 1024);
    EXPECT_EQ(le16(bytes, 28), 8);
    EXPECT_EQ(le32(bytes, 30), 0u); // uncompressed
    for (int i = 0; i < 256; ++i) {
        const int at = 54 + 4 * i;
        ASSERT_EQ(static_cast<unsigned char>(bytes[at]), i);
        ASSERT_EQ(static_cast<unsigned char>(bytes[at + 1]), i);
        ASSERT_EQ(static_cast<unsigned char>(bytes[at + 2]), i);
    }

    const QImage terrain = load("DATA/terrain.bmp").convertToFormat(QImage::Format_Grayscale8);
    const int n = terrain.width();
    ASSERT_EQ(terrain.height(), n);
    EXPECT_NE(n & (n - 1), 0) << "width must not be a power of two";
    auto h = [&](int x, int y) { return int(terrain.constScanLine(((y % n) + n) % n)[((x % n) + n) % n]); };

    // Stretched to 256 samples, 40 samples of open water are 40 * n / 256 pixels.
    const double water = 40.0 * n / 256.0 + 1.0;
    int ringMax = 0;
    int ringLow = 255;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double d = std::hypot(x + 0.5 - n / 2.0, y + 0.5 - n / 2.0);
            if (d <= water) {
                ASSERT_LT(h(x, y), 110) << x << "," << y;
            }
            if (d >= 0.42 * n && d <= 0.5 * n) {
                ringMax = std::max(ringMax, h(x, y));
                ringLow = std::min(ringLow, h(x, y));
            }
        }
    }
    EXPECT_GE(ringMax, 200);
    EXPECT_LE(ringMax, 250);
    EXPECT_GT(ringLow, 128) << "the ring stands above the sea all round";

    // Seamless: the step across the wrap is no larger than steps inside.
    int wrapStep = 0;
    int insideStep = 0;
    for (int i = 0; i < n; ++i) {
        wrapStep = std::max({wrapStep, std::abs(h(0, i) - h(n - 1, i)), std::abs(h(i, 0) - h(i, n - 1))});
        insideStep = std::max({insideStep, std::abs(h(1, i) - h(0, i)), std::abs(h(i, 1) - h(i, 0))});
    }
    EXPECT_LE(wrapStep, insideStep + 4);
}

TEST_F(Pictures, ControlAreasOfTheSkinsAreFlatAroundTheirProbes) {
    // Check boxes and score rows paint themselves in the colour of (42, 42):
    // the area they cover must not show a seam against it.
    for (const char* name : {"data/panel3.jpg", "data/panel4.jpg"}) {
        const QImage panel = load(name);
        const QRgb probe = panel.pixel(42, 42);
        EXPECT_LT(luminance(probe), 90) << name << ": white captions need a dark field";
        for (int y = 44; y < 260; y += 3)
            for (int x = 40; x < 266; x += 3)
                ASSERT_LE(colourDistance(panel.pixel(x, y), probe), 6) << name << " at " << x << "," << y;
    }
    // The lobby list (16, 40, 274 x 81) takes the colour of (12, 40); the
    // message text is black on the same plate.
    const QImage message = load("data/panel2.jpg");
    const QRgb probe = message.pixel(12, 40);
    EXPECT_GT(luminance(probe), 170);
    for (int y = 40; y < 121; y += 2)
        for (int x = 14; x < 290; x += 2)
            ASSERT_LE(colourDistance(message.pixel(x, y), probe), 6) << "at " << x << "," << y;
}

TEST_F(Pictures, MainPanelKeepsTheViewerAreaDark) {
    const QImage panel = load("data/panel1.jpg");
    for (int y = 44; y < 587; y += 7)
        for (int x = 15; x < 627; x += 7)
            ASSERT_LT(luminance(panel.pixel(x, y)), 20) << x << "," << y;
}

// Mean colour of a rectangle.
QColor meanColour(const QImage& image, const QRect& rect) {
    double r = 0, g = 0, b = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
        }
    const double n = double(rect.width()) * rect.height();
    return QColor(int(r / n), int(g / n), int(b / n));
}

TEST_F(Pictures, TexturesFollowTheModelAtlasLayout) {
    // The island's beach ring maps to rows 192..255 of the grass: sand there.
    const QImage grass = load("DATA/grass.jpg");
    for (int y = 192; y < 256; y += 4)
        for (int x = 0; x < 256; x += 4) {
            const QRgb c = grass.pixel(x, y);
            ASSERT_GT(qRed(c) * 100, qGreen(c) * 80) << x << "," << y;
        }
    const QColor lawn = meanColour(grass, QRect(0, 0, 256, 128));
    EXPECT_GT(lawn.green(), lawn.red());

    // Trees: bark on the left half, foliage on the right.
    const QImage tree = load("DATA/ship.jpg");
    const QColor bark = meanColour(tree, QRect(0, 0, 128, 256));
    const QColor leaves = meanColour(tree, QRect(128, 0, 128, 256));
    EXPECT_GT(bark.red(), bark.blue() + 20);
    EXPECT_GT(leaves.green(), leaves.red() + 20);

    // Ships: grey steel above the waterline, red-brown in the bottom 24 hull rows.
    const QImage ship = load("DATA/ship2.jpg");
    const QColor side = meanColour(ship, QRect(0, 0, 256, 100));
    const QColor bottom = meanColour(ship, QRect(0, 104, 256, 24));
    EXPECT_LT(std::abs(side.red() - side.blue()), 30);
    EXPECT_GT(bottom.red(), bottom.green() + 40);
    // The sunk ship's skin is the same layout, much darker.
    const QImage burnt = load("DATA/shipkill.jpg");
    EXPECT_LT(meanColour(burnt, burnt.rect()).lightness(), meanColour(ship, ship.rect()).lightness() - 50);
}

TEST(PicturesOutput, TwoRunsWriteIdenticalBytes) {
    QTemporaryDir first;
    QTemporaryDir second;
    generatePictures(first.path());
    generatePictures(second.path());
    const std::set<QString> files = listFiles(first.path());
    ASSERT_EQ(files, listFiles(second.path()));
    for (const QString& file : files)
        EXPECT_EQ(readAll(first.path() + "/" + file), readAll(second.path() + "/" + file))
            << file.toStdString();
}

} // namespace
} // namespace vtx::datagen
