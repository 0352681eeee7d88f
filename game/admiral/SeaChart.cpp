#include "game/admiral/SeaChart.h"

#include "game/admiral/ShipPlacements.h"

#include <algorithm>

namespace vtx {

SeaChart::SeaChart(SeaRules rules) : m_rules(std::move(rules)) {}

ChartCell SeaChart::at(int row, int column) const {
    if (!insideGrid(row, column)) return ChartCell::Unknown;
    const int index = gridIndex(row, column);
    if (m_water.has(index)) return ChartCell::Water;
    if (m_hits.has(index)) return ChartCell::Hit;
    if (m_sunkDecks.has(index)) return ChartCell::Sunk;
    return ChartCell::Unknown;
}

void SeaChart::recordMiss(int row, int column) {
    if (!insideGrid(row, column)) return;
    const int index = gridIndex(row, column);
    if (!m_unknown.has(index)) return;
    m_unknown.remove(index);
    m_water.add(index);
}

void SeaChart::recordHit(int row, int column) {
    if (!insideGrid(row, column)) return;
    const int index = gridIndex(row, column);
    if (m_sunkDecks.has(index)) return;
    m_unknown.remove(index);
    m_water.remove(index);
    m_hits.add(index);
}

bool SeaChart::recordSunk(std::span<const DeckCell> decks) {
    const int size = int(decks.size());
    if (size < 1 || size > MaxShipSize) return false;
    int minRow = GridSize + 1, maxRow = 0, minColumn = GridSize + 1, maxColumn = 0;
    CellSet cells;
    for (const DeckCell& d : decks) {
        if (!insideGrid(d.row, d.column)) return false;
        cells.add(gridIndex(d.row, d.column));
        minRow = std::min(minRow, d.row);
        maxRow = std::max(maxRow, d.row);
        minColumn = std::min(minColumn, d.column);
        maxColumn = std::max(maxColumn, d.column);
    }
    const bool line = (minRow == maxRow && maxColumn - minColumn == size - 1) ||
                      (minColumn == maxColumn && maxRow - minRow == size - 1);
    if (!line || cells.count() != size) return false;
    if (cells.intersects(m_water) || cells.intersects(m_sunkDecks)) return false;
    auto afloat = afloatSizes();
    if (std::find(afloat.begin(), afloat.end(), size) == afloat.end()) return false;

    m_sunk.push_back({cells, size});
    m_sunkDecks |= cells;
    m_hits = m_hits.minus(cells);
    m_unknown = m_unknown.minus(cells);
    if (!m_rules.shipsMayTouch) {
        const CellSet ring = surroundings(cells).minus(cells).minus(m_hits).minus(m_sunkDecks);
        m_water |= ring;
        m_unknown = m_unknown.minus(ring);
    }
    return true;
}

std::vector<int> SeaChart::afloatSizes() const {
    std::vector<int> sizes = m_rules.shipSizes;
    for (const SunkShip& ship : m_sunk) {
        const auto it = std::find(sizes.begin(), sizes.end(), ship.size);
        if (it != sizes.end()) sizes.erase(it);
    }
    return sizes;
}

} // namespace vtx
