#include "app/BattleHud.h"

#include "game/IClock.h"
#include "game/MatchState.h"
#include "scene/Boards.h"

#include <QLabel>

namespace vtx {

namespace {

QLabel* overlayLabel(QWidget& window, const QRect& geometry, int pixelSize, const QString& style) {
    auto* label = new QLabel(&window);
    label->setGeometry(geometry);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(style);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    return label;
}

} // namespace

BattleHud::BattleHud(QWidget& window, const QRect& viewerRect, const Boards& boards, const MatchState& state,
                     IClock& clock)
    : m_boards(boards), m_state(state), m_clock(clock) {
    // Top left of the view, where the boards lying corner to corner leave sea.
    m_tally = overlayLabel(window, QRect(viewerRect.topLeft() + QPoint(6, 6), QSize(196, 40)), 11,
                           QStringLiteral("color: #e8eef8; background: rgba(4, 10, 20, 170);"
                                          "border-radius: 4px; padding: 2px 6px;"));
    m_banner = overlayLabel(
        window, QRect(viewerRect.left() + viewerRect.width() / 2 - 150, viewerRect.top() + 10, 300, 30), 17,
        QStringLiteral("color: #fff4c0; background: rgba(4, 10, 20, 190); border-radius: 6px;"));
    m_banner->setAlignment(Qt::AlignCenter);
}

BattleHud::Turn BattleHud::turn() const {
    const MatchState& s = m_state;
    if (!s.GameInProgress || !s.FightStarted || s.Arranging || s.GameWon || s.GameLost) return Turn::None;
    return s.PlayerTurn == 1 ? Turn::Player : Turn::Opponent;
}

void BattleHud::update() {
    const MatchState& s = m_state;
    const bool battle = s.FightStarted || ((s.GameWon || s.GameLost) && m_boards.tally(EnemyBoard).shots > 0);
    if (battle) {
        const auto line = [](const QString& who, const Boards::Tally& t) {
            return tr("%1: %2 shots, %3 hits, %4 misses").arg(who).arg(t.shots).arg(t.hits).arg(t.misses());
        };
        const QString text = line(tr("You"), m_boards.tally(EnemyBoard)) + QLatin1Char('\n') +
                             line(tr("Enemy"), m_boards.tally(OwnBoard));
        if (m_tally->text() != text) m_tally->setText(text);
    }
    m_tally->setVisible(battle);

    const Turn now = turn();
    const std::int64_t tick = m_clock.tickMs();
    if (now != m_lastTurn && now != Turn::None) {
        m_banner->setText(now == Turn::Player ? tr("Your turn: shoot!") : tr("Enemy's turn"));
        m_bannerUntil = tick + BannerMs;
    }
    m_lastTurn = now;
    m_banner->setVisible(now != Turn::None && tick < m_bannerUntil);
}

} // namespace vtx
