#include "ui/SkinButton.h"

#include "ui/SkinImages.h"
#include "ui/Translation.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vtx {

SkinButton::SkinButton(QWidget* parent) : QWidget(parent), m_font(&m_ownFont) {
    m_ownFont.font = QFont(QStringLiteral("DejaVu Sans"));
    m_ownFont.font.setPointSize(10);
    m_ownFont.color = Qt::white;
    m_captionFont = QFont(QStringLiteral("DejaVu Sans"));
    m_captionFont.setPixelSize(11);
    setGeometry(10, 10, 150, 50);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    m_centred = translationActive();
}

QString SkinButton::caption() const {
    return m_centred ? m_text.trimmed() : m_text;
}

void SkinButton::fitCaptionFont(QFont font, int tightestPercent) {
    for (int spacing = 100; spacing >= tightestPercent; spacing -= 2) {
        font.setLetterSpacing(QFont::PercentageSpacing, spacing);
        setCaptionFont(font);
        if (captionLeft() + QFontMetrics(font).horizontalAdvance(caption()) <= width() - 4) return;
    }
}

int SkinButton::captionLeft() const {
    if (!m_centred) return m_xOffset;
    // Across the face as laid out: a scaled button draws its face scaled.
    const int faceWidth = m_normalFace.isNull() ? width() : m_normalFace.width();
    return (faceWidth - QFontMetrics(m_captionFont).horizontalAdvance(caption())) / 2;
}

void SkinButton::setDown(bool value) {
    m_down = value;
    m_current = value ? Face::Pressed : Face::Normal;
    m_reset = true;
    update();
}

void SkinButton::setSkinFont(SkinFont* font) {
    m_font = font ? font : &m_ownFont;
    m_reset = true;
    update();
}

void SkinButton::setText(const QString& text) {
    m_text = text;
    update();
}

void SkinButton::setXOffset(int x) {
    m_xOffset = x;
    update();
}

void SkinButton::setYOffset(int y) {
    m_yOffset = y;
    update();
}

void SkinButton::setNormalFace(const QImage& picture) {
    m_normalFace = picture;
    m_current = Face::Normal;
    update();
}

void SkinButton::setOverFace(const QImage& picture) {
    m_overFace = picture;
}

void SkinButton::setPressedFace(const QImage& picture) {
    m_pressedFace = picture;
}

void SkinButton::setFaces(const char* set) {
    const ButtonFaces faces = buttonFaces(set, size());
    setNormalFace(faces.main);
    setOverFace(faces.over);
    setPressedFace(faces.press);
}

void SkinButton::setCaptionFont(const QFont& font) {
    m_captionFont = font;
    update();
}

SkinButton::Face SkinButton::currentFace() const {
    if (m_reset) return m_down ? Face::Pressed : Face::Normal;
    return m_current;
}

const QImage& SkinButton::faceImage(Face which) const {
    switch (which) {
    case Face::Over:
        return m_overFace;
    case Face::Pressed:
        return m_pressedFace;
    case Face::Normal:
        break;
    }
    return m_normalFace;
}

void SkinButton::drawCaption(QPainter& p, Face which) const {
    if (m_text.isEmpty()) return;
    p.setFont(m_captionFont);
    p.setPen(m_font->color);
    const int y = m_yOffset + (which == Face::Pressed ? 1 : 0);
    // The offset is the top-left of the caption's cell, not its baseline.
    p.drawText(QPoint(captionLeft(), y + QFontMetrics(m_captionFont).ascent()), caption());
}

QImage SkinButton::composedFace(Face which) const {
    QImage img = faceImage(which);
    if (img.isNull()) return img;
    img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    drawCaption(p, which);
    return img;
}

void SkinButton::paintEvent(QPaintEvent*) {
    if (m_reset) {
        m_current = m_down ? Face::Pressed : Face::Normal;
        m_reset = false;
    }
    QPainter p(this);
    const QImage& face = faceImage(m_current);
    if (face.isNull() || face.size() == size()) {
        p.drawImage(0, 0, composedFace(m_current));
    } else {
        // A window made larger than its layout scales its controls too: the
        // face and its caption by one transform, the letters drawn at the
        // larger size rather than stretched.
        p.save();
        p.scale(double(width()) / face.width(), double(height()) / face.height());
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.drawImage(0, 0, face);
        drawCaption(p, m_current);
        p.restore();
    }
    if (m_focusByKey && hasFocus()) {
        p.setPen(QPen(m_font->color, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

bool SkinButton::click() {
    if (!isEnabled() || !isVisible()) return false;
    emit clicked();
    return true;
}

void SkinButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((event->modifiers() & ~Qt::KeypadModifier) == 0 &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SkinButton::focusInEvent(QFocusEvent* event) {
    m_focusByKey = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void SkinButton::focusOutEvent(QFocusEvent* event) {
    m_focusByKey = false;
    update();
    QWidget::focusOutEvent(event);
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
    m_reset = false;
    m_current = Face::Pressed;
    update();
    event->accept();
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event) {
    m_reset = false;
    const bool over = rect().contains(event->position().toPoint());
    if (m_down)
        m_current = Face::Pressed;
    else
        m_current = over ? Face::Over : Face::Normal;
    update();
    event->accept();
    if (over && event->button() == Qt::LeftButton) emit clicked();
}

void switchButton(SkinButton* button, bool on) {
    if (!button) return;
    button->setSkinFont(on ? enabledFont() : disabledFont());
    button->setEnabled(on);
}

SkinButton* makeFaceButton(QWidget* parent, const QString& text, int x, int y) {
    auto* b = new SkinButton(parent);
    b->setGeometry(x, y, 71, 24);
    b->setFaces("71x24");
    b->setText(text);
    b->setXOffset(20);
    b->setYOffset(7);
    b->setSkinFont(enabledFont());
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace vtx
