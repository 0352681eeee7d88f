#pragma once

// How one player arranges a fleet by hand: for every cell, in how many of the
// fleets the player arranged by hand in finished matches against the computer
// that cell held a deck. A random arrangement carries no habit and is never
// recorded.
//
// The habit file ("habit.dat" in the player's folder), 216 bytes, integers
// little-endian:
//   0    4  magic "VXHB"
//   4    1  version, 1
//   5    3  zero
//   8    2  fleets recorded, 0..65535
//   10   2  zero
//   12 200  per cell in grid order (row by row, ten columns each): the fleets
//           in which the cell held a deck, 2 bytes each, never above fleets
//   212  4  CRC-32 (the zip polynomial, reflected, 0xEDB88320) of bytes 0..211
// A fleet recorded when 65535 are already counted first halves every count
// (rounding up), so the counts never overflow and older fleets weigh less.
// Anything else (another size, magic or version, a reserved byte set, a count
// above fleets, a wrong CRC) is refused: the game then starts a new habit and
// writes it anew.

#include "game/Ship.h"
#include "game/admiral/CellSet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vtx {

class PlayerHabit {
public:
    static constexpr std::size_t FileBytes = 216;
    static constexpr std::uint8_t Version = 1;
    static constexpr std::uint16_t MaxFleets = 65535;

    // Records one fleet by the cells of its decks.
    void record(const CellSet& decks);
    int fleets() const { return m_fleets; }
    // Fleets in which the cell (grid index 0..99) held a deck.
    int count(int cell) const { return m_counts[std::size_t(cell)]; }

    std::array<std::uint8_t, FileBytes> toBytes() const;
    bool operator==(const PlayerHabit&) const = default;

private:
    friend struct HabitFile;
    std::uint16_t m_fleets = 0;
    std::array<std::uint16_t, GridCells> m_counts{};
};

enum class HabitProblem { None, WrongSize, Foreign, NewerVersion, Damaged };

struct HabitRead {
    PlayerHabit habit; // empty unless problem is None
    HabitProblem problem = HabitProblem::None;
};

// Reads the bytes of a habit file; never reads outside them.
HabitRead readHabit(std::span<const std::uint8_t> bytes);
// The same for bytes held in a string (as the file reader gives them).
HabitRead readHabit(std::string_view bytes);

// The decks of a fleet as the arrangement wrote it (records that hold no deck are skipped).
CellSet fleetDecks(const Fleet& fleet);

} // namespace vtx
