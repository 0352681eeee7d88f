#include "app/MatchHost.h"

#include "app/FormParts.h"
#include "app/GameTexts.h"
#include "app/LanHost.h"
#include "app/StatusLine.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "files/OptionsFile.h"
#include "game/Match.h"
#include "scene/Boards.h"
#include "scene/CameraFx.h"
#include "scene/World.h"
#include "scene/engine/TGLSceneViewer.h"
#include "ui/SkinFont.h"
#include "ui/TBitCheckBox.h"
#include "ui/TFormOpt.h"
#include "ui/TFormScore.h"
#include "ui/TWispButton.h"
#include "ui/TWispComboBox.h"

#include <QTimer>

#include <algorithm>

namespace vtx {

MatchHost::MatchHost(World& world, Boards& boards, CameraFx& cameraFx, Match& match, IClock& clock,
                     const FormParts& parts, StatusLine& status, LanHost& lan)
    : m_world(world), m_boards(boards), m_cameraFx(cameraFx), m_match(match), m_clock(clock), m_parts(parts),
      m_status(status), m_lan(lan) {
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_wake, &QTimer::timeout, [this] { wakeTimer(); });
}

// ------------------------------------------------------------- IBoardView

void MatchHost::ResetBoards() {
    m_boards.ResetBoards();
    // Every match starts from the first view, wherever the last one left it.
    m_cameraFx.FirstView();
}
void MatchHost::MarkShot(std::int32_t board, std::int32_t row, std::int32_t column, bool hit) {
    m_boards.MarkShot(board, row, column, hit);
}
void MatchHost::ShowSunkShip(std::int32_t board, std::int32_t n) {
    m_boards.ShowSunkShip(board, n);
}
void MatchHost::StartShake() {
    m_cameraFx.StartShake();
}
void MatchHost::ShowEnemySurvivors() {
    m_boards.ShowEnemySurvivors();
}
void MatchHost::PositionOwnShipModels() {
    m_boards.PositionOwnShipModels();
}
void MatchHost::PositionEnemyShipModels() {
    m_boards.PositionEnemyShipModels();
}
void MatchHost::HideShipModels(bool all) {
    m_boards.HideShipModels(all);
}
void MatchHost::AnimateShipModels() {
    m_boards.AnimateShipModels([this] { m_match.random().reseed(m_clock); },
                               [this](int n) { return int(m_match.random().Random(n)); });
}
void MatchHost::ShowPlacementPreview() {
    m_boards.ShowPlacementPreview();
}
void MatchHost::ShowShipModel(std::int32_t n) {
    m_boards.ShowShipModel(n);
}
void MatchHost::PutShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) {
    m_boards.PutShipModelAt(n, row, column);
}

// -------------------------------------------------------- IMatchPresenter

void MatchHost::ShowWinMessage() {
    m_cameraFx.ShowWinMessage();
    m_world.HUDText1->Text = hudText(m_world.HUDText1->Text);
}
void MatchHost::ShowLossMessage() {
    m_cameraFx.ShowLossMessage();
    m_world.HUDText1->Text = hudText(m_world.HUDText1->Text);
}
void MatchHost::HideHudMessage() {
    m_cameraFx.HideHudMessage();
}
void MatchHost::ShowLogo(bool visible) {
    m_cameraFx.ShowLogo(visible);
}
void MatchHost::EnableScrollTimer() {
    if (m_parts.timerScroll) m_parts.timerScroll->start();
}
void MatchHost::RestartIdleWait() {
    m_cameraFx.RecordIdleStart();
}
void MatchHost::PlaySound(Sound sound) {
    if (m_parts.sound && m_match.state().SoundOn) m_parts.sound->request(sound);
}
void MatchHost::StartNextSong() {
    if (m_parts.music) m_parts.music->StartNextSong();
}
void MatchHost::StopMusic() {
    if (m_parts.music) m_parts.music->StopMusic();
}
void MatchHost::SetStatus(std::string_view text) {
    m_status.setMatchText(gameText(text));
}
void MatchHost::SetButton(MenuButton button, bool enabled, bool whiteFont) {
    TWispButton* b = m_parts.button(button);
    if (!b) return;
    b->SetFont(whiteFont ? EnabledFont() : DisabledFont());
    b->setEnabled(enabled);
}

// ---------------------------------------------------------- IMatchWindows

void MatchHost::ShowFormMess(std::int32_t top, std::string_view text, bool modal) {
    if (modal)
        m_parts.showMessageThen(top, gameText(text), [this] { m_match.MessageClosed(); });
    else
        m_parts.showMessage(top, gameText(text), false);
}

void MatchHost::ShowScoreWindowModal() {
    TFormScore* scores = m_parts.scores;
    if (!scores || !m_parts.viewer) return;
    // Over the view, below the result, which stays in sight while the name
    // is entered.
    const THUDText& message = *m_world.HUDText1;
    const int below = int((message.Position.y + float(m_world.BitmapFont1.CharHeight) + message.BackPadding) *
                          m_parts.viewer->HudScale) +
                      12;
    const QPoint view = m_parts.viewer->mapToGlobal(QPoint(0, 0));
    scores->move(view.x() + (m_parts.viewer->width() - scores->width()) / 2, view.y() + below);
    scores->ShowModal();
}

bool MatchHost::manualArrangementChecked() {
    return m_parts.options && m_parts.options->bcbManual->Checked();
}
bool MatchHost::musicChecked() {
    return m_parts.options && m_parts.options->bcbEnableMusic->Checked();
}
std::int32_t MatchHost::difficultyIndex() {
    return m_parts.options ? m_parts.options->cbDifficulty->currentIndex() : 0;
}
void MatchHost::setDifficultyIndex(std::int32_t index) {
    if (m_parts.options) m_parts.options->cbDifficulty->setCurrentIndex(index);
}
std::optional<std::int32_t> MatchHost::readVortalixDifficulty() {
    return vtx::readVortalixDifficulty(m_parts.startDir);
}

void MatchHost::SetTimer1(bool enabled, std::int32_t intervalMs) {
    QTimer* timer = m_parts.timer1;
    if (!timer) return;
    if (timer->interval() != intervalMs) timer->setInterval(intervalMs);
    if (enabled && !timer->isActive()) timer->start();
    if (!enabled) timer->stop();
}

void MatchHost::WakeAfter(std::int32_t ms) {
    // One timer for all of the match's waits, set for the earliest.
    if (!m_wake.isActive() || m_wake.remainingTime() > ms) m_wake.start(ms);
}

void MatchHost::wakeTimer() {
    m_match.RunDue();
    if (const auto due = m_match.nextWakeMs())
        m_wake.start(int(std::max<std::int64_t>(*due - m_clock.tickMs(), 0)));
}

void MatchHost::QuitProgram() {
    QWidget* window = m_parts.window;
    if (!window) return;
    window->showMinimized();
    if (m_parts.viewer) m_parts.viewer->hide();
    if (m_parts.music) {
        // A song position that cannot be stored is worth telling before we go.
        if (const auto error = saveSong(m_parts.startDir, m_parts.music->SongIndex() + 1)) {
            m_parts.showMessageThen(60, gameText(*error), [window] { window->close(); });
            return;
        }
    }
    window->close();
}

// -------------------------------------------------------------- IMatchLink

void MatchHost::SendShot(std::int32_t row, std::int32_t column) {
    m_lan.SendShot(row, column);
}
void MatchHost::SendLeave() {
    m_lan.SendLeave();
}
void MatchHost::SendFleet() {
    m_lan.SendFleet();
}

} // namespace vtx
