#pragma once

// Turns a player's habit into the weights of the Admiral's model of how the
// player arranges a fleet: a place weighs 1 plus strength times, summed over
// its cells, how much more often the player put a deck on the cell than a
// player who puts every ship anywhere alike would (nothing for a cell the
// player uses less). A place along the border of a player who hugs the border
// weighs several times an inner one; a player without a habit gets every
// place alike.
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

// Chance that a cell holds a deck when every place of each of the ten ships
// is alike, computed at the first call (a fixed draw of 4,000 fleets, the
// same on every run; some 30 ms, so call it where a wait does not show).
const std::array<double, GridCells>& unbiasedOdds();

// Every place alike when the habit holds no fleet.
PlacementWeights habitWeights(const PlayerHabit& habit, const ShipPlacements& placements,
                              const HabitModel& model = {});

} // namespace vtx
