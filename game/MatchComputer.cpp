// The computer opponent: the difficulty set-ups that decide how much it knows
// about the water around the player's ships, the random shot from the target
// list and the aimed shot next to the hits of a damaged ship; and the Admiral,
// which knows only its own shots' results.

#include "game/Match.h"

#include "game/admiral/HabitWeights.h"

#include <algorithm>
#include <vector>

namespace vtx {

void Match::setupEasy() {
    for (char& cell : m_state.ownField)
        if (cell == CellZone) cell = CellWater;
    m_state.level = 1;
    m_state.admiralPlays = false;
}

void Match::setupNormal() {
    m_random.reseed(m_clock);
    for (std::int32_t row = 1; row <= GridSize; ++row)
        for (std::int32_t column = 1; column <= GridSize; ++column) {
            if (cellAt(m_state.ownField, row, column) != CellZone) continue;
            const std::int32_t r = m_random.random(3) + 1;
            if (r == 1)
                setCell(m_state.ownField, row, column, CellWater);
            else
                removeTarget(row, column);
        }
    m_state.level = 2;
    m_state.admiralPlays = false;
}

void Match::setupHard() {
    for (std::int32_t row = 1; row <= GridSize; ++row)
        for (std::int32_t column = 1; column <= GridSize; ++column)
            if (cellAt(m_state.ownField, row, column) == CellZone) removeTarget(row, column);
    m_state.level = 3;
    m_state.admiralPlays = false;
}

void Match::setupAdmiral() {
    for (char& cell : m_state.ownField)
        if (cell == CellZone) cell = CellWater;
    m_state.level = 4;
    m_state.admiralPlays = true;
    m_state.admiralChart = SeaChart();
    // A fleet arranged by hand is the player's: the habit tells how they
    // place ships. A random one came from the game's own arrangement.
    m_admiral.setPlacementWeights(m_state.ownFleetByHand ? m_habitWeights
                                                         : Admiral::gameArrangementWeights(SeaRules::game()));
}

void Match::setPlayerHabit(const PlayerHabit& habit) {
    // What a habit is measured against is made at the first call, at start-up.
    unbiasedOdds();
    m_habit = habit;
    m_habitWeights = habitWeights(m_habit, m_admiral.placements());
}

bool Match::admiralShoot() {
    m_random.reseed(m_clock);
    SeaChart& chart = m_state.admiralChart;
    const auto cell = m_admiral.chooseShot(chart, m_random);
    if (!cell) return false; // the chart knows every cell: nothing afloat to fire at
    const bool aimed = !chart.hits().empty();
    if (!resolveComputerShot(cell->row, cell->column, aimed)) {
        chart.recordMiss(cell->row, cell->column);
        return false;
    }
    chart.recordHit(cell->row, cell->column);
    // A sinking shows the ship's decks, as the own board does.
    for (const Ship& ship : m_state.ownFleet) {
        std::vector<DeckCell> decks;
        bool here = false;
        for (int k = 1; k <= deckSlots(ship); ++k)
            if (const auto deck = deckAt(ship, k)) {
                decks.push_back(*deck);
                here = here || (deck->row == cell->row && deck->column == cell->column);
            }
        if (here && ship.sunk == 1) chart.recordSunk(decks);
    }
    return true;
}

bool Match::collectHits() {
    bool found = false;
    for (std::int32_t row = 1; row <= GridSize; ++row)
        for (std::int32_t column = 1; column <= GridSize; ++column) {
            if (cellAt(m_state.ownField, row, column) != CellHit) continue;
            found = true;
            // At most one damaged ship with at most three hits exists; the
            // bound only guards the array against a grid that breaks that.
            if (m_state.hitCount < 0 || m_state.hitCount >= MaxDecks) continue;
            m_state.hitCount += 1;
            m_state.hitCells[std::size_t(m_state.hitCount - 1)] = HitCell{row, column};
            if (m_state.hitCount > 1) {
                const HitCell& prev = m_state.hitCells[std::size_t(m_state.hitCount - 2)];
                const HitCell& cur = m_state.hitCells[std::size_t(m_state.hitCount - 1)];
                if (prev.column == cur.column) m_state.hitAlongRow = 0;
                if (cur.row == prev.row) m_state.hitAlongRow = 1;
            }
        }
    return found;
}

bool Match::shoot() {
    m_random.reseed(m_clock);
    const std::int32_t count = std::clamp(m_state.targetCount, 0, GridCells);
    if (count == 0) return false; // nothing left to draw: a miss without a shot
    const std::int32_t p = m_random.random(count) + 1;
    const std::int32_t n = m_state.targetCells[std::size_t(p - 1)];
    auto first = m_state.targetCells.begin();
    std::move(first + p, first + count, first + (p - 1));
    m_state.targetCells[std::size_t(count - 1)] = 0;
    m_state.targetCount = count - 1;
    if (n < 1 || n > GridCells) return false;
    return resolveComputerShot(cellNumberRow(n), cellNumberColumn(n), false);
}

std::optional<HitCell> Match::smartTarget() const {
    const auto open = [this](std::int32_t r, std::int32_t c) { return cellAt(m_state.ownField, r, c); };
    if (m_state.hitCount < 1 || m_state.hitCount > MaxDecks) return std::nullopt;
    if (m_state.hitCount <= 1) {
        const HitCell hit = m_state.hitCells[0];
        for (std::int32_t r = hit.row - 1; r <= hit.row + 1; ++r)
            for (std::int32_t c = hit.column - 1; c <= hit.column + 1; ++c) {
                if (!insideGrid(r, c) || (r != hit.row && c != hit.column)) continue;
                const char code = open(r, c);
                if (code != CellZone && code != CellHit) return HitCell{r, c};
            }
        return std::nullopt;
    }
    const HitCell first = m_state.hitCells[0];
    const HitCell last = m_state.hitCells[std::size_t(m_state.hitCount - 1)];
    if (m_state.hitAlongRow == 1) {
        if (first.column - 1 >= 1 && open(first.row, first.column - 1) != CellZone)
            return HitCell{first.row, first.column - 1};
        if (last.column + 1 <= GridSize && open(last.row, last.column + 1) != CellZone)
            return HitCell{last.row, last.column + 1};
    } else {
        if (first.row - 1 >= 1 && open(first.row - 1, first.column) != CellZone)
            return HitCell{first.row - 1, first.column};
        if (last.row + 1 <= GridSize && open(last.row + 1, last.column) != CellZone)
            return HitCell{last.row + 1, last.column};
    }
    return std::nullopt;
}

bool Match::smartShoot() {
    const auto target = smartTarget();
    if (!target) return shoot();
    return resolveComputerShot(target->row, target->column, true);
}

} // namespace vtx
