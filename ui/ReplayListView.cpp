#include "ui/ReplayListView.h"

#include "ui/SkinPalette.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace vtx {

namespace {

// In units of the font's pixel size / 10, so they grow with the window.
constexpr int kPadding = 4;
constexpr int kBarWidth = 6;
constexpr int kWatchMinWidth = 34;
constexpr int kWatchMaxWidth = 64;
constexpr int kSmallestPixels = 6;

const QColor kText(0xe8, 0xee, 0xf8);
const QColor kQuiet(0xa8, 0xb0, 0xbc);
const QColor kWon(0x9c, 0xe0, 0x8c);
const QColor kLost(0xf0, 0x8c, 0x80);
const QColor kFrame(128, 128, 128);

} // namespace

ReplayListView::ReplayListView(QWidget* parent) : QWidget(parent), m_watchCaption(QStringLiteral("Watch")) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ReplayListView::setEntries(std::vector<ReplayListEntry> entries) {
    m_entries = std::move(entries);
    m_current = m_entries.empty() ? -1 : 0;
    m_hoverWatch = -1;
    m_scroll = 0;
    update();
}

void ReplayListView::setEmptyText(const QString& text) {
    m_emptyText = text;
    update();
}

void ReplayListView::setWatchEnabled(bool enabled) {
    m_watchEnabled = enabled;
    update();
}

void ReplayListView::setWatchCaption(const QString& caption) {
    m_watchCaption = caption;
    update();
}

void ReplayListView::setCurrent(int index) {
    if (m_entries.empty()) return;
    m_current = std::clamp(index, 0, int(m_entries.size()) - 1);
    makeVisible(m_current);
    update();
}

QFont ReplayListView::smallFont() const {
    QFont f = font();
    f.setPixelSize(std::max(1, f.pixelSize() - 1));
    return f;
}

int ReplayListView::entryHeight() const {
    const int pad = std::max(1, kPadding * font().pixelSize() / 10);
    return QFontMetrics(font()).height() + buttonHeight() + 2 * pad;
}

// The second line, as high as the Watch button standing in it.
int ReplayListView::buttonHeight() const {
    return QFontMetrics(smallFont()).height() + std::max(2, 4 * font().pixelSize() / 10);
}

int ReplayListView::contentHeight() const {
    return int(m_entries.size()) * entryHeight();
}

int ReplayListView::maxScroll() const {
    return std::max(0, contentHeight() - height());
}

void ReplayListView::scrollTo(int pixels) {
    const int clamped = std::clamp(pixels, 0, maxScroll());
    if (clamped == m_scroll) return;
    m_scroll = clamped;
    update();
}

void ReplayListView::makeVisible(int index) {
    const int top = index * entryHeight();
    if (top < m_scroll)
        scrollTo(top);
    else if (top + entryHeight() > m_scroll + height())
        scrollTo(top + entryHeight() - height());
}

QRect ReplayListView::barRect() const {
    const int w = std::max(3, kBarWidth * font().pixelSize() / 10);
    return QRect(width() - w, 0, w, height());
}

QRect ReplayListView::handleRect() const {
    const QRect bar = barRect();
    if (maxScroll() == 0) return QRect();
    const int length = std::max(bar.width() * 2, height() * height() / std::max(1, contentHeight()));
    const int top = (height() - length) * m_scroll / maxScroll();
    return QRect(bar.x(), top, bar.width(), length);
}

QRect ReplayListView::entryRect(int index) const {
    const int right = maxScroll() > 0 ? barRect().x() - 2 : width();
    return QRect(0, index * entryHeight() - m_scroll, right, entryHeight());
}

QRect ReplayListView::watchRect(int index) const {
    const QRect entry = entryRect(index);
    const int unit = font().pixelSize();
    const int pad = std::max(1, kPadding * unit / 10);
    QFont bold = smallFont();
    bold.setBold(true);
    const int needed = QFontMetrics(bold).horizontalAdvance(m_watchCaption) + 2 * pad + 2;
    const int w = std::clamp(needed, kWatchMinWidth * unit / 10, kWatchMaxWidth * unit / 10);
    const int top = entry.y() + pad + QFontMetrics(font()).height();
    return QRect(entry.right() - pad - w, top, w, buttonHeight());
}

QFont ReplayListView::watchFont() const {
    QFont f = smallFont();
    f.setBold(true);
    const int room = watchRect(0).width() - 2;
    for (int pixels = std::max(f.pixelSize(), 1); pixels >= kSmallestPixels; --pixels) {
        f.setPixelSize(pixels);
        if (QFontMetrics(f).horizontalAdvance(m_watchCaption) <= room) break;
    }
    return f;
}

int ReplayListView::indexAt(QPoint pos) const {
    if (pos.y() < 0 || pos.y() >= height()) return -1;
    const int index = (pos.y() + m_scroll) / std::max(1, entryHeight());
    return index < int(m_entries.size()) ? index : -1;
}

void ReplayListView::watch(int index) {
    if (!m_watchEnabled || index < 0 || index >= int(m_entries.size()) ||
        !m_entries[std::size_t(index)].readable)
        return;
    emit watchClicked(index);
}

