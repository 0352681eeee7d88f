#pragma once

// What the player sees of the keyboard's cell cursor: a bright frame lying
// just over the cell it is on, on the board in play, and nothing when the
// cursor is not shown or no board is in play.
//
// The frame is a plane of its own under nonReflecting that the pointer's
// pick never finds, so it never stands between the pointer and a cell.
// The same frame in another colour marks each side's last shot (Boards): a
// Look names its material and colour and how high it floats, the cursor's
// highest so it stays on top.
//
// Ownership: the plane belongs to the World's scene; World and Boards
// outlive this. Call show() after the cell planes exist (loadPlanes).

#include <cstdint>

namespace vtx {

class Boards;
class Plane;
class World;

class CellCursorMark {
public:
    struct Look {
        const char* material; // in materials, made at the first show
        const char* name;     // the plane's
        std::uint32_t rgb;    // the ring's colour, 0xRRGGBB
        float penWidth;       // of the 64 x 64 picture's ring
        float lift;           // over the cell, scene units
        bool crossed;         // a cross through the ring, and the ring dashed
    };
    static constexpr Look CursorLook{"cursor", "CellCursor", 0xFFE228, 10.0f, 0.04f, false};
    // The cursor over an enemy cell already used: another colour and another
    // shape, so a player who cannot tell the colours apart still sees it.
    static constexpr Look UsedCellLook{"cursorused", "CellCursor", 0xFF4A1C, 8.0f, 0.04f, true};
    static constexpr Look LastShotLook{"lastshot", "LastShot", 0xF4F8FF, 5.0f, 0.03f, false};

    CellCursorMark(World& world, Boards& boards, const Look& look = CursorLook)
        : m_world(world), m_boards(boards), m_look(look) {}

    // board 0 (or a cell outside the grid, or visible false) hides the frame.
    void show(bool visible, std::int32_t board, std::int32_t row, std::int32_t column);
    // The picture of the frame from now on; the plane keeps its name and lift.
    void setLook(const Look& look);
    const Look& look() const { return m_look; }
    // Null until the first show() with a cell.
    const Plane* plane() const { return m_plane; }

private:
    void build();
    void addMaterial();

    World& m_world;
    Boards& m_boards;
    Look m_look;
    Plane* m_plane = nullptr;
};

} // namespace vtx
