#include "app/ReplayKeeper.h"

#include "files/ReplayFolder.h"
#include "game/IClock.h"
#include "game/Match.h"
#include "game/ReplayPlayer.h"

#include <chrono>
#include <cstdio>

namespace vtx {

ReplayKeeper::ReplayKeeper(const Match& match, IClock& clock) : m_match(match), m_clock(clock) {}

void ReplayKeeper::shotFired(Board board, std::int32_t row, std::int32_t column) {
    const MatchState& s = m_match.state();
    // A shot of a match started after the one recorded: that one is over.
    if (m_recorder.recording() && s.matchesStarted != m_matchNumber) finish(m_lanEnd);
    if (!m_recorder.recording()) {
        Replay start;
        const bool lan = s.netMode && s.netConnected;
        start.opponent = lan ? ReplayOpponent::Lan : ReplayOpponent::Computer;
        start.level = lan ? 0 : s.level;
        if (lan && opponentName) start.opponentName = opponentName();
        start.startedAt = std::chrono::duration_cast<std::chrono::seconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
        start.ownFleet = s.ownFleet;
        start.ownField = s.ownField;
        start.enemyFleet = s.enemyFleet;
        start.enemyField = s.enemyField;
        m_recorder.begin(std::move(start));
        m_matchNumber = s.matchesStarted;
        m_opponentIp = s.opponentIp;
        m_lanEnd = ReplayEnd::Left;
    }
    m_recorder.shot(board == EnemyBoard ? ReplaySide::Player : ReplaySide::Opponent, row, column,
                    m_clock.tickMs());
}

void ReplayKeeper::opponentLeft() {
    if (m_recorder.recording()) m_lanEnd = ReplayEnd::OpponentLeft;
}

void ReplayKeeper::opponentSilent() {
    if (m_recorder.recording()) m_lanEnd = ReplayEnd::OpponentSilent;
}

void ReplayKeeper::tick() {
    if (!m_recorder.recording()) return;
    const MatchState& s = m_match.state();
    if (!s.gameInProgress || s.matchesStarted != m_matchNumber) finish(m_lanEnd);
}

void ReplayKeeper::windowClosing() {
    if (m_recorder.recording()) finish(m_match.state().gameInProgress ? ReplayEnd::WindowClosed : m_lanEnd);
}

void ReplayKeeper::finish(ReplayEnd reason) {
    std::optional<Replay> replay = m_recorder.finish(reason);
    if (!replay) return;
    // What this side learnt of the opponent during the match (a chat line) names it better.
    if (replay->opponent == ReplayOpponent::Lan && opponentName && m_match.state().opponentIp == m_opponentIp)
        replay->opponentName = opponentName();
    // A match whose fleets the game would not have played (a LAN opponent's
    // odd blocks) is not kept: its file could never be shown.
    if (const std::string why = replayProblem(*replay); !why.empty()) {
        std::fprintf(stderr, "vortalix3d: the match is not kept: %s\n", why.c_str());
        return;
    }
    if (const auto error = keepReplay(folder.empty() ? replayFolder() : folder, *replay))
        std::fprintf(stderr, "vortalix3d: %s\n", error->c_str());
}

} // namespace vtx
