#pragma once

// A kept match ("replay-*.vtxr" in the player's "replays" folder): the file
// that lets a match be watched again. docs/replay-format.md describes it for
// other programs; this is the same layout.
//
// Version 1, every integer little-endian, at most ReplayFileMaxBytes in all:
//   offset  size  field
//   0       8     magic "VTXREPLY"
//   8       2     version, uint16: 1
//   10      2     flags, uint16: bit 0 set when the match was cut (Replay::cut);
//                 every other bit 0
//   12      8     when the first shot fell, int64 seconds since 1970-01-01 UTC, >= 0
//   20      1     kind of match: 1 against the computer, 2 over the LAN
//   21      1     level against the computer: 1 Easy, 2 Normal, 3 Hard; 0 over the LAN
//   22      1     end (ReplayEnd): 1 won, 2 lost, 3 left by Exit, 4 window closed,
//                 5 opponent silent, 6 opponent left (5 and 6 only over the LAN)
//   23      1     N, the opponent's name length in bytes, 0..64 (0 against the computer)
//   24      N     the name, UTF-8, no control characters (codes 0..31, 127)
//   24+N    600   own fleet, the fleet block of game/FleetBlock.h
//   624+N   100   own grid, the grid block of game/FleetBlock.h
//   724+N   600   enemy fleet
//   1324+N  100   enemy grid
//   1424+N  4     S, the number of shots, uint32, >= 1
//   1428+N  8*S   the shots in the order they fell, 8 bytes each:
//                   0  uint32 ms since the first shot (the first is 0, never decreasing)
//                   4  uint8  side: 0 the player who kept the file, 1 the opponent
//                   5  uint8  row 1..10
//                   6  uint8  column 1..10
//                   7  uint8  0
//   1428+N+8*S  4     CRC-32 (the one of zlib and PNG) of every byte before it
// The file is exactly 1432 + N + 8*S bytes. Fleets and grids are those of the
// battle's start: fresh fleets of the game's make-up and grids that match them
// (game/Replay.h); no result of a shot is stored, they are worked out again.
//
// Versions: bytes 0..9 (magic and version) stay in every version. A reader
// reads its own version and every earlier one; a later version is refused as
// such. A new version that adds fields gets its own reading function that
// fills what it lacks with defaults.

#include "game/Replay.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vtx {

inline constexpr std::string_view ReplayMagic = "VTXREPLY";
inline constexpr std::uint16_t ReplayVersion = 1;
inline constexpr std::size_t ReplayFileMaxBytes = 64 * 1024;
inline constexpr std::size_t ReplayShotBytes = 8;
// The bytes of a version 1 file besides the name and the shots.
inline constexpr std::size_t ReplayFixedBytes = 24 + 600 + 100 + 600 + 100 + 4 + 4;

enum class ReplayError {
    None,
    TooLarge,     // over ReplayFileMaxBytes
    NotAReplay,   // no magic
    LaterVersion, // made by a later version of the game
    CutShort,     // ends before its shots do
    Damaged,      // wrong length, checksum or a field's value
    Impossible,   // well-formed, but nothing the game could have kept (replayProblem)
    CannotRead,   // the file is there but unreadable (no permission, an I/O error)
};

struct ReplayRead {
    ReplayError error = ReplayError::None;
    std::string detail; // what was wrong, for a log; empty when read
    Replay replay;      // only meaningful when error is None

    bool ok() const { return error == ReplayError::None; }
};

// The file of a replay. The name is cleaned (control characters become '?')
// and cut to ReplayNameBytes at a character; shots beyond what fits in
// ReplayFileMaxBytes are left out and the file marked cut. The caller gives a
// replay that replayProblem accepts (the recorder's); the bytes then read back
// to it.
std::string replayFileBytes(const Replay& replay);

// Reads a replay file of this or an earlier version. Bounded: every count and
// offset is checked against the length before it is used; never throws.
ReplayRead readReplayFile(std::span<const unsigned char> bytes);
ReplayRead readReplayFile(std::string_view bytes);

// CRC-32 (reflected, polynomial 0xEDB88320, initial and final 0xFFFFFFFF).
std::uint32_t crc32(std::span<const unsigned char> bytes);

} // namespace vtx
