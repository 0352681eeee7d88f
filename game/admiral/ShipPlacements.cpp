#include "game/admiral/ShipPlacements.h"

namespace vtx {

CellSet surroundings(const CellSet& cells) {
    CellSet around;
    cells.forEach([&](int index) {
        const int row = index / GridSize + 1;
        const int column = index % GridSize + 1;
        for (int r = row - 1; r <= row + 1; ++r)
            for (int c = column - 1; c <= column + 1; ++c)
                if (insideGrid(r, c)) around.add(gridIndex(r, c));
    });
    return around;
}

ShipPlacements::ShipPlacements(bool shipsMayTouch) : m_shipsMayTouch(shipsMayTouch) {
    for (int size = 1; size <= MaxShipSize; ++size) {
        auto& list = m_bySize[std::size_t(size)];
        for (int row = 1; row <= GridSize; ++row)
            for (int column = 1; column <= GridSize; ++column)
                for (const bool horizontal : {true, false}) {
                    if (size == 1 && !horizontal) continue;
                    const int lastRow = horizontal ? row : row + size - 1;
                    const int lastColumn = horizontal ? column + size - 1 : column;
                    if (!insideGrid(lastRow, lastColumn)) continue;
                    ShipPlacement p;
                    for (int k = 0; k < size; ++k)
                        p.cells.add(horizontal ? gridIndex(row, column + k) : gridIndex(row + k, column));
                    p.halo = shipsMayTouch ? p.cells : surroundings(p.cells);
                    p.ring = p.halo.minus(p.cells);
                    p.row = std::int8_t(row);
                    p.column = std::int8_t(column);
                    p.horizontal = horizontal;
                    if (!horizontal && !list.empty() && list.back().row == row &&
                        list.back().column == column) {
                        p.twin = int(list.size()) - 1;
                        list.back().twin = int(list.size());
                    }
                    list.push_back(p);
                }
    }
}

std::span<const ShipPlacement> ShipPlacements::ofSize(int size) const {
    if (size < 1 || size > MaxShipSize) return {};
    return m_bySize[std::size_t(size)];
}

int ShipPlacements::indexOf(int size, const CellSet& cells) const {
    const auto list = ofSize(size);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].cells == cells) return int(i);
    return -1;
}

} // namespace vtx
