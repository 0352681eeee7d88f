#pragma once

// Keeps every match against the computer or over the LAN that saw at least one
// shot, as a file of the player's "replays" folder (files/ReplayFolder.h): the
// match's host hands it each shot before the shot is resolved (shotFired);
// the first one takes the fleets, the grids, the kind of match, the level or
// the opponent's name from the match's state. The match is written once it is
// over: seen at the window's tick (no match in progress any more, or another
// one started), or at once when the window closes. How it ended follows from
// the shots when they decided it, else from what the LAN host told
// (opponentLeft, opponentSilent), the closing window, or Exit.
//
// It only reads the match's state and never changes the rules or the wire. A
// replay that cannot be written is told on stderr; the game goes on.
//
// Ownership: refers to the match and the clock (both outlive it). UI thread only.

#include "game/GameTypes.h"
#include "game/ReplayRecorder.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace vtx {

class IClock;
class Match;

class ReplayKeeper {
public:
    ReplayKeeper(const Match& match, IClock& clock);

    // The LAN opponent's name as this side knows it, asked at the first shot
    // and again when the match is written.
    std::function<std::string()> opponentName;
    // Where the files go; default replayFolder() at the first write.
    std::filesystem::path folder;

    void shotFired(Board board, std::int32_t row, std::int32_t column);
    // The LAN opponent left or fell silent during the match.
    void opponentLeft();
    void opponentSilent();
    // The window's tick: writes a match that is over.
    void tick();
    // The window closes: a match still running is written now.
    void windowClosing();

    bool recording() const { return m_recorder.recording(); }

private:
    void finish(ReplayEnd reason);

    const Match& m_match;
    IClock& m_clock;
    ReplayRecorder m_recorder;
    std::int32_t m_matchNumber = 0; // MatchState::matchesStarted of the match recorded
    ReplayEnd m_lanEnd = ReplayEnd::Left;
    std::string m_opponentIp; // of the match recorded
};

} // namespace vtx
