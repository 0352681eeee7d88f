#include "game/ReplayRecorder.h"

#include "game/ReplayPlayer.h"

#include <algorithm>
#include <limits>

namespace vtx {

void ReplayRecorder::begin(Replay start) {
    m_replay = std::move(start);
    m_replay.shots.clear();
    m_replay.cut = false;
    m_recording = true;
}

void ReplayRecorder::shot(ReplaySide side, std::int32_t row, std::int32_t column, std::int64_t tickMs) {
    if (!m_recording || !insideGrid(row, column)) return;
    if (m_replay.shots.size() >= MaxShots) {
        m_replay.cut = true;
        return;
    }
    if (m_replay.shots.empty()) m_firstTick = tickMs;
    const std::int64_t since =
        std::clamp<std::int64_t>(tickMs - m_firstTick, 0, std::numeric_limits<std::uint32_t>::max());
    // A clock that stepped back must not make the shots run backwards.
    const std::uint32_t before = m_replay.shots.empty() ? 0 : m_replay.shots.back().timeMs;
    m_replay.shots.push_back({side, row, column, std::max(std::uint32_t(since), before)});
}

std::optional<Replay> ReplayRecorder::finish(ReplayEnd reason) {
    if (!m_recording) return std::nullopt;
    m_recording = false;
    Replay replay = std::move(m_replay);
    m_replay = Replay{};
    if (replay.shots.empty()) return std::nullopt;

    ReplayPlayer player(replay);
    player.toEnd();
    if (player.enemyFleetGone() && !replay.cut)
        replay.end = ReplayEnd::Won;
    else if (player.ownFleetGone() && !replay.cut)
        replay.end = ReplayEnd::Lost;
    else if ((reason == ReplayEnd::Won || reason == ReplayEnd::Lost) && !replay.cut)
        replay.end = ReplayEnd::Left;
    else
        replay.end = reason;
    if (replay.opponent == ReplayOpponent::Computer &&
        (replay.end == ReplayEnd::OpponentSilent || replay.end == ReplayEnd::OpponentLeft))
        replay.end = ReplayEnd::Left;
    return replay;
}

void ReplayRecorder::abandon() {
    m_recording = false;
    m_replay = Replay{};
}

} // namespace vtx
