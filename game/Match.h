#pragma once

// One match of the sea battle and the menu around it: the rules (grids,
// fleets, arrangement, shots, victory, points), the computer opponent and the
// match flow of the main window's buttons and turn timer.
//
// Ownership: the main window owns ONE Match for the whole program run and
// keeps it alive as long as the host and clock it was given. The Match never
// owns or deletes them. Everything runs on the UI thread.
//
// How the main window drives it:
//   creation             Match(host, clock); the state starts in the menu with
//                        Fight disabled and the turn timer off at 2000 ms.
//                        refreshHost() pushes that to the widgets.
//   activation           activateTurnTimer(): turnDelay := 1, the turn timer's
//                        interval := 1000 ms; the options window's Close asks the same
//                        through setTurnDelay(1).
//   button clicks        singleClicked, fightClicked, exitClicked.
//                        Only forward clicks of enabled buttons (Network,
//                        Options and Scores open windows and are the host's;
//                        Network disables Single through setMenuButton).
//   turn timer's tick    turnTimerFired(); the host runs the timer as setTurnTimer says.
//   window's 100 ms tick completeFleetExchange() (LAN): starts the battle once
//                        both fleets are across. A poll from the event loop,
//                        on purpose: the lobby writes its waiting status after
//                        the match's start returns, and the ready status must
//                        come after it.
//   mouse over a cell    cellHovered(cell) when hoverPicking is set, the picked
//                        plane changed and neither gameWon nor gameLost.
//   click on a cell      cellClicked(cell, button) (not for sea, sky, models).
//                        The picker and the keyboard's cursor make the cell.
//   key down             spaceToggle() when the Space key is held down.
//   LAN datagrams        through NetReceiver, which checks them and calls
//                        receiveFleetBlock, receiveFieldBlock, receiveMove.
//   a wait's end        runDue(), from the event loop once the time the host
//                        was given by wakeAfter has come (nextWakeMs()).
//   a message closed     messageClosed(), when the player closed a modal
//                        message the Match showed.
// Within a handler the Match calls IMatchHost in the documented order, and no
// call of the host comes back into the Match: a rule that waits (Single's
// 100 ms, the message after a manual arrangement) leaves the rest of its work
// as a continuation and returns. Exit and Single drop the continuations of
// the match they end, so a rule never runs on for a match that is over.
//
// Randomness: GameRandom (SplitMix64), re-seeded from clock.timeOfDayMs()
// before each random placement attempt, each random computer shot, each shot
// of the Admiral and the "Normal" set-up.
//
// The Admiral (level index 3) chooses its cells from its chart of the own
// board (state().admiralChart), which the Match fills with each shot's result
// and nothing else; it weighs its guesses by the player's habit when the
// player arranged the fleet by hand. The habit grows by the fleet of every
// finished match against the computer that the player arranged by hand.

#include "game/GameRandom.h"
#include "game/IClock.h"
#include "game/IMatchHost.h"
#include "game/MatchState.h"
#include "game/Scheduler.h"
#include "game/admiral/Admiral.h"
#include "game/admiral/PlayerHabit.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vtx {

// The status texts of the main window's status line.
namespace status {
inline constexpr std::string_view PlayerMove = VTX_TEXT("GameTexts", "Player Move");
inline constexpr std::string_view EnemyMove = VTX_TEXT("GameTexts", "Enemy Move");
inline constexpr std::string_view Missed = VTX_TEXT("GameTexts", "Missed!");
inline constexpr std::string_view ComputerHit = VTX_TEXT("GameTexts", "Computer Hit!!!");
inline constexpr std::string_view ComputerMissed = VTX_TEXT("GameTexts", "Computer Missed!!!");
inline constexpr std::string_view ReadyToPlay = VTX_TEXT("GameTexts", "Ready to Play!");
// While a fleet is placed by hand: what the preview under the pointer means.
inline constexpr std::string_view PlaceHere = VTX_TEXT("GameTexts", "Left click places, right click turns");
inline constexpr std::string_view PlaceOffBoard = VTX_TEXT("GameTexts", "Does not fit: off the board!");
inline constexpr std::string_view PlaceOverlaps =
    VTX_TEXT("GameTexts", "Does not fit: another ship is there!");
inline constexpr std::string_view PlaceTouches = VTX_TEXT("GameTexts", "Does not fit: ships may not touch!");
// With the number of ships still to place (IMatchPresenter::setCountedStatus).
inline constexpr std::string_view FightNeedsFleet =
    VTX_TEXT_N("GameTexts", "Place all ten ships first! %n ship(s) left.");
// In the player's turn, over an enemy cell already fired at or known as water.
inline constexpr std::string_view ShotWasted = VTX_TEXT("GameTexts", "Already fired at: a shot here is wasted");
} // namespace status

// Which fleet has lost every deck: the end of a match, by who won.
enum class FleetOutcome { None, OwnFleetSunk, EnemyFleetSunk };

