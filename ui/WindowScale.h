#pragma once

// How a window laid out at one size (its design size, in which every control,
// outline point and drag area is given) is shown at another: one factor for
// both directions, so pictures keep their shape, and the design centred in
// the window, so a window of another shape shows empty (cut-away) margins.
// The factor is never below 1: a window is made larger, not smaller.
//
// A design may name one stretch column (a range of design x): in a window
// wider than the design's shape that column takes the extra width, so the
// window has no side margins; what lies left and right of it keeps its shape
// at the factor, the column's contents are widened.
//
// Window coordinates are the widget's own pixels; design coordinates those of
// the layout. Rectangles are rounded at their corners, so that two rectangles
// that touch in the design still touch.

#include <QPoint>
#include <QPointF>
#include <QPolygon>
#include <QRect>
#include <QSize>

namespace vtx {

class WindowScale {
public:
    WindowScale() = default;
    explicit WindowScale(QSize design) : m_design(design) {}

    // Design x from left to right (left < right, inside the design) takes the
    // extra width of a wider window; call before fit.
    void setStretchColumn(int left, int right);

    // Fits the design into a window of this size.
    void fit(QSize window);

    QSize design() const { return m_design; }
    double factor() const { return m_factor; }
    QPoint offset() const { return m_offset; }
    // Window pixels the stretch column gained beyond the factor (0 without one).
    double extraWidth() const { return m_extra; }
    bool identity() const { return m_factor == 1.0 && m_offset.isNull() && m_extra == 0.0; }

    QPoint toWindow(QPointF design) const;
    QRect toWindow(const QRect& design) const;
    QPolygon toWindow(const QPolygon& design) const;
    QPointF toDesign(QPointF window) const;
    // The window size that shows the design at this factor with no margins.
    QSize windowSize(double factor) const;
    // The largest factor at which the design fits into an area of this size.
    double largestFactor(QSize area) const;

private:
    QSize m_design;
    double m_factor = 1.0;
    QPoint m_offset;
    int m_stretchLeft = 0;
    int m_stretchRight = 0; // equal to m_stretchLeft: no stretch column
    double m_extra = 0.0;

    double toWindowX(double designX) const;
};

} // namespace vtx
