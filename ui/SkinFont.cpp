#include "ui/SkinFont.h"

#include <QGuiApplication>
#include <QScreen>

namespace vtx {

namespace {

SkinFont makeFont(QColor color) {
    SkinFont f;
    f.font = QFont(QStringLiteral("DejaVu Sans"));
    f.font.setPointSize(10);
    f.color = color;
    return f;
}

} // namespace

SkinFont* enabledFont() {
    static SkinFont font = makeFont(Qt::white);
    return &font;
}

SkinFont* disabledFont() {
    static SkinFont font = makeFont(QColor(128, 128, 128));
    return &font;
}

bool isSmallFonts() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return true;
    return qRound(screen->logicalDotsPerInchX()) == 96;
}

} // namespace vtx
