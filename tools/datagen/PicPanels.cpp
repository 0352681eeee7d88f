#include "tools/datagen/PicPanels.h"

#include "tools/datagen/PicCommon.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace vtx::datagen::pic {

namespace {

// Steel plate over the whole picture, an outer raised edge, and the title
// strip (x 8 .. width - 9, y 8 .. 29), which covers the windows' drag band
// 10 < y < 28.
QImage steelPanel(int width, int height, const QString& title, std::uint32_t seed) {
    QImage image = blankRgb(width, height, colours::steel);
    fillSteel(image, image.rect(), colours::steel, seed);
    QPainter p(&image);
    drawBevel(p, image.rect(), 3, false, 1.2);

    const QRect strip(8, 8, width - 16, 22);
    QLinearGradient band(0, strip.top(), 0, strip.bottom());
    band.setColorAt(0.0, shade(colours::steelDark, 0.8));
    band.setColorAt(0.5, shade(colours::steelDark, 1.4));
    band.setColorAt(1.0, shade(colours::steelDark, 0.9));
    p.fillRect(strip, band);
    drawBrassTrim(p, strip.adjusted(-1, -1, 1, 1));
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawShadowText(p, QRect(strip.left() + 10, strip.top(), strip.width() - 20, strip.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, title, Face::SerifBold, 13, colours::titleText);
    return image;
}

// A recessed flat field: a sunken two-pixel edge, then the flat colour.
void flatField(QPainter& p, const QRect& rect, const QColor& colour) {
    p.fillRect(rect, colour);
    drawBevel(p, rect, 2, true, 1.3);
}

// Rivets along the bottom and, with sides, down both sides below top.
void edgeRivets(QPainter& p, int width, int height, int top, bool sides) {
    for (int y = top; sides && y < height - 8; y += 28) {
        drawRivet(p, 5.5, y, 2.2);
        drawRivet(p, width - 6.5, y, 2.2);
    }
    for (int x = 20; x < width - 16; x += 28)
        drawRivet(p, x, height - 5.5, 2.2);
}

// The compass dial in brass above the menu buttons; the rose over it turns
// with the camera (ui/Compass).
void drawCompass(QPainter& p, QPointF c, double r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient dial(c, r);
    dial.setColorAt(0.0, QColor(40, 60, 84));
    dial.setColorAt(1.0, QColor(12, 20, 32));
    p.setPen(QPen(colours::brass, 3));
    p.setBrush(dial);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(colours::brassDark, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 5, r - 5);
    for (int i = 0; i < 32; ++i) {
        const double a = i * std::numbers::pi / 16.0;
        const double inner = (i % 4 == 0) ? r - 12 : r - 8;
        p.setPen(QPen(i % 4 == 0 ? colours::brassLight : colours::brass, 1));
        p.drawLine(QPointF(c.x() + inner * std::sin(a), c.y() - inner * std::cos(a)),
                   QPointF(c.x() + (r - 5) * std::sin(a), c.y() - (r - 5) * std::cos(a)));
    }
    // The rose itself, its red point north, is drawn by the window over this
    // dial: it turns with the camera.
    p.restore();
}

} // namespace

QImage makeMainPanel() {
    constexpr int width = 742;
    constexpr int height = 603;
    QImage image = steelPanel(width, height, "Vortalix 3D", 101u);
    QPainter p(&image);

    // The viewer's recess: a dark sunken frame just around (13, 42, 616 x 547).
    const QRect viewer(13, 42, 616, 547);
    const QRect recess = viewer.adjusted(-5, -5, 5, 5);
    p.fillRect(recess, colours::steelDark);
    drawBevel(p, recess, 3, true, 1.4);
    p.fillRect(viewer, Qt::black);
    drawBrassTrim(p, recess.adjusted(-2, -2, 2, 2));

    // Right column: compass emblem, the brass-framed button plate, a nameplate.
    drawCompass(p, QPointF(685.5, 150.5), 40);
    const QRect plate(642, 276, 87, 248);
    QLinearGradient plateFill(0, plate.top(), 0, plate.bottom());
    plateFill.setColorAt(0.0, shade(colours::steelDark, 1.2));
    plateFill.setColorAt(1.0, shade(colours::steelDark, 0.8));
    p.fillRect(plate, plateFill);
    drawBevel(p, plate, 2, true, 1.3);
    drawBrassTrim(p, plate.adjusted(-3, -3, 3, 3));

    const QRect nameplate(647, 546, 78, 24);
    QLinearGradient brass(0, nameplate.top(), 0, nameplate.bottom());
    brass.setColorAt(0.0, colours::brassLight);
    brass.setColorAt(0.5, colours::brass);
    brass.setColorAt(1.0, colours::brassDark);
    p.fillRect(nameplate, brass);
    drawBevel(p, nameplate, 1, false);
    // The plate stays plain: the game writes its word on it in the player's language.
    drawRivet(p, nameplate.left() + 4, nameplate.center().y() + 0.5, 1.6);
    drawRivet(p, nameplate.right() - 3, nameplate.center().y() + 0.5, 1.6);

    for (int y = 48; y < 590; y += 30)
        drawRivet(p, 736, y, 2.2);
    for (int x = 650; x < 730; x += 26)
        drawRivet(p, x, 592, 2.2);
    return image;
}

QImage makeMessagePanel() {
    constexpr int width = 306;
    constexpr int height = 184;
    // The message window and the lobby share this picture: the lobby writes
    // its status from x 90, so the title is the game's short name.
    QImage image = steelPanel(width, height, "Vortalix", 102u);
    QPainter p(&image);
    // The light plate runs from x 10 (edge 10..11, flat from 12) and covers
    // the lobby list (16, 40, 274 x 81) and the message text (16, 64, 273 x 56).
    const QRect plate(10, 35, 286, 94);
    flatField(p, plate, colours::plate);
    drawBrassTrim(p, plate.adjusted(-2, -2, 2, 2));
    // A groove under the buttons (y 141..166).
    const QRect groove(20, 137, 266, 34);
    p.fillRect(groove, shade(colours::steel, 0.85));
    drawBevel(p, groove, 1, true, 1.2);
    edgeRivets(p, width, height, 44, false);
    return image;
}

namespace {

// The options and score windows share one frame: title strip, flat field
// (x 30..275, y 36..266), a groove under the buttons at y 280.
QImage fieldPanel(const QString& title, std::uint32_t seed) {
    constexpr int width = 306;
    constexpr int height = 325;
    QImage image = steelPanel(width, height, title, seed);
    QPainter p(&image);
    const QRect field(30, 36, 246, 231);
    flatField(p, field, colours::field);
    drawBrassTrim(p, field.adjusted(-2, -2, 2, 2));
    const QRect groove(44, 274, 218, 36);
    p.fillRect(groove, shade(colours::steel, 0.85));
    drawBevel(p, groove, 1, true, 1.2);
    edgeRivets(p, width, height, 44, true);
    return image;
}

} // namespace

QImage makeScorePanel() {
    return fieldPanel("HighScores", 103u);
}

QImage makeOptionsPanel() {
    return fieldPanel("Options", 104u);
}

} // namespace vtx::datagen::pic
