#pragma once

// What the window tells about the battle beside the boards: the tally of both
// sides' shots, hits and misses on the panel (the view is a native GL surface
// that no widget can lie over), and a banner over the view, in the result's
// line of the view's texts, for a moment whenever the turn changes.
//
// It only reads the match: the counts come from the boards (every shot the
// match marks), the turn from the match state, at each 100 ms tick (update).
// The banner shares its line with the result: it never hides a result.
// Create it before the window's enableScaling (the tally is a panel control).
// UI thread only.

#include <QCoreApplication>
#include <QRect>

#include <cstdint>

class QFont;
class QWidget;

namespace vtx {

class Boards;
class IClock;
class TallyTable;
class ViewTexts;
struct MatchState;

class BattleHud {
    Q_DECLARE_TR_FUNCTIONS(BattleHud)
public:
    static constexpr std::int64_t BannerMs = 2500;

    // panelRect: the tally's place in the window's layout pixels.
    BattleHud(QWidget& window, const QRect& panelRect, ViewTexts& texts, const Boards& boards,
              const MatchState& state, IClock& clock);

    void update();

    // The tally's table as it is drawn now: every text of it fits its column
    // in this font (smaller than the panel's when a language's words are long),
    // at the window's present scale.
    const QWidget& tally() const;
    QFont tallyFont() const;

private:
    enum class Turn { None, Player, Opponent };
    Turn turn() const;
    void showBanner(const QString& text);

    ViewTexts& m_texts;
    const Boards& m_boards;
    const MatchState& m_state;
    IClock& m_clock;
    TallyTable* m_tally = nullptr;
    Turn m_lastTurn = Turn::None;
    bool m_bannerShown = false;
    std::int64_t m_bannerUntil = 0;
};

} // namespace vtx
