#pragma once

// A push button drawn from three pictures with its caption written onto them.
//
// Pictures: MainPict (normal), MOverPict (after a click with the pointer still
// over the button), PressPict (pressed, or Down). At every paint the caption
// Text is written onto each picture at (XOffset, YOffset), one pixel lower on
// PressPict, in the colour of the SkinFont the button points to; the caption's
// typeface and size are the button's own caption font (SetCaptionFont), only
// the colour comes from the SkinFont. Our stored pictures stay clean: the
// caption is composed onto a copy, so changing Text never leaves old text.
//
// Mouse: a press (any button) shows PressPict. A release shows PressPict when
// Down, else MOverPict when the pointer is over the button and MainPict when
// it is not; a left release over the button emits clicked(). Entering and
// leaving change nothing. SetFont and SetDown set the reset flag: the next
// paint shows PressPict when Down, else MainPict.
//
// Disabled buttons get no mouse events. Unfilled (transparent) picture pixels
// show the parent through. Keys: a button given Qt::TabFocus (the buttons of
// the small windows) is reached with Tab and clicked with Space or Enter; a
// dotted frame shows it has the focus only when Tab brought it there, so a
// mouse player never sees one.

#include "ui/SkinFont.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QPainter;

namespace vtx {

class TWispButton : public QWidget {
    Q_OBJECT
public:
    enum class Pict { Main, MOver, Press };

    // Geometry 10, 10, 150 x 50; offsets 20, 8; empty caption; font: a white
    // 10-pt font owned by the button until SetFont gives it another.
    explicit TWispButton(QWidget* parent = nullptr);

    bool Down() const { return m_down; }
    void SetDown(bool value);

    // Stores the pointer (not a copy); the caller keeps the font alive.
    void SetFont(SkinFont* font);
    SkinFont* Font() const { return m_font; }

    void SetText(const QString& text);
    const QString& Text() const { return m_text; }
    void SetXOffset(int x);
    void SetYOffset(int y);
    int XOffset() const { return m_xOffset; }
    int YOffset() const { return m_yOffset; }

    // Setting MainPict also shows it; the other two only store the picture.
    void SetMainPict(const QImage& picture);
    void SetMOverPict(const QImage& picture);
    void SetPressPict(const QImage& picture);
    // Convenience: the three faces of the embedded set "button/<set>/...",
    // and the button resized to the main face.
    void SetFaces(const char* set);

    void SetCaptionFont(const QFont& font);
    const QFont& CaptionFont() const { return m_captionFont; }
    // Where the caption's first letter is drawn, and the caption drawn.
    // Buttons made while a translation is in force are centred: the caption
    // (without its leading blanks) is centred across the button and XOffset
    // is not used, since the offsets were laid out for the English words.
    int CaptionLeft() const;
    QString Caption() const;

    // The picture shown at the next paint, and a picture with its caption
    // composed as it is painted (for checks and screenshots).
    Pict CurrentPict() const;
    QImage ComposedPict(Pict which) const;

    // The click of a key: clicked() when the button is enabled and shown.
    bool Click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const QImage& picture(Pict which) const;
    void drawCaption(QPainter& p, Pict which) const;

    bool m_down = false;
    SkinFont m_ownFont;
    SkinFont* m_font;
    int m_xOffset = 20;
    int m_yOffset = 8;
    QString m_text;
    QImage m_mainPict;
    QImage m_mOverPict;
    QImage m_pressPict;
    QFont m_captionFont;
    Pict m_current = Pict::Main;
    bool m_reset = true;
    bool m_focusByKey = false;
    bool m_centred = false;
};

// Switches a skinned button on (EnabledFont, enabled) or off (DisabledFont,
// disabled): the caption colour shows the state.
void SwitchButton(TWispButton* button, bool on);

// A 71 x 24 button of the shared face at (x, y), its caption 20 pixels in and
// 7 down in the white font: the buttons of the 306-wide windows.
TWispButton* MakeFaceButton(QWidget* parent, const QString& text, int x, int y);

} // namespace vtx
