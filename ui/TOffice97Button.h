#pragma once

// A flat caption button (the rows of the high-score table): background Color,
// caption in the font's colour, a one-pixel frame in InactiveColor, or in
// ActiveColor while the pointer is over it. It never shows a focus look once
// RemoveFocusLook() has run, and takes no keyboard focus from the mouse.

#include <QAbstractButton>
#include <QColor>

namespace vtx {

class TOffice97Button : public QAbstractButton {
    Q_OBJECT
public:
    explicit TOffice97Button(QWidget* parent = nullptr);

    void SetColor(const QColor& c);
    QColor Color() const { return m_color; }
    void SetTextColor(const QColor& c);
    QColor ActiveColor{255, 255, 255};
    QColor InactiveColor{128, 128, 128};

    void RemoveFocusLook();
    bool ShowsFocusLook() const { return m_focusLook && hasFocus(); }

signals:
    void mouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QColor m_color{64, 64, 64};
    QColor m_textColor = Qt::white;
    bool m_hovered = false;
    bool m_focusLook = true;
};

} // namespace vtx
