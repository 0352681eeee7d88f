#pragma once

// The one rule of where a ship may go, for the random arrangement, the
// placement by hand, its status line and the board's preview: every deck on
// water ('0') inside the grid, so never on or beside another ship.

#include "game/GameTypes.h"
#include "game/Ship.h"

#include <cstdint>

namespace vtx {

// Deck k (0-based) of a ship whose first deck is at (row, column): along the
// row when horizontal, down the column otherwise.
constexpr DeckCell deckCell(std::int32_t row, std::int32_t column, bool horizontal, std::int32_t k) {
    return horizontal ? DeckCell{row, column + k} : DeckCell{row + k, column};
}

enum class PlacementProblem { None, OffBoard, Overlaps, Touches };

// Why a ship of size decks cannot go there, the worst reason first (off the
// board, then on another ship, then beside one); None when it can. A pick
// that never happened (row or column 0) is off the board.
PlacementProblem placementProblem(const Field& field, std::int32_t size, std::int32_t row,
                                  std::int32_t column, bool horizontal);

} // namespace vtx
