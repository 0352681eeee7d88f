#include "app/MatchHost.h"

#include "app/GameTexts.h"
#include "app/LanHost.h"
#include "app/ReplayKeeper.h"
#include "app/StatusLine.h"
#include "app/WindowParts.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "files/HabitFile.h"
#include "files/OptionsFile.h"
#include "game/Match.h"
#include "scene/Boards.h"
#include "scene/CameraFx.h"
#include "scene/ViewTexts.h"
#include "scene/World.h"
#include "scene/engine/SceneView.h"
#include "ui/OptionsWindow.h"
#include "ui/ScoresWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckBox.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinFont.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

namespace vtx {

MatchHost::MatchHost(World& world, Boards& boards, CameraFx& cameraFx, ViewTexts& texts, Match& match,
                     IClock& clock, const WindowParts& parts, StatusLine& status, LanHost& lan)
    : m_world(world), m_boards(boards), m_cameraFx(cameraFx), m_texts(texts), m_match(match), m_clock(clock),
      m_parts(parts), m_status(status), m_lan(lan) {
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_wake, &QTimer::timeout, [this] { wakeTimer(); });
}

// ------------------------------------------------------------- IBoardView

void MatchHost::resetBoards() {
    m_boards.resetBoards();
    // Every match starts from the first view, wherever the last one left it.
    m_cameraFx.firstView();
}
void MatchHost::markShot(Board board, std::int32_t row, std::int32_t column, bool hit) {
    m_boards.markShot(board, row, column, hit);
}
void MatchHost::showSunkShip(Board board, std::int32_t n) {
    m_boards.showSunkShip(board, n);
}
void MatchHost::startShake() {
    m_cameraFx.startShake();
}
void MatchHost::showEnemySurvivors() {
    m_boards.showEnemySurvivors();
}
void MatchHost::positionOwnShipModels() {
    m_boards.positionOwnShipModels();
}
void MatchHost::positionEnemyShipModels() {
    m_boards.positionEnemyShipModels();
}
void MatchHost::hideShipModels(bool all) {
    m_boards.hideShipModels(all);
}
void MatchHost::animateShipModels() {
    m_boards.animateShipModels([this] { m_match.random().reseed(m_clock); },
                               [this](int n) { return int(m_match.random().random(n)); });
}
void MatchHost::showPlacementPreview() {
    m_boards.showPlacementPreview();
}
void MatchHost::showShipModel(std::int32_t n) {
    m_boards.showShipModel(n);
}
void MatchHost::putShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) {
    m_boards.putShipModelAt(n, row, column);
}

// -------------------------------------------------------- IMatchPresenter

void MatchHost::showWinMessage() {
    m_texts.showWinMessage(hudText(ViewTexts::WonText));
}
void MatchHost::showLossMessage() {
    m_texts.showLossMessage(hudText(ViewTexts::LostText));
}
void MatchHost::hideHudMessage() {
    m_texts.hideResult();
}
void MatchHost::showLogo(bool visible) {
    m_texts.showLogo(visible);
}
void MatchHost::enableTickTimer() {
    if (m_parts.tickTimer) m_parts.tickTimer->start();
}
void MatchHost::restartIdleWait() {
    m_cameraFx.restartIdleWait();
}
void MatchHost::playSound(Sound sound) {
    if (m_parts.sound && m_match.state().soundOn) m_parts.sound->request(sound);
}
void MatchHost::startNextSong() {
    if (m_parts.music) m_parts.music->startNextSong();
}
void MatchHost::stopMusic() {
    if (m_parts.music) m_parts.music->stopMusic();
}
void MatchHost::setStatus(std::string_view text) {
    if (text == status::PlaceHere && keysInUse && keysInUse()) {
        m_status.setMatchText(QCoreApplication::translate("GameTexts", "Enter places, R turns, arrows move"));
        return;
    }
    m_status.setMatchText(gameText(text));
}
void MatchHost::setCountedStatus(std::string_view text, std::int32_t count) {
    m_status.setMatchText(gameText(text, count));
}
void MatchHost::setButton(MenuButton button, bool enabled, bool whiteFont) {
    SkinButton* b = m_parts.button(button);
    if (!b) return;
    b->setSkinFont(whiteFont ? enabledFont() : disabledFont());
    b->setEnabled(enabled);
}

