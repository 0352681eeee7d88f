#pragma once

// One ship and a fleet of ten, in the exact memory layout of the LAN fleet
// block: 60 bytes per ship, every integer signed 32-bit (little-endian on the
// wire; FleetBlock.h does the byte order explicitly, this struct only pins the
// offsets). Deck k of a ship (1..4) is slot k-1 of Cols/Rows/DeckState.
//
// A record may come from the network, so nothing here trusts it: a deck only
// exists when Size is 1..4, the slot is below Size and its cell lies inside
// the grid (deckAt). Every rule walks decks through deckAt.

#include "game/GameTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vtx {

inline constexpr std::int32_t DeckIntact = 10;
inline constexpr std::int32_t DeckDamaged = 11;

struct TShipRecord {
    std::int32_t Size = 0;
    std::int32_t Sunk = 0;
    std::int32_t Cols[MaxDecks] = {0, 0, 0, 0};
    std::int32_t Rows[MaxDecks] = {0, 0, 0, 0};
    std::int32_t DeckState[MaxDecks] = {0, 0, 0, 0};
    std::uint8_t Horizontal = 0; // 1: decks run along a row; 0: down a column
    std::uint8_t Padding[3] = {0, 0, 0};

    bool operator==(const TShipRecord&) const = default;
};

static_assert(sizeof(TShipRecord) == 60);
static_assert(offsetof(TShipRecord, Size) == 0);
static_assert(offsetof(TShipRecord, Sunk) == 4);
static_assert(offsetof(TShipRecord, Cols) == 8);
static_assert(offsetof(TShipRecord, Rows) == 24);
static_assert(offsetof(TShipRecord, DeckState) == 40);
static_assert(offsetof(TShipRecord, Horizontal) == 56);

// Ship n (1..10) is element n-1.
using TFleet = std::array<TShipRecord, FleetShips>;
static_assert(sizeof(TFleet) == 600);

// Number of deck slots a rule may look at: Size when it is 1..4, else 0.
constexpr int deckSlots(const TShipRecord& ship) {
    return ship.Size >= 1 && ship.Size <= MaxDecks ? int(ship.Size) : 0;
}

struct DeckCell {
    int row;
    int column;
};

// Deck k (1-based) of a ship, or nothing when the record holds no such deck.
inline std::optional<DeckCell> deckAt(const TShipRecord& ship, int k) {
    if (k < 1 || k > deckSlots(ship)) return std::nullopt;
    const std::int32_t r = ship.Rows[k - 1];
    const std::int32_t c = ship.Cols[k - 1];
    if (!insideGrid(r, c)) return std::nullopt;
    return DeckCell{int(r), int(c)};
}

} // namespace vtx
