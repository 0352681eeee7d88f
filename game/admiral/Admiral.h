#pragma once

// The Admiral: the computer's fourth level, which knows nothing of the
// player's fleet beyond its own shots' results (SeaChart) and fires where a
// deck is most likely.
//
// Each shot draws a fixed number of whole fleets that agree with the chart
// (FleetSampler) and fires at the unknown cell that holds a deck of a ship
// afloat in the largest share of them, with a small bonus for the water a
// sinking there would show; a hit ship is finished by the same reasoning.
// Cells of equal worth are drawn by the random generator passed in (the
// match's), so two matches differ and the same generator state repeats a
// match. Should no drawn fleet agree with the chart (a chart no
// fleet of the rules can give), each ship is counted alone instead.
//
// The work of a shot is bounded by the number of fleets, not by a clock; a
// player's habit weighs the places of the model (HabitWeights).

#include "game/GameRandom.h"
#include "game/admiral/FleetSampler.h"
#include "game/admiral/SeaChart.h"
#include "game/admiral/ShipPlacements.h"

#include <optional>

namespace vtx {

class Admiral {
public:
    // Fleets drawn for one shot.
    static constexpr int DefaultFleets = 1000;

    explicit Admiral(const SeaRules& rules = SeaRules::game(), int fleetsPerShot = DefaultFleets);
    Admiral(const Admiral&) = delete;
    Admiral& operator=(const Admiral&) = delete;

    // How the player's fleet was arranged: the game's random arrangement
    // (gameArrangementWeights, the default) or by hand (habitWeights).
    void setPlacementWeights(PlacementWeights weights) { m_weights = std::move(weights); }
    // The model of the game's own random arrangement under these rules; every
    // place alike under any other rules.
    static PlacementWeights gameArrangementWeights(const SeaRules& rules);
    const PlacementWeights& placementWeights() const { return m_weights; }
    const ShipPlacements& placements() const { return m_placements; }

    // The cell to fire at; nothing when the chart knows every cell. The chart
    // must follow the rules the Admiral was made for.
    std::optional<DeckCell> chooseShot(const SeaChart& chart, GameRandom& random);
    // The odds the last choice was made from.
    const DeckOdds& lastOdds() const { return m_odds; }

private:
    DeckOdds singleShipOdds(const SeaChart& chart) const;

    ShipPlacements m_placements;
    FleetSampler m_sampler;
    PlacementWeights m_weights;
    int m_fleetsPerShot;
    DeckOdds m_odds;
};

} // namespace vtx
