#include "game/Placement.h"

namespace vtx {

PlacementProblem placementProblem(const Field& field, std::int32_t size, std::int32_t row,
                                  std::int32_t column, bool horizontal) {
    PlacementProblem problem = PlacementProblem::None;
    for (std::int32_t k = 0; k < size; ++k) {
        const DeckCell at = deckCell(row, column, horizontal, k);
        if (!insideGrid(at.row, at.column)) return PlacementProblem::OffBoard;
        const char cell = cellAt(field, at.row, at.column);
        if (cell == CellDeck) problem = PlacementProblem::Overlaps;
        if (cell != CellWater && problem == PlacementProblem::None) problem = PlacementProblem::Touches;
    }
    return problem;
}

} // namespace vtx