class Match {
public:
    Match(IMatchHost& host, IClock& clock);
    Match(const Match&) = delete;
    Match& operator=(const Match&) = delete;

    // The match's state, to read. Only the Match writes it: the hosts ask for
    // a change by the named calls below.
    const MatchState& state() const { return m_state; }
    GameRandom& random() { return m_random; }

    // ---------------------------------------------------------------- grids
    // Removes the first entry equal to cellNumber(row, column) from the
    // target list, keeping the order of the rest; nothing when absent.
    void removeTarget(std::int32_t row, std::int32_t column);

    // ---------------------------------------------------------- arrangement
    // Fills workField/workFleet with a random arrangement of the ten ships.
    // Re-seeds before every attempt, so with a real clock the attempts within
    // one millisecond repeat the same cell; it ends once the clock moves on.
    void arrangeFleet();
    // Arranges both fleets for a new match (called by initGame).
    void placeFleets();
    // Manual placement of ship shipToPlace at (pickedRow, pickedColumn).
    // Returns true when the ship was placed. Refused silently when not
    // arranging, or when a cell is outside the grid or not water.
    bool placeShipAt();
    // Flips placeHorizontal and redraws the preview; only while arranging.
    void togglePlaceHorizontal();
    // Why ship shipToPlace cannot go at (pickedRow, pickedColumn) with
    // placeHorizontal (one of the status::Place* texts), or status::PlaceHere
    // when it can.
    std::string_view placementStatus() const;
    // Fight clicked while it is off: during a manual arrangement the status
    // line says what is missing; otherwise nothing.
    void fightRefused();
    // Runs the set-up of level selector index 0/1/2/3 (LevelCount); any other
    // index none. In a LAN match index 3 runs Hard's: the points there do not
    // change with the Admiral.
    void runDifficultySetup(std::int32_t index);

    // ---------------------------------------------------------------- shots
    // Record a hit on a fleet; true when a deck lies on (row, column).
    bool hitEnemyShip(std::int32_t row, std::int32_t column);
    bool hitOwnShip(std::int32_t row, std::int32_t column);
    // Which fleet has no deck afloat left; EnemyFleetSunk also when both
    // fleets are gone (the player's last shot won before the opponent's).
    FleetOutcome fleetOutcome() const;
    // The player's shot at the enemy board, gated: taken only while
    // fightStarted, playerTurn = 1, not arranging and the cell is inside the
    // grid. Returns whether the shot was taken.
    bool playerShootAt(std::int32_t row, std::int32_t column);
    // The computer's resolution at a chosen own cell: aimed = smartShoot's
    // column of the table, else shoot's. True for a hit.
    bool resolveComputerShot(std::int32_t row, std::int32_t column, bool aimed);
    // The LAN peer's shot at (netMoveRow, netMoveCol); true for a hit. A cell
    // outside the grid is refused (no change, false).
    bool netShoot();
    // Level * (2*(80-shots) + 5*(20-hits)), saturated to 32 bits.
    static std::int32_t computePoints(std::int32_t level, std::int32_t playerShots, std::int32_t enemyHits);

    // ------------------------------------------------------------- computer
    void setupEasy();
    void setupNormal();
    void setupHard();
    // The Admiral's set-up: the zone cells become plain water as Easy's do
    // (it is given no knowledge), the level is 4, the chart starts empty.
    void setupAdmiral();
    // The Admiral's shot: the cell it chooses from its chart, resolved as the
    // aimed shot while a ship it hit is afloat and as the random one
    // otherwise; the result goes onto the chart. True for a hit.
    bool admiralShoot();
    // Fills hitCells/hitCount/hitAlongRow from the '3' cells of ownField
    // (expects hitCount = 0 on entry); true when any was found.
    bool collectHits();
    // Random shot from the target list; misses without a shot when the list
    // is empty.
    bool shoot();
    // Aimed shot next to the collected hits; falls back to shoot() when no
    // target is left.
    bool smartShoot();
    // The cell smartShoot would fire at, if any.
    std::optional<HitCell> smartTarget() const;

    // ----------------------------------------------------------------- flow
    void singleClicked();
    void initGame();
    void fightClicked();
    void turnTimerFired();
    void exitClicked();
    // Runs the continuations whose time has come (see wakeAfter).
    void runDue();
    // When the next continuation is due (IClock::tickMs), if any.
    std::optional<std::int64_t> nextWakeMs() const { return m_waits.nextDueMs(); }
    // The player closed the modal message the Match showed: the rule that
    // showed it goes on.
    void messageClosed();
    // Main window activation: the computer's pause is one second again.
    void activateTurnTimer();
    // The computer's pause between its shots, in seconds; the turn timer follows
    // unless a manual arrangement or a LAN battle runs it at 5 ms. Nothing
    // in the game offers another value than 1: activation and the options'
    // Close both set one second.
    void setTurnDelay(std::int32_t seconds);
    // Pushes every menu button state and the turn timer's state to the host, e.g.
    // once after the main window has built its widgets.
    void refreshHost();
    // Sets a menu button and mirrors it to the host.
    void setMenuButton(MenuButton button, bool enabled, bool whiteFont);

