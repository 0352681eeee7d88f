#pragma once

// A flat drop-down list (no free text) with a picture arrow button.
//
// The right 20 pixels are the arrow button, drawn from one of three 20 x 20
// pictures (the embedded "combo/main|over|press") by arrowState(): 1 normal,
// 2 pointer over the control, 3 pressed.
// Pointer enters: 2; leaves: 1; a press right of width - 20: 3 (a press on the
// text part leaves the state alone); when the list closes or the selection
// changes: 2 if the pointer is over the control, else 1.
// Frame: one ring in colorBorder, two inner rings in the control's colour.
// The text field shows the selection grey (the game's highlight) while the
// control has the focus and its list is closed.
// The opened list is dropDownHeight() pixels high: n x r + 4, n the smaller of
// maxVisibleItems() and count(), r the font's height plus an eighth of it
// (rounded) minus 2; 4 or less becomes 10. A font change resets itemHeight to 13.

#include <QColor>
#include <QComboBox>
#include <QImage>

namespace vtx {

class SkinComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit SkinComboBox(QWidget* parent = nullptr);

    QColor colorBorder = QColor(160, 150, 131);

    int arrowState() const { return m_arrowState; }
    int itemHeight() const { return m_itemHeight; }
    int dropDownHeight() const;
    // The colour of the control's field and list (the panel may set it).
    void setColor(const QColor& color);
    QColor color() const { return m_color; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setArrowState(int state);
    int rowHeight() const;

    QImage m_arrowFaces[3]; // by arrowState() - 1
    QColor m_color = Qt::white;
    int m_arrowState = 1;
    int m_itemHeight = 13;
};

} // namespace vtx
