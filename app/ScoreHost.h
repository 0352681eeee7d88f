#pragma once

// What the high-score window asks of the game (IScoreHost): the won game
// waiting to be entered, from the match; the proposed name, from the options
// window. UI thread only; owns nothing.

#include "ui/IScoreHost.h"

namespace vtx {

class Match;
struct FormParts;

class ScoreHost final : public IScoreHost {
public:
    ScoreHost(Match& match, const FormParts& parts) : m_match(match), m_parts(parts) {}

    bool ScorePending() const override;
    void SetScorePending(bool pending) override;
    int LastPoints() const override;
    QString PlayerName() const override;

private:
    Match& m_match;
    const FormParts& m_parts;
};

} // namespace vtx
