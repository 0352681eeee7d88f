#include "game/admiral/FleetSampler.h"

#include <algorithm>
#include <span>

namespace vtx {
namespace {

// A draw in [0, 1).
double unitDraw(GameRandom& random) {
    constexpr std::int32_t Steps = 1 << 30;
    return double(random.random(Steps)) / double(Steps);
}

// Connected groups of hit cells, each the hits one ship afloat may cover
// (a ship never covers part of a group where ships may not touch).
std::vector<CellSet> hitGroups(const CellSet& hits) {
    std::vector<CellSet> groups;
    CellSet left = hits;
    while (!left.empty()) {
        int first = -1;
        left.forEach([&](int index) {
            if (first < 0) first = index;
        });
        CellSet group = CellSet::of(first);
        for (;;) {
            const CellSet grown = surroundings(group) & left;
            if (grown == group) break;
            group = grown;
        }
        groups.push_back(group);
        left = left.minus(group);
    }
    return groups;
}

// The first ship of the game's arrangement, on the empty grid: within the
// first millisecond the arrangement tries one cell down its column, then along
// its row; should neither fit, each later millisecond draws a cell and tries
// the orientations in either order. Chance of each place, summing to 1.
std::vector<double> firstShipChances(std::span<const ShipPlacement> list) {
    int cellsWithPlace = 0;
    for (std::size_t j = 0; j < list.size(); ++j)
        if (list[j].horizontal || list[j].twin < 0) ++cellsWithPlace; // once per first cell
    const double stuck = double(GridCells - cellsWithPlace) / GridCells;
    std::vector<double> chances(list.size());
    for (std::size_t j = 0; j < list.size(); ++j) {
        const bool bothFit = list[j].twin >= 0;
        const double first = !list[j].horizontal || !bothFit ? 1.0 : 0.0;
        chances[j] = first / GridCells + stuck * (bothFit ? 0.5 : 1.0) / cellsWithPlace;
    }
    return chances;
}

} // namespace

DeckOdds FleetSampler::odds(const SeaChart& chart, const PlacementWeights& weights, int fleets,
                            GameRandom& random) {
    DeckOdds result;
    const std::vector<int>& sizes = chart.rules().shipSizes;
    const int ships = int(sizes.size());
    const CellSet hits = chart.hits();
    const CellSet closed = chart.water() | chart.sunkDecks();
    const std::vector<CellSet> groups = hitGroups(hits);
    const bool gameModel = weights.model == ArrangementModel::GameArrangement;

    std::array<int, MaxShipSize + 1> shipsOfSize{};
    for (const int s : sizes)
        shipsOfSize[std::size_t(s)] += 1;
    for (int s = 1; s <= MaxShipSize; ++s) {
        if (shipsOfSize[std::size_t(s)] == 0) continue;
        const auto list = m_placements.ofSize(s);
        SizeTable& table = m_tables[std::size_t(s)];
        table.allowed.assign(list.size(), 0);
        table.weight.assign(list.size(), 1.0);
        for (std::size_t i = 0; i < list.size(); ++i) {
            table.allowed[i] = !list[i].cells.intersects(closed) && !list[i].ring.intersects(hits);
            table.weight[i] = weights.of(s, i);
        }
    }
    // The first ship of the game's arrangement lies on the empty grid: its
    // chances are fixed.
    std::vector<double> firstShip;
    if (gameModel) firstShip = firstShipChances(m_placements.ofSize(sizes.front()));

    // Where each sunk ship lies, by size.
    std::array<std::array<int, FleetShips>, MaxShipSize + 1> sunkPlaces{};
    std::array<int, MaxShipSize + 1> sunkOfSize{};
    int afloatDecks = 0;
    for (const int s : sizes)
        afloatDecks += s;
    for (const SunkShip& ship : chart.sunkShips()) {
        const int index = m_placements.indexOf(ship.size, ship.decks);
        if (index < 0 || sunkOfSize[std::size_t(ship.size)] >= shipsOfSize[std::size_t(ship.size)])
            return result; // no fleet of these rules agrees with such a chart
        sunkPlaces[std::size_t(ship.size)][std::size_t(sunkOfSize[std::size_t(ship.size)]++)] = index;
        afloatDecks -= ship.size;
    }

    std::array<double, GridCells> sum{};
    std::array<double, GridCells> reveal{};
    const CellSet unknownCells = chart.unknown();
    // The cell that would sink a ship (its one deck not yet hit), and how
    // many unknown cells its sinking would show as water.
    const auto sinking = [&](const ShipPlacement& p, int& cell, int& shown) {
        const CellSet left = p.cells.minus(hits);
        if (left.count() != 1) return false;
        left.forEach([&](int c) { cell = c; });
        shown = (p.ring & unknownCells).count();
        return true;
    };
    double total = 0;
    m_covering.reserve(256);
    m_other.reserve(256);
    for (int f = 0; f < fleets; ++f) {
        CellSet taken; // what the ships so far keep from later ones
        CellSet uncovered = hits;
        CellSet decks; // decks of the ships afloat so far
        std::array<int, FleetShips> sinkCell{}, sinkShown{};
        int sinks = 0;
        double weight = 1; // model chance over proposal chance of the draws so far
        int freeDecks = afloatDecks;
        auto placesLeft = sunkPlaces;
        auto sunkLeft = sunkOfSize;
        auto shipsLeft = shipsOfSize;
        int sunkShipsLeft = int(chart.sunkShips().size());
        bool agrees = true;
        bool summed = false; // the last ship was summed over and the fleet counted
        for (int i = 0; i < ships && agrees; ++i) {
            const int s = sizes[std::size_t(i)];
            const int k = shipsLeft[std::size_t(s)]--;
            const int m = sunkLeft[std::size_t(s)];
            const auto list = m_placements.ofSize(s);
            const SizeTable& table = m_tables[std::size_t(s)];
            // The model's weight of a place where the ship fits among the earlier ones.
            const auto modelWeight = [&](std::size_t j) {
                const double w = table.weight[j];
                if (!gameModel || s == 1) return w;
                if (i == 0) return w * firstShip[j];
                const int twin = list[j].twin;
                return twin >= 0 && !list[std::size_t(twin)].cells.intersects(taken) ? w / 2 : w;
            };

            if (m > 0 && (m == k || random.random(k) < m)) {
                // Ship i is one of the sunk ships of its size (chance m/k), each alike.
                const int pick = random.random(m);
                auto& places = placesLeft[std::size_t(s)];
                const int index = places[std::size_t(pick)];
                places[std::size_t(pick)] = places[std::size_t(m - 1)];
                sunkLeft[std::size_t(s)] -= 1;
                sunkShipsLeft -= 1;
                const ShipPlacement& p = list[std::size_t(index)];
                if (p.cells.intersects(taken)) {
                    agrees = false;
                    break;
                }
                double fit = 0;
                for (std::size_t j = 0; j < list.size(); ++j)
                    if (!list[j].cells.intersects(taken)) fit += modelWeight(j);
                weight *= modelWeight(std::size_t(index)) / fit * double(k);
                taken |= p.halo;
                continue;
            }

            // A ship afloat: every place where it fits among the earlier ships
            // counts for the model; the chart allows some of them.
            double fit = 0;
            double coveringSum = 0;
            double otherSum = 0;
            m_covering.clear();
            m_other.clear();
            for (std::size_t j = 0; j < list.size(); ++j) {
                const ShipPlacement& p = list[j];
                if (p.cells.intersects(taken)) continue;
                const double w = modelWeight(j);
                fit += w;
                if (!table.allowed[j]) continue;
                if (p.cells.intersects(uncovered)) {
                    coveringSum += w;
                    m_covering.push_back({int(j), w});
                } else {
                    otherSum += w;
                    m_other.push_back({int(j), w});
                }
            }
            const double freeChance = double(k - m) / double(k);

            if (i == ships - 1) {
                // Sum over every place of the last ship instead of drawing one.
                const double scale = weight / (fit * freeChance);
                double placed = 0;
                for (const Candidate& c : uncovered.empty() ? m_other : m_covering) {
                    const ShipPlacement& p = list[std::size_t(c.index)];
                    if (!p.cells.contains(uncovered)) continue;
                    const double w = scale * c.weight;
                    p.cells.forEach([&](int cell) { sum[std::size_t(cell)] += w; });
                    int cell = 0, shown = 0;
                    if (sinking(p, cell, shown)) reveal[std::size_t(cell)] += w * shown;
                    placed += w;
                }
                if (placed > 0) {
                    decks.forEach([&](int cell) { sum[std::size_t(cell)] += placed; });
                    for (int n = 0; n < sinks; ++n)
                        reveal[std::size_t(sinkCell[std::size_t(n)])] += placed * sinkShown[std::size_t(n)];
                    total += placed;
                    result.agreeingFleets += 1;
                }
                summed = true;
                break;
            }

            // The chance to put this ship over hits: its share of the decks
            // still to place, once per group of hits not yet covered.
            int openGroups = 0;
            for (const CellSet& g : groups)
                if (g.intersects(uncovered)) ++openGroups;
            const int freeShipsAfter = (ships - 1 - i) - sunkShipsLeft;
            double cover = 0;
            if (coveringSum > 0) {
                if (otherSum <= 0 || freeShipsAfter == 0)
                    cover = 1;
                else
                    cover = std::min(0.9, double(s * openGroups) / double(freeDecks));
            }
            if (cover <= 0 && otherSum <= 0) {
                agrees = false;
                break;
            }
            const bool covering = cover >= 1 || (cover > 0 && unitDraw(random) < cover);
            const std::vector<Candidate>& from = covering ? m_covering : m_other;
            const double fromSum = covering ? coveringSum : otherSum;
            double target = unitDraw(random) * fromSum;
            const Candidate* chosen = &from.back();
            for (const Candidate& c : from) {
                target -= c.weight;
                if (target < 0) {
                    chosen = &c;
                    break;
                }
            }
            const ShipPlacement& p = list[std::size_t(chosen->index)];
            weight *= fromSum / ((covering ? cover : 1 - cover) * fit * freeChance);
            taken |= p.halo;
            uncovered = uncovered.minus(p.cells);
            decks |= p.cells;
            if (sinking(p, sinkCell[std::size_t(sinks)], sinkShown[std::size_t(sinks)])) ++sinks;
            freeDecks -= s;
        }
        if (!agrees || summed || !uncovered.empty()) continue;
        decks.forEach([&](int cell) { sum[std::size_t(cell)] += weight; });
        for (int n = 0; n < sinks; ++n)
            reveal[std::size_t(sinkCell[std::size_t(n)])] += weight * sinkShown[std::size_t(n)];
        total += weight;
        result.agreeingFleets += 1;
    }
    if (total <= 0) {
        result.agreeingFleets = 0;
        return result;
    }
    const CellSet unknown = chart.unknown();
    unknown.forEach([&](int cell) {
        result.deck[std::size_t(cell)] = sum[std::size_t(cell)] / total;
        result.reveal[std::size_t(cell)] = reveal[std::size_t(cell)] / total;
    });
    return result;
}

} // namespace vtx
