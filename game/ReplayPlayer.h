#pragma once

// Watching a kept match again, as a model without a picture: from the two
// fleets and grids and the shots of a Replay it works out once more what each
// shot did (the same rules as the match: a deck hit, a ship sunk with the water
// around it marked, a miss, a wasted shot at a cell already shot) and keeps a
// position, the number of shots shown, that steps forward and back. The window
// shows the position by the board calls of each step (marked, sunkShip) and
// plays it at the match's pace (gapBeforeMs, speed).
//
// Results are never taken from a file: a shot's outcome follows from the
// fleets alone, so a file can only show what the rules would have shown.
//
// Construction copies the replay and runs every shot once. Any Replay is safe
// to give (a shot outside the grid is a wasted shot); replayProblem says
// whether it is one the game could have kept.

#include "game/GameTypes.h"
#include "game/Replay.h"
#include "game/Ship.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vtx {

enum class ShotOutcome : std::uint8_t {
    Miss,   // water: the cell gets the "hint" mark
    Wasted, // a cell already shot (or, for the computer, water it knew): no new mark, the turn passes
    Hit,    // a deck of a ship still afloat: fire and the "hit" mark
    Sunk,   // the last intact deck of a ship: as Hit, then the ship shows sunk and its water marked
};

// What one shot did, in the order the match asked the boards for it:
// markShot(board, row, column, hit) when marked, then showSunkShip(board,
// sunkShip) when a ship sank.
struct ReplayStep {
    ReplayShot shot;
    ShotOutcome outcome = ShotOutcome::Miss;
    bool marked = false;
    std::int32_t sunkShip = 0; // 1..10 when the shot sank that ship, else 0

    Board board() const { return shot.side == ReplaySide::Player ? EnemyBoard : OwnBoard; }
    bool hit() const { return outcome == ShotOutcome::Hit || outcome == ShotOutcome::Sunk; }
};

// One side's shots so far: every shot fired, those that hit a deck, the
// ships they sank.
struct ReplayTally {
    std::int32_t shots = 0;
    std::int32_t hits = 0;
    std::int32_t sunk = 0;

    bool operator==(const ReplayTally&) const = default;
};

// Grids and fleets as the match had them after some shots.
struct ReplayBoards {
    Field ownField = emptyField();
    Field enemyField = emptyField();
    Fleet ownFleet{};
    Fleet enemyFleet{};
};

class ReplayPlayer {
public:
    // A pause between two shots longer than this is shown this long (at x1).
    static constexpr std::uint32_t LongestGapMs = 2000;
    // The wait before the first shot, so the fleets are seen first.
    static constexpr std::uint32_t LeadInMs = 1000;

    explicit ReplayPlayer(Replay replay);

    const Replay& replay() const { return m_replay; }
    std::size_t shotCount() const { return m_steps.size(); }
    const ReplayStep& step(std::size_t i) const { return m_steps[i]; }

    // ----------------------------------------------------------- position
    // The shots shown, 0 (the fleets before the battle) .. shotCount().
    std::size_t shown() const { return m_shown; }
    bool atEnd() const { return m_shown == m_steps.size(); }
    // Shows the next shot; false (nothing changes) at the end.
    bool forward();
    // Takes the last shown shot back; false at the start.
    bool back();
    void toStart() { seek(0); }
    void toEnd() { seek(m_steps.size()); }
    // Any position; beyond the end means the end.
    void seek(std::size_t shown);

    // Grids and fleets at the position (sunk flags and deck states included).
    const ReplayBoards& boards() const { return m_boards; }
    // At the position: the player's shots at the enemy board, the opponent's
    // at the own board.
    ReplayTally tally(ReplaySide side) const;
    // Whether the match was decided at the position: a side's last ship sank.
    bool ownFleetGone() const;
    bool enemyFleetGone() const;

    // ----------------------------------------------------------- playing
    // Playing moves the position on by itself at the match's pace; it stops
    // at the end.
    bool playing() const { return m_playing; }
    void setPlaying(bool on) { m_playing = on && !atEnd(); }
    // x1, x4 or x16; anything else is taken as x1.
    int speed() const { return m_speed; }
    void setSpeed(int factor) { m_speed = (factor == 4 || factor == 16) ? factor : 1; }
    // The wait at x1 before shot i (0-based): LeadInMs for the first, else the
    // time since the shot before, at most LongestGapMs.
    std::uint32_t gapBeforeMs(std::size_t i) const;
    // The wait before the next shot at the chosen speed, in ms; -1 at the end.
    std::int64_t msToNext() const;

private:
    ReplayStep apply(ReplayBoards& boards, const ReplayShot& shot) const;

    Replay m_replay;
    std::vector<ReplayStep> m_steps;
    ReplayBoards m_start;
    ReplayBoards m_boards;
    std::size_t m_shown = 0;
    bool m_playing = false;
    int m_speed = 1;
};

// Why a replay is none the game could have kept, empty when it is one: the
// kind and level, the name, both fleets (the ten ships of the fleet make-up,
// straight, inside the grid, not touching, fresh) and grids (matching their
// fleet), at least one shot, every shot inside the board and in time order
// from 0, no shot after a side's last ship sank, an end that agrees with the
// shots (won exactly when the enemy fleet is gone, lost exactly when the own
// one is; a cut match was not decided within the shots kept).
std::string replayProblem(const Replay& replay);

// Longest opponent name kept, in bytes of UTF-8.
inline constexpr std::size_t ReplayNameBytes = 64;

} // namespace vtx
