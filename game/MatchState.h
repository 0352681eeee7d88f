#pragma once

// All state of one match and of the menu around it, as plain data. The field
// names are the game's own rule names so a rule reads like its description.
// Arrays that the rules number from 1 are stored from 0: targetCells[p-1],
// hitCells[i-1], fleet ship n at [n-1].
//
// Match owns one MatchState and is its only writer: everything else reads it
// through Match::state() and asks for a change by a named call of the Match
// (the lobby's network flags, the options' sound switch).
// scripts/check-state-writers.sh keeps it so. What only the picture needs
// (the world's idle spin, the result's pulse) is the presentation's own:
// scene/CameraFx and scene/ViewTexts hold it.

#include "game/GameTypes.h"
#include "game/IMatchPresenter.h"
#include "game/Ship.h"
#include "game/admiral/SeaChart.h"

#include <array>
#include <cstdint>
#include <string>

namespace vtx {

struct HitCell {
    std::int32_t row = 0;
    std::int32_t column = 0;
};

struct ButtonState {
    bool enabled = true;
    bool whiteFont = true;
};

// This side's part in a LAN match: it created the game in the lobby, or
// joined one there.
enum class NetRole : std::int32_t { None, Creator, Joiner };

// Who opens a LAN battle: the creator in a session's first match; in a match
// after another, its loser, which is this side or the opponent.
enum class FirstShooter : std::int32_t { Creator, ThisSide, Opponent };

struct MatchState {
    // Grids and fleets.
    Field ownField = emptyField();
    Field enemyField = emptyField();
    Field workField = emptyField();
    Fleet ownFleet{};
    Fleet enemyFleet{};
    Fleet workFleet{};

    // The computer's list of own cells still open to a random shot.
    std::array<std::int32_t, GridCells> targetCells{};
    std::int32_t targetCount = 0;

    // The enemy cells this player has used up, indexed by gridIndex: fired at
    // (hit or miss), or shown as water around an enemy ship this player sank.
    // A shot there still counts and passes the turn; the look and the status
    // line only warn. Kept apart from enemyField, whose codes are the
    // opponent's grid as the wire carries it.
    std::array<bool, GridCells> usedEnemyCells{};
    bool usedEnemyCell(std::int32_t row, std::int32_t column) const {
        return insideGrid(row, column) && usedEnemyCells[std::size_t(gridIndex(row, column))];
    }

    // Match variables.
    std::int32_t playerTurn = 0; // 1: the local player may shoot
    bool fightStarted = false;
    bool arranging = false;
    bool gameInProgress = false;
    bool gameWon = false;
    bool gameLost = false; // also "the match is over" after Exit
    bool placeHorizontal = true;
    std::int32_t shipToPlace = 1; // 1..10, 11 once all are placed
    std::int32_t level = 1;       // points multiplier: 1 Easy, 2 Normal, 3 Hard, 4 Admiral
    bool ownFleetByHand = false;  // the player arranged this match's fleet by hand
    std::int32_t playerShots = 0;
    std::int32_t enemyHits = 0;
    std::int32_t lastPoints = 0;
    std::int32_t matchesStarted = 0; // in this run of the program
    bool scorePending = false;       // cleared by the high-score window when stored

    // The computer's hunt.
    std::array<HitCell, MaxDecks> hitCells{};
    std::int32_t hitCount = 0;
    std::int32_t hitAlongRow = 0; // 1 along a row, 0 down a column; valid for hitCount >= 2
    bool hunting = false;
    // The Admiral plays this match (its set-up ran), and what its shots
    // found on the own board: all it knows of it.
    bool admiralPlays = false;
    SeaChart admiralChart;

    // The turn timer (mirrored to the host by IMatchHost::setTurnTimer).
    std::int32_t turnDelay = 1; // the computer's pause between shots, seconds (always 1: Match::setTurnDelay)
    bool turnTimerEnabled = false;
    std::int32_t turnTimerIntervalMs = 2000;

    // Menu buttons (mirrored to the host by IMatchHost::setButton), indexed
    // by MenuButton. The window starts in the menu with Fight disabled.
    std::array<ButtonState, 5> buttons = {ButtonState{true, true}, ButtonState{true, true},
                                          ButtonState{false, false}, ButtonState{true, true},
                                          ButtonState{true, true}};

    // Board picking: hoverPicking while a fleet is placed by hand (the cell
    // under the pointer is picked as it moves), and the cell last picked.
    bool hoverPicking = false;
    std::int32_t pickedRow = 0;    // 0 before the first pick
    std::int32_t pickedColumn = 0; // 0 before the first pick
    Board pickedBoard = NoBoard;   // NoBoard before the first pick
    bool soundOn = true;

    // LAN.
    bool netMode = false;
    bool netConnected = false;
    NetRole netRole = NetRole::None;
    FirstShooter netFirstShooter = FirstShooter::Creator;
    std::int32_t netMoveRow = 0;
    std::int32_t netMoveCol = 0;
    bool netMovePending = false;
    bool fleetSent = false;
    bool fleetReceived = false;
    std::string opponentIp;   // dotted address of the opponent, the destination of every match message
    bool expectInfo = false;  // the opponent's next datagram is its fleet block
    bool expectField = false; // the opponent's next datagram is its grid block

    const ButtonState& button(MenuButton b) const { return buttons[static_cast<std::size_t>(b)]; }
};

} // namespace vtx
