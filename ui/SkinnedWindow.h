#pragma once

// The base of every window of the game: borderless, painted from a panel
// picture, cut to an outline, dragged by its picture.
//
// How a window uses it (the main window MainWindow the same way):
//
//   class MainWindow : public vtx::SkinnedWindow {
//       MainWindow() {
//           resize(751, 605);                           // client = window size
//           loadPanel("data\\panel1.jpg", {742, 603});  // panelBitmap / paintBitmap
//           setOutline(mainOutline());
//           setDragArea(10, 10, 470, 28);               // 10 < x < 470, 10 < y < 28
//           centerOnScreen();
//           ... create the child controls ...
//           rebuildWindowRgn();                         // after the children exist
//       }
//       void shown() override { ... }            // every time it is shown
//       void closing() override { ... }               // when it is closed
//   };
//
// Other windows call placeRelativeTo(mainWindow) at creation instead of
// centerOnScreen(). paintPanel copies paintBitmap at (0, 0); a window may draw
// into paintBitmap() and update(). Mouse presses on the surface (not on a
// child control) inside the drag area start the system move loop through
// the move starter (replaceable, so tests can observe it); in a window made
// larger by a double click (enableScaling) only once the pointer moves with
// the button held, so the window manager's move never takes the second click.
//
// Windows are shown modally with execModal(): it returns when the window is
// hidden or closed. shown runs at every (non-spontaneous) show,
// closing at every close(); hiding with hide() skips closing. A main
// window that must act each time it becomes the active window (not only when
// shown) overrides changeEvent() for QEvent::ActivationChange as well.
//
// Shared look: enabledFont()/disabledFont() and switchButton() (SkinFont.h,
// SkinButton.h), isSmallFonts() for the large-font caption offsets, and
// installGreySelection()/restoreSelection() (SkinPalette.h) for the grey
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

class SkinButton;

class SkinnedWindow : public QWidget {
    Q_OBJECT
public:
    enum class DragMode { None, Area, Anywhere };

    explicit SkinnedWindow(QWidget* parent = nullptr);
    ~SkinnedWindow() override;

    // Decodes the game file (backslash path under the game's data root,
    // names matched without regard to case) into panelBitmap of panelSize and
    // copies it into paintBitmap. On failure both are filled dark grey and
    // false is returned with panelError() naming the file; the window still
    // works without its picture.
    bool loadPanel(const QString& gamePath, QSize panelSize);
    bool loadPanel(std::string_view gamePath, QSize panelSize);
    const QImage& panelBitmap() const { return m_panelBitmap; }
    QImage& paintBitmap() { return m_paintBitmap; }
    const QString& panelError() const { return m_panelError; }
    // Writes title over the title painted on the panel (its strip at y 8..29
    // from x 8), for a window whose panel names it in English: the strip's
    // plain end is stretched over the old words and the title drawn as the
    // generator draws titles (a serif, bold, gold on a dark shadow).
    void retitlePanel(const QString& title);
    // The panel's pixel (controls take it as their colour to blend in);
    // black when outside the picture.
    QColor panelPixel(int x, int y) const;

    // The outline in window coordinates, filled even-odd.
    void setOutline(const QPolygon& outline) { m_outline = outline; }
    const QPolygon& outline() const { return m_outline; }
    // The 12-point outline of the 306-wide windows with the given bottom, and
    // the 20-point outline of the main window.
    static QPolygon outline306(int bottom);
    static QPolygon mainOutline();

    // Outline united with every child widget's rectangle, made the window's
    // mask (so no control is ever cut off). Call after the children exist.
    void rebuildWindowRgn();
    QRegion windowRegion() const { return m_region; }

    // Exclusive bounds: a press drags when xMin < x < xMax and yMin < y < yMax.
    void setDragArea(int xMin, int yMin, int xMax, int yMax);
    void setDragAnywhere() { m_dragMode = DragMode::Anywhere; }
    void setNoDrag() { m_dragMode = DragMode::None; }
    bool inDragArea(QPoint pos) const;
    // Replaces the system move call (default: windowHandle()->startSystemMove()).
    void setMoveStarter(std::function<void(SkinnedWindow&)> starter);

