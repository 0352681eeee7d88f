#include "ui/WindowScale.h"

#include <algorithm>
#include <cmath>

namespace vtx {

double WindowScale::largestFactor(QSize area) const {
    if (m_design.isEmpty()) return 1.0;
    return std::max(
        1.0, std::min(double(area.width()) / m_design.width(), double(area.height()) / m_design.height()));
}

void WindowScale::fit(QSize window) {
    m_factor = largestFactor(window);
    // Whole pixels of margin, split evenly.
    m_offset = QPoint(int(std::floor((window.width() - m_design.width() * m_factor) / 2.0)),
                      int(std::floor((window.height() - m_design.height() * m_factor) / 2.0)));
    m_offset = QPoint(std::max(0, m_offset.x()), std::max(0, m_offset.y()));
}

QPoint WindowScale::toWindow(QPointF design) const {
    return QPoint(int(std::lround(design.x() * m_factor)) + m_offset.x(),
                  int(std::lround(design.y() * m_factor)) + m_offset.y());
}

QRect WindowScale::toWindow(const QRect& design) const {
    const QPoint topLeft = toWindow(QPointF(design.topLeft()));
    const QPoint end = toWindow(QPointF(design.x() + design.width(), design.y() + design.height()));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

QPolygon WindowScale::toWindow(const QPolygon& design) const {
    QPolygon out;
    out.reserve(design.size());
    for (const QPoint& p : design)
        out << toWindow(QPointF(p));
    return out;
}

QPointF WindowScale::toDesign(QPointF window) const {
    return QPointF((window.x() - m_offset.x()) / m_factor, (window.y() - m_offset.y()) / m_factor);
}

QSize WindowScale::windowSize(double factor) const {
    return QSize(int(std::lround(m_design.width() * factor)), int(std::lround(m_design.height() * factor)));
}

} // namespace vtx
