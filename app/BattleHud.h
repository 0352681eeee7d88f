#pragma once

// What the view tells about the battle beside the boards: the tally of both
// sides' shots, hits and misses in a corner of the view, and a banner across
// the view's top for a moment whenever the turn changes. Both are labels
// over the viewer, children of the main window so they scale with it (create
// them before the window's EnableScaling).
//
// It only reads: the counts come from the boards (every shot the match marks),
// the turn from the match state, at each 100 ms tick (update). UI thread only.

#include <QCoreApplication>
#include <QRect>

#include <cstdint>

class QLabel;
class QWidget;

namespace vtx {

class Boards;
class IClock;
struct MatchState;

class BattleHud {
    Q_DECLARE_TR_FUNCTIONS(BattleHud)
public:
    static constexpr std::int64_t BannerMs = 2500;

    // viewerRect: the viewer's place in the window's layout pixels.
    BattleHud(QWidget& window, const QRect& viewerRect, const Boards& boards, const MatchState& state,
              IClock& clock);

    void update();

    const QLabel* tallyLabel() const { return m_tally; }
    const QLabel* bannerLabel() const { return m_banner; }

private:
    enum class Turn { None, Player, Opponent };
    Turn turn() const;

    const Boards& m_boards;
    const MatchState& m_state;
    IClock& m_clock;
    QLabel* m_tally = nullptr;
    QLabel* m_banner = nullptr;
    Turn m_lastTurn = Turn::None;
    std::int64_t m_bannerUntil = 0;
};

} // namespace vtx
