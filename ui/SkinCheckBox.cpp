#include "ui/SkinCheckBox.h"

#include "ui/SkinImages.h"
#include "ui/SkinnedWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace vtx {

SkinCheckBox::SkinCheckBox(QWidget* parent) : QWidget(parent) {
    resize(97, 17);
    setFocusPolicy(Qt::StrongFocus);
    m_color = palette().color(QPalette::Window);
    setGlyph(0, skinImage("check/unchecked", SkinFallback::CheckUnchecked, QSize(32, 16)));
    setGlyph(1, skinImage("check/checked", SkinFallback::CheckChecked, QSize(32, 16)));
    setGlyph(2, skinImage("check/grayed", SkinFallback::CheckGrayed, QSize(32, 16)));
}

void SkinCheckBox::setStateSilently(int state) {
    state = std::clamp(state, 0, 2);
    if (state == m_state) return;
    m_state = state;
    update();
    emit stateChanged(m_state);
}

void SkinCheckBox::setChecked(bool checked) {
    setStateSilently(checked ? 1 : 0);
}

void SkinCheckBox::setState(int state) {
    setStateSilently(state);
}

void SkinCheckBox::setBoxSide(BoxSide side) {
    m_boxSide = side;
    update();
}

void SkinCheckBox::setCaption(const QString& caption) {
    m_caption = caption;
    delete m_accelerator;
    m_accelerator = nullptr;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    if (!mnemonic.isEmpty()) {
        m_accelerator = new QShortcut(mnemonic, this);
        m_accelerator->setContext(Qt::WindowShortcut);
        connect(m_accelerator, &QShortcut::activated, this, [this] {
            if (!isVisible() || !isEnabled()) return;
            setFocus(Qt::ShortcutFocusReason);
            toggle();
        });
    }
    update();
}

void SkinCheckBox::setColor(const QColor& color) {
    m_color = color;
    update();
}

void SkinCheckBox::setTextColor(const QColor& color) {
    m_textColor = color;
    update();
}

void SkinCheckBox::setGlyph(int state, const QImage& glyph) {
    m_glyph[state] = glyph;
    int cells = 1;
    if (!glyph.isNull() && glyph.height() > 0 && glyph.width() % glyph.height() == 0)
        cells = glyph.width() / glyph.height();
    m_glyphCells[state] = std::clamp(cells, 1, 2);
    update();
}

void SkinCheckBox::setCheckedGlyph(const QImage& glyph) {
    setGlyph(1, glyph);
}
void SkinCheckBox::setGrayedGlyph(const QImage& glyph) {
    setGlyph(2, glyph);
}
void SkinCheckBox::setUncheckedGlyph(const QImage& glyph) {
    setGlyph(0, glyph);
}

void SkinCheckBox::toggle() {
    switch (m_state) {
    case 0:
        setStateSilently(allowGrayed ? 2 : 1);
        break;
    case 1:
        setStateSilently(0);
        break;
    default:
        setStateSilently(1);
        break;
    }
}

void SkinCheckBox::click() {
    toggle();
    emit clicked();
    if (isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
}

double SkinCheckBox::glyphScale() const {
    // The box grows with its window as the caption's font does.
    const auto* skinned = qobject_cast<const SkinnedWindow*>(window());
    return skinned ? skinned->scale().factor() : 1.0;
}

QSize SkinCheckBox::cellSize() const {
    const QImage& g = glyphOf(m_state);
    if (g.isNull()) return {};
    const double f = glyphScale();
    return QSize(int(std::lround(g.width() / m_glyphCells[m_state] * f)), int(std::lround(g.height() * f)));
}

QRect SkinCheckBox::glyphTarget() const {
    const QSize cell = cellSize();
    const int x = m_boxSide == BoxSide::Left ? 0 : width() - cell.width();
    const int y = (height() - cell.height()) / 2;
    return QRect(QPoint(x, y), cell);
}

int SkinCheckBox::glyphSourceCell() const {
    return (!isEnabled() && m_glyphCells[m_state] == 2) ? 1 : 0;
}

QRect SkinCheckBox::captionRect() const {
    const QFontMetrics fm(font());
    const int cellWidth = cellSize().width();
    const int left = m_boxSide == BoxSide::Left ? cellWidth + 4 : 1;
    int textWidth = fm.horizontalAdvance(QString(m_caption).remove(QLatin1Char('&')));
    const int textHeight = fm.height();
    const int top = (height() - textHeight) / 2 - 2;
    return QRect(QPoint(left, top), QPoint(left + textWidth, top + textHeight + 3 - 1));
}

void SkinCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_color);

    const QRect textRect = captionRect();
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (isEnabled()) {
        p.setPen(m_textColor);
        p.drawText(textRect.adjusted(0, 0, 8, 0), flags, m_caption);
    } else {
        p.setPen(palette().color(QPalette::Light));
        p.drawText(textRect.translated(1, 1).adjusted(0, 0, 8, 0), flags, m_caption);
        p.setPen(QColor(128, 128, 128));
        p.drawText(textRect.adjusted(0, 0, 8, 0), flags, m_caption);
    }
    if (hasFocus()) {
        QPen dots(m_textColor);
        dots.setStyle(Qt::DotLine);
        p.setPen(dots);
        p.drawRect(textRect.adjusted(-1, 0, 2, 0));
    }

    const QImage& g = glyphOf(m_state);
    if (!g.isNull()) {
        const QRect target = glyphTarget();
        const int cellWidth = g.width() / m_glyphCells[m_state];
        const QRect source(glyphSourceCell() * cellWidth, 0, cellWidth, g.height());
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(target, g, source);
    }
}

void SkinCheckBox::mousePressEvent(QMouseEvent* event) {
    emit mouseDown();
    event->accept();
}

void SkinCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool over = rect().contains(event->position().toPoint());
    if (over && event->button() == Qt::LeftButton) click();
    emit mouseUp();
    event->accept();
}

void SkinCheckBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vtx
