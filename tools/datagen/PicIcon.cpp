// The game's desktop icon in the hicolor sizes: a brass-rimmed round plate
// with a sea, a grid of cells, a burning hit and the anchor of the logo. Drawn
// on a 256-unit canvas and scaled, so every size shows the same picture;
// thin details are thickened at the small sizes so they do not vanish.

#include "tools/datagen/Generators.h"
#include "tools/datagen/PicCommon.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vtx::datagen {

namespace {

using namespace pic;

constexpr std::array<int, 5> kIconSizes = {48, 64, 128, 192, 256};

QImage paintIcon(int size) {
    QImage image = blankArgb(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 256.0, size / 256.0);
    // Lines at least about one device pixel wide at 48 pixels.
    const double thin = std::max(1.2, 256.0 / size * 0.9);

    // The plate: a brass ring around a round sea.
    const QPointF centre(128, 128);
    QRadialGradient rim(QPointF(100, 90), 150);
    rim.setColorAt(0.0, colours::brassLight);
    rim.setColorAt(0.55, colours::brass);
    rim.setColorAt(1.0, colours::brassDark);
    p.setPen(QPen(QColor(60, 40, 12), thin));
    p.setBrush(rim);
    p.drawEllipse(centre, 122, 122);

    QPainterPath sea;
    sea.addEllipse(centre, 106, 106);
    QLinearGradient water(0, 22, 0, 234);
    water.setColorAt(0.0, QColor(96, 170, 214));
    water.setColorAt(0.45, QColor(30, 92, 148));
    water.setColorAt(1.0, QColor(8, 30, 60));
    p.setPen(QPen(colours::brassDark, thin));
    p.setBrush(water);
    p.drawPath(sea);

    p.save();
    p.setClipPath(sea);
    // A board of cells seen slightly from above: rows narrow towards the horizon.
    const double horizon = 86;
    for (int r = 0; r <= 5; ++r) {
        const double t = r / 5.0;
        const double y = horizon + 18 + t * t * 110 + t * 20;
        const double half = 54 + t * 56;
        p.setPen(QPen(QColor(200, 236, 255, 170), thin));
        p.drawLine(QPointF(128 - half, y), QPointF(128 + half, y));
    }
    for (int c = -3; c <= 3; ++c) {
        p.setPen(QPen(QColor(200, 236, 255, 150), thin));
        p.drawLine(QPointF(128 + c * 18, horizon + 18), QPointF(128 + c * 37, 256));
    }
    // The sky over the horizon.
    QLinearGradient sky(0, 20, 0, horizon);
    sky.setColorAt(0.0, QColor(24, 40, 84));
    sky.setColorAt(1.0, QColor(230, 170, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(QRectF(0, 0, 256, horizon));
    p.restore();

    // A burning hit on the board.
    const QPointF fire(164, 170);
    QRadialGradient flame(fire, 34);
    flame.setColorAt(0.0, QColor(255, 250, 200, 255));
    flame.setColorAt(0.35, QColor(255, 170, 40, 230));
    flame.setColorAt(0.75, QColor(200, 50, 10, 120));
    flame.setColorAt(1.0, QColor(120, 20, 0, 0));
    p.setBrush(flame);
    QPainterPath tongue;
    tongue.moveTo(fire.x() - 26, fire.y() + 14);
    tongue.cubicTo(fire.x() - 30, fire.y() - 20, fire.x() - 6, fire.y() - 28, fire.x(), fire.y() - 52);
    tongue.cubicTo(fire.x() + 10, fire.y() - 26, fire.x() + 32, fire.y() - 18, fire.x() + 26, fire.y() + 14);
    tongue.closeSubpath();
    p.drawPath(tongue);

    // The anchor of the logo, in steel with a dark outline.
    const double cx = 96, ey = 140;
    QPainterPath anchor;
    anchor.addRoundedRect(QRectF(cx - 6, ey - 52, 12, 100), 4, 4);
    anchor.addRoundedRect(QRectF(cx - 30, ey - 38, 60, 10), 4, 4);
    QPainterPath eye;
    eye.addEllipse(QPointF(cx, ey - 60), 11, 11);
    QPainterPath hole;
    hole.addEllipse(QPointF(cx, ey - 60), 5, 5);
    anchor = anchor.united(eye).subtracted(hole);
    QPainterPath arms;
    arms.moveTo(cx - 50, ey + 12);
    arms.quadTo(cx - 40, ey + 54, cx, ey + 56);
    arms.quadTo(cx + 40, ey + 54, cx + 50, ey + 12);
    arms.lineTo(cx + 40, ey + 26);
    arms.quadTo(cx + 34, ey + 44, cx, ey + 45);
    arms.quadTo(cx - 34, ey + 44, cx - 40, ey + 26);
    arms.closeSubpath();
    anchor = anchor.united(arms);
    QLinearGradient steel(cx - 50, 0, cx + 50, 0);
    steel.setColorAt(0.0, QColor(120, 146, 176));
    steel.setColorAt(0.45, QColor(250, 252, 255));
    steel.setColorAt(1.0, QColor(90, 110, 140));
    p.setPen(QPen(colours::steelDark, thin * 1.6));
    p.setBrush(steel);
    p.drawPath(anchor);

    // Rivets on the rim, where the size allows.
    if (size >= 64)
        for (int k = 0; k < 8; ++k) {
            const double a = k * std::numbers::pi / 4 + std::numbers::pi / 8;
            drawRivet(p, 128 + 114 * std::cos(a), 128 + 114 * std::sin(a), 4.5);
        }
    p.end();
    return image;
}

} // namespace

void generateIcons(const QString& iconDir) {
    for (int size : kIconSizes) {
        const QString folder = iconDir + QStringLiteral("/%1x%1/apps/").arg(size);
        writeFile(folder + QStringLiteral("vortalix3d.png"), pic::encodePng(paintIcon(size)));
    }
}

} // namespace vtx::datagen
