#pragma once

// How likely each cell is to hold a deck of a ship still afloat, given a
// chart: by sampling whole fleets that agree with everything the chart knows.
//
// The model of how the player's fleet came to be follows the game's own
// random arrangement: ships largest first, each on a place drawn among those
// where it fits (inside the grid, off every earlier ship and, where ships may
// not touch, off their surroundings), as the arrangement model says, each
// place times its weight (a player's habit weighs them).
// Fleets are drawn by sequential importance sampling: each ship is put only
// where the chart allows (no known water, no sunk deck, never beside a hit it
// does not cover, where ships may not touch), over the hits of ships afloat
// with a chosen chance, and each fleet carries the weight that turns those
// draws back into draws from the model conditioned on the chart. The sunk
// ships are ships of the model too: one of the ships of their size lies there.
// The smallest ship is not drawn but summed over all its places.
//
// The work is a fixed number of fleets, never a time: the same chart, weights,
// budget and generator state give the same odds.

#include "game/GameRandom.h"
#include "game/admiral/SeaChart.h"
#include "game/admiral/ShipPlacements.h"

#include <array>
#include <vector>

namespace vtx {

// How the model draws the place of each ship among those where it fits.
enum class ArrangementModel {
    // Every place alike, times its weight: a fleet arranged by hand.
    EveryPlace,
    // The game's random arrangement as it runs on the game's clock: it retries
    // the same cell in both orientations until the millisecond changes, so a
    // ship lies on a cell drawn among those where it fits, in one of the
    // orientations that fit there, each alike; only the first ship tries down
    // its cell's column before along its row.
    GameArrangement,
};

// A weight per placement of each size (index as in ShipPlacements::ofSize);
// a size without a list weighs every placement 1. Weights are positive.
struct PlacementWeights {
    std::array<std::vector<float>, MaxShipSize + 1> bySize;
    ArrangementModel model = ArrangementModel::EveryPlace;

    double of(int size, std::size_t index) const {
        const auto& list = bySize[std::size_t(size)];
        return index < list.size() ? double(list[index]) : 1.0;
    }
};

struct DeckOdds {
    // Chance that the cell holds a deck of a ship afloat; 0 for every cell the
    // chart knows.
    std::array<double, GridCells> deck{};
    // Water cells a shot here would show on average by sinking a ship (its
    // surroundings not yet known), where ships may not touch.
    std::array<double, GridCells> reveal{};
    // Fleets drawn that agree with the chart; 0 when none did (the odds are
    // then all 0).
    int agreeingFleets = 0;
};

class FleetSampler {
public:
    // placements must have been built for the chart's touching rule and
    // outlive the sampler.
    explicit FleetSampler(const ShipPlacements& placements) : m_placements(placements) {}

    DeckOdds odds(const SeaChart& chart, const PlacementWeights& weights, int fleets, GameRandom& random);

private:
    struct Candidate {
        int index;
        double weight; // the model's weight of the place, given the ships before it
    };
    // Per move: what the chart allows for each placement of a size.
    struct SizeTable {
        std::vector<unsigned char> allowed;
        std::vector<double> weight;
    };

    const ShipPlacements& m_placements;
    std::array<SizeTable, MaxShipSize + 1> m_tables;
    std::vector<Candidate> m_covering;
    std::vector<Candidate> m_other;
};

} // namespace vtx
