#include "tools/datagen/PicControls.h"

#include "tools/datagen/PicCommon.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vtx::datagen::pic {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// One travelling wave of the sea: whole wave numbers across the tile and a
// whole number of periods over the loop, so space and time both wrap.
struct Wave {
    int kx;
    int ky;
    int cycles;
    double amplitude;
    double phase;
};

// The surface: long swells for the shading.
constexpr std::array<Wave, 6> kSwell{{
    {1, 2, 1, 1.0, 0.3},
    {-2, 1, 1, 0.8, 1.9},
    {3, -1, 2, 0.5, 4.1},
    {2, 3, -1, 0.45, 2.6},
    {-3, -2, 2, 0.3, 5.2},
    {4, 1, -2, 0.25, 0.9},
}};
// The light network: shorter waves whose zero crossings are the bright lines.
constexpr std::array<Wave, 5> kRipple{{
    {3, 4, 1, 1.0, 0.0},
    {-4, 3, -1, 0.9, 2.2},
    {5, -2, 2, 0.7, 4.4},
    {-1, -5, 1, 0.6, 1.1},
    {6, 3, -2, 0.4, 3.3},
}};

template <std::size_t N>
double waveSum(const std::array<Wave, N>& waves, double u, double v, double t, double* du, double* dv) {
    double h = 0.0;
    double gx = 0.0;
    double gy = 0.0;
    for (const Wave& w : waves) {
        const double arg = kTwoPi * (w.kx * u + w.ky * v + w.cycles * t) + w.phase;
        h += w.amplitude * std::sin(arg);
        const double c = w.amplitude * std::cos(arg) * kTwoPi;
        gx += c * w.kx;
        gy += c * w.ky;
    }
    if (du) *du = gx;
    if (dv) *dv = gy;
    return h;
}

} // namespace

QImage makeWaterFrame(int frame) {
    QImage image = blankRgb(kWaterSize, kWaterSize);
    const double t = double(frame) / kWaterFrames;
    const QColor deep(14, 70, 92);
    const QColor shallow(34, 122, 132);
    const QColor light(200, 246, 240);
    for (int y = 0; y < kWaterSize; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWaterSize; ++x) {
            const double u = double(x) / kWaterSize;
            const double v = double(y) / kWaterSize;
            double gx = 0.0;
            double gy = 0.0;
            const double h = waveSum(kSwell, u, v, t, &gx, &gy);
            // Light from the upper left: slopes facing it are brighter.
            const double lit = clamp01(0.5 + 0.012 * (-gx - gy));
            double rx = 0.0;
            double ry = 0.0;
            const double ripple =
                waveSum(kRipple, u + 0.02 * gx / kTwoPi, v + 0.02 * gy / kTwoPi, t, &rx, &ry);
            // Bright lines where the ripple sum crosses zero. The distance to
            // the crossing in pixels (value over slope) keeps the lines
            // smooth; their width swells and thins with the surface.
            const double slope = std::max(1e-6, std::hypot(rx, ry) / kWaterSize);
            const double distance = std::abs(ripple) / slope;
            const double width = 1.0 + 0.8 * clamp01(0.5 + 0.35 * h);
            const double caustic = std::exp(-(distance * distance) / (width * width));
            QColor c = mix(deep, shallow, clamp01(0.5 + 0.18 * h));
            c = shade(c, 0.8 + 0.45 * lit);
            c = mix(c, light, 0.55 * caustic);
            line[x] = c.rgb();
        }
    }
    return image;
}

namespace {

// The marks are seen at about 10 x 6 screen pixels in the first view, that is
// through the 8 x 8 mip level of these 64 x 64 pictures: every stroke is a few
// of those texels wide and bright, or it averages away into the sea. They are
// added onto the moving sea, so black is invisible and light is all there is.
//
// Nothing touches the picture's border: the cell's square is drawn without
// anti-aliasing and its texture wraps, so light at the border would show the
// stair steps of the square's edge (and bleed in from the opposite side).
constexpr int kMarkMargin = 5;

QImage markCanvas() {
    return blankRgb(64, 64);
}

// The outline every cell shows, marked or not, so the grid stays whole under
// the marks: a square with slightly rounded corners, of even brightness so
// that far away the corners of four cells do not merge into bright blobs.
void drawCellOutline(QPainter& p, const QColor& line) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    const double inset = kMarkMargin + 2.0; // the pen's middle
    p.setPen(QPen(line, 4.0));
    p.drawRoundedRect(QRectF(inset, inset, 64.0 - 2.0 * inset, 64.0 - 2.0 * inset), 3.0, 3.0);
    p.restore();
}

} // namespace

