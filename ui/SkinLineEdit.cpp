#include "ui/SkinLineEdit.h"

#include "ui/SkinPalette.h"

#include <QEvent>
#include <QPainter>

namespace vtx {

SkinLineEdit::SkinLineEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(2, 0, 2, 0);
    resize(121, 19);
    applyGreySelection(this);
    refresh();
    fitHeight();
}

void SkinLineEdit::setColorFlat(const QColor& c) {
    m_colorFlat = c;
    refresh();
}
void SkinLineEdit::setColorBorder(const QColor& c) {
    m_colorBorder = c;
    update();
}

void SkinLineEdit::setTextColor(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, c);
    setPalette(pal);
}

QColor SkinLineEdit::currentBackground() const {
    return (hasFocus() || m_hovered) ? m_colorFocused : m_colorFlat;
}

void SkinLineEdit::refresh() {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, currentBackground());
    setPalette(pal);
    update();
}

void SkinLineEdit::fitHeight() {
    resize(width(), fontMetrics().height() + 6);
}

void SkinLineEdit::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        p.fillRect(rect(), currentBackground());
    }
    QLineEdit::paintEvent(event);
    QPainter p(this);
    p.setPen(m_colorBorder);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SkinLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    refresh();
}

void SkinLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    refresh();
}

void SkinLineEdit::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    refresh();
    QLineEdit::enterEvent(event);
}

void SkinLineEdit::leaveEvent(QEvent* event) {
    m_hovered = false;
    refresh();
    QLineEdit::leaveEvent(event);
}

void SkinLineEdit::mousePressEvent(QMouseEvent* event) {
    emit mouseDown();
    QLineEdit::mousePressEvent(event);
}

void SkinLineEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) fitHeight();
}

} // namespace vtx