void ReplayListView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics fm(font());
    if (m_entries.empty()) {
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(kText);
        p.drawText(rect().adjusted(8, 0, -8, 0), Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
        return;
    }
    const int pad = std::max(1, kPadding * font().pixelSize() / 10);
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const QFont small = smallFont();
    const QFontMetrics smallMetrics(small);
    const QFont captionFont = watchFont();
    const int first = std::max(0, m_scroll / entryHeight());
    for (int i = first; i < int(m_entries.size()); ++i) {
        const QRect entry = entryRect(i);
        if (entry.top() >= height()) break;
        const ReplayListEntry& e = m_entries[std::size_t(i)];
        if (i == m_current) {
            QColor selection = kSelectionGrey;
            selection.setAlpha(hasFocus() ? 110 : 70);
            p.setPen(Qt::NoPen);
            p.setBrush(selection);
            p.drawRoundedRect(entry.adjusted(1, 1, -1, -1), 3, 3);
        }
        const QRect button = watchRect(i);
        // Line 1 across the entry; line 2 beside the Watch button.
        const QRect line1(entry.left() + pad, entry.top() + pad, entry.width() - 2 * pad, fm.height());
        const int line2Right = e.readable ? button.left() - pad : line1.right();
        const QRect line2(line1.left(), line1.bottom() + 1, line2Right - line1.left(), buttonHeight());

        // Line 1: whom, and how it ended at the right; line 2: when, and the shots.
        const QColor tone = !e.readable                             ? kQuiet
                            : e.tone == ReplayListEntry::Tone::Won  ? kWon
                            : e.tone == ReplayListEntry::Tone::Lost ? kLost
                                                                    : kText;
        // One pixel more than the text needs: elidedText cuts a text given exactly its own width.
        const int resultWidth = std::min(boldMetrics.horizontalAdvance(e.result) + 1, line1.width() * 3 / 5);
        p.setFont(bold);
        p.setPen(tone);
        p.drawText(line1, Qt::AlignRight | Qt::AlignVCenter,
                   boldMetrics.elidedText(e.result, Qt::ElideRight, resultWidth));
        p.setPen(e.readable ? kText : kQuiet);
        p.drawText(line1.adjusted(0, 0, -resultWidth - pad, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   boldMetrics.elidedText(e.opponent, Qt::ElideMiddle, line1.width() - resultWidth - pad));
        p.setFont(small);
        p.setPen(kQuiet);
        const int shotsWidth = std::min(smallMetrics.horizontalAdvance(e.shots) + 1, line2.width() * 3 / 5);
        p.drawText(line2, Qt::AlignRight | Qt::AlignVCenter,
                   smallMetrics.elidedText(e.shots, Qt::ElideRight, shotsWidth));
        p.drawText(line2.adjusted(0, 0, -shotsWidth - pad, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   smallMetrics.elidedText(e.date, Qt::ElideRight, line2.width() - shotsWidth - pad));

        if (!e.readable) continue;
        const bool hot = m_watchEnabled && i == m_hoverWatch;
        p.setBrush(QColor(0x10, 0x1c, 0x2c, 200));
        p.setPen(hot ? QColor(Qt::white) : kFrame);
        p.drawRect(QRectF(button).adjusted(0.5, 0.5, -0.5, -0.5));
        p.setFont(captionFont);
        p.setPen(m_watchEnabled ? kText : kFrame);
        p.drawText(button, Qt::AlignCenter, m_watchCaption);
    }
    if (maxScroll() > 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawRoundedRect(barRect(), 2, 2);
        p.setBrush(m_dragging ? QColor(0xd0, 0xd0, 0xd0) : kSelectionGrey);
        p.drawRoundedRect(handleRect(), 2, 2);
    }
}

void ReplayListView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton) return;
    if (maxScroll() > 0 && barRect().contains(pos)) {
        const QRect handle = handleRect();
        if (handle.contains(pos)) {
            m_dragging = true;
            m_dragOffset = pos.y() - handle.top();
        } else {
            scrollTo(m_scroll + (pos.y() < handle.top() ? -height() : height()));
        }
        update();
        return;
    }
    const int index = indexAt(pos);
    if (index < 0) return;
    m_current = index;
    update();
    if (watchRect(index).contains(pos)) watch(index);
}

void ReplayListView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_dragging) {
        const int room = height() - handleRect().height();
        if (room > 0) scrollTo((pos.y() - m_dragOffset) * maxScroll() / room);
        return;
    }
    const int index = indexAt(pos);
    const int hover = index >= 0 && watchRect(index).contains(pos) ? index : -1;
    if (hover != m_hoverWatch) {
        m_hoverWatch = hover;
        update();
    }
}

void ReplayListView::mouseReleaseEvent(QMouseEvent*) {
    if (!m_dragging) return;
    m_dragging = false;
    update();
}

void ReplayListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int index = indexAt(event->position().toPoint());
    if (index >= 0 && !watchRect(index).contains(event->position().toPoint())) watch(index);
}

void ReplayListView::wheelEvent(QWheelEvent* event) {
    scrollTo(m_scroll - event->angleDelta().y() * entryHeight() / 120);
    event->accept();
}

void ReplayListView::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, height() / std::max(1, entryHeight()));
    switch (event->key()) {
    case Qt::Key_Up:
        setCurrent(m_current - 1);
        break;
    case Qt::Key_Down:
        setCurrent(m_current + 1);
        break;
    case Qt::Key_PageUp:
        setCurrent(m_current - page);
        break;
    case Qt::Key_PageDown:
        setCurrent(m_current + page);
        break;
    case Qt::Key_Home:
        setCurrent(0);
        break;
    case Qt::Key_End:
        setCurrent(int(m_entries.size()) - 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_current >= 0 && m_entries[std::size_t(m_current)].readable && m_watchEnabled) {
            watch(m_current);
            break;
        }
        QWidget::keyPressEvent(event); // the window's Enter
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ReplayListView::leaveEvent(QEvent* event) {
    m_hoverWatch = -1;
    update();
    QWidget::leaveEvent(event);
}

void ReplayListView::resizeEvent(QResizeEvent* event) {
    m_scroll = std::clamp(m_scroll, 0, maxScroll());
    QWidget::resizeEvent(event);
}

} // namespace vtx
