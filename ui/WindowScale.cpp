#include "ui/WindowScale.h"

#include <algorithm>
#include <cmath>

namespace vtx {

double WindowScale::largestFactor(QSize area) const {
    if (m_design.isEmpty()) return 1.0;
    return std::max(
        1.0, std::min(double(area.width()) / m_design.width(), double(area.height()) / m_design.height()));
}

void WindowScale::setStretchColumn(int left, int right) {
    m_stretchLeft = left;
    m_stretchRight = std::max(left, right);
}

void WindowScale::fit(QSize window) {
    m_factor = largestFactor(window);
    m_extra = 0.0;
    if (m_stretchRight > m_stretchLeft) {
        m_extra = std::max(0.0, window.width() - m_design.width() * m_factor);
        // Whole pixels, so the right part lands on the window's right edge.
        m_extra = std::floor(m_extra);
    }
    // Whole pixels of margin, split evenly.
    m_offset = QPoint(int(std::floor((window.width() - m_design.width() * m_factor - m_extra) / 2.0)),
                      int(std::floor((window.height() - m_design.height() * m_factor) / 2.0)));
    m_offset = QPoint(std::max(0, m_offset.x()), std::max(0, m_offset.y()));
}

double WindowScale::toWindowX(double x) const {
    if (m_extra == 0.0 || x <= m_stretchLeft) return x * m_factor;
    if (x >= m_stretchRight) return x * m_factor + m_extra;
    return x * m_factor + m_extra * (x - m_stretchLeft) / (m_stretchRight - m_stretchLeft);
}

QPoint WindowScale::toWindow(QPointF design) const {
    return QPoint(int(std::lround(toWindowX(design.x()))) + m_offset.x(),
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
    const double x = window.x() - m_offset.x();
    double designX = x / m_factor;
    if (m_extra != 0.0) {
        const double left = toWindowX(m_stretchLeft), right = toWindowX(m_stretchRight);
        if (x >= right)
            designX = (x - m_extra) / m_factor;
        else if (x > left)
            designX = m_stretchLeft + (x - left) / (right - left) * (m_stretchRight - m_stretchLeft);
    }
    return QPointF(designX, (window.y() - m_offset.y()) / m_factor);
}

QSize WindowScale::windowSize(double factor) const {
    return QSize(int(std::lround(m_design.width() * factor)), int(std::lround(m_design.height() * factor)));
}

} // namespace vtx
