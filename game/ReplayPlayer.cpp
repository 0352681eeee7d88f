#include "game/ReplayPlayer.h"

#include "game/NetMessage.h"
#include "game/TextClean.h"

#include <algorithm>

namespace vtx {

namespace {

bool fleetGone(const Fleet& fleet) {
    return std::all_of(fleet.begin(), fleet.end(), [](const Ship& ship) { return ship.sunk != 0; });
}

// The match's hit on a fleet: the deck at (row, column) is hit; when it was
// the ship's last intact deck the ship sinks. The own grid then turns the ship
// and its water to '2' (the computer knows it), the enemy grid keeps '4'.
// Returns the ship sunk (1..10), 0 when it stays afloat, -1 when no deck lies
// there.
std::int32_t recordHit(Field& field, Fleet& fleet, bool own, std::int32_t row, std::int32_t column) {
    for (std::int32_t n = 1; n <= FleetShips; ++n) {
        Ship& ship = fleet[std::size_t(n - 1)];
        for (int k = 1; k <= deckSlots(ship); ++k) {
            const auto deck = deckAt(ship, k);
            if (!deck || deck->row != row || deck->column != column) continue;
            setCell(field, row, column, CellHit);
            ship.deckState[k - 1] = DeckDamaged;
            for (int j = 1; j <= deckSlots(ship); ++j)
                if (deckAt(ship, j) && ship.deckState[j - 1] == DeckIntact) return 0;
            ship.sunk = 1;
            for (int j = 1; j <= deckSlots(ship); ++j) {
                const auto d = deckAt(ship, j);
                if (!d) continue;
                setCell(field, d->row, d->column, CellSunk);
                if (!own) continue;
                for (std::int32_t r = d->row - 1; r <= d->row + 1; ++r)
                    for (std::int32_t c = d->column - 1; c <= d->column + 1; ++c)
                        setCell(field, r, c, CellZone);
            }
            return n;
        }
    }
    return -1;
}

} // namespace

ReplayPlayer::ReplayPlayer(Replay replay) : m_replay(std::move(replay)) {
    m_start.ownField = m_replay.ownField;
    m_start.enemyField = m_replay.enemyField;
    m_start.ownFleet = m_replay.ownFleet;
    m_start.enemyFleet = m_replay.enemyFleet;
    m_boards = m_start;
    m_steps.reserve(m_replay.shots.size());
    ReplayBoards run = m_start;
    for (const ReplayShot& shot : m_replay.shots)
        m_steps.push_back(apply(run, shot));
}

// The outcome tables of the match's three shooters: the player at the enemy
// grid, the computer and the LAN opponent at the own grid.
ReplayStep ReplayPlayer::apply(ReplayBoards& boards, const ReplayShot& shot) const {
    ReplayStep step;
    step.shot = shot;
    const bool player = shot.side == ReplaySide::Player;
    Field& field = player ? boards.enemyField : boards.ownField;
    Fleet& fleet = player ? boards.enemyFleet : boards.ownFleet;
    const char cell = cellAt(field, shot.row, shot.column);
    if (cell == CellDeck) {
        step.marked = true;
        const std::int32_t sunk = recordHit(field, fleet, !player, shot.row, shot.column);
        step.outcome = sunk > 0 ? ShotOutcome::Sunk : ShotOutcome::Hit;
        step.sunkShip = std::max(sunk, 0);
        return step;
    }
    if (player) {
        // Any other cell is a miss; a hit deck keeps its "hit" mark.
        step.marked = cell != CellHit && cell != '\0';
        step.outcome = cell == CellWater || cell == CellZone ? ShotOutcome::Miss : ShotOutcome::Wasted;
        return step;
    }
    // The computer only marks water it did not know of; the LAN opponent also
    // the water its earlier shots or a sinking marked.
    const bool lan = m_replay.opponent == ReplayOpponent::Lan;
    if (cell == CellWater || (lan && cell == CellZone)) {
        step.marked = true;
        step.outcome = ShotOutcome::Miss;
        setCell(field, shot.row, shot.column, CellZone);
        return step;
    }
    step.outcome = ShotOutcome::Wasted;
    return step;
}

bool ReplayPlayer::forward() {
    if (atEnd()) return false;
    apply(m_boards, m_replay.shots[m_shown]);
    ++m_shown;
    if (atEnd()) m_playing = false;
    return true;
}

bool ReplayPlayer::back() {
    if (m_shown == 0) return false;
    seek(m_shown - 1);
    return true;
}

void ReplayPlayer::seek(std::size_t shown) {
    shown = std::min(shown, m_steps.size());
    if (shown < m_shown) {
        m_boards = m_start;
        m_shown = 0;
    }
    while (m_shown < shown)
        forward();
    if (atEnd()) m_playing = false;
}

ReplayTally ReplayPlayer::tally(ReplaySide side) const {
    ReplayTally tally;
    for (std::size_t i = 0; i < m_shown; ++i) {
        const ReplayStep& s = m_steps[i];
        if (s.shot.side != side) continue;
        ++tally.shots;
        if (s.hit()) ++tally.hits;
        if (s.sunkShip != 0) ++tally.sunk;
    }
    return tally;
}

bool ReplayPlayer::ownFleetGone() const {
    return fleetGone(m_boards.ownFleet);
}

bool ReplayPlayer::enemyFleetGone() const {
    return fleetGone(m_boards.enemyFleet);
}

std::uint32_t ReplayPlayer::gapBeforeMs(std::size_t i) const {
    if (i == 0 || i >= m_steps.size()) return LeadInMs;
    const std::uint32_t now = m_steps[i].shot.timeMs;
    const std::uint32_t before = m_steps[i - 1].shot.timeMs;
    return now <= before ? 0 : std::min(now - before, LongestGapMs);
}

std::int64_t ReplayPlayer::msToNext() const {
    if (atEnd()) return -1;
    return std::int64_t(gapBeforeMs(m_shown)) / m_speed;
}

std::string replayProblem(const Replay& replay) {
    switch (replay.opponent) {
    case ReplayOpponent::Computer:
        if (replay.level < 1 || replay.level > LevelCount) return "no such level";
        if (!replay.opponentName.empty()) return "a name for the computer";
        break;
    case ReplayOpponent::Lan:
        if (replay.level != 0) return "a level in a LAN match";
        break;
    default:
        return "no such kind of match";
    }
    if (replay.opponentName.size() > ReplayNameBytes) return "opponent's name too long";
    if (std::any_of(replay.opponentName.begin(), replay.opponentName.end(), isControlChar))
        return "control character in the opponent's name";
    const std::uint8_t end = static_cast<std::uint8_t>(replay.end);
    if (end < 1 || end > ReplayEndLast) return "no such end of a match";
    if (replay.opponent == ReplayOpponent::Computer &&
        (replay.end == ReplayEnd::OpponentSilent || replay.end == ReplayEnd::OpponentLeft))
        return "the computer cannot leave";
    for (const Fleet* fleet : {&replay.ownFleet, &replay.enemyFleet})
        for (const Ship& ship : *fleet) {
            // The arrangement leaves the slots beyond a ship's size and the padding at 0.
            for (int k = std::clamp(int(ship.size), 0, MaxDecks); k < MaxDecks; ++k)
                if (ship.rows[k] != 0 || ship.cols[k] != 0 || ship.deckState[k] != 0)
                    return "a deck beyond a ship's size";
            if (ship.padding[0] != 0 || ship.padding[1] != 0 || ship.padding[2] != 0)
                return "a ship's padding";
        }
    if (const std::string why = net::fleetProblem(replay.ownFleet); !why.empty()) return "own fleet: " + why;
    if (const std::string why = net::fleetProblem(replay.enemyFleet); !why.empty())
        return "enemy fleet: " + why;
    if (const std::string why = net::fieldProblem(replay.ownField, replay.ownFleet); !why.empty())
        return "own grid: " + why;
    if (const std::string why = net::fieldProblem(replay.enemyField, replay.enemyFleet); !why.empty())
        return "enemy grid: " + why;

    if (replay.shots.empty()) return "no shot";
    if (replay.shots.front().timeMs != 0) return "the first shot is not at 0";
    std::uint32_t before = 0;
    for (const ReplayShot& shot : replay.shots) {
        if (shot.side != ReplaySide::Player && shot.side != ReplaySide::Opponent) return "no such side";
        if (!insideGrid(shot.row, shot.column)) return "a shot outside the board";
        if (shot.timeMs < before) return "shots out of time order";
        before = shot.timeMs;
    }

    ReplayPlayer player(replay);
    for (std::size_t i = 0; i + 1 < player.shotCount(); ++i) {
        player.forward();
        if (player.ownFleetGone() || player.enemyFleetGone()) return "a shot after the match was decided";
    }
    player.toEnd();
    const bool won = player.enemyFleetGone();
    const bool lost = player.ownFleetGone();
    // A cut match lost its last shots, the deciding one among them if any.
    if (replay.cut) return won || lost ? "a decided match marked as cut" : "";
    if (won != (replay.end == ReplayEnd::Won)) return "the end does not agree with the shots (won)";
    if (lost != (replay.end == ReplayEnd::Lost)) return "the end does not agree with the shots (lost)";
    return {};
}

} // namespace vtx
