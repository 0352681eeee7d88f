#include "ui/TOffice97Button.h"

#include <QMouseEvent>
#include <QPainter>

namespace vtx {

TOffice97Button::TOffice97Button(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
}

void TOffice97Button::SetColor(const QColor& c) {
    m_color = c;
    update();
}
void TOffice97Button::SetTextColor(const QColor& c) {
    m_textColor = c;
    update();
}

void TOffice97Button::RemoveFocusLook() {
    m_focusLook = false;
    if (hasFocus()) clearFocus();
    update();
}

void TOffice97Button::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_color);
    p.setPen(m_hovered ? ActiveColor : InactiveColor);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(font());
    p.setPen(m_textColor);
    p.drawText(rect().adjusted(3, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
    if (ShowsFocusLook()) {
        QPen dots(m_textColor);
        dots.setStyle(Qt::DotLine);
        p.setPen(dots);
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void TOffice97Button::mousePressEvent(QMouseEvent* event) {
    emit mouseDown();
    QAbstractButton::mousePressEvent(event);
}

void TOffice97Button::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TOffice97Button::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace vtx
