#pragma once

// What the player sees of the keyboard's cell cursor: a bright frame lying
// just over the cell it is on, on the board in play, and nothing when the
// cursor is not shown or no board is in play.
//
// The frame is a plane of its own under NonReflecting that the pointer's
// pick never finds, so it never stands between the pointer and a cell.
// Ownership: the plane belongs to the World's scene; World and Boards
// outlive this. Call show() after the cell planes exist (LoadPlanes).

#include <cstdint>

namespace vtx {

class Boards;
class TPlane;
class World;

class CellCursorMark {
public:
    CellCursorMark(World& world, Boards& boards) : m_world(world), m_boards(boards) {}

    // board 0 (or a cell outside the grid, or visible false) hides the frame.
    void show(bool visible, std::int32_t board, std::int32_t row, std::int32_t column);
    // Null until the first show() with a cell.
    const TPlane* plane() const { return m_plane; }

private:
    void build();

    World& m_world;
    Boards& m_boards;
    TPlane* m_plane = nullptr;
};

} // namespace vtx
