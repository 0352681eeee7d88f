#pragma once

// Every place a ship of each size can lie on the empty grid, with the cells it
// takes and the cells it keeps from every other ship, built once per rule set.
// A placement's index within its size is stable (first deck in grid order,
// along a row before down a column), so weights can be kept per index.

#include "game/admiral/CellSet.h"
#include "game/admiral/SeaRules.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace vtx {

struct ShipPlacement {
    CellSet cells;
    // What no other ship may take: the cells and, where ships may not touch,
    // every cell around them.
    CellSet halo;
    // halo minus cells: water for sure once this ship is known.
    CellSet ring;
    std::int8_t row = 0; // first deck, 1..10
    std::int8_t column = 0;
    bool horizontal = true; // a ship of one deck has only the horizontal placement
    // The index of the placement from the same first deck in the other
    // orientation, -1 when that one leaves the grid (or the ship has one deck).
    int twin = -1;
};

class ShipPlacements {
public:
    explicit ShipPlacements(bool shipsMayTouch);

    // The placements of a ship of size decks (1..MaxShipSize); empty for any other size.
    std::span<const ShipPlacement> ofSize(int size) const;
    // The index within ofSize(size) of the ship on exactly these cells, or -1.
    int indexOf(int size, const CellSet& cells) const;
    bool shipsMayTouch() const { return m_shipsMayTouch; }

private:
    bool m_shipsMayTouch;
    std::array<std::vector<ShipPlacement>, MaxShipSize + 1> m_bySize;
};

// The cells around a set of cells (the set itself included), inside the grid.
CellSet surroundings(const CellSet& cells);

} // namespace vtx
