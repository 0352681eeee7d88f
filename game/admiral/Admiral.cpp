#include "game/admiral/Admiral.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <vector>

namespace vtx {

Admiral::Admiral(const SeaRules& rules, int fleetsPerShot)
    : m_placements(rules.shipsMayTouch), m_sampler(m_placements), m_fleetsPerShot(fleetsPerShot) {
    m_weights = gameArrangementWeights(rules);
}

PlacementWeights Admiral::gameArrangementWeights(const SeaRules& rules) {
    PlacementWeights weights;
    if (rules == SeaRules::game()) weights.model = ArrangementModel::GameArrangement;
    return weights;
}

std::optional<DeckCell> Admiral::chooseShot(const SeaChart& chart, GameRandom& random) {
    assert(chart.rules().shipsMayTouch == m_placements.shipsMayTouch());
    const CellSet unknown = chart.unknown();
    if (unknown.empty()) return std::nullopt;
    m_odds = m_sampler.odds(chart, m_weights, m_fleetsPerShot, random);
    if (m_odds.agreeingFleets == 0) m_odds = singleShipOdds(chart);

    // A hit that sinks a ship also shows the water around it, which spares
    // later shots there: each such cell counts as a small part of a hit.
    constexpr double ShownWaterWorth = 0.08;
    std::array<double, GridCells> worth{};
    double best = -1;
    unknown.forEach([&](int cell) {
        const std::size_t i = std::size_t(cell);
        worth[i] = m_odds.deck[i] + ShownWaterWorth * m_odds.reveal[i];
        best = std::max(best, worth[i]);
    });
    // The best cells; worths within a rounding error of each other are equal.
    std::vector<int> ties;
    const double floor = best - std::abs(best) * 1e-9;
    unknown.forEach([&](int cell) {
        if (worth[std::size_t(cell)] >= floor) ties.push_back(cell);
    });
    const int cell = ties[std::size_t(random.random(std::int32_t(ties.size())))];
    return DeckCell{cell / GridSize + 1, cell % GridSize + 1};
}

DeckOdds Admiral::singleShipOdds(const SeaChart& chart) const {
    // Every place each ship afloat may take on its own, a place over hits
    // counting as many times over as the chart makes it likelier.
    constexpr double OverHits = 50.0;
    DeckOdds odds;
    const CellSet closed = chart.water() | chart.sunkDecks();
    const CellSet hits = chart.hits();
    const CellSet unknown = chart.unknown();
    for (const int size : chart.afloatSizes()) {
        const auto list = m_placements.ofSize(size);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const ShipPlacement& p = list[i];
            if (p.cells.intersects(closed) || p.ring.intersects(hits)) continue;
            const double w = m_weights.of(size, i) * (p.cells.intersects(hits) ? OverHits : 1.0);
            (p.cells & unknown).forEach([&](int cell) { odds.deck[std::size_t(cell)] += w; });
        }
    }
    return odds;
}

} // namespace vtx
