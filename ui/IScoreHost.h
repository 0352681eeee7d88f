#pragma once

// What the high-score window needs from the game. The program's
// app/ScoreHost implements it; the window never owns or deletes it.

#include <QString>

namespace vtx {

struct Replay;

class IScoreHost {
public:
    virtual ~IScoreHost() = default;
    // A won game waits to be entered; the window clears it when it takes it.
    virtual bool scorePending() const = 0;
    virtual void setScorePending(bool pending) = 0;
    // The points of that game.
    virtual int lastPoints() const = 0;
    // Proposed as the new entry's name (the options window's player name).
    virtual QString playerName() const = 0;
    // A kept match may be watched now: only from the menu, not while a match
    // or a LAN session between matches runs.
    virtual bool canWatch() const = 0;
    // Watch was chosen (the window has closed): show the match again.
    virtual void watchReplay(const Replay& replay) = 0;
};

} // namespace vtx
