// The computer opponent: the difficulty set-ups that decide how much it knows
// about the water around the player's ships, the random shot from the target
// list and the aimed shot next to the hits of a damaged ship.

#include "game/Match.h"

#include <algorithm>

namespace vtx {

void Match::SetupEasy() {
    for (char& cell : m_state.OwnField)
        if (cell == CellZone) cell = CellWater;
    m_state.Level = 1;
}

void Match::SetupNormal() {
    m_random.reseed(m_clock);
    for (std::int32_t row = 1; row <= GridSize; ++row)
        for (std::int32_t column = 1; column <= GridSize; ++column) {
            if (cellAt(m_state.OwnField, row, column) != CellZone) continue;
            const std::int32_t r = m_random.Random(3) + 1;
            if (r == 1)
                setCell(m_state.OwnField, row, column, CellWater);
            else
                RemoveTarget(row, column);
        }
    m_state.Level = 2;
}

void Match::SetupHard() {
    for (std::int32_t row = 1; row <= GridSize; ++row)
        for (std::int32_t column = 1; column <= GridSize; ++column)
            if (cellAt(m_state.OwnField, row, column) == CellZone) RemoveTarget(row, column);
    m_state.Level = 3;
}

bool Match::CollectHits() {
    bool found = false;
    for (std::int32_t row = 1; row <= GridSize; ++row)
        for (std::int32_t column = 1; column <= GridSize; ++column) {
            if (cellAt(m_state.OwnField, row, column) != CellHit) continue;
            found = true;
            // At most one damaged ship with at most three hits exists; the
            // bound only guards the array against a grid that breaks that.
            if (m_state.HitCount < 0 || m_state.HitCount >= MaxDecks) continue;
            m_state.HitCount += 1;
            m_state.HitCells[std::size_t(m_state.HitCount - 1)] = HitCell{row, column};
            if (m_state.HitCount > 1) {
                const HitCell& prev = m_state.HitCells[std::size_t(m_state.HitCount - 2)];
                const HitCell& cur = m_state.HitCells[std::size_t(m_state.HitCount - 1)];
                if (prev.column == cur.column) m_state.HitAlongRow = 0;
                if (cur.row == prev.row) m_state.HitAlongRow = 1;
            }
        }
    return found;
}

bool Match::Shoot() {
    m_random.reseed(m_clock);
    const std::int32_t count = std::clamp(m_state.TargetCount, 0, GridCells);
    if (count == 0) return false; // nothing left to draw: a miss without a shot
    const std::int32_t p = m_random.Random(count) + 1;
    const std::int32_t n = m_state.TargetCells[std::size_t(p - 1)];
    auto first = m_state.TargetCells.begin();
    std::move(first + p, first + count, first + (p - 1));
    m_state.TargetCells[std::size_t(count - 1)] = 0;
    m_state.TargetCount = count - 1;
    if (n < 1 || n > GridCells) return false;
    return ResolveComputerShot(cellNumberRow(n), cellNumberColumn(n), false);
}

std::optional<HitCell> Match::smartTarget() const {
    const auto open = [this](std::int32_t r, std::int32_t c) { return cellAt(m_state.OwnField, r, c); };
    if (m_state.HitCount < 1 || m_state.HitCount > MaxDecks) return std::nullopt;
    if (m_state.HitCount <= 1) {
        const HitCell hit = m_state.HitCells[0];
        for (std::int32_t r = hit.row - 1; r <= hit.row + 1; ++r)
            for (std::int32_t c = hit.column - 1; c <= hit.column + 1; ++c) {
                if (!insideGrid(r, c) || (r != hit.row && c != hit.column)) continue;
                const char code = open(r, c);
                if (code != CellZone && code != CellHit) return HitCell{r, c};
            }
        return std::nullopt;
    }
    const HitCell first = m_state.HitCells[0];
    const HitCell last = m_state.HitCells[std::size_t(m_state.HitCount - 1)];
    if (m_state.HitAlongRow == 1) {
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

bool Match::SmartShoot() {
    const auto target = smartTarget();
    if (!target) return Shoot();
    return ResolveComputerShot(target->row, target->column, true);
}

} // namespace vtx
