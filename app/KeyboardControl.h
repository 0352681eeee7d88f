#pragma once

// The keys of the main window: the menu's shortcuts (shown beside each
// button when the pointer rests on it) and the cell cursor of keyboard play.
//
//   Ctrl+N Single   Ctrl+L Network   F Fight   Ctrl+O Options
//   Ctrl+H Scores   Esc or Ctrl+Q Exit
//   arrows: the cursor one cell, in that direction on the screen;
//   Home/End: to the board's left/right edge as seen; Page Up/Page Down: to
//   its top/bottom edge as seen; Enter or Space: drop the ship or shoot
//   (Space keeps turning the ship while a fleet is arranged);
//   R: turn the ship being placed.
//
// A shortcut does exactly what a click on its button does, and nothing while
// the button is off. The pointer coming onto a cell moves the cursor there
// (cellHovered, from the main window's hover test), so keys and mouse agree
// on the cell.
//
// Ownership: refers to the match, the boards and the cursor's mark (all
// outlive it). The main window hands it each key press of its own (keyPress)
// and calls refresh() at its timer ticks, since the board in play changes
// with the turn. UI thread only.

#include "game/CellCursor.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QList>

#include <functional>

class QKeyEvent;
class QObject;
class QWidget;

namespace vtx {

class Boards;
class CellCursorMark;
class Match;
class MainWindow;
class SkinButton;

class KeyboardControl {
    Q_DECLARE_TR_FUNCTIONS(KeyboardControl)
public:
    KeyboardControl(Match& match, Boards& boards, CellCursorMark& mark);

    // The menu's shortcuts on the window's six buttons, and the view's
    // picture to the arrows. Once, after the buttons exist.
    void attach(MainWindow& window);
    // The button's click for its keys; the hover text names the keys.
    void addShortcut(SkinButton* button, const QList<QKeySequence>& keys, std::function<void()> click);

    // True when the key was taken.
    bool keyPress(const QKeyEvent& event);
    void cellHovered(BoardCell cell);
    // Shows the cursor's frame where it is, or hides it.
    void refresh();

    CellCursor& cursor() { return m_cursor; }
    const CellCursorMark& mark() const { return m_mark; }
    // Whether receiver is a native window inside window's own (the 3D view's
    // surface). A key pressed with the pointer over the view may be sent
    // there: without a window manager the keyboard follows the pointer.
    static bool insideView(const QObject* receiver, const QWidget& window);
    // The hover text of a set of keys, "Esc, Ctrl+Q", in the player's language.
    static QString keysText(const QList<QKeySequence>& keys);

private:
    struct Shortcut {
        SkinButton* button;
        QList<QKeySequence> keys;
        std::function<void()> click;
    };
    bool cursorKey(int key);

    Match& m_match;
    Boards& m_boards;
    CellCursorMark& m_mark;
    CellCursor m_cursor;
    QList<Shortcut> m_shortcuts;
};

} // namespace vtx
