#include "ui/Compass.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace vtx {

Compass::Compass(QWidget* parent, QPointF centre, double radius)
    : QWidget(parent), m_radius(radius), m_side(int(std::ceil(2.0 * radius)) + 2) {
    const int side = m_side;
    setGeometry(int(std::lround(centre.x() - side / 2.0)), int(std::lround(centre.y() - side / 2.0)), side,
                side);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Compass::setHeading(double degrees) {
    const double wrapped = std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0);
    if (std::abs(wrapped - m_heading) < 0.5) return;
    m_heading = wrapped;
    update();
}

void Compass::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(width() / 2.0, height() / 2.0);
    p.scale(width() / double(m_side), height() / double(m_side)); // in a window made larger
    // Looking east, north lies to the left: the rose turns against the heading.
    p.rotate(-m_heading);
    const QColor brassLight(232, 196, 120), brass(190, 150, 80), brassDark(110, 80, 36);
    const double r = m_radius;
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4.0;
        const double len = (i % 2 == 0) ? r : r * 0.55;
        const double side = len * 0.18;
        const QPointF tip(len * std::sin(a), -len * std::cos(a));
        const QPointF left(side * std::sin(a - std::numbers::pi / 2),
                           -side * std::cos(a - std::numbers::pi / 2));
        const QPointF right(side * std::sin(a + std::numbers::pi / 2),
                            -side * std::cos(a + std::numbers::pi / 2));
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? QColor(226, 90, 60) : brassLight);
        p.drawPolygon(QPolygonF({tip, left, QPointF(0, 0)}));
        p.setBrush(i == 0 ? QColor(140, 44, 30) : brassDark);
        p.drawPolygon(QPolygonF({tip, right, QPointF(0, 0)}));
    }
    p.setBrush(brass);
    p.setPen(QPen(brassDark, 1.0));
    p.drawEllipse(QPointF(0, 0), 3.0, 3.0);
}

} // namespace vtx
