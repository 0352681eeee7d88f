#include "ui/TFlatEdit.h"

#include "ui/SkinPalette.h"

#include <QEvent>
#include <QPainter>

namespace vtx {

TFlatEdit::TFlatEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(2, 0, 2, 0);
    resize(121, 19);
    ApplyGreySelection(this);
    refresh();
    fitHeight();
}

void TFlatEdit::SetColorFlat(const QColor& c) {
    m_colorFlat = c;
    refresh();
}
void TFlatEdit::SetColorBorder(const QColor& c) {
    m_colorBorder = c;
    update();
}

void TFlatEdit::SetTextColor(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, c);
    setPalette(pal);
}

QColor TFlatEdit::CurrentBackground() const {
    return (hasFocus() || m_hovered) ? m_colorFocused : m_colorFlat;
}

void TFlatEdit::refresh() {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, CurrentBackground());
    setPalette(pal);
    update();
}

void TFlatEdit::fitHeight() {
    resize(width(), fontMetrics().height() + 6);
}

void TFlatEdit::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        p.fillRect(rect(), CurrentBackground());
    }
    QLineEdit::paintEvent(event);
    QPainter p(this);
    p.setPen(m_colorBorder);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TFlatEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    refresh();
}

void TFlatEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    refresh();
}

void TFlatEdit::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    refresh();
    QLineEdit::enterEvent(event);
}

void TFlatEdit::leaveEvent(QEvent* event) {
    m_hovered = false;
    refresh();
    QLineEdit::leaveEvent(event);
}

void TFlatEdit::mousePressEvent(QMouseEvent* event) {
    emit mouseDown();
    QLineEdit::mousePressEvent(event);
}

void TFlatEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) fitHeight();
}

} // namespace vtx
