#include "tools/datagen/PicCommon.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vtx::datagen::pic {

double latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                      static_cast<std::uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<double>(h) / 4294967296.0;
}

namespace {

int wrap(int i, int n) {
    const int r = i % n;
    return r < 0 ? r + n : r;
}

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

} // namespace

double tileNoise(double u, double v, int cells, std::uint32_t seed) {
    const double x = u * cells;
    const double y = v * cells;
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int x0 = wrap(static_cast<int>(fx), cells);
    const int y0 = wrap(static_cast<int>(fy), cells);
    const int x1 = wrap(x0 + 1, cells);
    const int y1 = wrap(y0 + 1, cells);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double a = latticeValue(x0, y0, seed);
    const double b = latticeValue(x1, y0, seed);
    const double c = latticeValue(x0, y1, seed);
    const double d = latticeValue(x1, y1, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double tileFbm(double u, double v, int cells, int octaves, std::uint32_t seed, double gain) {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int k = 0; k < octaves; ++k) {
        sum += weight * tileNoise(u, v, cells << k, seed + 977u * static_cast<std::uint32_t>(k));
        total += weight;
        weight *= gain;
    }
    return sum / total;
}

double tileRidged(double u, double v, int cells, int octaves, std::uint32_t seed) {
    return 1.0 - std::abs(2.0 * tileFbm(u, v, cells, octaves, seed) - 1.0);
}

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = clamp01(t);
    auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QColor shade(const QColor& c, double f) {
    auto s = [f](int x) { return std::clamp(static_cast<int>(std::lround(x * f)), 0, 255); };
    return QColor(s(c.red()), s(c.green()), s(c.blue()), c.alpha());
}

namespace {

QRawFont rawFont(Face face, double pixelSize) {
    static const QRawFont sans(QString("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"), 32,
                               QFont::PreferNoHinting);
    static const QRawFont serif(QString("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"), 32,
                                QFont::PreferNoHinting);
    QRawFont font = face == Face::SansBold ? sans : serif;
    if (!font.isValid()) throw std::runtime_error("cannot load the DejaVu fonts");
    font.setPixelSize(pixelSize);
    return font;
}

// Left edge of a run of the given advance width placed in rect by flags.
double alignedLeft(const QRectF& rect, int flags, double width) {
    if (flags & Qt::AlignHCenter) return rect.center().x() - width / 2.0;
    if (flags & Qt::AlignRight) return rect.right() - width;
    return rect.left();
}

} // namespace

QPainterPath textPath(const QString& text, Face face, double pixelSize) {
    const QRawFont font = rawFont(face, pixelSize);
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    QPainterPath path;
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        path.addPath(font.pathForGlyph(glyphs[i]).translated(pen));
        if (i < advances.size()) pen += advances[i];
    }
    path.setFillRule(Qt::WindingFill);
    return path;
}

namespace {

double advanceWidth(const QString& text, Face face, double pixelSize) {
    const QRawFont font = rawFont(face, pixelSize);
    double width = 0.0;
    for (const QPointF& a :
         font.advancesForGlyphIndexes(font.glyphIndexesForString(text), QRawFont::KernedAdvances))
        width += a.x();
    return width;
}

} // namespace

void drawText(QPainter& p, const QRectF& rect, int flags, const QString& text, Face face, double pixelSize,
              const QColor& colour) {
    const QRawFont font = rawFont(face, pixelSize);
    const double left = alignedLeft(rect, flags, advanceWidth(text, face, pixelSize));
    double baseline = rect.top() + font.ascent();
    if (flags & Qt::AlignVCenter)
        baseline = rect.center().y() + font.capHeight() / 2.0;
    else if (flags & Qt::AlignBottom)
        baseline = rect.bottom() - font.descent();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(textPath(text, face, pixelSize).translated(left, baseline));
    p.restore();
}

void fillSteel(QImage& image, const QRect& rect, const QColor& base, std::uint32_t seed) {
    const QRect r = rect.intersected(image.rect());
    const double w = image.width();
    const double h = image.height();
    const int grainCells = std::max(8, image.height() / 2);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double vy = (y - r.top()) / std::max(1.0, double(r.height() - 1));
        const double gradient = 1.12 - 0.24 * vy;
        for (int x = r.left(); x <= r.right(); ++x) {
            // Grain: noise stretched along x, so it reads as brushed metal.
            const double grain = tileFbm(x / w * 0.125, y / h, grainCells, 2, seed) - 0.5;
            const double blotch = tileFbm(x / w, y / h, 6, 3, seed + 31u) - 0.5;
            const double f = gradient * (1.0 + 0.16 * grain + 0.22 * blotch);
            line[x] = shade(base, f).rgb();
        }
    }
}

