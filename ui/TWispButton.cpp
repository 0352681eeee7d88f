#include "ui/TWispButton.h"

#include "ui/SkinImages.h"
#include "ui/Translation.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vtx {

TWispButton::TWispButton(QWidget* parent) : QWidget(parent), m_font(&m_ownFont) {
    m_ownFont.font = QFont(QStringLiteral("DejaVu Sans"));
    m_ownFont.font.setPointSize(10);
    m_ownFont.color = Qt::white;
    m_captionFont = QFont(QStringLiteral("DejaVu Sans"));
    m_captionFont.setPixelSize(11);
    setGeometry(10, 10, 150, 50);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    m_centred = TranslationActive();
}

QString TWispButton::Caption() const {
    return m_centred ? m_text.trimmed() : m_text;
}

int TWispButton::CaptionLeft() const {
    if (!m_centred) return m_xOffset;
    // Across the face as laid out: a scaled button draws its face scaled.
    const int faceWidth = m_mainPict.isNull() ? width() : m_mainPict.width();
    return (faceWidth - QFontMetrics(m_captionFont).horizontalAdvance(Caption())) / 2;
}

void TWispButton::SetDown(bool value) {
    m_down = value;
    m_current = value ? Pict::Press : Pict::Main;
    m_reset = true;
    update();
}

void TWispButton::SetFont(SkinFont* font) {
    m_font = font ? font : &m_ownFont;
    m_reset = true;
    update();
}

void TWispButton::SetText(const QString& text) {
    m_text = text;
    update();
}

void TWispButton::SetXOffset(int x) {
    m_xOffset = x;
    update();
}

void TWispButton::SetYOffset(int y) {
    m_yOffset = y;
    update();
}

void TWispButton::SetMainPict(const QImage& picture) {
    m_mainPict = picture;
    m_current = Pict::Main;
    update();
}

void TWispButton::SetMOverPict(const QImage& picture) {
    m_mOverPict = picture;
}

void TWispButton::SetPressPict(const QImage& picture) {
    m_pressPict = picture;
}

void TWispButton::SetFaces(const char* set) {
    const ButtonFaces faces = buttonFaces(set, size());
    SetMainPict(faces.main);
    SetMOverPict(faces.over);
    SetPressPict(faces.press);
}

void TWispButton::SetCaptionFont(const QFont& font) {
    m_captionFont = font;
    update();
}

TWispButton::Pict TWispButton::CurrentPict() const {
    if (m_reset) return m_down ? Pict::Press : Pict::Main;
    return m_current;
}

const QImage& TWispButton::picture(Pict which) const {
    switch (which) {
    case Pict::MOver:
        return m_mOverPict;
    case Pict::Press:
        return m_pressPict;
    case Pict::Main:
        break;
    }
    return m_mainPict;
}

void TWispButton::drawCaption(QPainter& p, Pict which) const {
    if (m_text.isEmpty()) return;
    p.setFont(m_captionFont);
    p.setPen(m_font->color);
    const int y = m_yOffset + (which == Pict::Press ? 1 : 0);
    // The offset is the top-left of the caption cell, as a canvas TextOut.
    p.drawText(QPoint(CaptionLeft(), y + QFontMetrics(m_captionFont).ascent()), Caption());
}

QImage TWispButton::ComposedPict(Pict which) const {
    QImage img = picture(which);
    if (img.isNull()) return img;
    img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    drawCaption(p, which);
    return img;
}

void TWispButton::paintEvent(QPaintEvent*) {
    if (m_reset) {
        m_current = m_down ? Pict::Press : Pict::Main;
        m_reset = false;
    }
    QPainter p(this);
    const QImage& face = picture(m_current);
    if (face.isNull() || face.size() == size()) {
        p.drawImage(0, 0, ComposedPict(m_current));
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

bool TWispButton::Click() {
    if (!isEnabled() || !isVisible()) return false;
    emit clicked();
    return true;
}

void TWispButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((event->modifiers() & ~Qt::KeypadModifier) == 0 &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TWispButton::focusInEvent(QFocusEvent* event) {
    m_focusByKey = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void TWispButton::focusOutEvent(QFocusEvent* event) {
    m_focusByKey = false;
    update();
    QWidget::focusOutEvent(event);
}

void TWispButton::mousePressEvent(QMouseEvent* event) {
    m_reset = false;
    m_current = Pict::Press;
    update();
    event->accept();
}

void TWispButton::mouseReleaseEvent(QMouseEvent* event) {
    m_reset = false;
    const bool over = rect().contains(event->position().toPoint());
    if (m_down)
        m_current = Pict::Press;
    else
        m_current = over ? Pict::MOver : Pict::Main;
    update();
    event->accept();
    if (over && event->button() == Qt::LeftButton) emit clicked();
}

void SwitchButton(TWispButton* button, bool on) {
    if (!button) return;
    button->SetFont(on ? EnabledFont() : DisabledFont());
    button->setEnabled(on);
}

TWispButton* MakeFaceButton(QWidget* parent, const QString& text, int x, int y) {
    auto* b = new TWispButton(parent);
    b->setGeometry(x, y, 71, 24);
    b->SetFaces("71x24");
    b->SetText(text);
    b->SetXOffset(20);
    b->SetYOffset(7);
    b->SetFont(EnabledFont());
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace vtx
