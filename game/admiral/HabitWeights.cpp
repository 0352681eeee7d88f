#include "game/admiral/HabitWeights.h"

#include "game/GameRandom.h"

#include <algorithm>

namespace vtx {
namespace {

// The eight ways to turn or mirror the grid onto itself; a fleet with every
// place alike prefers none of them, so its odds are averaged over them.
int symmetric(int cell, int way) {
    int row = cell / GridSize;
    int column = cell % GridSize;
    if (way & 1) row = GridSize - 1 - row;
    if (way & 2) column = GridSize - 1 - column;
    if (way & 4) std::swap(row, column);
    return row * GridSize + column;
}

} // namespace

const std::array<double, GridCells>& unbiasedOdds() {
    static const std::array<double, GridCells> odds = [] {
        constexpr int Fleets = 4000;
        const ShipPlacements placements(false);
        FleetSampler sampler(placements);
        GameRandom random(0x5EA5EA5Eu);
        const DeckOdds drawn = sampler.odds(SeaChart(SeaRules::game()), PlacementWeights{}, Fleets, random);
        std::array<double, GridCells> even{};
        for (int cell = 0; cell < GridCells; ++cell) {
            double sum = 0;
            for (int way = 0; way < 8; ++way)
                sum += drawn.deck[std::size_t(symmetric(cell, way))];
            even[std::size_t(cell)] = sum / 8;
        }
        return even;
    }();
    return odds;
}

PlacementWeights habitWeights(const PlayerHabit& habit, const ShipPlacements& placements,
                              const HabitModel& model) {
    PlacementWeights weights;
    if (habit.fleets() == 0) return weights;
    const auto& base = unbiasedOdds();
    // How much more often than the random arrangement the player's decks lie
    // in each band of cells at the same distance from the border: many cells
    // pool their counts, so a band's ratio is known after a few fleets.
    std::array<double, GridSize / 2> bandSeen{}, bandBase{};
    const auto band = [](int cell) {
        const int row = cell / GridSize, column = cell % GridSize;
        return std::min(std::min(row, GridSize - 1 - row), std::min(column, GridSize - 1 - column));
    };
    for (int cell = 0; cell < GridCells; ++cell) {
        bandSeen[std::size_t(band(cell))] += habit.count(cell);
        bandBase[std::size_t(band(cell))] += base[std::size_t(cell)] * habit.fleets();
    }
    std::array<double, GridCells> excess{};
    for (int cell = 0; cell < GridCells; ++cell) {
        const double b = base[std::size_t(cell)];
        const std::size_t d = std::size_t(band(cell));
        const double bandRatio = bandBase[d] > 0 ? bandSeen[d] / bandBase[d] : 1.0;
        // The cell's own count, smoothed towards its band's ratio.
        const double seen =
            (habit.count(cell) + model.priorFleets * b * bandRatio) / (habit.fleets() + model.priorFleets);
        excess[std::size_t(cell)] = std::max(0.0, seen / b - 1.0);
    }
    for (int size = 1; size <= MaxShipSize; ++size) {
        const auto list = placements.ofSize(size);
        auto& out = weights.bySize[std::size_t(size)];
        out.resize(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            double sum = 0;
            list[i].cells.forEach([&](int cell) { sum += excess[std::size_t(cell)]; });
            out[i] = float(1.0 + model.strength * sum);
        }
    }
    return weights;
}

} // namespace vtx
