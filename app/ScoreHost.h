#pragma once

// What the high-score window asks of the game (IScoreHost): the won game
// waiting to be entered, from the match; the proposed name, from the options
// window. UI thread only; owns nothing.

#include "ui/IScoreHost.h"

namespace vtx {

class Match;
struct WindowParts;

class ScoreHost final : public IScoreHost {
public:
    ScoreHost(Match& match, const WindowParts& parts) : m_match(match), m_parts(parts) {}

    bool scorePending() const override;
    void setScorePending(bool pending) override;
    int lastPoints() const override;
    QString playerName() const override;

private:
    Match& m_match;
    const WindowParts& m_parts;
};

} // namespace vtx
