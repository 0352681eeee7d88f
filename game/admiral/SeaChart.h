#pragma once

// The Admiral's chart of the player's sea: what its own shots found, and
// nothing else. It is built only from shot results (a miss, a hit, a ship
// sunk with its decks) and from the rules (the fleet's make-up, whether ships
// may touch); it holds no grid of the player and no way to reach one, so the
// Admiral plays fair by construction: two hidden fleets that gave the same
// results give the same chart.
//
// Where ships may not touch, a sunk ship's surroundings become water on the
// chart as the game marks them for any player.

#include "game/Ship.h"
#include "game/admiral/CellSet.h"
#include "game/admiral/SeaRules.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vtx {

enum class ChartCell : std::uint8_t {
    Unknown, // not shot, not known
    Water,   // a miss, or water next to a sunk ship
    Hit,     // a deck of a ship still afloat
    Sunk,    // a deck of a sunk ship
};

struct SunkShip {
    CellSet decks;
    int size = 0;
};

class SeaChart {
public:
    // rules must be valid (SeaRules::valid).
    explicit SeaChart(SeaRules rules = SeaRules::game());

    const SeaRules& rules() const { return m_rules; }
    // Unknown for a cell outside the grid.
    ChartCell at(int row, int column) const;

    // The results of shots, in the order they were fired. A cell outside the
    // grid is ignored. A miss on a known deck changes nothing.
    void recordMiss(int row, int column);
    void recordHit(int row, int column);
    // The ship on these decks (the deck just hit among them) has sunk. Refused
    // (false, nothing changes) unless the decks form one straight unbroken line
    // inside the grid, none is water or sunk, and a ship of that size is
    // still afloat.
    bool recordSunk(std::span<const DeckCell> decks);

    CellSet unknown() const { return m_unknown; }
    CellSet water() const { return m_water; }
    CellSet hits() const { return m_hits; }
    CellSet sunkDecks() const { return m_sunkDecks; }
    const std::vector<SunkShip>& sunkShips() const { return m_sunk; }
    // Sizes of the ships not yet sunk, largest first.
    std::vector<int> afloatSizes() const;
    bool fleetSunk() const { return m_sunk.size() == m_rules.shipSizes.size(); }

private:
    SeaRules m_rules;
    CellSet m_unknown = CellSet::all();
    CellSet m_water;
    CellSet m_hits;
    CellSet m_sunkDecks;
    std::vector<SunkShip> m_sunk;
};

} // namespace vtx
