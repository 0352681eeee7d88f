#pragma once

// The compass above the menu buttons: a brass rose drawn over the dial of
// the main window's panel picture, turned so that its red point shows where
// north lies as seen through the camera (north straight up when the camera
// looks north). Transparent outside the rose; repaints only when the heading
// changes. UI thread only.

#include <QWidget>

namespace vtx {

class Compass : public QWidget {
public:
    // The rose's centre in its parent and its radius, in pixels.
    Compass(QWidget* parent, QPointF centre, double radius);

    // The camera's heading in degrees, clockwise from north.
    void setHeading(double degrees);
    double heading() const { return m_heading; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_heading = 0.0;
    double m_radius;
    int m_side; // the widget's side when made
};

} // namespace vtx