    // --------------------------------------------------------------- picking
    // The pointer (or the keyboard's cursor) came onto another cell: while
    // arranging it is the picked cell, and the preview and the status line
    // follow it. In the player's turn of a battle an enemy cell already used
    // (MatchState::usedEnemyCell) has the status line say a shot there is
    // wasted, and the next open cell puts "Player Move" back. Nothing otherwise.
    void cellHovered(BoardCell cell);
    // A click on a cell. While arranging: Right turns the ship, Left drops it
    // on the picked cell (the last hovered one) when that lies on the own
    // board. In the player's turn of a battle: the cell is picked, and Left
    // on an enemy cell shoots it.
    void cellClicked(BoardCell cell, MouseButton button);
    // A key went down while Space is held: toggles the orientation while
    // arranging, nothing otherwise.
    void spaceToggle() { togglePlaceHorizontal(); }

    // ------------------------------------------------------------------ LAN
    // Starts the battle once both fleets are across (polled by the window's
    // 100 ms tick).
    void completeFleetExchange();
    // All three are ignored while netMode is false.
    // A received shot at a cell of the own board: stored for the turn timer's
    // next tick. The receiver made the cell, refusing one outside the grid.
    void receiveMove(BoardCell cell);
    // Received blocks; copied over the start of enemyFleet / enemyField (at
    // most 600 / 100 bytes). The grid block also places the enemy models and
    // sets fleetReceived.
    void receiveFleetBlock(std::span<const unsigned char> bytes);
    void receiveFieldBlock(std::span<const unsigned char> bytes);

    // ------------------------------------------- what the hosts ask to change
    // The lobby: network mode, this side's role, a match with opponentIp
    // under way or not.
    void setNetMode(bool on) { m_state.netMode = on; }
    void setNetRole(NetRole role) {
        m_state.netRole = role;
        m_state.netFirstShooter = FirstShooter::Creator;
    }
    void setNetConnected(bool on) { m_state.netConnected = on; }
    void setOpponentIp(std::string_view ip) { m_state.opponentIp = std::string(ip); }
    // Both sides of a finished LAN match want another one: it starts with the
    // same opponent as Single starts one, and shootFirst (the last match's
    // loser) opens the battle instead of the creator.
    void startRematch(bool shootFirst);
    // A join request from fromIP was accepted: fromIP is the opponent now.
    void opponentJoined(std::string_view fromIP);
    // The opponent announced its fleet block / grid block as its next datagram.
    void expectFleetBlock() { m_state.expectInfo = true; }
    void expectFieldBlock() { m_state.expectField = true; }
    // The datagram after an announcement was taken as the block(s).
    void blocksTaken();
    // The options' sound switch (the sound failing to start turns it off too).
    void setSoundOn(bool on) { m_state.soundOn = on; }
    // The high-score window stored the points of a win (false) or a win's
    // points wait for it (true).
    void setScorePending(bool pending) { m_state.scorePending = pending; }
    // The player's habit as the program read it at start-up (where the
    // Admiral's first look at a habit, some 30 ms, does not show).
    void setPlayerHabit(const PlayerHabit& habit);
    const PlayerHabit& playerHabit() const { return m_habit; }

private:
    void setTurnTimerEnabled(bool enabled);
    void setTurnTimerInterval(std::int32_t ms);
    void writeShip(Field& field, Ship& ship, std::int32_t n, std::int32_t row, std::int32_t column,
                   bool horizontal);
    bool recordHit(Board board, std::int32_t row, std::int32_t column);
    void pick(BoardCell cell);
    void playerShot(std::int32_t row, std::int32_t column);
    // In the player's turn: the status line says whether a shot at m_aimedAt
    // is wasted, when that changed.
    void warnOfWastedShot();
    void winMatch();
    void loseMatch();
    // A match against the computer ended with a winner: a fleet arranged by
    // hand joins the player's habit, which the host stores.
    void learnHabit();
    void sendFleetExchange();
    void finishManualArrangement();
    void afterArrangementMessage();
    void startAfterWait();
    // The rest of a rule, ms from now / once the modal message is closed.
    void after(std::int32_t ms, Scheduler::Task then);
    void showMessageThen(std::int32_t top, std::string_view text, Scheduler::Task then);
    // The match's waits end with it.
    void dropContinuations();

    IMatchHost& m_host;
    IClock& m_clock;
    GameRandom m_random;
    MatchState m_state;
    Admiral m_admiral;
    PlayerHabit m_habit;
    PlacementWeights m_habitWeights; // the Admiral's model of m_habit
    Scheduler m_waits;
    Scheduler::Task m_afterMessage;
    // Between Single's first step and the match being in progress.
    bool m_starting = false;
    // The enemy cell under the pointer or the keyboard's cursor, once known.
    std::optional<BoardCell> m_aimedAt;
    // The status line says status::ShotWasted now.
    bool m_wastedShown = false;
};

} // namespace vtx
