#pragma once

// One ship and a fleet of ten, in the exact memory layout of the LAN fleet
// block: 60 bytes per ship, every integer signed 32-bit (little-endian on the
// wire; FleetBlock.h does the byte order explicitly, this struct only pins the
// offsets). Deck k of a ship (1..4) is slot k-1 of Cols/Rows/deckState.
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

struct Ship {
    std::int32_t size = 0;
    std::int32_t sunk = 0;
    std::int32_t cols[MaxDecks] = {0, 0, 0, 0};
    std::int32_t rows[MaxDecks] = {0, 0, 0, 0};
    std::int32_t deckState[MaxDecks] = {0, 0, 0, 0};
    std::uint8_t horizontal = 0; // 1: decks run along a row; 0: down a column
    std::uint8_t padding[3] = {0, 0, 0};

    bool operator==(const Ship&) const = default;
};

static_assert(sizeof(Ship) == 60);
static_assert(offsetof(Ship, size) == 0);
static_assert(offsetof(Ship, sunk) == 4);
static_assert(offsetof(Ship, cols) == 8);
static_assert(offsetof(Ship, rows) == 24);
static_assert(offsetof(Ship, deckState) == 40);
static_assert(offsetof(Ship, horizontal) == 56);

// Ship n (1..10) is element n-1.
using Fleet = std::array<Ship, FleetShips>;
static_assert(sizeof(Fleet) == 600);

// Number of deck slots a rule may look at: Size when it is 1..4, else 0.
constexpr int deckSlots(const Ship& ship) {
    return ship.size >= 1 && ship.size <= MaxDecks ? int(ship.size) : 0;
}

struct DeckCell {
    int row;
    int column;
};

// Deck k (1-based) of a ship, or nothing when the record holds no such deck.
inline std::optional<DeckCell> deckAt(const Ship& ship, int k) {
    if (k < 1 || k > deckSlots(ship)) return std::nullopt;
    const std::int32_t r = ship.rows[k - 1];
    const std::int32_t c = ship.cols[k - 1];
    if (!insideGrid(r, c)) return std::nullopt;
    return DeckCell{int(r), int(c)};
}

} // namespace vtx
