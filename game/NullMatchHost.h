#pragma once

// An IMatchHost that does nothing and answers the option queries with fixed
// values: the base for headless runs (benchmarks, tools, other layers' tests)
// that override only the calls they care about.

#include "game/IMatchHost.h"

namespace vtx {

class NullMatchHost : public IMatchHost {
public:
    void ResetBoards() override {}
    void MarkShot(std::int32_t, std::int32_t, std::int32_t, bool) override {}
    void ShowSunkShip(std::int32_t, std::int32_t) override {}
    void StartShake() override {}
    void ShowEnemySurvivors() override {}
    void PositionOwnShipModels() override {}
    void PositionEnemyShipModels() override {}
    void HideShipModels(bool) override {}
    void AnimateShipModels() override {}
    void ShowPlacementPreview() override {}
    void ShowShipModel(std::int32_t) override {}
    void PutShipModelAt(std::int32_t, std::int32_t, std::int32_t) override {}
    void ShowWinMessage() override {}
    void ShowLossMessage() override {}
    void HideHudMessage() override {}
    void ShowLogo(bool) override {}
    void EnableScrollTimer() override {}
    void PlaySound(Sound) override {}
    void SetStatus(std::string_view) override {}
    void SetButton(MenuButton, bool, bool) override {}
    void SetTimer1(bool, std::int32_t) override {}
    void ShowFormMess(std::int32_t, std::string_view, bool) override {}
    void ShowScoreWindowModal() override {}
    bool manualArrangementChecked() override { return manual; }
    bool musicChecked() override { return false; }
    std::int32_t difficultyIndex() override { return difficulty; }
    void setDifficultyIndex(std::int32_t index) override { difficulty = index; }
    std::optional<std::int32_t> readVortalixDifficulty() override { return std::nullopt; }
    void StartNextSong() override {}
    void StopMusic() override {}
    void WakeAfter(std::int32_t) override {}
    void QuitProgram() override {}
    void SendShot(std::int32_t, std::int32_t) override {}
    void SendLeave() override {}
    void SendFleet() override {}

    bool manual = false;
    std::int32_t difficulty = 0; // level selector index, also what "vortalix.ini" gives
};

} // namespace vtx
