#pragma once

// The cell cursor of keyboard play: one cell of the board that is in play,
// moved by keys and by the pointer, that Enter or Space acts on.
//
// The board in play is the own board while a fleet is arranged by hand and
// the enemy board during the player's turn of a battle; at any other time
// there is none and the keys do nothing. The cursor keeps its row and column
// from one board to the other.
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

#include <cstdint>
#include <string_view>

namespace vtx {

class CellCursor {
public:
    enum class Step { Up, Down, Left, Right, FirstRow, LastRow, FirstColumn, LastColumn };

    explicit CellCursor(Match& match) : m_match(match) {}

    // OwnBoard while arranging, EnemyBoard during the player's turn of a
    // battle, 0 otherwise.
    std::int32_t boardInPlay() const;
    std::int32_t row() const { return m_row; }
    std::int32_t column() const { return m_column; }
    bool shown() const { return m_shown; }

    // Each returns false and changes nothing when no board is in play.
    // Up is towards row 1 (the far side of each board), Left towards column 1.
    bool move(Step step);
    // Enter or Space: drops the ship being placed, or shoots. True when the
    // key had a board to act on (a refused placement still counts).
    bool activate();
    // R: turns the ship being placed; false outside a manual arrangement.
    bool turn();

    // The pointer is over a cell plane ("c7" or "_c7"): the cursor takes its
    // row and column, whichever board it lies on; on the enemy board in the
    // player's turn the cursor shows there.
    void follow(std::string_view cellName);

private:
    void hoverOwnCell();

    Match& m_match;
    std::int32_t m_row = 1;
    std::int32_t m_column = 1;
    bool m_shown = false;
};

} // namespace vtx
