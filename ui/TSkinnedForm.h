#pragma once

// The base of every window of the game: borderless, painted from a panel
// picture, cut to an outline, dragged by its picture.
//
// How a window uses it (the main window TForm1 the same way):
//
//   class TForm1 : public vtx::TSkinnedForm {
//       TForm1() {
//           resize(751, 605);                           // client = window size
//           LoadPanel("data\\panel1.jpg", {742, 603});  // PanelBitmap / PaintBitmap
//           SetOutline(MainOutline());
//           SetDragArea(10, 10, 470, 28);               // 10 < x < 470, 10 < y < 28
//           CenterOnScreen();
//           ... create the child controls ...
//           RebuildWindowRgn();                         // after the children exist
//       }
//       void FormActivate() override { ... }            // every time it is shown
//       void FormClose() override { ... }               // when it is closed
//   };
//
// Other windows call PlaceRelativeTo(mainWindow) at creation instead of
// CenterOnScreen(). FormPaint copies PaintBitmap at (0, 0); a window may draw
// into PaintBitmap() and update(). Mouse presses on the surface (not on a
// child control) inside the drag area start the system move loop through
// the move starter (replaceable, so tests can observe it).
//
// Windows are shown modally with ExecModal(): it returns when the window is
// hidden or closed. FormActivate runs at every (non-spontaneous) show,
// FormClose at every close(); hiding with hide() skips FormClose. A main
// window that must act each time it becomes the active window (not only when
// shown) overrides changeEvent() for QEvent::ActivationChange as well.
//
// Shared look: EnabledFont()/DisabledFont() and SwitchButton() (SkinFont.h,
// TWispButton.h), IsSmallFonts() for the large-font caption offsets, and
// InstallGreySelection()/RestoreSelection() (SkinPalette.h) for the grey
// selection of the game's lists, set at start and put back at exit.

#include "ui/WindowScale.h"

#include <QImage>
#include <QPointer>
#include <QPolygon>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <string_view>
#include <vector>

class QEventLoop;

namespace vtx {

class TWispButton;

class TSkinnedForm : public QWidget {
    Q_OBJECT
public:
    enum class DragMode { None, Area, Anywhere };

    explicit TSkinnedForm(QWidget* parent = nullptr);
    ~TSkinnedForm() override;

    // Decodes the game file (backslash path under the game's data root,
    // names matched without regard to case) into PanelBitmap of panelSize and
    // copies it into PaintBitmap. On failure both are filled dark grey and
    // false is returned with PanelError() naming the file; the window still
    // works without its picture.
    bool LoadPanel(const QString& gamePath, QSize panelSize);
    bool LoadPanel(std::string_view gamePath, QSize panelSize);
    const QImage& PanelBitmap() const { return m_panelBitmap; }
    QImage& PaintBitmap() { return m_paintBitmap; }
    const QString& PanelError() const { return m_panelError; }
    // Writes title over the title painted on the panel (its strip at y 8..29
    // from x 8), for a window whose panel names it in English: the strip's
    // plain end is stretched over the old words and the title drawn as the
    // generator draws titles (a serif, bold, gold on a dark shadow).
    void RetitlePanel(const QString& title);
    // The panel's pixel (controls take it as their colour to blend in);
    // black when outside the picture.
    QColor PanelPixel(int x, int y) const;

    // The outline in window coordinates, filled even-odd.
    void SetOutline(const QPolygon& outline) { m_outline = outline; }
    const QPolygon& Outline() const { return m_outline; }
    // The 12-point outline of the 306-wide windows with the given bottom, and
    // the 20-point outline of the main window.
    static QPolygon Outline306(int bottom);
    static QPolygon MainOutline();

    // Outline united with every child widget's rectangle, made the window's
    // mask (so no control is ever cut off). Call after the children exist.
    void RebuildWindowRgn();
    QRegion WindowRegion() const { return m_region; }

    // Exclusive bounds: a press drags when xMin < x < xMax and yMin < y < yMax.
    void SetDragArea(int xMin, int yMin, int xMax, int yMax);
    void SetDragAnywhere() { m_dragMode = DragMode::Anywhere; }
    void SetNoDrag() { m_dragMode = DragMode::None; }
    bool InDragArea(QPoint pos) const;
    // Replaces the system move call (default: windowHandle()->startSystemMove()).
    void SetMoveStarter(std::function<void(TSkinnedForm&)> starter);

    // left := (main left + main width) / 2 - width / 2 + 20,
    // top  := (main top + main height) / 2 - height / 2 + 50 (halves truncated).
    void PlaceRelativeTo(const QWidget* mainWindow);
    // left := screen width / 2 - width / 2, top likewise.
    void CenterOnScreen();

    // Keys of the window: Enter clicks the focused button, else the first
    // of enterButtons that is on and shown; Esc clicks escapeButton, or
    // closes the window when there is none. Tab walks the controls.
    void SetKeyButtons(QList<TWispButton*> enterButtons, TWispButton* escapeButton);

    // Lets the window be made larger: the panel, the outline, the drag area
    // and every child control there is now (its geometry and its font)
    // scale together by one factor, the layout centred in the window
    // (WindowScale.h); outline, drag area and SetOutline stay in layout
    // coordinates. Adds a grip for resizing at the outline's bottom-right
    // corner; a double click on the drag area, or F11, toggles the largest
    // size the screen allows. Call once, after RebuildWindowRgn. The window
    // never gets smaller than its size at this call.
    void EnableScaling();
    const WindowScale& Scale() const { return m_scale; }
    // After every new layout, with the new factor.
    std::function<void(double factor)> OnScaled;
    // The largest size at which the whole layout fits the screen's free
    // area, centred on it; called again, back to the geometry before.
    void ToggleLargest();
    bool Largest() const { return m_restoreGeometry.isValid(); }

    // A window of the main window's (options, scores, lobby, message): it is
    // scaled as EnableScaling does, and each time it is shown it takes the
    // source's factor, keeping its centre. Call once, after the window is
    // built; the source must outlive it.
    void FollowScaleOf(const TSkinnedForm* source);

    // Shows the window application-modal and returns once it is hidden.
    void ExecModal();
    // Shows the window application-modal and returns at once: for windows the
    // game's rules open, which must never run the event loop inside a rule.
    void ShowModal();
    bool InModalLoop() const { return m_modalLoop != nullptr; }

protected:
    virtual void FormPaint(QPainter& painter);
    virtual void FormActivate() {}
    virtual void FormClose() {}
    // Press on the surface: starts a move inside the drag area.
    virtual void FormMouseDown(QMouseEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    struct DesignChild {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
    };
    void applyScale();
    void takeSourceScale();

    QImage m_panelBitmap;
    QImage m_paintBitmap;
    QString m_panelError;
    QPolygon m_outline;
    WindowScale m_scale;
    bool m_scaling = false;
    const TSkinnedForm* m_scaleSource = nullptr;
    std::vector<DesignChild> m_designChildren;
    QRect m_restoreGeometry;
    QImage m_scaledPaint; // PaintBitmap at the current factor
    qint64 m_scaledPaintKey = 0;
    QRegion m_region;
    DragMode m_dragMode = DragMode::None;
    QRect m_dragBounds; // xMin, yMin, xMax, yMax as left, top, right, bottom
    std::function<void(TSkinnedForm&)> m_moveStarter;
    QEventLoop* m_modalLoop = nullptr;
    QList<TWispButton*> m_enterButtons;
    TWispButton* m_escapeButton = nullptr;
};

} // namespace vtx
