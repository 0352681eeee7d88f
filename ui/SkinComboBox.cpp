#include "ui/SkinComboBox.h"

#include "ui/SkinImages.h"
#include "ui/SkinPalette.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace vtx {

namespace {

constexpr int kArrowWidth = 20;

// Rows of the list as high as the drop-down height rule assumes.
class RowDelegate : public QStyledItemDelegate {
public:
    RowDelegate(QObject* owner, int rowHeight) : QStyledItemDelegate(owner), height(rowHeight) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(height);
        return s;
    }
    int height;
};

} // namespace

SkinComboBox::SkinComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    m_arrowFaces[0] = skinImage("combo/main", SkinFallback::ArrowMain, QSize(20, 20));
    m_arrowFaces[1] = skinImage("combo/over", SkinFallback::ArrowOver, QSize(20, 20));
    m_arrowFaces[2] = skinImage("combo/press", SkinFallback::ArrowPress, QSize(20, 20));
    applyGreySelection(this);
    applyGreySelection(view());
    view()->setItemDelegate(new RowDelegate(this, std::max(1, rowHeight())));
    connect(this, &QComboBox::currentIndexChanged, this, [this] { setArrowState(underMouse() ? 2 : 1); });
}

void SkinComboBox::setColor(const QColor& color) {
    m_color = color;
    QPalette pal = view()->palette();
    pal.setColor(QPalette::Base, color);
    view()->setPalette(pal);
    update();
}

int SkinComboBox::rowHeight() const {
    const int h = fontMetrics().height();
    return h + static_cast<int>(std::lround(h / 8.0)) - 2;
}

int SkinComboBox::dropDownHeight() const {
    const int n = std::min(maxVisibleItems(), count());
    const int result = n * rowHeight() + 4;
    return result <= 4 ? 10 : result;
}

void SkinComboBox::setArrowState(int state) {
    if (m_arrowState == state) return;
    m_arrowState = state;
    update();
}

void SkinComboBox::showPopup() {
    QComboBox::showPopup();
    if (QWidget* popup = view()->window(); popup && popup != window()) {
        popup->resize(popup->width(), dropDownHeight());
        // Below the box, as every list opens: a style that lays the current
        // item over the box moves the items between openings.
        popup->move(mapToGlobal(QPoint(0, height())));
    }
}

void SkinComboBox::hidePopup() {
    QComboBox::hidePopup();
    const bool over = rect().contains(mapFromGlobal(QCursor::pos()));
    m_arrowState = over ? 2 : 1;
    update();
}

void SkinComboBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect all = rect();
    p.fillRect(all, m_color);
    p.setPen(colorBorder);
    p.drawRect(all.adjusted(0, 0, -1, -1));
    // Two rings in the control's colour keep the face flat (already filled).

    const QRect field(3, 3, width() - kArrowWidth - 6, height() - 6);
    const bool highlighted = hasFocus() && !view()->isVisible();
    if (highlighted) {
        p.fillRect(field, palette().color(QPalette::Highlight));
        p.setPen(palette().color(QPalette::HighlightedText));
    } else {
        p.setPen(palette().color(QPalette::Text));
    }
    p.drawText(field.adjusted(2, 0, -1, 0), Qt::AlignVCenter | Qt::AlignLeft, currentText());
    if (highlighted) {
        QPen dots(palette().color(QPalette::HighlightedText));
        dots.setStyle(Qt::DotLine);
        p.setPen(dots);
        p.drawRect(field.adjusted(0, 0, -1, -1));
    }

    // Arrow button: its frame (once, then widened by one pixel), then the picture.
    const QRect arrow(width() - kArrowWidth - 1, 0, kArrowWidth, height());
    p.setPen(colorBorder);
    p.drawRect(arrow.adjusted(0, 0, -1, -1));
    p.drawRect(arrow.adjusted(-1, 0, 0, -1));
    p.drawImage(QPoint(width() - kArrowWidth, 1), m_arrowFaces[std::clamp(m_arrowState, 1, 3) - 1]);
}

void SkinComboBox::enterEvent(QEnterEvent* event) {
    setArrowState(2);
    QComboBox::enterEvent(event);
}

void SkinComboBox::leaveEvent(QEvent* event) {
    setArrowState(1);
    QComboBox::leaveEvent(event);
}

void SkinComboBox::mousePressEvent(QMouseEvent* event) {
    if (event->position().x() > width() - kArrowWidth) setArrowState(3);
    QComboBox::mousePressEvent(event);
}

void SkinComboBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!rect().contains(pos))
        setArrowState(1);
    else if (pos.x() > width() - kArrowWidth)
        setArrowState(2);
    QComboBox::mouseReleaseEvent(event);
}

void SkinComboBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_itemHeight = 13;
        if (auto* d = dynamic_cast<RowDelegate*>(view()->itemDelegate()))
            d->height = std::max(1, rowHeight());
    }
    QComboBox::changeEvent(event);
}

} // namespace vtx
