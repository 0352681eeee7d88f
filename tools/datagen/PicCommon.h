#pragma once

// Shared tools of the picture generators: a seeded random source, tileable
// noise, the house colours, drawing helpers for the naval look, fonts and the
// encoders that turn a QImage into file bytes.
//
// Everything here is deterministic: no clock, no global random state, no
// iteration over hashed containers. Noise coordinates u, v are in tile units
// (0..1 spans the picture once) and every noise function repeats with period 1
// in both, so pictures built from them tile seamlessly.

#include "game/SplitMix64.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace vtx::datagen::pic {

// The pictures' random numbers: the house's SplitMix64, so a picture is the
// same on every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_generator(seed) {}
    std::uint64_t next() { return m_generator.next(); }
    // Uniform in [0, 1).
    double uniform() { return m_generator.unit(); }
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [0, n); n must be positive.
    int below(int n) { return static_cast<int>(uniform() * n); }

private:
    SplitMix64 m_generator;
};

// Hash of a lattice point to [0, 1).
double latticeValue(int x, int y, std::uint32_t seed);

// Smooth value noise in [0, 1) on a cells x cells lattice that wraps at u, v = 1.
double tileNoise(double u, double v, int cells, std::uint32_t seed);

// Fractal sum of tileNoise: octave k uses cells << k and weight gain^k; the
// result is normalised back to [0, 1).
double tileFbm(double u, double v, int cells, int octaves, std::uint32_t seed, double gain = 0.5);

// 1 - |2n - 1| of the fractal sum: sharp crests, for ridges and cracks.
double tileRidged(double u, double v, int cells, int octaves, std::uint32_t seed);

double clamp01(double v);
double smoothstep(double edge0, double edge1, double x);
QColor mix(const QColor& a, const QColor& b, double t);
// Multiplies the colour's channels by f (clamped to 0..255).
QColor shade(const QColor& c, double f);

// House colours of the window skins: dark blue naval steel with brass trim.
namespace colours {
inline const QColor steel{40, 56, 78};
inline const QColor steelLight{78, 98, 124};
inline const QColor steelDark{16, 24, 36};
inline const QColor brass{196, 160, 82};
inline const QColor brassLight{250, 226, 150};
inline const QColor brassDark{104, 76, 30};
// The flat field behind the controls of the options and score windows.
inline const QColor field{26, 40, 60};
// The light plate of the message window and the lobby list (black text on it).
inline const QColor plate{214, 218, 210};
inline const QColor titleText{246, 226, 168};
} // namespace colours

// Text comes straight from the DejaVu font files as unhinted outlines, with
// no font matching involved, so it is the same on every run and machine.
enum class Face { SansBold, SerifBold };
// Outline of one line of text at pixelSize; the baseline starts at (0, 0).
QPainterPath textPath(const QString& text, Face face, double pixelSize);
// One line of text filled with colour and placed in rect by the Qt::Align*
// flags (vertical centring uses the capital height).
void drawText(QPainter& p, const QRectF& rect, int flags, const QString& text, Face face, double pixelSize,
              const QColor& colour);

// Brushed dark steel over rect of an RGB32 image: a vertical gradient, fine horizontal grain and
// a few faint darker blotches. The grain comes from seed.
void fillSteel(QImage& image, const QRect& rect, const QColor& base, std::uint32_t seed);
// A raised (or, with sunken, recessed) bevel of the given width inside rect.
void drawBevel(QPainter& p, const QRect& rect, int width, bool sunken, double strength = 1.0);
// A round brass rivet head of radius r centred at (x, y).
void drawRivet(QPainter& p, double x, double y, double r);
// Rivets every step pixels along the inside of rect, inset pixels from its edge.
void drawRivetRow(QPainter& p, const QRect& rect, int inset, int step, double r);
// A thin double brass line around rect, the trim of plates and strips.
void drawBrassTrim(QPainter& p, const QRect& rect);
// drawText with a dark drop shadow one pixel down and right.
void drawShadowText(QPainter& p, const QRectF& rect, int flags, const QString& text, Face face,
                    double pixelSize, const QColor& colour);

// Blank pictures ready for a QPainter.
QImage blankRgb(int width, int height, const QColor& fill = Qt::black);
QImage blankArgb(int width, int height);

// Encoders; each returns the complete file bytes.
std::vector<unsigned char> encodeJpeg(const QImage& image, int quality = 90);
std::vector<unsigned char> encodePng(const QImage& image);
// Uncompressed 24-bit BMP, bottom-up rows.
std::vector<unsigned char> encodeBmp24(const QImage& image);
// Uncompressed 8-bit BMP with a 256-entry grey palette; the image's grey level
// of each pixel is its index.
std::vector<unsigned char> encodeBmpGrey8(const QImage& image);

} // namespace vtx::datagen::pic
