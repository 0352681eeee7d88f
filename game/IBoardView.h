#pragma once

// What the rules ask of the picture of the two boards: the marks, the fires,
// the ship models and their animation. Part of IMatchHost (its contract
// holds). Board numbers are EnemyBoard (1) and OwnBoard (2); rows and columns
// 1..10; ships 1..10. A fleet may come from the network: the view must not
// trust its records either (use deckAt from TShipRecord.h).

#include <cstdint>

namespace vtx {

class IBoardView {
public:
    virtual ~IBoardView() = default;

    // New single game: hide all 20 models, restore their textures, clear every
    // mark and fire of both boards.
    virtual void ResetBoards() = 0;
    // A shot marked on a cell: hit = fire and "hit" mark, miss = "hint" mark.
    virtual void MarkShot(std::int32_t board, std::int32_t row, std::int32_t column, bool hit) = 0;
    // Ship n of that board sank: show its model with the sunk texture and mark
    // the cells around it. The rules request the sunk sound and the shake
    // separately (PlaySound(Sound::Sunk), StartShake()).
    virtual void ShowSunkShip(std::int32_t board, std::int32_t n) = 0;
    virtual void StartShake() = 0;
    // Show the enemy ships not sunk on their first deck cell (the player lost).
    virtual void ShowEnemySurvivors() = 0;
    // Put the ten own models on OwnFleet's ships; the enemy models on
    // EnemyFleet's ships, hidden.
    virtual void PositionOwnShipModels() = 0;
    virtual void PositionEnemyShipModels() = 0;
    // all = true: hide all 20 models; all = false: show the ten own models.
    virtual void HideShipModels(bool all) = 0;
    // The ships of both boards start rocking, each at its own frame.
    virtual void AnimateShipModels() = 0;
    // Redraw the preview of ship ShipToPlace at (PickedRow, PickedColumn) with
    // orientation PlaceHorizontal.
    virtual void ShowPlacementPreview() = 0;
    // Manual arrangement: make own model n visible / put it at sea level on a cell.
    virtual void ShowShipModel(std::int32_t n) = 0;
    virtual void PutShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) = 0;
};

} // namespace vtx