// A miss: a cool splash, a ring of cyan water with drops thrown out of it,
// on a blue outline. Cold and round, so it never reads as a hit.
QImage makeHintMark() {
    QImage image = markCanvas();
    QPainter p(&image);
    drawCellOutline(p, QColor(40, 120, 200));
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(32, 32);
    const QColor water(70, 200, 255);
    p.setPen(QPen(water, 7.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 13.0, 13.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 230, 255));
    p.drawEllipse(c, 7.5, 7.5);
    p.setBrush(water);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4.0 + std::numbers::pi / 8.0;
        p.drawEllipse(QPointF(c.x() + 21.5 * std::cos(a), c.y() + 21.5 * std::sin(a)), 2.6, 2.6);
    }
    return image;
}

// A hit: a burning cross, red at its edges and orange to yellow in its heart,
// on a red outline. Warm and angular, where a miss is cold and round.
QImage makeHitMark() {
    QImage image = markCanvas();
    QPainter p(&image);
    drawCellOutline(p, QColor(220, 60, 20));
    p.setRenderHint(QPainter::Antialiasing, true);
    const struct {
        double width;
        QColor colour;
    } strokes[] = {{13.0, QColor(230, 40, 10)}, {8.0, QColor(255, 120, 20)}, {3.5, QColor(255, 210, 80)}};
    for (const auto& stroke : strokes) {
        p.setPen(QPen(stroke.colour, stroke.width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17, 17), QPointF(47, 47));
        p.drawLine(QPointF(47, 17), QPointF(17, 47));
    }
    return image;
}

// A ship that does not fit where the pointer is: a magenta outline and
// no-entry bar, a colour no shot mark uses.
QImage makeBadMark() {
    QImage image = markCanvas();
    QPainter p(&image);
    drawCellOutline(p, QColor(230, 40, 200));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(255, 60, 220), 9.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 32), QPointF(46, 32));
    return image;
}

QImage makeFrameMark() {
    QImage image = markCanvas();
    QPainter p(&image);
    // Quieter than the marks, but a clear grid on the moving sea.
    drawCellOutline(p, QColor(76, 104, 114));
    return image;
}

