#pragma once

// What is kept of one played match so it can be watched again: who it was
// against, both fleets and grids as they stood when the battle began, every
// shot in order and how the match ended. Nothing here says what a shot did:
// ReplayPlayer works that out again from the fleets, so a kept match can never
// show a result the rules would not have given. The file form is
// files/ReplayFile.h.
//
// "Own" is the side that kept the match (the player at this computer), "enemy"
// the computer or the LAN opponent, as in MatchState.

#include "game/GameTypes.h"
#include "game/Ship.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vtx {

enum class ReplayOpponent : std::uint8_t {
    Computer = 1,
    Lan = 2,
};

// How the match ended, as the player who kept it saw it.
enum class ReplayEnd : std::uint8_t {
    Won = 1,            // the last enemy ship sank
    Lost = 2,           // the last own ship sank
    Left = 3,           // the player pressed Exit (or started another match)
    WindowClosed = 4,   // the program was closed during the match
    OpponentSilent = 5, // the LAN opponent stopped answering
    OpponentLeft = 6,   // the LAN opponent left the match
};
inline constexpr std::uint8_t ReplayEndLast = 6;

enum class ReplaySide : std::uint8_t {
    Player = 0,   // a shot at the enemy board
    Opponent = 1, // a shot at the own board
};

struct ReplayShot {
    ReplaySide side = ReplaySide::Player;
    std::int32_t row = 0;     // 1..10
    std::int32_t column = 0;  // 1..10
    std::uint32_t timeMs = 0; // since the match's first shot; the first shot is at 0

    bool operator==(const ReplayShot&) const = default;
};

struct Replay {
    std::int64_t startedAt = 0; // when the battle's first shot fell, seconds since 1970-01-01 UTC
    ReplayOpponent opponent = ReplayOpponent::Computer;
    std::int32_t level = 1;   // against the computer: 1 Easy, 2 Normal, 3 Hard; 0 in a LAN match
    std::string opponentName; // a LAN opponent's name (UTF-8, no control characters); empty otherwise
    // As the battle began: fresh fleets (afloat, every deck intact) and grids
    // of '0', '1', '2' whose '1' cells are exactly their fleet's decks. The
    // own grid is the one after the computer's set-up, whose '0' and '2'
    // decide what the computer's and the LAN opponent's shots do.
    Fleet ownFleet{};
    Field ownField = emptyField();
    Fleet enemyFleet{};
    Field enemyField = emptyField();
    std::vector<ReplayShot> shots;
    ReplayEnd end = ReplayEnd::Left;
    // The match went on past what one file holds: only its first shots are
    // kept, and the end is how the whole match ended.
    bool cut = false;

    bool operator==(const Replay&) const = default;
};

} // namespace vtx
