#pragma once

// The match's host in the real program: what the rules ask of the outside
// (IMatchHost), answered by the boards, the camera effects and the view's
// texts of the scene, the sound and music, the status line, the menu buttons, the turn
// timer, the match's waits (a timer that runs Match::runDue), the windows and
// the LAN link. One per main window; UI thread only.
//
// Ownership: refers to everything it answers with (all owned by MainWindow and
// alive as long as it is); owns nothing.

#include "game/IMatchHost.h"

#include <QTimer>

#include <functional>

namespace vtx {

class Boards;
class CameraFx;
class IClock;
class LanHost;
class Match;
class StatusLine;
class ViewTexts;
class World;
struct WindowParts;

class MatchHost final : public IMatchHost {
public:
    MatchHost(World& world, Boards& boards, CameraFx& cameraFx, ViewTexts& texts, Match& match, IClock& clock,
              const WindowParts& parts, StatusLine& status, LanHost& lan);

    // Whether the player places by keys (the keyboard cursor is on): the
    // placement hint then names the keys instead of the mouse's buttons.
    std::function<bool()> keysInUse;

    // --- IBoardView ---
    void resetBoards() override;
    void markShot(Board board, std::int32_t row, std::int32_t column, bool hit) override;
    void showSunkShip(Board board, std::int32_t n) override;
    void startShake() override;
    void showEnemySurvivors() override;
    void positionOwnShipModels() override;
    void positionEnemyShipModels() override;
    void hideShipModels(bool all) override;
    void animateShipModels() override;
    void showPlacementPreview() override;
    void showShipModel(std::int32_t n) override;
    void putShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) override;

    // --- IMatchPresenter ---
    void showWinMessage() override;
    void showLossMessage() override;
    void hideHudMessage() override;
    void showLogo(bool visible) override;
    void enableTickTimer() override;
    void restartIdleWait() override;
    void playSound(Sound sound) override;
    void startNextSong() override;
    void stopMusic() override;
    void setStatus(std::string_view text) override;
    void setCountedStatus(std::string_view text, std::int32_t count) override;
    void setButton(MenuButton button, bool enabled, bool whiteFont) override;

    // --- IMatchWindows ---
    void showMessage(std::int32_t top, std::string_view text, bool modal) override;
    void showScoreWindowModal() override;
    bool manualArrangementChecked() override;
    bool musicChecked() override;
    std::int32_t difficultyIndex() override;
    void setDifficultyIndex(std::int32_t index) override;
    std::optional<std::int32_t> readVortalixDifficulty() override;
    void saveHabit(const PlayerHabit& habit) override;
    void setTurnTimer(bool enabled, std::int32_t intervalMs) override;
    void wakeAfter(std::int32_t ms) override;
    void quitProgram() override;

    // --- IMatchLink ---
    void sendShot(std::int32_t row, std::int32_t column) override;
    void sendLeave() override;
    void sendFleet() override;

    // --- the match kept as a replay ---
    void shotFired(Board board, std::int32_t row, std::int32_t column) override;

private:
    // The match's waits are due: their continuations run, from the event loop.
    void wakeTimer();

    World& m_world;
    Boards& m_boards;
    CameraFx& m_cameraFx;
    ViewTexts& m_texts;
    Match& m_match;
    IClock& m_clock;
    const WindowParts& m_parts;
    StatusLine& m_status;
    LanHost& m_lan;
    QTimer m_wake;
};

} // namespace vtx
