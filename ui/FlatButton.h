#pragma once

// A flat caption button (the rows of the high-score table): background Color,
// caption in the font's colour, a one-pixel frame in inactiveColor, or in
// activeColor while the pointer is over it. It never shows a focus look once
// removeFocusLook() has run, and takes no keyboard focus from the mouse.

#include <QAbstractButton>
#include <QColor>

namespace vtx {

class FlatButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit FlatButton(QWidget* parent = nullptr);

    void setColor(const QColor& c);
    QColor color() const { return m_color; }
    void setTextColor(const QColor& c);
    QColor activeColor{255, 255, 255};
    QColor inactiveColor{128, 128, 128};

    void removeFocusLook();
    bool showsFocusLook() const { return m_focusLook && hasFocus(); }

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
