#pragma once

// The match's host in the real program: what the rules ask of the outside
// (IMatchHost), answered by the boards and the camera effects of the scene,
// the HUD, the sound and music, the status line, the menu buttons, the turn
// timer, the match's waits (a timer that runs Match::RunDue), the windows and
// the LAN link. One per main window; UI thread only.
//
// Ownership: refers to everything it answers with (all owned by TForm1 and
// alive as long as it is); owns nothing.

#include "game/IMatchHost.h"

#include <QTimer>

namespace vtx {

class Boards;
class CameraFx;
class IClock;
class LanHost;
class Match;
class StatusLine;
class World;
struct FormParts;

class MatchHost final : public IMatchHost {
public:
    MatchHost(World& world, Boards& boards, CameraFx& cameraFx, Match& match, IClock& clock,
              const FormParts& parts, StatusLine& status, LanHost& lan);

    // --- IBoardView ---
    void ResetBoards() override;
    void MarkShot(std::int32_t board, std::int32_t row, std::int32_t column, bool hit) override;
    void ShowSunkShip(std::int32_t board, std::int32_t n) override;
    void StartShake() override;
    void ShowEnemySurvivors() override;
    void PositionOwnShipModels() override;
    void PositionEnemyShipModels() override;
    void HideShipModels(bool all) override;
    void AnimateShipModels() override;
    void ShowPlacementPreview() override;
    void ShowShipModel(std::int32_t n) override;
    void PutShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) override;

    // --- IMatchPresenter ---
    void ShowWinMessage() override;
    void ShowLossMessage() override;
    void HideHudMessage() override;
    void ShowLogo(bool visible) override;
    void EnableScrollTimer() override;
    void RestartIdleWait() override;
    void PlaySound(Sound sound) override;
    void StartNextSong() override;
    void StopMusic() override;
    void SetStatus(std::string_view text) override;
    void SetButton(MenuButton button, bool enabled, bool whiteFont) override;

    // --- IMatchWindows ---
    void ShowFormMess(std::int32_t top, std::string_view text, bool modal) override;
    void ShowScoreWindowModal() override;
    bool manualArrangementChecked() override;
    bool musicChecked() override;
    std::int32_t difficultyIndex() override;
    void setDifficultyIndex(std::int32_t index) override;
    std::optional<std::int32_t> readVortalixDifficulty() override;
    void SetTimer1(bool enabled, std::int32_t intervalMs) override;
    void WakeAfter(std::int32_t ms) override;
    void QuitProgram() override;

    // --- IMatchLink ---
    void SendShot(std::int32_t row, std::int32_t column) override;
    void SendLeave() override;
    void SendFleet() override;

private:
    // The match's waits are due: their continuations run, from the event loop.
    void wakeTimer();

    World& m_world;
    Boards& m_boards;
    CameraFx& m_cameraFx;
    Match& m_match;
    IClock& m_clock;
    const FormParts& m_parts;
    StatusLine& m_status;
    LanHost& m_lan;
    QTimer m_wake;
};

} // namespace vtx
