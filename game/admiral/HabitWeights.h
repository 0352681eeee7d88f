#pragma once

// Turns a player's habit into the weights of the Admiral's model of how the
// player arranges a fleet: a place weighs 1 plus strength times, summed over
// its cells, how much more often than the game's own random arrangement the
// player put a deck on the cell (nothing for a cell the player uses less). A
// place along the border of a player who hugs the border weighs several times
// an inner one; a player who arranges as the random arrangement does gets
// every place alike.
//
// A few fleets say little about one cell but much about a band of cells at
// the same distance from the border, which pools forty or so of them: each
// cell's count is smoothed towards its band's ratio by priorFleets imagined
// fleets, so the habit's shape shows after a few matches and a cell's own
// preference after many.

#include "game/admiral/FleetSampler.h"
#include "game/admiral/PlayerHabit.h"
#include "game/admiral/ShipPlacements.h"

#include <array>

namespace vtx {

struct HabitModel {
    double priorFleets = 4.0;
    double strength = 6.0;
};

// Chance that a cell holds a deck in the game's own random arrangement of its
// ten ships, computed once (a fixed draw of many fleets, the same on every run).
const std::array<double, GridCells>& randomArrangementOdds();

// Every place alike when the habit holds no fleet.
PlacementWeights habitWeights(const PlayerHabit& habit, const ShipPlacements& placements,
                              const HabitModel& model = {});

} // namespace vtx
