#pragma once

// The fleet block and the grid block: the raw bytes a side sends of its own
// fleet and grid.
//
// Fleet block, 600 bytes: ships 1..10, ship n at byte 60*(n-1). Within a ship:
//   0  Size          int32 LE, number of decks 1..4
//   4  Sunk          int32 LE, 0 afloat, 1 sunk
//   8  Cols[1..4]    int32 LE each, column of deck k (0 beyond Size)
//  24  Rows[1..4]    int32 LE each, row of deck k (0 beyond Size)
//  40  deckState[..] int32 LE each, 10 intact, 11 hit (0 beyond Size)
//  56  Horizontal    byte, 1 along a row, 0 down a column
//  57  three zero bytes
// Grid block, 100 bytes: byte 10*(row-1)+(column-1) is the cell code.
//
// Decoding accepts any bytes: every field value is representable, and the
// rules treat impossible values as "no deck" (Ship.h). A received block
// shorter than its size replaces only the start of the old value
// (overwriteFleetPrefix / overwriteFieldPrefix); a longer one is cut.

#include "game/GameTypes.h"
#include "game/Ship.h"

#include <array>
#include <cstdint>
#include <span>

namespace vtx {

inline constexpr std::size_t ShipRecordBytes = 60;
inline constexpr std::size_t FleetBlockBytes = 600;
inline constexpr std::size_t FieldBlockBytes = 100;

using FleetBlock = std::array<unsigned char, FleetBlockBytes>;
using FieldBlock = std::array<unsigned char, FieldBlockBytes>;

std::array<unsigned char, ShipRecordBytes> encodeShip(const Ship& ship);
Ship decodeShip(std::span<const unsigned char, ShipRecordBytes> bytes);

FleetBlock encodeFleet(const Fleet& fleet);
Fleet decodeFleet(std::span<const unsigned char, FleetBlockBytes> bytes);

FieldBlock encodeField(const Field& field);
Field decodeField(std::span<const unsigned char, FieldBlockBytes> bytes);

// Copies at most 600 (100) bytes over the start of the encoded old value and
// returns the number of bytes taken.
std::size_t overwriteFleetPrefix(Fleet& fleet, std::span<const unsigned char> bytes);
std::size_t overwriteFieldPrefix(Field& field, std::span<const unsigned char> bytes);

} // namespace vtx
