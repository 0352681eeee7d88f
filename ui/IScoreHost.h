#pragma once

// What the high-score window needs from the game. The program's
// app/ScoreHost implements it; the window never owns or deletes it.

#include <QString>

namespace vtx {

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
};

} // namespace vtx
