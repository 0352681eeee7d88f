#pragma once

// The cell cursor of keyboard play: one cell of the board that is in play,
// moved by keys and by the pointer, that Enter or Space acts on.
//
// The board in play is the own board while a fleet is arranged by hand and
// the enemy board during the player's turn of a battle; at any other time
// there is none and the keys do nothing. The cursor keeps its row and column
// from one board to the other.
//
// The keys follow the picture, not the grid: the camera turns, so "right" is
// wherever the player sees right. Given where the cells' centres lie on the
// screen (screenCells), an arrow goes to the neighbouring cell that lies most
// nearly in its direction there; should two arrows want the same neighbour
// (a board seen about half-way between two sides), each still gets one of its
// own, the four together as near their directions as can be, so that no
// neighbour is out of the keys' reach. The far steps (Home, End, Page Up,
// Page Down) repeat their arrow to the board's edge. Without screenCells the
// grid is taken as seen from the south: up towards row 1, left towards
// column 1.
//
// Every act goes through the Match's own handlers, as a mouse player's
// would: a move while arranging is a hover of the own cell (the placement
// preview follows), Enter drops the ship there, and during the battle Enter
// shoots the enemy cell. So the keys can do nothing the mouse cannot.
//
// Shown: false until the first key of the cursor, true from then on; a mouse
// player who never presses one sees no cursor. The pointer moves the cursor
// all the same (follow), so keys go on from where the mouse was.

#include "game/Match.h"

#include <array>
#include <cstdint>
#include <functional>

namespace vtx {

// The board the player acts on now: OwnBoard while a fleet is arranged by
// hand, EnemyBoard in the player's turn of a battle, NoBoard otherwise.
Board boardInPlay(const MatchState& state);

class CellCursor {
public:
    enum class Step { Up, Down, Left, Right, FarUp, FarDown, FarLeft, FarRight };

    // A cell's centre on the screen, in pixels with y downwards; seen is
    // false for a point behind the eye, which has no place on the screen.
    struct ScreenPoint {
        float x = 0.0f;
        float y = 0.0f;
        bool seen = false;
    };
    // Indexed [row - 1][column - 1].
    using ScreenCells = std::array<std::array<ScreenPoint, GridSize>, GridSize>;

    explicit CellCursor(Match& match) : m_match(match) {}

    // The centres of a board's cells as the player sees them now; asked at
    // every move, since the camera may have turned since the last.
    std::function<ScreenCells(Board board)> screenCells;

    Board boardInPlay() const { return vtx::boardInPlay(m_match.state()); }
    std::int32_t row() const { return m_row; }
    std::int32_t column() const { return m_column; }
    bool shown() const { return m_shown; }

    // Each returns false and changes nothing when no board is in play; at a
    // board's edge the cursor stays where it is.
    bool move(Step step);
    // Enter or Space: drops the ship being placed, or shoots. True when the
    // key had a board to act on (a refused placement still counts).
    bool activate();
    // R: turns the ship being placed; false outside a manual arrangement.
    bool turn();

    // The pointer came onto a cell: the cursor takes its row and column,
    // whichever board it lies on; on the enemy board in the player's turn
    // the cursor shows there.
    void follow(BoardCell cell);

private:
    struct GridStep {
        std::int32_t rows = 0;
        std::int32_t columns = 0;
    };
    GridStep gridStep(Step arrow, const ScreenCells* screen) const;
    bool stepOnce(Step arrow, const ScreenCells* screen);
    BoardCell cellOn(Board board) const;
    void hoverOwnCell();

    Match& m_match;
    std::int32_t m_row = 1;
    std::int32_t m_column = 1;
    bool m_shown = false;
};

} // namespace vtx
