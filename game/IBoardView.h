#pragma once

// What the rules ask of the picture of the two boards: the marks, the fires,
// the ship models and their animation. Part of IMatchHost (its contract
// holds). Boards are EnemyBoard (1) and OwnBoard (2); rows and columns
// 1..10; ships 1..10. A fleet may come from the network: the view must not
// trust its records either (use deckAt from Ship.h).

#include "game/GameTypes.h"

#include <cstdint>

namespace vtx {

class IBoardView {
public:
    virtual ~IBoardView() = default;

    // New single game: hide all 20 models, restore their textures, clear every
    // mark and fire of both boards, and show them from the first view with
    // the world at rest.
    virtual void resetBoards() = 0;
    // A shot marked on a cell: hit = fire and "hit" mark, miss = "hint" mark.
    virtual void markShot(Board board, std::int32_t row, std::int32_t column, bool hit) = 0;
    // Ship n of that board sank: show its model with the sunk texture and mark
    // the cells around it. The rules request the sunk sound and the shake
    // separately (playSound(Sound::Sunk), startShake()).
    virtual void showSunkShip(Board board, std::int32_t n) = 0;
    virtual void startShake() = 0;
    // Show the enemy ships not sunk on their first deck cell (the player lost).
    virtual void showEnemySurvivors() = 0;
    // Put the ten own models on ownFleet's ships; the enemy models on
    // enemyFleet's ships, hidden.
    virtual void positionOwnShipModels() = 0;
    virtual void positionEnemyShipModels() = 0;
    // all = true: hide all 20 models; all = false: show the ten own models.
    virtual void hideShipModels(bool all) = 0;
    // The ships of both boards start rocking, each at its own frame.
    virtual void animateShipModels() = 0;
    // Redraw the preview of ship shipToPlace at (pickedRow, pickedColumn) with
    // orientation placeHorizontal.
    virtual void showPlacementPreview() = 0;
    // Manual arrangement: make own model n visible / put it at sea level on a cell.
    virtual void showShipModel(std::int32_t n) = 0;
    virtual void putShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) = 0;
};

} // namespace vtx
