#pragma once

// An IMatchHost that does nothing and answers the option queries with fixed
// values: the base for headless runs (benchmarks, tools, other layers' tests)
// that override only the calls they care about.

#include "game/IMatchHost.h"
#include "game/admiral/PlayerHabit.h"

namespace vtx {

class NullMatchHost : public IMatchHost {
public:
    void resetBoards() override {}
    void markShot(Board, std::int32_t, std::int32_t, bool) override {}
    void showSunkShip(Board, std::int32_t) override {}
    void startShake() override {}
    void showEnemySurvivors() override {}
    void positionOwnShipModels() override {}
    void positionEnemyShipModels() override {}
    void hideShipModels(bool) override {}
    void animateShipModels() override {}
    void showPlacementPreview() override {}
    void showShipModel(std::int32_t) override {}
    void putShipModelAt(std::int32_t, std::int32_t, std::int32_t) override {}
    void showWinMessage() override {}
    void showLossMessage() override {}
    void hideHudMessage() override {}
    void showLogo(bool) override {}
    void enableTickTimer() override {}
    void playSound(Sound) override {}
    void setStatus(std::string_view) override {}
    void setButton(MenuButton, bool, bool) override {}
    void setTurnTimer(bool, std::int32_t) override {}
    void showMessage(std::int32_t, std::string_view, bool) override {}
    void showScoreWindowModal() override {}
    bool manualArrangementChecked() override { return manual; }
    bool musicChecked() override { return false; }
    std::int32_t difficultyIndex() override { return difficulty; }
    void setDifficultyIndex(std::int32_t index) override { difficulty = index; }
    std::optional<std::int32_t> readVortalixDifficulty() override { return std::nullopt; }
    void saveHabit(const PlayerHabit&) override {}
    void startNextSong() override {}
    void stopMusic() override {}
    void wakeAfter(std::int32_t) override {}
    void quitProgram() override {}
    void sendShot(std::int32_t, std::int32_t) override {}
    void sendLeave() override {}
    void sendFleet() override {}

    bool manual = false;
    std::int32_t difficulty = 0; // level selector index, also what "vortalix.ini" gives
};

} // namespace vtx
