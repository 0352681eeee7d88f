#pragma once

// What the high-score window asks of the game (IScoreHost): the won game
// waiting to be entered, from the match; the proposed name, from the options
// window; whether a kept match may be watched now (only from the menu: no
// match, no LAN session between matches) and the watching itself, by the
// replay viewer. UI thread only; owns nothing.

#include "ui/IScoreHost.h"

namespace vtx {

class LanHost;
class Match;
struct WindowParts;

class ScoreHost final : public IScoreHost {
public:
    ScoreHost(Match& match, const WindowParts& parts, const LanHost& lan)
        : m_match(match), m_parts(parts), m_lan(lan) {}

    bool scorePending() const override;
    void setScorePending(bool pending) override;
    int lastPoints() const override;
    QString playerName() const override;
    bool canWatch() const override;
    void watchReplay(const Replay& replay) override;

private:
    Match& m_match;
    const WindowParts& m_parts;
    const LanHost& m_lan;
};

} // namespace vtx