void drawBevel(QPainter& p, const QRect& rect, int width, bool sunken, double strength) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < width; ++i) {
        const int a = static_cast<int>(std::lround((110 - 70 * i / std::max(1, width)) * strength));
        const QColor light(255, 255, 255, std::clamp(a, 0, 255));
        const QColor dark(0, 0, 0, std::clamp(static_cast<int>(a * 1.6), 0, 255));
        const QRect r = rect.adjusted(i, i, -i, -i);
        const QColor& topLeft = sunken ? dark : light;
        const QColor& bottomRight = sunken ? light : dark;
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft() + QPoint(1, 0), r.bottomRight());
        p.drawLine(r.topRight() + QPoint(0, 1), r.bottomRight());
    }
    p.restore();
}

void drawRivet(QPainter& p, double x, double y, double r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    // Shadow below and right, then the dome lit from the top left.
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawEllipse(QPointF(x + r * 0.35, y + r * 0.4), r * 1.05, r * 1.05);
    QRadialGradient dome(QPointF(x - r * 0.35, y - r * 0.4), r * 1.6);
    dome.setColorAt(0.0, colours::brassLight);
    dome.setColorAt(0.45, colours::brass);
    dome.setColorAt(1.0, colours::brassDark);
    p.setBrush(dome);
    p.drawEllipse(QPointF(x, y), r, r);
    p.restore();
}

void drawRivetRow(QPainter& p, const QRect& rect, int inset, int step, double r) {
    const QRect in = rect.adjusted(inset, inset, -inset, -inset);
    const int nx = std::max(1, in.width() / step);
    const int ny = std::max(1, in.height() / step);
    for (int i = 0; i <= nx; ++i) {
        const double x = in.left() + (in.width() - 1) * double(i) / nx;
        drawRivet(p, x, in.top(), r);
        drawRivet(p, x, in.bottom(), r);
    }
    for (int j = 1; j < ny; ++j) {
        const double y = in.top() + (in.height() - 1) * double(j) / ny;
        drawRivet(p, in.left(), y, r);
        drawRivet(p, in.right(), y, r);
    }
}

void drawBrassTrim(QPainter& p, const QRect& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(shade(colours::brassDark, 0.8));
    p.drawRect(rect.adjusted(1, 1, -1, -1));
    p.setPen(colours::brass);
    p.drawRect(rect);
    p.setPen(QColor(colours::brassLight.red(), colours::brassLight.green(), colours::brassLight.blue(), 150));
    p.drawLine(rect.topLeft(), rect.topRight());
    p.restore();
}

void drawShadowText(QPainter& p, const QRectF& rect, int flags, const QString& text, Face face,
                    double pixelSize, const QColor& colour) {
    drawText(p, rect.translated(1, 1), flags, text, face, pixelSize, QColor(0, 0, 0, 200));
    drawText(p, rect, flags, text, face, pixelSize, colour);
}

QImage blankRgb(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage blankArgb(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

namespace {

std::vector<unsigned char> encode(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality))
        throw std::runtime_error(std::string("cannot encode ") + format);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

void put16(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// File header and BITMAPINFOHEADER for an uncompressed bottom-up picture.
std::vector<unsigned char> bmpHeader(int width, int height, int bits, std::uint32_t paletteBytes,
                                     std::uint32_t rowBytes) {
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<unsigned char> out;
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, 0); // no compression
    put32(out, imageBytes);
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, bits == 8 ? 256 : 0);
    put32(out, 0);
    return out;
}

} // namespace

std::vector<unsigned char> encodeJpeg(const QImage& image, int quality) {
    return encode(image.convertToFormat(QImage::Format_RGB32), "JPG", quality);
}

std::vector<unsigned char> encodePng(const QImage& image) {
    return encode(image, "PNG", -1);
}

std::vector<unsigned char> encodeBmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width()) * 3 + 3) & ~3u;
    std::vector<unsigned char> out = bmpHeader(image.width(), image.height(), 24, 0, rowBytes);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint32_t written = 0;
        for (int x = 0; x < image.width(); ++x) {
            out.push_back(static_cast<unsigned char>(qBlue(line[x])));
            out.push_back(static_cast<unsigned char>(qGreen(line[x])));
            out.push_back(static_cast<unsigned char>(qRed(line[x])));
            written += 3;
        }
        for (; written < rowBytes; ++written)
            out.push_back(0);
    }
    return out;
}

std::vector<unsigned char> encodeBmpGrey8(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_Grayscale8);
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width()) + 3) & ~3u;
    std::vector<unsigned char> out = bmpHeader(image.width(), image.height(), 8, 1024, rowBytes);
    for (int i = 0; i < 256; ++i) {
        const auto g = static_cast<unsigned char>(i);
        out.insert(out.end(), {g, g, g, 0});
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        const uchar* line = image.constScanLine(y);
        out.insert(out.end(), line, line + image.width());
        for (std::uint32_t x = static_cast<std::uint32_t>(image.width()); x < rowBytes; ++x)
            out.push_back(0);
    }
    return out;
}

} // namespace vtx::datagen::pic
