#include "ui/SizeGrip.h"

#include <QPainter>

namespace vtx {

SizeGrip::SizeGrip(QWidget* parent) : QSizeGrip(parent) {
    setCursor(Qt::SizeFDiagCursor);
}

void SizeGrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double w = width(), h = height();
    for (int i = 1; i <= 3; ++i) {
        const double d = i * w / 3.5;
        p.setPen(QPen(QColor(60, 44, 20, 200), w / 10.0));
        p.drawLine(QPointF(w - d + 1, h), QPointF(w, h - d + 1));
        p.setPen(QPen(QColor(222, 186, 112), w / 14.0));
        p.drawLine(QPointF(w - d, h - 0.5), QPointF(w - 0.5, h - d));
    }
}

} // namespace vtx
