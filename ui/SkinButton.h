#pragma once

// A push button drawn from three pictures, its faces, with its caption
// written onto them.
//
// Faces: Normal, Over (after a click with the pointer still over the button),
// Pressed (pressed, or down). At every paint the caption text is written onto
// the face at (xOffset, yOffset), one pixel lower on Pressed, in the colour of
// the SkinFont the button points to; the caption's typeface and size are the
// button's own caption font (setCaptionFont), only the colour comes from the
// SkinFont. The stored faces stay clean: the caption is composed onto a copy,
// so changing the text never leaves old text.
//
// Mouse: a press (any button) shows Pressed. A release shows Pressed when
// down, else Over when the pointer is over the button and Normal when it is
// not; a left release over the button emits clicked(). Entering and leaving
// change nothing. setSkinFont and setDown set the reset flag: the next paint
// shows Pressed when down, else Normal.
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

class SkinButton : public QWidget {
    Q_OBJECT
public:
    enum class Face { Normal, Over, Pressed };

    // Geometry 10, 10, 150 x 50; offsets 20, 8; empty caption; font: a white
    // 10-pt font owned by the button until setSkinFont gives it another.
    explicit SkinButton(QWidget* parent = nullptr);

    bool down() const { return m_down; }
    void setDown(bool value);

    // Stores the pointer (not a copy); the caller keeps the font alive.
    void setSkinFont(SkinFont* font);
    SkinFont* skinFont() const { return m_font; }

    void setText(const QString& text);
    const QString& text() const { return m_text; }
    void setXOffset(int x);
    void setYOffset(int y);
    int xOffset() const { return m_xOffset; }
    int yOffset() const { return m_yOffset; }

    // Setting the normal face also shows it; the other two only store theirs.
    void setNormalFace(const QImage& picture);
    void setOverFace(const QImage& picture);
    void setPressedFace(const QImage& picture);
    // Convenience: the three faces of the embedded set "button/<set>/...",
    // and the button resized to the normal face.
    void setFaces(const char* set);

    void setCaptionFont(const QFont& font);
    // Sets font as the caption font, its letters tightened step by step down
    // to tightestPercent of their width until the caption stays on the face.
    void fitCaptionFont(QFont font, int tightestPercent);
    const QFont& captionFont() const { return m_captionFont; }
    // Where the caption's first letter is drawn, and the caption drawn.
    // Buttons made while a translation is in force are centred: the caption
    // (without its leading blanks) is centred across the button and xOffset
    // is not used, since the offsets were laid out for the English words.
    int captionLeft() const;
    QString caption() const;

    // The face shown at the next paint, and a face with its caption composed
    // as it is painted (for checks and screenshots).
    Face currentFace() const;
    QImage composedFace(Face which) const;

    // The click of a key: clicked() when the button is enabled and shown.
    bool click();

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
    const QImage& faceImage(Face which) const;
    void drawCaption(QPainter& p, Face which) const;

    bool m_down = false;
    SkinFont m_ownFont;
    SkinFont* m_font;
    int m_xOffset = 20;
    int m_yOffset = 8;
    QString m_text;
    QImage m_normalFace;
    QImage m_overFace;
    QImage m_pressedFace;
    QFont m_captionFont;
    Face m_current = Face::Normal;
    bool m_reset = true;
    bool m_focusByKey = false;
    bool m_centred = false;
};

// Switches a skinned button on (enabledFont, enabled) or off (disabledFont,
// disabled): the caption colour shows the state.
void switchButton(SkinButton* button, bool on);

// A 71 x 24 button of the shared face at (x, y), its caption 20 pixels in and
// 7 down in the white font: the buttons of the 306-wide windows.
SkinButton* makeFaceButton(QWidget* parent, const QString& text, int x, int y);

} // namespace vtx
