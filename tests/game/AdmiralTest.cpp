#include "game/admiral/Admiral.h"

#include <gtest/gtest.h>

#include <vector>

namespace vtx {
namespace {

// A fleet by its ships' cells: first deck, size, along a row or down a column.
struct Hidden {
    std::vector<CellSet> ships;
    void put(int row, int column, int size, bool horizontal) {
        CellSet cells;
        for (int k = 0; k < size; ++k)
            cells.add(horizontal ? gridIndex(row, column + k) : gridIndex(row + k, column));
        ships.push_back(cells);
    }
};

enum class Result { Miss, Hit, Sunk };

// What a shot at the hidden fleet tells the shooter, written on its chart.
Result answer(const Hidden& fleet, std::vector<CellSet>& hit, const DeckCell& shot, SeaChart& chart) {
    const int cell = gridIndex(shot.row, shot.column);
    for (std::size_t n = 0; n < fleet.ships.size(); ++n) {
        if (!fleet.ships[n].has(cell)) continue;
        chart.recordHit(shot.row, shot.column);
        hit[n].add(cell);
        if (!(hit[n] == fleet.ships[n])) return Result::Hit;
        std::vector<DeckCell> decks;
        fleet.ships[n].forEach([&](int c) { decks.push_back({c / GridSize + 1, c % GridSize + 1}); });
        EXPECT_TRUE(chart.recordSunk(decks));
        return Result::Sunk;
    }
    chart.recordMiss(shot.row, shot.column);
    return Result::Miss;
}

TEST(Admiral, SeesOnlyShotResultsSoFleetsThatAnswerAlikeDrawTheSameShots) {
    // Two fleets of the game that differ only in where one one-deck ship lies on the bottom row.
    Hidden first;
    first.put(1, 1, 4, true);
    first.put(3, 1, 3, false);
    first.put(3, 8, 3, true);
    first.put(5, 4, 2, true);
    first.put(7, 7, 2, false);
    first.put(10, 1, 2, true);
    first.put(1, 7, 1, true);
    first.put(5, 10, 1, true);
    first.put(8, 4, 1, true);
    first.put(10, 10, 1, true);
    Hidden second = first;
    second.ships[9] = CellSet::of(gridIndex(10, 6));

    Admiral admiral(SeaRules::game(), 200);
    GameRandom firstRandom(20240611), secondRandom(20240611);
    SeaChart firstChart, secondChart;
    std::vector<CellSet> firstHits(10), secondHits(10);
    int shots = 0;
    for (;; ++shots) {
        ASSERT_LT(shots, GridCells) << "the fleets never answered differently";
        const auto a = admiral.chooseShot(firstChart, firstRandom);
        const auto b = admiral.chooseShot(secondChart, secondRandom);
        ASSERT_TRUE(a && b);
        // Until the results part, the Admiral cannot tell the fleets apart.
        ASSERT_EQ(a->row, b->row) << "shot " << shots;
        ASSERT_EQ(a->column, b->column) << "shot " << shots;
        if (answer(first, firstHits, *a, firstChart) != answer(second, secondHits, *b, secondChart)) break;
    }
    EXPECT_GT(shots, 10);
}

} // namespace
} // namespace vtx
