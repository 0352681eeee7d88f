#include "ui/FlatButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace vtx {

FlatButton::FlatButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void FlatButton::setColor(const QColor& c) {
    m_color = c;
    update();
}
void FlatButton::setTextColor(const QColor& c) {
    m_textColor = c;
    update();
}

void FlatButton::removeFocusLook() {
    m_focusLook = false;
    if (hasFocus()) clearFocus();
    update();
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_color);
    p.setPen(m_hovered ? activeColor : inactiveColor);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(font());
    p.setPen(m_textColor);
    p.drawText(rect().adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
    if (showsFocusLook()) {
        QPen dots(m_textColor);
        dots.setStyle(Qt::DotLine);
        p.setPen(dots);
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void FlatButton::mousePressEvent(QMouseEvent* event) {
    emit mouseDown();
    QAbstractButton::mousePressEvent(event);
}

void FlatButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void FlatButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace vtx
