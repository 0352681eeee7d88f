#pragma once

// What the Admiral may assume about any fleet it hunts: the ship sizes and
// whether ships may touch. The game's own rules are the ten ships of ShipSizes
// that never touch, not even at a corner; the benchmark also hunts the classic
// fleet of five ships that may touch.

#include "game/GameTypes.h"

#include <algorithm>
#include <vector>

namespace vtx {

inline constexpr int MaxShipSize = 5;

struct SeaRules {
    std::vector<int> shipSizes; // largest first, each 1..MaxShipSize, at most FleetShips ships
    bool shipsMayTouch = false;

    static SeaRules game() { return {std::vector<int>(ShipSizes.begin(), ShipSizes.end()), false}; }
    static SeaRules classic() { return {{5, 4, 3, 3, 2}, true}; }

    bool valid() const {
        if (shipSizes.empty() || shipSizes.size() > std::size_t(FleetShips)) return false;
        if (!std::is_sorted(shipSizes.rbegin(), shipSizes.rend())) return false;
        return shipSizes.back() >= 1 && shipSizes.front() <= MaxShipSize;
    }
    bool operator==(const SeaRules&) const = default;
};

} // namespace vtx
