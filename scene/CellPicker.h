#pragma once

// Which board cell is under the mouse: the hover that previews a ship while
// the fleet is arranged (and moves the keyboard's cursor), and the click that
// places, turns or shoots. Cells are the boards' planes (Boards::cellOf); the
// sea, the sky, the models and the cursor's frames are no cells.
//
// It answers with a typed cell or nothing and calls nobody back: the main
// window hands the cell on to the rules (Match::cellHovered, cellClicked) and
// to the keyboard's cursor.
//
// Ownership: refers to the World, the Boards and the match state (all outlive
// it) and to the view it picks in (setView; it must outlive its use here);
// owns none of them. It writes only Boards::hoveredCell.
//
// Call order: pointerMoved for each viewer move, pickHover once a frame
// before drawing and before each press, pressed and released for each button.
// UI thread only.

#include "game/GameTypes.h"
#include "game/MatchState.h"

#include <optional>

namespace vtx {

class Boards;
class IObjectPicker;
class Plane;
class SceneObject;
class World;

class CellPicker {
public:
    CellPicker(World& world, Boards& boards, const MatchState& state);

    // The view whose pixels the picks look at; without one nothing is picked.
    void setView(IObjectPicker* view) { m_view = view; }

    // The pointer is at (x, y) of the viewer. The hover test waits for
    // pickHover: a pick draws the picture again and reads it back, a mouse
    // reports moves far more often than frames are drawn, and only the last
    // place of a frame can show. A move to the same pixel as the last is none.
    void pointerMoved(int x, int y);
    // The hover test for the pointer's last place, if it moved since: the
    // cell the pointer came onto, when it is another than the last. Nothing
    // when the keyboard's cursor moved (Boards::hoveredCell changed) after
    // the pointer's move.
    std::optional<BoardCell> pickHover();
    // A button pressed at (x, y): the cell it clicked, if any. While a fleet
    // is arranged the right button turns the ship only when it comes up where
    // it went down: its press answers nothing and its release (released)
    // answers the cell, since a right drag turns the camera, not the ship.
    std::optional<BoardCell> pressed(MouseButton button, int x, int y);
    std::optional<BoardCell> released(MouseButton button, int x, int y);
    // Pixels a pressed right button may travel and still be a click.
    static constexpr int ClickSlop = 4;

private:
    bool hovering() const;
    SceneObject* pickAt(int x, int y);

    bool m_hoverPending = false;
    int m_hoverX = 0, m_hoverY = 0;
    // The cell hovered when the pending move came (Boards::hoveredCell).
    const Plane* m_hoverFrom = nullptr;
    bool m_pointerKnown = false;
    int m_pointerX = 0, m_pointerY = 0;
    bool m_rightPending = false;
    int m_rightX = 0, m_rightY = 0;
    std::optional<BoardCell> m_rightCell;

    World& m_world;
    Boards& m_boards;
    const MatchState& m_state;
    IObjectPicker* m_view = nullptr;
};

} // namespace vtx
