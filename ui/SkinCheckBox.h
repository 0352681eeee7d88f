#pragma once

// A check box whose box is a picture.
//
// State: 0 unchecked, 1 checked, 2 grayed. A click (left release over the
// control, the space key, or click()) toggles: unchecked -> grayed when
// allowGrayed, else checked; checked -> unchecked; grayed -> checked; then
// emits clicked() and takes the focus. The caption's accelerator ("&M")
// focuses the box and toggles it WITHOUT clicked(). setChecked / setState from
// code only change the state and repaint: no clicked(), so loading settings
// never acts on them. stateChanged() follows every change, whatever its cause.
//
// Glyphs hold one or two cells side by side; the second is the disabled look.
// Setting a glyph sets its cell count to width / height when the width is a
// whole multiple of the height, clamped to 1..2. Missing glyphs come from the
// embedded "check/checked|unchecked|grayed" pictures.
//
// mouseDown() / mouseUp() report presses so a window can move the focus
// elsewhere after a click.

#include <QColor>
#include <QImage>
#include <QWidget>

class QShortcut;

namespace vtx {

class SkinCheckBox : public QWidget {
    Q_OBJECT
public:
    enum class BoxSide { Left, Right }; // the glyph's side; the caption takes the other

    // 97 x 17, tab stop, unchecked.
    explicit SkinCheckBox(QWidget* parent = nullptr);

    bool checked() const { return m_state == 1; }
    void setChecked(bool checked);
    int state() const { return m_state; }
    void setState(int state);

    bool allowGrayed = false;
    void setBoxSide(BoxSide side);
    BoxSide boxSide() const { return m_boxSide; }

    void setCaption(const QString& caption);
    const QString& caption() const { return m_caption; }
    void setColor(const QColor& color); // the control's background
    QColor color() const { return m_color; }
    void setTextColor(const QColor& color);

    void setCheckedGlyph(const QImage& glyph);
    void setGrayedGlyph(const QImage& glyph);
    void setUncheckedGlyph(const QImage& glyph);
    int checkedGlyphCells() const { return m_glyphCells[1]; }
    int uncheckedGlyphCells() const { return m_glyphCells[0]; }
    int grayedGlyphCells() const { return m_glyphCells[2]; }

    // The user's click: toggle, clicked(), focus.
    void click();

    // Where paint puts the glyph cell (larger by the factor of a scaled
    // window it lies in) and which source cell it takes (0 or 1); the caption
    // rectangle of the layout rule.
    QRect glyphTarget() const;
    int glyphSourceCell() const;
    QRect captionRect() const;

signals:
    void clicked();
    void stateChanged(int state);
    void mouseDown();
    void mouseUp();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setGlyph(int state, const QImage& glyph);
    void toggle();
    void setStateSilently(int state);
    const QImage& glyphOf(int state) const { return m_glyph[state]; }
    double glyphScale() const;
    QSize cellSize() const; // the glyph cell as painted

    int m_state = 0;
    BoxSide m_boxSide = BoxSide::Left;
    QString m_caption;
    QColor m_color;
    QColor m_textColor = Qt::black;
    QImage m_glyph[3]; // by state
    int m_glyphCells[3] = {1, 1, 1};
    QShortcut* m_accelerator = nullptr;
};

} // namespace vtx
