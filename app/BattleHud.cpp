#include "app/BattleHud.h"

#include "game/IClock.h"
#include "game/MatchState.h"
#include "scene/Boards.h"
#include "scene/ViewTexts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <array>

namespace vtx {

namespace {

constexpr int kPadding = 3;        // the text's distance from the plate's sides, in panel pixels at 10 px
constexpr int kSmallestPixels = 6; // below this the words no longer read

} // namespace

// Both sides' counts in three rows under the headers "You" and "Foe". Laid
// out at every paint from the font and the width the window has given it:
// when a language's longest word does not fit, the whole table takes a
// smaller font, so the numbers always stand in their columns.
class TallyTable : public QWidget {
public:
    explicit TallyTable(QWidget* parent) : QWidget(parent) {}

    void setCounts(const Boards::Tally& own, const Boards::Tally& foe) {
        const std::array<int, 6> counts{own.shots, foe.shots, own.hits, foe.hits, own.misses(), foe.misses()};
        if (counts == m_counts) return;
        m_counts = counts;
        update();
    }

    int padding() const { return std::max(1, kPadding * font().pixelSize() / 10); }
    QStringList names() const {
        return {BattleHud::tr("Shots"), BattleHud::tr("Hits"), BattleHud::tr("Misses")};
    }
    QStringList heads() const { return {BattleHud::tr("You"), BattleHud::tr("Foe")}; }

    // A count's column is as wide as its head or the largest count (a board has 100 cells).
    static int columnWidth(const QFontMetrics& fm, const QString& head) {
        return std::max(fm.horizontalAdvance(head), fm.horizontalAdvance(QStringLiteral("100")));
    }
    // More than a space: right-aligned heads of two columns ("Vous", "Ennemi") must read as two words.
    static int gap(const QFontMetrics& fm) { return fm.horizontalAdvance(QLatin1Char(' ')) * 3 / 2; }

    QFont tableFont() const {
        QFont f = font();
        const QStringList n = names();
        const QStringList h = heads();
        const int room = width() - 2 * padding();
        // As large as the plate holds: the table grows with its plate, not
        // only with the window's factor.
        const int tallest = std::max(f.pixelSize(), height() / 5);
        for (int pixels = std::max(tallest, 1); pixels >= kSmallestPixels; --pixels) {
            f.setPixelSize(pixels);
            const QFontMetrics fm(f);
            int nameWidth = 0;
            for (const QString& name : n)
                nameWidth = std::max(nameWidth, fm.horizontalAdvance(name));
            const int needed = nameWidth + 2 * gap(fm) + columnWidth(fm, h[0]) + columnWidth(fm, h[1]);
            if (needed <= room && 4 * fm.height() <= height()) break;
        }
        return f;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(4, 10, 20, 150));
        p.drawRoundedRect(rect(), 3, 3);

        const QFont f = tableFont();
        const QFontMetrics fm(f);
        p.setFont(f);
        p.setPen(QColor(0xe8, 0xee, 0xf8));
        const QStringList h = heads();
        const int pad = padding();
        const int foeRight = width() - pad;
        const int youRight = foeRight - columnWidth(fm, h[1]) - gap(fm);
        const int nameRoom = youRight - columnWidth(fm, h[0]) - gap(fm) - pad;
        const int lineHeight = fm.height();
        const int top = std::max(0, (height() - 4 * lineHeight) / 2);
        const auto cell = [&](int right, int line, const QString& text) {
            p.drawText(QRect(right - fm.horizontalAdvance(text), top + line * lineHeight,
                             fm.horizontalAdvance(text), lineHeight),
                       Qt::AlignRight | Qt::AlignVCenter, text);
        };
        cell(youRight, 0, h[0]);
        cell(foeRight, 0, h[1]);
        const QStringList n = names();
        for (int row = 0; row < 3; ++row) {
            // Elided only by a translation too long even for the smallest font.
            // Measured as the font's choice measured it: elision's own measure
            // would cut a word that the choice found fitting.
            const QString name = fm.horizontalAdvance(n[row]) <= nameRoom
                                     ? n[row]
                                     : fm.elidedText(n[row], Qt::ElideRight, nameRoom);
            p.drawText(QRect(pad, top + (row + 1) * lineHeight, nameRoom + gap(fm), lineHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, name);
            cell(youRight, row + 1, QString::number(m_counts[std::size_t(2 * row)]));
            cell(foeRight, row + 1, QString::number(m_counts[std::size_t(2 * row + 1)]));
        }
    }

private:
    std::array<int, 6> m_counts{};
};

BattleHud::BattleHud(QWidget& window, const QRect& panelRect, ViewTexts& texts, const Boards& boards,
                     const MatchState& state, IClock& clock)
    : m_texts(texts), m_boards(boards), m_state(state), m_clock(clock) {
    m_tally = new TallyTable(&window);
    m_tally->setGeometry(panelRect);
    QFont font = m_tally->font();
    font.setPixelSize(10);
    font.setBold(true);
    m_tally->setFont(font);
    m_tally->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_tally->hide();
}

const QWidget& BattleHud::tally() const {
    return *m_tally;
}

QFont BattleHud::tallyFont() const {
    return m_tally->tableFont();
}

BattleHud::Turn BattleHud::turn() const {
    const MatchState& s = m_state;
    if (!s.gameInProgress || !s.fightStarted || s.arranging || s.gameWon || s.gameLost) return Turn::None;
    return s.playerTurn == 1 ? Turn::Player : Turn::Opponent;
}

void BattleHud::showBanner(const QString& text) {
    m_texts.showBanner(text.toUpper().toStdString());
    m_bannerShown = true;
}

void BattleHud::update() {
    const MatchState& s = m_state;
    const Boards::Tally& own = m_boards.tally(EnemyBoard); // the player's shots
    const Boards::Tally& foe = m_boards.tally(OwnBoard);
    const bool battle = s.fightStarted || ((s.gameWon || s.gameLost) && own.shots > 0);
    if (battle) m_tally->setCounts(own, foe);
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
        m_texts.hideBanner();
        m_bannerShown = false;
    }
}

} // namespace vtx
