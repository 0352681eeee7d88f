#include "app/BattleHud.h"

#include "game/IClock.h"
#include "game/MatchState.h"
#include "scene/Boards.h"
#include "scene/HudGlyphs.h"
#include "scene/engine/HudText.h"

#include <QLabel>

#include <algorithm>

namespace vtx {

BattleHud::BattleHud(QWidget& window, const QRect& panelRect, HudText& banner, const Boards& boards,
                     const MatchState& state, IClock& clock)
    : m_banner(banner), m_boards(boards), m_state(state), m_clock(clock) {
    m_tally = new QLabel(&window);
    m_tally->setGeometry(panelRect);
    QFont font = m_tally->font();
    font.setPixelSize(10);
    font.setBold(true);
    m_tally->setFont(font);
    m_tally->setStyleSheet(QStringLiteral("color: #e8eef8; background: rgba(4, 10, 20, 150);"
                                          "border-radius: 3px; padding: 1px 3px;"));
    m_tally->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_tally->hide();
}

BattleHud::Turn BattleHud::turn() const {
    const MatchState& s = m_state;
    if (!s.gameInProgress || !s.fightStarted || s.arranging || s.gameWon || s.gameLost) return Turn::None;
    return s.playerTurn == 1 ? Turn::Player : Turn::Opponent;
}

void BattleHud::showBanner(const QString& text) {
    const QString upper = text.toUpper();
    const float width = float(upper.toUcs4().size() * (hud::Cell + hud::Gap));
    m_banner.text = upper.toStdString();
    m_banner.position.x = std::max(8.0f, (ViewerWidth - width) / 2.0f);
    m_banner.modulateColor = {1.0f, 1.0f, 1.0f, 1.0f};
    m_banner.visible = true;
    m_bannerShown = true;
}

void BattleHud::update() {
    const MatchState& s = m_state;
    const Boards::Tally& own = m_boards.tally(EnemyBoard); // the player's shots
    const Boards::Tally& foe = m_boards.tally(OwnBoard);
    const bool battle = s.fightStarted || ((s.gameWon || s.gameLost) && own.shots > 0);
    if (battle) {
        const auto row = [](const QString& name, int a, int b) {
            return QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td></tr>")
                .arg(name.toHtmlEscaped())
                .arg(a)
                .arg(b);
        };
        const QString text =
            QStringLiteral(
                "<table width=100% cellspacing=0 cellpadding=0><tr><td></td><td align=right>%1</td>"
                "<td align=right>&nbsp;%2</td></tr>")
                .arg(tr("You").toHtmlEscaped(), tr("Foe").toHtmlEscaped()) +
            row(tr("Shots"), own.shots, foe.shots) + row(tr("Hits"), own.hits, foe.hits) +
            row(tr("Misses"), own.misses(), foe.misses()) + QStringLiteral("</table>");
        if (m_tally->text() != text) m_tally->setText(text);
    }
    m_tally->setVisible(battle);

    const Turn now = turn();
    const std::int64_t tick = m_clock.tickMs();
    if (now != m_lastTurn && now != Turn::None) {
        showBanner(now == Turn::Player ? tr("Your turn: shoot!") : tr("Enemy's turn"));
        m_bannerUntil = tick + BannerMs;
    }
    m_lastTurn = now;
    if (!m_bannerShown) return;
    if (s.gameWon || s.gameLost) {
        m_bannerShown = false; // the result stands in the line now
    } else if (now == Turn::None || tick >= m_bannerUntil) {
        m_banner.visible = false;
        m_bannerShown = false;
    }
}

} // namespace vtx
