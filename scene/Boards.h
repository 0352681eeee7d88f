#pragma once

// The two boards on the sea and the ship models standing on them: 200 cell
// planes whose library material ("frame", "hint", "hit" of
// materials) shows each cell's mark, fires on hit cells, and the
// display operations the match asks for.
//
// Ownership: the cell planes belong to the World's scene (children of
// nonReflecting); Boards keeps non-owning tables of them. Boards reads the
// match state it was given (fleets unless showFleetsOf names others, pickedRow/pickedColumn, shipToPlace,
// placeHorizontal, arranging) at the time of each call and never changes it.
// Both must outlive the Boards.
//
// The planes are named for the scene graph ("a1".."k10" on the own board, the
// same with a leading "_" on the enemy board); what a plane is, is asked of
// cellOf, never read back from its name.
//
// Call order: loadPlanes once (through World::buildActivationStage), after the
// ship models exist; every other operation after that. Fleets may come from
// the network: decks are read only through deckAt, so a malformed record
// places or marks nothing outside the boards.

#include "game/MatchState.h"
#include "scene/CellCursorMark.h"
#include "scene/engine/Plane.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vtx {

class AnimatedModel;
class SceneObject;
class World;

class Boards {
public:
    Boards(World& world, const MatchState& state);

    // Builds the 200 cell planes: own board rows 1..10 and columns 1..10,
    // then the enemy board; hoveredCell := own k10.
    void loadPlanes();

    // [row-1][column-1]; null before loadPlanes.
    std::array<std::array<Plane*, 10>, 10> ownCells{};
    std::array<std::array<Plane*, 10>, 10> enemyCells{};
    // The cell plane last found under the mouse (the hover test sets it).
    Plane* hoveredCell = nullptr;

    // The plane of a cell (board EnemyBoard or OwnBoard), null outside.
    Plane* cell(std::int32_t board, std::int32_t row, std::int32_t column) const;
    Plane* cell(BoardCell at) const { return cell(at.board(), at.row(), at.column()); }
    // The cell an object of the scene is, if it is one of the 200 cell planes.
    std::optional<BoardCell> cellOf(const SceneObject* object) const;
    // The scene graph's name of a cell's plane: "c7" on the own board, "_c7"
    // on the enemy board.
    static std::string planeName(BoardCell at);
    static void setMark(Plane& plane, const char* mark);

    // The shots marked on a board since the last resetBoards: on EnemyBoard
    // the player's, on OwnBoard the opponent's.
    struct Tally {
        std::int32_t shots = 0;
        std::int32_t hits = 0;
        std::int32_t misses() const { return shots - hits; }
    };
    const Tally& tally(std::int32_t board) const { return m_tally[board == EnemyBoard ? 0 : 1]; }
    // The frame over a board's last shot (null before its first shot).
    const Plane* lastShotFrame(std::int32_t board) const {
        return m_lastShot[board == EnemyBoard ? 0 : 1].plane();
    }

    // ------------------------------------------- what the match asks for
    // Also clears the tallies and the last shots' frames.
    void resetBoards();
    // The shot also counts in its board's tally, and a frame stays over it
    // until the next shot on that board: what just happened stays in sight.
    void markShot(Board board, std::int32_t row, std::int32_t column, bool hit);
    // Sunk texture and the marks around ship n; the shake and the sound are
    // separate requests of the match.
    void showSunkShip(Board board, std::int32_t n);
    void showEnemySurvivors();
    void positionOwnShipModels();
    void positionEnemyShipModels();
    void hideShipModels(bool all);
    // Starts "walk" on all 20 models with an interval of 200 ms and a random frame
    // 1..24: reseed() first, randomBelow(n) in 0..n-1.
    void animateShipModels(const std::function<void()>& reseed, const std::function<int(int)>& randomBelow);
    // The preview of ship shipToPlace at (pickedRow, pickedColumn).
    void showPlacementPreview();
    void showShipModel(std::int32_t n);
    void putShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column);

    AnimatedModel* ownModel(std::int32_t n) const;
    AnimatedModel* enemyModel(std::int32_t n) const;

    // The fleets the models, the sinkings and the survivors show: the match
    // state's, or while a kept match is watched, that replay's (both must
    // outlive their use). Null for either gives the match's again.
    void showFleetsOf(const Fleet* own, const Fleet* enemy);

private:
    const Fleet& ownFleet() const { return m_ownFleet ? *m_ownFleet : m_state.ownFleet; }
    const Fleet& enemyFleet() const { return m_enemyFleet ? *m_enemyFleet : m_state.enemyFleet; }
    void placeModel(AnimatedModel* model, const Ship& ship, bool enemy);

    World& m_world;
    const MatchState& m_state;
    const Fleet* m_ownFleet = nullptr;
    const Fleet* m_enemyFleet = nullptr;
    std::array<Tally, 2> m_tally{};
    std::array<CellCursorMark, 2> m_lastShot{CellCursorMark{m_world, *this, CellCursorMark::LastShotLook},
                                             CellCursorMark{m_world, *this, CellCursorMark::LastShotLook}};
};

} // namespace vtx
