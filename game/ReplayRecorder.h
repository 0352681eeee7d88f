#pragma once

// Gathers the Replay of the match being played: the fleets and grids as the
// first shot is about to fall, every shot in order with its time, and how the
// match ended. It only listens: whoever sees the shots (the match's host)
// tells it of each before the shot changes the grids, and of the match's end.
//
// Call order per match: begin as the first shot is about to fall, shot for
// every shot including the first, finish once the match is over (or abandon).
// A shot without begin is ignored. Memory stays bounded: shots beyond what
// one file holds are dropped and the replay marked cut.

#include "game/Replay.h"

#include <cstdint>
#include <optional>

namespace vtx {

class ReplayRecorder {
public:
    // More shots than a file can hold even with no name (files/ReplayFile.h).
    static constexpr std::size_t MaxShots = (64 * 1024 - 1432) / 8;

    bool recording() const { return m_recording; }
    const Replay& replay() const { return m_replay; }

    // The battle's first shot is about to fall: start holds the kind, level,
    // name, the date and both fleets and grids as they are now.
    void begin(Replay start);
    // A shot at a cell of the board (others are ignored: the rules drop
    // them); tickMs is the game's monotonic clock (IClock::tickMs), the
    // shots' times count from the first.
    void shot(ReplaySide side, std::int32_t row, std::int32_t column, std::int64_t tickMs);
    // The match is over. A match its shots decided ended as they say; any
    // other ended as reason says (reason Won or Lost of an undecided match
    // counts only when shots were cut away, else it is taken as Left).
    // Nothing when no match was recorded. Recording stops.
    std::optional<Replay> finish(ReplayEnd reason);
    // Forgets the match being recorded.
    void abandon();

private:
    Replay m_replay;
    std::int64_t m_firstTick = 0;
    bool m_recording = false;
};

} // namespace vtx
