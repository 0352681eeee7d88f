#include "scene/Boards.h"

#include "game/CellName.h"
#include "game/DataFiles.h"
#include "game/Placement.h"
#include "scene/World.h"

namespace vtx {

namespace {

constexpr float CellHeight = 0.1f;
constexpr const char* MarkFrame = "frame1";
constexpr const char* MarkHint = "hint";
constexpr const char* MarkHit = "hit";
constexpr const char* MarkBad = "bad";

glm::vec3 toVec(const glm::ivec3& p) {
    return {float(p.x), float(p.y), float(p.z)};
}

} // namespace

Boards::Boards(World& world, const MatchState& state) : m_world(world), m_state(state) {}

void Boards::LoadPlanes() {
    for (int board : {OwnBoard, EnemyBoard}) {
        auto& table = board == OwnBoard ? OwnCells : EnemyCells;
        const auto& positions = board == OwnBoard ? m_world.OwnCellPositions : m_world.EnemyCellPositions;
        for (int row = 1; row <= 10; ++row)
            for (int column = 1; column <= 10; ++column) {
                TPlane* plane = m_world.NonReflecting->AddChild<TPlane>();
                plane->setDirection({0.0f, 1.0f, 0.0f});
                const glm::ivec3 at = positions[std::size_t(row - 1)][std::size_t(column - 1)];
                plane->Position = {float(at.x), CellHeight, float(at.z)};
                plane->Width = 1.0f;
                plane->Height = 1.0f;
                plane->Name = cellName(board, row, column);
                plane->MaterialLibrary = &m_world.GLMaterialLibrary1;
                plane->LibMaterialName = MarkFrame;
                table[std::size_t(row - 1)][std::size_t(column - 1)] = plane;
            }
        if (board == OwnBoard) HoveredCell = OwnCells[9][9];
    }
}

TPlane* Boards::cell(std::int32_t board, std::int32_t row, std::int32_t column) const {
    if (!insideGrid(row, column)) return nullptr;
    const auto& table = board == OwnBoard ? OwnCells : EnemyCells;
    return table[std::size_t(row - 1)][std::size_t(column - 1)];
}

void Boards::setMark(TPlane& plane, const char* mark) {
    plane.LibMaterialName = mark;
}

TActor* Boards::ownModel(std::int32_t n) const {
    return n >= 1 && n <= FleetShips ? m_world.OwnShipModels[std::size_t(n - 1)] : nullptr;
}

TActor* Boards::enemyModel(std::int32_t n) const {
    return n >= 1 && n <= FleetShips ? m_world.EnemyShipModels[std::size_t(n - 1)] : nullptr;
}

void Boards::ResetBoards() {
    HideShipModels(true);
    for (int n = 1; n <= FleetShips; ++n)
        for (TActor* model : {ownModel(n), enemyModel(n)})
            if (model) model->Material.Texture.Image.LoadFromFile(m_world.path(datafiles::kShipSkin));
    const TGLEffects noFire = m_world.Plane1->Effects;
    for (auto* table : {&OwnCells, &EnemyCells})
        for (auto& row : *table)
            for (TPlane* plane : row) {
                if (!plane) continue;
                plane->Effects = noFire;
                setMark(*plane, MarkFrame);
            }
    m_tally = {};
    for (CellCursorMark& frame : m_lastShot)
        frame.show(false, 0, 0, 0);
}

void Boards::MarkShot(std::int32_t board, std::int32_t row, std::int32_t column, bool hit) {
    TPlane* plane = cell(board, row, column);
    if (!plane) return;
    Tally& tally = m_tally[board == EnemyBoard ? 0 : 1];
    ++tally.shots;
    if (hit) ++tally.hits;
    m_lastShot[board == EnemyBoard ? 0 : 1].show(true, board, row, column);
    if (hit) {
        plane->Effects = m_world.PlaneFX->Effects;
        setMark(*plane, MarkHit);
    } else {
        setMark(*plane, MarkHint);
    }
}

void Boards::ShowSunkShip(std::int32_t board, std::int32_t n) {
    if (n < 1 || n > FleetShips) return;
    const bool enemy = board == EnemyBoard;
    TActor* model = enemy ? enemyModel(n) : ownModel(n);
    if (model) {
        model->Visible = true;
        model->Material.Texture.Image.LoadFromFile(m_world.path(datafiles::kSunkShipSkin));
    }
    const TShipRecord& ship = (enemy ? m_state.EnemyFleet : m_state.OwnFleet)[std::size_t(n - 1)];
    for (int k = 1; k <= MaxDecks; ++k) {
        const auto deck = deckAt(ship, k);
        if (!deck) continue;
        for (int r = deck->row - 1; r <= deck->row + 1; ++r)
            for (int c = deck->column - 1; c <= deck->column + 1; ++c) {
                // On the enemy board the deck itself keeps its mark; the other
                // decks of the ship lie around it and turn "hint" anyway.
                if (enemy && r == deck->row && c == deck->column) continue;
                if (TPlane* plane = cell(board, r, c)) setMark(*plane, MarkHint);
            }
    }
}

void Boards::ShowEnemySurvivors() {
    for (int n = 1; n <= FleetShips; ++n) {
        const TShipRecord& ship = m_state.EnemyFleet[std::size_t(n - 1)];
        TActor* model = enemyModel(n);
        if (ship.Sunk != 0 || !model) continue;
        model->Visible = true;
        placeModel(model, ship, true);
    }
}

void Boards::placeModel(TActor* model, const TShipRecord& ship, bool enemy) {
    const auto first = deckAt(ship, 1);
    if (!first) return; // a record without decks has nowhere to stand
    const auto& table = enemy ? m_world.EnemyCellPositions : m_world.OwnCellPositions;
    model->Position = toVec(table[std::size_t(first->row - 1)][std::size_t(first->column - 1)]);
    model->setPitchAngle(90.0f);
    model->setRollAngle(ship.Horizontal == 1 ? 0.0f : -90.0f);
}

void Boards::PositionOwnShipModels() {
    for (int n = 1; n <= FleetShips; ++n)
        if (TActor* model = ownModel(n)) placeModel(model, m_state.OwnFleet[std::size_t(n - 1)], false);
}

void Boards::PositionEnemyShipModels() {
    for (int n = 1; n <= FleetShips; ++n)
        if (TActor* model = enemyModel(n)) {
            placeModel(model, m_state.EnemyFleet[std::size_t(n - 1)], true);
            model->Visible = false;
        }
}

void Boards::HideShipModels(bool all) {
    for (int n = 1; n <= FleetShips; ++n) {
        if (TActor* model = ownModel(n)) model->Visible = !all;
        if (all)
            if (TActor* model = enemyModel(n)) model->Visible = false;
    }
}

void Boards::AnimateShipModels(const std::function<void()>& reseed,
                               const std::function<int(int)>& randomBelow) {
    if (reseed) reseed();
    for (int n = 1; n <= FleetShips; ++n) {
        for (TActor* model : {ownModel(n), enemyModel(n)}) {
            if (!model) continue;
            model->SwitchAnimation("walk", true);
            model->Interval = 200;
            model->setCurrentFrame(1 + (randomBelow ? randomBelow(24) : 0));
        }
    }
}

void Boards::ShowPlacementPreview() {
    const std::int32_t n = m_state.ShipToPlace;
    if (!m_state.Arranging || n < 1 || n > FleetShips) return;
    for (auto& row : OwnCells)
        for (TPlane* plane : row)
            if (plane) setMark(*plane, MarkFrame);
    // A ship that cannot go here (off the board, on or beside another ship)
    // is previewed in the warning colour, so a refused click is no surprise.
    const std::int32_t size = ShipSizes[std::size_t(n - 1)];
    const bool fits = placementProblem(m_state.OwnField, size, m_state.PickedRow, m_state.PickedColumn,
                                       m_state.PlaceHorizontal) == PlacementProblem::None;
    for (std::int32_t i = 0; i < size; ++i) {
        const DeckCell at = deckCell(m_state.PickedRow, m_state.PickedColumn, m_state.PlaceHorizontal, i);
        if (TPlane* plane = cell(OwnBoard, at.row, at.column)) setMark(*plane, fits ? MarkHint : MarkBad);
    }
    TActor* model = ownModel(n);
    if (!model || !insideGrid(m_state.PickedRow, m_state.PickedColumn)) return;
    // On its cells at sea level, where the click will put it: raised, it
    // seemed a cell further back from an angle and dropped when placed.
    model->Position = toVec(
        m_world.OwnCellPositions[std::size_t(m_state.PickedRow - 1)][std::size_t(m_state.PickedColumn - 1)]);
    model->setRollAngle(m_state.PlaceHorizontal ? 0.0f : -90.0f);
}

void Boards::ShowShipModel(std::int32_t n) {
    if (TActor* model = ownModel(n)) model->Visible = true;
}

void Boards::PutShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) {
    TActor* model = ownModel(n);
    if (!model || !insideGrid(row, column)) return;
    model->Position = toVec(m_world.OwnCellPositions[std::size_t(row - 1)][std::size_t(column - 1)]);
}

} // namespace vtx
