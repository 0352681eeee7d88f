#pragma once

// All state of one match and of the menu around it, as plain data. The field
// names are the game's own rule names so a rule reads like its description.
// Arrays that the rules number from 1 are stored from 0: TargetCells[p-1],
// HitCells[i-1], fleet ship n at [n-1].
//
// Match owns one MatchState and is its only writer: everything else reads it
// through Match::state() and asks for a change by a named call of the Match
// (the lobby's network flags, the options' sound switch, the scene's idle spin
// and pulse). scripts/check-state-writers.sh keeps it so.

#include "game/GameTypes.h"
#include "game/IMatchPresenter.h"
#include "game/TShipRecord.h"

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

struct MatchState {
    // Grids and fleets.
    Field OwnField = emptyField();
    Field EnemyField = emptyField();
    Field WorkField = emptyField();
    TFleet OwnFleet{};
    TFleet EnemyFleet{};
    TFleet WorkFleet{};

    // The computer's list of own cells still open to a random shot.
    std::array<std::int32_t, GridCells> TargetCells{};
    std::int32_t TargetCount = 0;

    // Match variables.
    std::int32_t PlayerTurn = 0; // 1: the local player may shoot
    bool FightStarted = false;
    bool Arranging = false;
    bool GameInProgress = false;
    bool GameWon = false;
    bool GameLost = false; // also "the match is over" after Exit
    bool PlaceHorizontal = true;
    std::int32_t ShipToPlace = 1; // 1..10, 11 once all are placed
    std::int32_t Level = 1;       // points multiplier: 1 Easy, 2 Normal, 3 Hard
    std::int32_t PlayerShots = 0;
    std::int32_t EnemyHits = 0;
    std::int32_t LastPoints = 0;
    bool ScorePending = false; // cleared by the high-score window when stored

    // The computer's hunt.
    std::array<HitCell, MaxDecks> HitCells{};
    std::int32_t HitCount = 0;
    std::int32_t HitAlongRow = 0; // 1 along a row, 0 down a column; valid for HitCount >= 2
    bool Hunting = false;

    // Turn timer Timer1 (mirrored to the host by IMatchHost::SetTimer1).
    std::int32_t TurnDelay = 1; // the computer's pause between shots, seconds (always 1: Match::SetTurnDelay)
    bool Timer1Enabled = false;
    std::int32_t Timer1Interval = 2000; // ms

    // Menu buttons (mirrored to the host by IMatchHost::SetButton), indexed
    // by MenuButton. The window starts in the menu with Fight disabled.
    std::array<ButtonState, 5> Buttons = {ButtonState{true, true}, ButtonState{true, true},
                                          ButtonState{false, false}, ButtonState{true, true},
                                          ButtonState{true, true}};

    // Board picking and presentation flags the flow sets.
    bool HoverPicking = false;
    std::int32_t PickedRow = 0;    // 0 before the first pick
    std::int32_t PickedColumn = 0; // 0 before the first pick
    std::int32_t PickedBoard = 0;  // EnemyBoard, OwnBoard, 0 before the first pick
    // The presentation's own: the scene's idle spin and the result's pulse,
    // which the scene writes and a new match resets.
    bool IdleSpin = false;
    std::int32_t HudPulse = 100;
    bool SoundOn = true;

    // LAN.
    bool NetMode = false;
    bool NetConnected = false;
    std::int32_t NetRole = 0; // 1 created the game, 2 joined
    std::int32_t NetMoveRow = 0;
    std::int32_t NetMoveCol = 0;
    bool NetMovePending = false;
    bool FleetSent = false;
    bool FleetReceived = false;
    std::string OpponentIP;   // dotted address of the opponent, the destination of every match message
    bool ExpectInfo = false;  // the opponent's next datagram is its fleet block
    bool ExpectField = false; // the opponent's next datagram is its grid block

    const ButtonState& button(MenuButton b) const { return Buttons[static_cast<std::size_t>(b)]; }
};

} // namespace vtx
