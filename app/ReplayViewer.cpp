#include "app/ReplayViewer.h"

#include "app/MatchHost.h"
#include "app/StatusLine.h"
#include "scene/Boards.h"
#include "scene/CameraFx.h"
#include "scene/ViewTexts.h"
#include "scene/engine/AnimatedModel.h"
#include "ui/ReplayTexts.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace vtx {

ReplayViewer::ReplayViewer(Boards& boards, CameraFx& cameraFx, ViewTexts& texts, MatchHost& host,
                           StatusLine& status)
    : m_boards(boards), m_cameraFx(cameraFx), m_texts(texts), m_host(host), m_status(status) {
    m_stepTimer.setSingleShot(true);
    m_stepTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_stepTimer, &QTimer::timeout, [this] { stepDue(); });
}

ReplayViewer::~ReplayViewer() {
    m_stepTimer.stop();
    if (m_player) m_boards.showFleetsOf(nullptr, nullptr);
}

void ReplayViewer::start(const Replay& replay) {
    leave();
    m_player = std::make_unique<ReplayPlayer>(replay);
    m_wholeFleet = false;
    m_title = tr("Replay: %1, %2").arg(ReplayTexts::opponent(replay), ReplayTexts::date(replay));
    const ReplayBoards& now = m_player->boards();
    m_boards.showFleetsOf(&now.ownFleet, &now.enemyFleet);
    m_cameraFx.watching = true;
    m_texts.hideResult();
    m_texts.hideBanner();
    m_texts.showLogo(false);
    m_host.resetBoards(); // and the first view
    if (m_status.label)
        m_status.label->setToolTip(tr("Space: pause or play\nLeft, Right: one shot back or on\n"
                                      "Home, End: the first or the last shot\n1, 2, 3: speed x1, x4, x16\n"
                                      "H: the whole enemy fleet\nEsc: back to the menu"));
    rebuild();
    m_host.animateShipModels();
    setPlaying(true);
}

void ReplayViewer::leave() {
    if (!m_player) return;
    m_stepTimer.stop();
    m_player.reset();
    m_boards.resetBoards();
    m_boards.showFleetsOf(nullptr, nullptr);
    m_cameraFx.watching = false;
    m_cameraFx.restartIdleWait();
    m_texts.showLogo(true);
    m_status.setMatchText(QString());
    if (m_status.label) m_status.label->setToolTip(QString());
}

bool ReplayViewer::keyPress(int key) {
    if (!m_player) return false;
    ReplayPlayer& p = *m_player;
    switch (key) {
    case Qt::Key_Space:
        if (p.atEnd()) {
            p.toStart();
            rebuild();
            setPlaying(true);
        } else {
            setPlaying(!p.playing());
        }
        return true;
    case Qt::Key_Right:
        setPlaying(false);
        if (!p.atEnd()) showNext();
        showStatus();
        return true;
    case Qt::Key_Left:
        setPlaying(false);
        if (p.back()) rebuild();
        showStatus();
        return true;
    case Qt::Key_Home:
        p.seek(1);
        rebuild();
        schedule();
        return true;
    case Qt::Key_End:
        setPlaying(false);
        p.toEnd();
        rebuild();
        return true;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
        p.setSpeed(key == Qt::Key_1 ? 1 : key == Qt::Key_2 ? 4 : 16);
        schedule();
        showStatus();
        return true;
    case Qt::Key_H:
        m_wholeFleet = !m_wholeFleet;
        showEnemyShips();
        return true;
    case Qt::Key_Escape:
        leave();
        return true;
    default:
        return false;
    }
}

QString ReplayViewer::stateWord() const {
    if (!m_player) return QStringLiteral("none");
    return m_player->playing() ? QStringLiteral("playing") : QStringLiteral("paused");
}

void ReplayViewer::setPlaying(bool on) {
    m_player->setPlaying(on);
    schedule();
    showStatus();
}

// The wait before the next shot starts again from now, at the speed chosen.
void ReplayViewer::schedule() {
    m_stepTimer.stop();
    if (!m_player || !m_player->playing()) return;
    const std::int64_t wait = m_player->msToNext();
    if (wait >= 0) m_stepTimer.start(int(wait));
}

void ReplayViewer::stepDue() {
    if (!m_player || !m_player->playing()) return;
    showNext();
    schedule();
    showStatus();
}

void ReplayViewer::showNext() {
    ReplayPlayer& p = *m_player;
    const std::size_t i = p.shown();
    if (!p.forward()) return;
    const ReplayStep& step = p.step(i);
    showStepMarks(step);
    if (step.sunkShip != 0) {
        m_host.startShake();
        m_host.playSound(Sound::Sunk);
    } else {
        m_host.playSound(step.hit() ? Sound::Hit : Sound::Miss);
    }
    if (p.atEnd()) {
        const ReplayEnd end = p.replay().end;
        if (end == ReplayEnd::Won) m_host.playSound(Sound::Won);
        if (end == ReplayEnd::Lost) m_host.playSound(Sound::Lost);
    }
    showEnemyShips();
}

void ReplayViewer::rebuild() {
    const ReplayPlayer& p = *m_player;
    m_boards.resetBoards();
    m_boards.positionOwnShipModels();
    m_boards.positionEnemyShipModels();
    m_boards.hideShipModels(false);
    for (std::size_t i = 0; i < p.shown(); ++i)
        showStepMarks(p.step(i));
    showEnemyShips();
    showStatus();
}

void ReplayViewer::showStepMarks(const ReplayStep& step) {
    if (step.marked) m_boards.markShot(step.board(), step.shot.row, step.shot.column, step.hit());
    if (step.sunkShip != 0) m_boards.showSunkShip(step.board(), step.sunkShip);
}

// The enemy's ships as the match showed them at this moment: the sunk ones,
// and every survivor once the player had lost; or all of them (H).
void ReplayViewer::showEnemyShips() {
    const ReplayPlayer& p = *m_player;
    const bool lostAtEnd = p.atEnd() && p.replay().end == ReplayEnd::Lost;
    for (int n = 1; n <= FleetShips; ++n) {
        AnimatedModel* model = m_boards.enemyModel(n);
        if (!model) continue;
        const bool sunk = p.boards().enemyFleet[std::size_t(n - 1)].sunk != 0;
        model->visible = m_wholeFleet || sunk || lostAtEnd;
    }
}

void ReplayViewer::showStatus() {
    if (!m_player) return;
    const ReplayPlayer& p = *m_player;
    QString where = QStringLiteral("%1/%2").arg(p.shown()).arg(p.shotCount());
    if (!p.playing() && !p.atEnd())
        where += QLatin1Char(' ') + tr("paused");
    else if (p.speed() > 1)
        where += QStringLiteral(" x%1").arg(p.speed());
    if (p.atEnd()) where += QStringLiteral(" ") + ReplayTexts::end(p.replay());
    // Whom and when give way to where it stands when the line is short.
    QString title = m_title;
    if (const QLabel* label = m_status.label) {
        const QFontMetrics fm(label->font());
        const int room = label->width() - fm.horizontalAdvance(QStringLiteral("  ") + where);
        title = fm.elidedText(m_title, Qt::ElideRight, std::max(room, 0));
    }
    m_status.setMatchText(title + QStringLiteral("  ") + where);
}

} // namespace vtx