namespace {

// A rounded steel face with a brass rim; the caption area stays dark enough
// for white and grey text alike.
void paintFace(QPainter& p, const QRectF& rect, FaceState state, double radius) {
    p.setRenderHint(QPainter::Antialiasing, true);
    QColor top(70, 92, 122);
    QColor bottom(24, 34, 50);
    QColor rim = colours::brass;
    if (state == FaceState::Over) {
        top = QColor(96, 122, 156);
        bottom = QColor(36, 52, 74);
        rim = colours::brassLight;
    } else if (state == FaceState::Pressed) {
        top = QColor(18, 26, 40);
        bottom = QColor(56, 74, 100);
        rim = shade(colours::brass, 0.8);
    }
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    // Polished steel: a bright upper half that breaks at the middle.
    QLinearGradient fill(0, body.top(), 0, body.bottom());
    fill.setColorAt(0.0, top);
    fill.setColorAt(0.48, mix(top, bottom, 0.45));
    fill.setColorAt(0.52, mix(top, bottom, 0.75));
    fill.setColorAt(1.0, bottom);
    if (state == FaceState::Pressed) {
        fill.setColorAt(0.48, mix(top, bottom, 0.4));
        fill.setColorAt(0.52, mix(top, bottom, 0.5));
    }
    p.setPen(QPen(rim, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);
    // Inner highlight (or shadow when pressed) along the top edge.
    const QRectF inner = body.adjusted(1.5, 1.5, -1.5, -1.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(state == FaceState::Pressed ? QColor(0, 0, 0, 140) : QColor(255, 255, 255, 60), 1.0));
    p.drawLine(QPointF(inner.left() + radius - 1, inner.top()),
               QPointF(inner.right() - radius + 1, inner.top()));
    p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    p.drawLine(QPointF(inner.left() + radius - 1, inner.bottom()),
               QPointF(inner.right() - radius + 1, inner.bottom()));
}

} // namespace

QImage makeButtonFace(int width, int height, FaceState state) {
    QImage image = blankArgb(width, height);
    QPainter p(&image);
    paintFace(p, QRectF(0, 0, width, height), state, 4.0);
    return image;
}

QImage makeVolumeButton(bool up, FaceState state) {
    QImage image = blankArgb(25, 25);
    QPainter p(&image);
    paintFace(p, QRectF(0, 0, 25, 25), state, 5.0);
    const double shift = state == FaceState::Pressed ? 1.0 : 0.0;
    const QColor sign = state == FaceState::Over ? QColor(255, 240, 190) : colours::brassLight;
    p.setPen(QPen(QColor(0, 0, 0, 160), 3.0, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(12.5, 12.5 + shift);
    auto strokes = [&](const QPointF& offset) {
        p.drawLine(c + offset + QPointF(-5, 0), c + offset + QPointF(5, 0));
        if (up) p.drawLine(c + offset + QPointF(0, -5), c + offset + QPointF(0, 5));
    };
    strokes(QPointF(0.8, 0.8));
    p.setPen(QPen(sign, 2.6, Qt::SolidLine, Qt::RoundCap));
    strokes(QPointF(0, 0));
    return image;
}

QImage makeComboArrow(FaceState state) {
    QImage image = blankArgb(20, 20);
    QPainter p(&image);
    paintFace(p, QRectF(0, 0, 20, 20), state, 3.0);
    const double shift = state == FaceState::Pressed ? 1.0 : 0.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    const QPolygonF arrow({QPointF(5, 8 + shift), QPointF(15, 8 + shift), QPointF(10, 14 + shift)});
    p.drawPolygon(arrow.translated(0.7, 0.8));
    p.setBrush(state == FaceState::Over ? QColor(255, 240, 190) : colours::brassLight);
    p.drawPolygon(arrow);
    return image;
}

QImage makeCheckGlyph(CheckState state) {
    QImage image = blankArgb(32, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int cell = 0; cell < 2; ++cell) {
        const bool disabled = cell == 1;
        const double x0 = cell * 16.0;
        const QRectF box(x0 + 1.5, 1.5, 13, 13);
        QLinearGradient well(0, box.top(), 0, box.bottom());
        well.setColorAt(0.0, disabled ? QColor(30, 34, 40) : QColor(6, 12, 20));
        well.setColorAt(1.0, disabled ? QColor(52, 56, 62) : QColor(30, 46, 66));
        p.setPen(QPen(disabled ? QColor(112, 112, 112) : colours::brass, 1.0));
        p.setBrush(well);
        p.drawRoundedRect(box, 2, 2);
        if (state == CheckState::Checked) {
            QPainterPath tick;
            tick.moveTo(x0 + 4.5, 8.0);
            tick.lineTo(x0 + 7.0, 11.0);
            tick.lineTo(x0 + 12.0, 4.5);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(disabled ? QColor(140, 140, 140) : QColor(250, 230, 150), 2.2, Qt::SolidLine,
                          Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(tick);
        } else if (state == CheckState::Grayed) {
            p.setPen(Qt::NoPen);
            p.setBrush(disabled ? QColor(96, 96, 96) : QColor(150, 150, 140));
            p.drawRect(QRectF(x0 + 5, 5, 6, 6));
        }
    }
    return image;
}

QImage makeVolumeFrame() {
    QImage image = blankRgb(160, 25, colours::field);
    QPainter p(&image);
    // Groove around the bar's place (10, 8, 140 x 9), one pixel of dark edge
    // on each side of it.
    const QRect groove(8, 6, 144, 13);
    p.fillRect(groove, QColor(6, 10, 16));
    drawBevel(p, groove, 2, true, 1.4);
    p.setPen(QPen(shade(colours::brass, 0.9), 1));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i <= 10; ++i) {
        const int x = 10 + i * 139 / 10;
        const int length = (i % 5 == 0) ? 4 : 2;
        p.drawLine(x, 20, x, 20 + length - 1);
    }
    p.setPen(QPen(shade(colours::brass, 0.6), 1));
    p.drawLine(10, 3, 149, 3);
    return image;
}

} // namespace vtx::datagen::pic
