#include "ui/TBitCheckBox.h"

#include "ui/SkinImages.h"
#include "ui/TSkinnedForm.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace vtx {

TBitCheckBox::TBitCheckBox(QWidget* parent) : QWidget(parent) {
    resize(97, 17);
    setFocusPolicy(Qt::StrongFocus);
    m_color = palette().color(QPalette::Window);
    setGlyph(0, skinImage("check/unchecked", SkinFallback::CheckUnchecked, QSize(32, 16)));
    setGlyph(1, skinImage("check/checked", SkinFallback::CheckChecked, QSize(32, 16)));
    setGlyph(2, skinImage("check/grayed", SkinFallback::CheckGrayed, QSize(32, 16)));
}

void TBitCheckBox::setStateSilently(int state) {
    state = std::clamp(state, 0, 2);
    if (state == m_state) return;
    m_state = state;
    update();
    emit stateChanged(m_state);
}

void TBitCheckBox::SetChecked(bool checked) {
    setStateSilently(checked ? 1 : 0);
}

void TBitCheckBox::SetState(int state) {
    setStateSilently(state);
}

void TBitCheckBox::SetAlignment(Alignment a) {
    m_alignment = a;
    update();
}

void TBitCheckBox::SetCaption(const QString& caption) {
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

void TBitCheckBox::SetColor(const QColor& color) {
    m_color = color;
    update();
}

void TBitCheckBox::SetTextColor(const QColor& color) {
    m_textColor = color;
    update();
}

void TBitCheckBox::setGlyph(int state, const QImage& glyph) {
    m_glyph[state] = glyph;
    int cells = 1;
    if (!glyph.isNull() && glyph.height() > 0 && glyph.width() % glyph.height() == 0)
        cells = glyph.width() / glyph.height();
    m_numGlyphs[state] = std::clamp(cells, 1, 2);
    update();
}

void TBitCheckBox::SetCheckedGlyph(const QImage& glyph) {
    setGlyph(1, glyph);
}
void TBitCheckBox::SetGrayedGlyph(const QImage& glyph) {
    setGlyph(2, glyph);
}
void TBitCheckBox::SetUncheckedGlyph(const QImage& glyph) {
    setGlyph(0, glyph);
}

void TBitCheckBox::toggle() {
    switch (m_state) {
    case 0:
        setStateSilently(AllowGrayed ? 2 : 1);
        break;
    case 1:
        setStateSilently(0);
        break;
    default:
        setStateSilently(1);
        break;
    }
}

void TBitCheckBox::Click() {
    toggle();
    emit clicked();
    if (isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
}

double TBitCheckBox::glyphScale() const {
    // The box grows with its window as the caption's font does.
    const auto* form = qobject_cast<const TSkinnedForm*>(window());
    return form ? form->Scale().factor() : 1.0;
}

QSize TBitCheckBox::cellSize() const {
    const QImage& g = glyphOf(m_state);
    if (g.isNull()) return {};
    const double f = glyphScale();
    return QSize(int(std::lround(g.width() / m_numGlyphs[m_state] * f)), int(std::lround(g.height() * f)));
}

QRect TBitCheckBox::GlyphTarget() const {
    const QSize cell = cellSize();
    const int x = m_alignment == Alignment::RightJustify ? 0 : width() - cell.width();
    const int y = (height() - cell.height()) / 2;
    return QRect(QPoint(x, y), cell);
}

int TBitCheckBox::GlyphSourceCell() const {
    return (!isEnabled() && m_numGlyphs[m_state] == 2) ? 1 : 0;
}

QRect TBitCheckBox::CaptionRect() const {
    const QFontMetrics fm(font());
    const int cellWidth = cellSize().width();
    const int left = m_alignment == Alignment::RightJustify ? cellWidth + 4 : 1;
    int textWidth = fm.horizontalAdvance(QString(m_caption).remove(QLatin1Char('&')));
    const int textHeight = fm.height();
    const int top = (height() - textHeight) / 2 - 2;
    return QRect(QPoint(left, top), QPoint(left + textWidth, top + textHeight + 3 - 1));
}

void TBitCheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_color);

    const QRect captionRect = CaptionRect();
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (isEnabled()) {
        p.setPen(m_textColor);
        p.drawText(captionRect.adjusted(0, 0, 8, 0), flags, m_caption);
    } else {
        p.setPen(palette().color(QPalette::Light));
        p.drawText(captionRect.translated(1, 1).adjusted(0, 0, 8, 0), flags, m_caption);
        p.setPen(QColor(128, 128, 128));
        p.drawText(captionRect.adjusted(0, 0, 8, 0), flags, m_caption);
    }
    if (hasFocus()) {
        QPen dots(m_textColor);
        dots.setStyle(Qt::DotLine);
        p.setPen(dots);
        p.drawRect(captionRect.adjusted(-1, 0, 2, 0));
    }

    const QImage& g = glyphOf(m_state);
    if (!g.isNull()) {
        const QRect target = GlyphTarget();
        const int cellWidth = g.width() / m_numGlyphs[m_state];
        const QRect source(GlyphSourceCell() * cellWidth, 0, cellWidth, g.height());
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(target, g, source);
    }
}

void TBitCheckBox::mousePressEvent(QMouseEvent* event) {
    emit mouseDown();
    event->accept();
}

void TBitCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool over = rect().contains(event->position().toPoint());
    if (over && event->button() == Qt::LeftButton) Click();
    emit mouseUp();
    event->accept();
}

void TBitCheckBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        Click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vtx
