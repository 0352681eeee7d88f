#pragma once

// Which board cell is under the mouse: the hover that previews a ship while
// the fleet is arranged (and moves the keyboard's cursor), and the click that
// places, turns or shoots. Cells are the boards' planes with Tag 0; the sea,
// the sky and the models are no cells.
//
// Ownership: refers to the World, the Boards and the Match (all outlive it);
// owns none of them. It writes only Boards::hoveredCell; the match hears the
// picks through its own handlers (cellHover, cellMouseDown). The environment
// is injected so tests can drive it:
//   pick(x, y)     the object under a viewer pixel (the viewer's pickObject)
//   pickThrough(x, y, lookThrough)   the same, looking through the objects
//                  lookThrough accepts (the viewer's pickObjectThrough)
//   hoverWanted()  the pointer's cell is wanted outside an arrangement too
//                  (the keyboard's cursor follows it)
//   cellHovered(name)   the pointer came onto another cell plane
//
// Call order: pointerMoved for each viewer move, pickHover once a frame
// before drawing, Click for each button press. UI thread only.

#include "game/Match.h"

#include <functional>
#include <string>
#include <string_view>

namespace vtx {

class Boards;
class SceneObject;
class World;

class CellPicker {
public:
    using LookThrough = std::function<bool(const SceneObject&)>;

    CellPicker(World& world, Boards& boards, Match& match);

    std::function<SceneObject*(int x, int y)> pick;
    std::function<SceneObject*(int x, int y, const LookThrough& lookThrough)> pickThrough;
    std::function<bool()> hoverWanted;
    std::function<void(std::string_view cellName)> cellHovered;

    // The pointer is at (x, y) of the viewer. The hover test waits for
    // pickHover: a pick draws the picture again and reads it back, a mouse
    // reports moves far more often than frames are drawn, and only the last
    // place of a frame can show.
    void pointerMoved(int x, int y);
    // The hover test for the pointer's last place, if it moved since.
    void pickHover();
    // A button pressed at (x, y): a waiting hover test runs first, then the
    // cell under the pointer goes to the match. While a fleet is arranged the
    // right button turns the ship only when it comes up where it went down
    // (Release): a right drag turns the camera, not the ship.
    void click(MouseButton button, int x, int y);
    void release(MouseButton button, int x, int y);
    // Pixels a pressed right button may travel and still be a click.
    static constexpr int ClickSlop = 4;

private:
    bool hovering() const;
    bool isCell(const SceneObject* object) const;
    SceneObject* pickAt(int x, int y);

    bool m_hoverPending = false;
    bool m_rightPending = false;
    int m_rightX = 0, m_rightY = 0;
    std::string m_rightCell;
    int m_hoverX = 0, m_hoverY = 0;

    World& m_world;
    Boards& m_boards;
    Match& m_match;
};

} // namespace vtx