    // Centred over the main window, wherever it stands and however large it is.
    void placeRelativeTo(const QWidget* mainWindow);
    // left := screen width / 2 - width / 2, top likewise.
    void centerOnScreen();

    // Keys of the window: Enter clicks the focused button, else the first
    // of enterButtons that is on and shown; Esc clicks escapeButton, or
    // closes the window when there is none. Tab walks the controls.
    void setKeyButtons(QList<SkinButton*> enterButtons, SkinButton* escapeButton);

    // Lets the window be made larger: the panel, the outline, the drag area
    // and every child control there is now (its geometry and its font)
    // scale together by one factor, the layout centred in the window
    // (WindowScale.h); outline, drag area and setOutline stay in layout
    // coordinates. Adds a grip for resizing at the outline's bottom-right
    // corner; a double click on the drag area, or F11, toggles the largest
    // size the screen allows. Call once, after rebuildWindowRgn. The window
    // never gets smaller than its size at this call.
    void enableScaling();
    const WindowScale& scale() const { return m_scale; }
    // After every new layout, with the new factor.
    std::function<void(double factor)> onScaled;
    // The largest size at which the whole layout fits the screen's free
    // area, centred on it; called at that size, back to the geometry before
    // it, or to the design size when the window was never smaller (it
    // started at the largest size).
    void toggleLargest();
    // At the largest size, however it got there.
    bool largest() const;
    // F11: the whole screen, as a game's full screen (a stretch column takes
    // the width the design's shape leaves); called again, or a double click
    // on the drag area, back to the geometry before.
    void toggleFullScreen();
    bool fullScreen() const { return m_fullScreen; }
    // The design's x range that takes a wider window's extra width
    // (WindowScale::setStretchColumn). Call after enableScaling.
    void setStretchColumn(int left, int right);

    // A window of the main window's (options, scores, lobby, message): it is
    // scaled as enableScaling does, and each time it is shown it takes the
    // source's factor, keeping its centre. Call once, after the window is
    // built; the source must outlive it.
    void followScaleOf(const SkinnedWindow* source);

    // Shows the window application-modal and returns once it is hidden.
    void execModal();
    // Shows the window application-modal and returns at once: for windows the
    // game's rules open, which must never run the event loop inside a rule.
    void showModal();
    bool inModalLoop() const { return m_modalLoop != nullptr; }

protected:
    virtual void paintPanel(QPainter& painter);
    virtual void shown() {}
    virtual void closing() {}
    // Press on the surface: starts a move inside the drag area.
    virtual void panelPressed(QMouseEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct DesignChild {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
    };
    void applyScale();
    void takeSourceScale();
    QRect largestGeometry() const;

    QImage m_panelBitmap;
    QImage m_paintBitmap;
    QString m_panelError;
    QPolygon m_outline;
    WindowScale m_scale;
    bool m_scaling = false;
    const SkinnedWindow* m_scaleSource = nullptr;
    std::vector<DesignChild> m_designChildren;
    QRect m_restoreGeometry;
    QRect m_beforeFullScreen;
    bool m_fullScreen = false;
    int m_stretchLeft = 0;
    int m_stretchRight = 0;
    bool m_movePending = false; // pressed in the drag area, the pointer not yet moved
    QPoint m_movePress;
    QImage m_scaledPaint; // paintBitmap at the current factor
    qint64 m_scaledPaintKey = 0;
    QRegion m_region;
    DragMode m_dragMode = DragMode::None;
    QRect m_dragBounds; // xMin, yMin, xMax, yMax as left, top, right, bottom
    std::function<void(SkinnedWindow&)> m_moveStarter;
    QEventLoop* m_modalLoop = nullptr;
    QList<SkinButton*> m_enterButtons;
    SkinButton* m_escapeButton = nullptr;
};

} // namespace vtx
