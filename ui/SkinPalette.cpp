#include "ui/SkinPalette.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace vtx {

void applyGreySelection(QWidget* widget) {
    if (!widget) return;
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Highlight, kSelectionGrey);
    pal.setColor(QPalette::HighlightedText, Qt::white);
    widget->setPalette(pal);
}

QColor installGreySelection() {
    QPalette pal = QApplication::palette();
    const QColor saved = pal.color(QPalette::Highlight);
    pal.setColor(QPalette::Highlight, kSelectionGrey);
    QApplication::setPalette(pal);
    return saved;
}

void restoreSelection(const QColor& saved) {
    QPalette pal = QApplication::palette();
    pal.setColor(QPalette::Highlight, saved);
    QApplication::setPalette(pal);
}

} // namespace vtx
