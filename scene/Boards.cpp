#include "scene/Boards.h"

#include "game/DataFiles.h"
#include "game/Placement.h"
#include "scene/World.h"

namespace vtx {

namespace {

constexpr float CellHeight = 0.1f;
constexpr const char* MarkFrame = World::FrameMark;
constexpr const char* MarkHint = World::HintMark;
constexpr const char* MarkHit = World::HitMark;
constexpr const char* MarkBad = World::BadMark;

glm::vec3 toVec(const glm::ivec3& p) {
    return {float(p.x), float(p.y), float(p.z)};
}

} // namespace

Boards::Boards(World& world, const MatchState& state) : m_world(world), m_state(state) {}

void Boards::loadPlanes() {
    for (Board board : {OwnBoard, EnemyBoard}) {
        auto& table = board == OwnBoard ? ownCells : enemyCells;
        const auto& positions = board == OwnBoard ? m_world.ownCellPositions : m_world.enemyCellPositions;
        for (int row = 1; row <= 10; ++row)
            for (int column = 1; column <= 10; ++column) {
                Plane* plane = m_world.nonReflecting->addChild<Plane>();
                plane->setDirection({0.0f, 1.0f, 0.0f});
                const glm::ivec3 at = positions[std::size_t(row - 1)][std::size_t(column - 1)];
                plane->position = {float(at.x), CellHeight, float(at.z)};
                plane->width = 1.0f;
                plane->height = 1.0f;
                plane->name = planeName(*BoardCell::at(board, row, column));
                plane->materialLibrary = &m_world.materials;
                plane->libMaterialName = MarkFrame;
                table[std::size_t(row - 1)][std::size_t(column - 1)] = plane;
            }
        if (board == OwnBoard) hoveredCell = ownCells[9][9];
    }
}

Plane* Boards::cell(std::int32_t board, std::int32_t row, std::int32_t column) const {
    if (!insideGrid(row, column)) return nullptr;
    const auto& table = board == OwnBoard ? ownCells : enemyCells;
    return table[std::size_t(row - 1)][std::size_t(column - 1)];
}

std::optional<BoardCell> Boards::cellOf(const SceneObject* object) const {
    if (!object) return std::nullopt;
    for (Board board : {OwnBoard, EnemyBoard}) {
        const auto& table = board == OwnBoard ? ownCells : enemyCells;
        for (int row = 1; row <= GridSize; ++row)
            for (int column = 1; column <= GridSize; ++column)
                if (table[std::size_t(row - 1)][std::size_t(column - 1)] == object)
                    return BoardCell::at(board, row, column);
    }
    return std::nullopt;
}

std::string Boards::planeName(BoardCell at) {
    std::string name = at.board() == EnemyBoard ? "_" : "";
    name += RowLetters[std::size_t(at.row() - 1)];
    name += std::to_string(at.column());
    return name;
}

void Boards::setMark(Plane& plane, const char* mark) {
    plane.libMaterialName = mark;
}

AnimatedModel* Boards::ownModel(std::int32_t n) const {
    return n >= 1 && n <= FleetShips ? m_world.ownShipModels[std::size_t(n - 1)] : nullptr;
}

AnimatedModel* Boards::enemyModel(std::int32_t n) const {
    return n >= 1 && n <= FleetShips ? m_world.enemyShipModels[std::size_t(n - 1)] : nullptr;
}

void Boards::resetBoards() {
    hideShipModels(true);
    for (int n = 1; n <= FleetShips; ++n)
        for (AnimatedModel* model : {ownModel(n), enemyModel(n)})
            if (model) model->material.texture.image.loadFromFile(m_world.path(datafiles::kShipSkin));
    const EffectList noFire = m_world.sea->effects;
    for (auto* table : {&ownCells, &enemyCells})
        for (auto& row : *table)
            for (Plane* plane : row) {
                if (!plane) continue;
                plane->effects = noFire;
                setMark(*plane, MarkFrame);
            }
    m_tally = {};
    for (CellCursorMark& frame : m_lastShot)
        frame.show(false, 0, 0, 0);
}

void Boards::markShot(Board board, std::int32_t row, std::int32_t column, bool hit) {
    Plane* plane = cell(board, row, column);
    if (!plane) return;
    Tally& tally = m_tally[board == EnemyBoard ? 0 : 1];
    ++tally.shots;
    if (hit) ++tally.hits;
    m_lastShot[board == EnemyBoard ? 0 : 1].show(true, board, row, column);
    if (hit) {
        plane->effects = m_world.fireTemplate->effects;
        setMark(*plane, MarkHit);
    } else {
        setMark(*plane, MarkHint);
    }
}

void Boards::showSunkShip(Board board, std::int32_t n) {
    if (n < 1 || n > FleetShips) return;
    const bool enemy = board == EnemyBoard;
    AnimatedModel* model = enemy ? enemyModel(n) : ownModel(n);
    if (model) {
        model->visible = true;
        model->material.texture.image.loadFromFile(m_world.path(datafiles::kSunkShipSkin));
    }
    const Ship& ship = (enemy ? enemyFleet() : ownFleet())[std::size_t(n - 1)];
    for (int k = 1; k <= MaxDecks; ++k) {
        const auto deck = deckAt(ship, k);
        if (!deck) continue;
        for (int r = deck->row - 1; r <= deck->row + 1; ++r)
            for (int c = deck->column - 1; c <= deck->column + 1; ++c) {
                // On the enemy board the deck itself keeps its mark; the other
                // decks of the ship lie around it and turn "hint" anyway.
                if (enemy && r == deck->row && c == deck->column) continue;
                if (Plane* plane = cell(board, r, c)) setMark(*plane, MarkHint);
            }
    }
}

void Boards::showFleetsOf(const Fleet* own, const Fleet* enemy) {
    m_ownFleet = own;
    m_enemyFleet = enemy;
}

void Boards::showEnemySurvivors() {
    for (int n = 1; n <= FleetShips; ++n) {
        const Ship& ship = enemyFleet()[std::size_t(n - 1)];
        AnimatedModel* model = enemyModel(n);
        if (ship.sunk != 0 || !model) continue;
        model->visible = true;
        placeModel(model, ship, true);
    }
}

void Boards::placeModel(AnimatedModel* model, const Ship& ship, bool enemy) {
    const auto first = deckAt(ship, 1);
    if (!first) return; // a record without decks has nowhere to stand
    const auto& table = enemy ? m_world.enemyCellPositions : m_world.ownCellPositions;
    model->position = toVec(table[std::size_t(first->row - 1)][std::size_t(first->column - 1)]);
    model->setPitchAngle(90.0f);
    model->setRollAngle(ship.horizontal == 1 ? 0.0f : -90.0f);
}

void Boards::positionOwnShipModels() {
    for (int n = 1; n <= FleetShips; ++n)
        if (AnimatedModel* model = ownModel(n)) placeModel(model, ownFleet()[std::size_t(n - 1)], false);
}

void Boards::positionEnemyShipModels() {
    for (int n = 1; n <= FleetShips; ++n)
        if (AnimatedModel* model = enemyModel(n)) {
            placeModel(model, enemyFleet()[std::size_t(n - 1)], true);
            model->visible = false;
        }
}

void Boards::hideShipModels(bool all) {
    for (int n = 1; n <= FleetShips; ++n) {
        if (AnimatedModel* model = ownModel(n)) model->visible = !all;
        if (all)
            if (AnimatedModel* model = enemyModel(n)) model->visible = false;
    }
}

void Boards::animateShipModels(const std::function<void()>& reseed,
                               const std::function<int(int)>& randomBelow) {
    if (reseed) reseed();
    for (int n = 1; n <= FleetShips; ++n) {
        for (AnimatedModel* model : {ownModel(n), enemyModel(n)}) {
            if (!model) continue;
            model->switchAnimation("walk", true);
            model->interval = 200;
            model->setCurrentFrame(1 + (randomBelow ? randomBelow(24) : 0));
        }
    }
}

void Boards::showPlacementPreview() {
    const std::int32_t n = m_state.shipToPlace;
    if (!m_state.arranging || n < 1 || n > FleetShips) return;
    for (auto& row : ownCells)
        for (Plane* plane : row)
            if (plane) setMark(*plane, MarkFrame);
    // A ship that cannot go here (off the board, on or beside another ship)
    // is previewed in the warning colour, so a refused click is no surprise.
    const std::int32_t size = ShipSizes[std::size_t(n - 1)];
    const bool fits = placementProblem(m_state.ownField, size, m_state.pickedRow, m_state.pickedColumn,
                                       m_state.placeHorizontal) == PlacementProblem::None;
    for (std::int32_t i = 0; i < size; ++i) {
        const DeckCell at = deckCell(m_state.pickedRow, m_state.pickedColumn, m_state.placeHorizontal, i);
        if (Plane* plane = cell(OwnBoard, at.row, at.column)) setMark(*plane, fits ? MarkHint : MarkBad);
    }
    AnimatedModel* model = ownModel(n);
    if (!model) return;
    model->setRollAngle(m_state.placeHorizontal ? 0.0f : -90.0f);
    if (!insideGrid(m_state.pickedRow, m_state.pickedColumn)) return;
    // On its cells at sea level, where the click will put it: raised, it
    // seemed a cell further back from an angle and dropped when placed.
    model->position = toVec(
        m_world.ownCellPositions[std::size_t(m_state.pickedRow - 1)][std::size_t(m_state.pickedColumn - 1)]);
}

void Boards::showShipModel(std::int32_t n) {
    AnimatedModel* model = ownModel(n);
    if (!model) return;
    model->visible = true;
    // The ship waiting to be placed lies as Enter or a click would put it:
    // it keeps the direction the last one was placed in.
    if (m_state.arranging && n == m_state.shipToPlace) model->setRollAngle(m_state.placeHorizontal ? 0.0f : -90.0f);
}

void Boards::putShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) {
    AnimatedModel* model = ownModel(n);
    if (!model || !insideGrid(row, column)) return;
    model->position = toVec(m_world.ownCellPositions[std::size_t(row - 1)][std::size_t(column - 1)]);
}

} // namespace vtx
