#include "ui/SkinImages.h"

#include "files/EmbeddedImages.h"

#include <QPainter>
#include <QPainterPath>

#include <string>

namespace vtx {

namespace {

QImage drawnStandIn(SkinFallback kind, QSize size) {
    if (size.isEmpty()) size = QSize(1, 1);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QRect r(0, 0, size.width() - 1, size.height() - 1);
    auto face = [&](QColor top, QColor bottom, QColor border) {
        QLinearGradient g(0, 0, 0, size.height());
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.fillRect(img.rect(), g);
        p.setPen(border);
        p.drawRect(r);
    };
    auto arrow = [&](QColor fill) {
        face(QColor(217, 214, 197), QColor(190, 186, 170), QColor(160, 150, 131));
        QPainterPath tri;
        const qreal cx = size.width() / 2.0, cy = size.height() / 2.0;
        tri.moveTo(cx - 4, cy - 2);
        tri.lineTo(cx + 4, cy - 2);
        tri.lineTo(cx, cy + 3);
        tri.closeSubpath();
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(tri, fill);
    };
    auto check = [&](int mark) {
        const int cell = size.width() / 2 > 0 ? size.width() / 2 : size.width();
        for (int c = 0; c < 2; ++c) {
            const bool disabled = c == 1;
            const QRect box(c * cell + 1, 1, cell - 3, size.height() - 3);
            p.fillRect(box, disabled ? QColor(200, 200, 200) : Qt::white);
            p.setPen(QColor(90, 90, 90));
            p.drawRect(box);
            const QColor ink = disabled ? QColor(128, 128, 128) : Qt::black;
            if (mark == 1) {
                p.setPen(QPen(ink, 2));
                p.drawLine(box.left() + 3, box.center().y(), box.center().x(), box.bottom() - 3);
                p.drawLine(box.center().x(), box.bottom() - 3, box.right() - 3, box.top() + 3);
            } else if (mark == 2) {
                p.fillRect(box.adjusted(4, 4, -3, -3),
                           disabled ? QColor(170, 170, 170) : QColor(128, 128, 128));
            }
        }
    };
    switch (kind) {
    case SkinFallback::ButtonMain:
        face(QColor(110, 110, 118), QColor(60, 60, 66), QColor(30, 30, 30));
        break;
    case SkinFallback::ButtonOver:
        face(QColor(130, 130, 140), QColor(75, 75, 84), QColor(30, 30, 30));
        break;
    case SkinFallback::ButtonPress:
        face(QColor(50, 50, 56), QColor(95, 95, 102), QColor(20, 20, 20));
        break;
    case SkinFallback::ArrowMain:
        arrow(Qt::black);
        break;
    case SkinFallback::ArrowOver:
        arrow(QColor(60, 60, 160));
        break;
    case SkinFallback::ArrowPress:
        arrow(QColor(20, 20, 90));
        break;
    case SkinFallback::CheckChecked:
        check(1);
        break;
    case SkinFallback::CheckUnchecked:
        check(0);
        break;
    case SkinFallback::CheckGrayed:
        check(2);
        break;
    case SkinFallback::VolumeFrame:
        p.fillRect(img.rect(), QColor(40, 40, 44));
        p.setPen(QColor(150, 150, 150));
        p.drawRect(r);
        p.drawRect(r.adjusted(9, 7, -9, -8));
        break;
    }
    return img;
}

} // namespace

QImage skinImage(std::string_view name, SkinFallback fallback, QSize fallbackSize) {
    const auto bytes = embeddedImage(name);
    if (!bytes.empty()) {
        QImage img;
        if (img.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())) &&
            !img.isNull())
            return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return drawnStandIn(fallback, fallbackSize);
}

ButtonFaces buttonFaces(std::string_view set, QSize fallbackSize) {
    const std::string base = "button/" + std::string(set) + "/";
    return {skinImage(base + "main", SkinFallback::ButtonMain, fallbackSize),
            skinImage(base + "over", SkinFallback::ButtonOver, fallbackSize),
            skinImage(base + "press", SkinFallback::ButtonPress, fallbackSize)};
}

} // namespace vtx
