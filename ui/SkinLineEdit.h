#pragma once

// A flat one-line edit: background colorFlat, colorFocused while it has the
// focus or the pointer is over it, a one-pixel frame in colorBorder. Its
// height follows the font (text height + 6) at construction and at every
// font change. mouseDown() reports presses (the options window ignores it).

#include <QColor>
#include <QLineEdit>

namespace vtx {

class SkinLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // 121 x 19 before the height rule; colours RGB(235, 234, 225), white, RGB(160, 150, 131).
    explicit SkinLineEdit(QWidget* parent = nullptr);

    void setColorFlat(const QColor& c);
    void setColorBorder(const QColor& c);
    void setTextColor(const QColor& c);
    QColor colorFlat() const { return m_colorFlat; }
    QColor colorFocused() const { return m_colorFocused; }
    QColor colorBorder() const { return m_colorBorder; }
    // The background in use now (flat or focused).
    QColor currentBackground() const;

signals:
    void mouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refresh();
    void fitHeight();

    QColor m_colorFlat{235, 234, 225};
    QColor m_colorFocused = Qt::white;
    QColor m_colorBorder{160, 150, 131};
    bool m_hovered = false;
};

} // namespace vtx