// ---------------------------------------------------------- IMatchWindows

void MatchHost::showMessage(std::int32_t top, std::string_view text, bool modal) {
    if (modal)
        m_parts.showMessageThen(top, gameText(text), [this] { m_match.messageClosed(); });
    else
        m_parts.showMessage(top, gameText(text), false);
}

void MatchHost::showScoreWindowModal() {
    ScoresWindow* scores = m_parts.scores;
    if (!scores || !m_parts.viewer) return;
    // Over the view, below the result, which stays in sight while the name
    // is entered.
    const HudText& message = *m_world.resultText;
    const int below = int((message.position.y + float(m_world.messageFont.charHeight) + message.backPadding) *
                          m_parts.viewer->hudScale) +
                      12;
    const QPoint view = m_parts.viewer->mapToGlobal(QPoint(0, 0));
    scores->move(view.x() + (m_parts.viewer->width() - scores->width()) / 2, view.y() + below);
    scores->showModal();
}

bool MatchHost::manualArrangementChecked() {
    return m_parts.options && m_parts.options->manualBox->checked();
}
bool MatchHost::musicChecked() {
    return m_parts.options && m_parts.options->musicBox->checked();
}
std::int32_t MatchHost::difficultyIndex() {
    return m_parts.options ? m_parts.options->levelBox->currentIndex() : 0;
}
void MatchHost::setDifficultyIndex(std::int32_t index) {
    if (m_parts.options) m_parts.options->levelBox->setCurrentIndex(index);
}
std::optional<std::int32_t> MatchHost::readVortalixDifficulty() {
    return vtx::readVortalixDifficulty(m_parts.startDir);
}

void MatchHost::setTurnTimer(bool enabled, std::int32_t intervalMs) {
    QTimer* timer = m_parts.turnTimer;
    if (!timer) return;
    if (timer->interval() != intervalMs) timer->setInterval(intervalMs);
    if (enabled && !timer->isActive()) timer->start();
    if (!enabled) timer->stop();
}

void MatchHost::wakeAfter(std::int32_t ms) {
    // One timer for all of the match's waits, set for the earliest.
    if (!m_wake.isActive() || m_wake.remainingTime() > ms) m_wake.start(ms);
}

void MatchHost::wakeTimer() {
    m_match.runDue();
    if (const auto due = m_match.nextWakeMs())
        m_wake.start(int(std::max<std::int64_t>(*due - m_clock.tickMs(), 0)));
}

void MatchHost::saveHabit(const PlayerHabit& habit) {
    // Told without a wait: the match's end goes on, and the next save tries again.
    if (const auto error = vtx::saveHabit(m_parts.startDir, habit)) m_parts.showNotice(50, gameText(*error));
}

void MatchHost::quitProgram() {
    QWidget* window = m_parts.window;
    if (!window) return;
    window->showMinimized();
    if (m_parts.viewer) m_parts.viewer->hide();
    if (m_parts.music) {
        // A song position that cannot be stored is worth telling before we go.
        if (const auto error = saveSong(m_parts.startDir, m_parts.music->songIndex() + 1)) {
            m_parts.showMessageThen(60, gameText(*error), [window] { window->close(); });
            return;
        }
    }
    window->close();
}

// -------------------------------------------------------------- IMatchLink

void MatchHost::sendShot(std::int32_t row, std::int32_t column) {
    m_lan.sendShot(row, column);
}
void MatchHost::sendLeave() {
    m_lan.sendLeave();
}
void MatchHost::sendFleet() {
    m_lan.sendFleet();
}

// ------------------------------------------------------------ the replay

void MatchHost::shotFired(Board board, std::int32_t row, std::int32_t column) {
    if (m_parts.keeper) m_parts.keeper->shotFired(board, row, column);
}

} // namespace vtx
