#include "game/CellCursor.h"

#include "game/CellName.h"

#include <algorithm>

namespace vtx {

std::int32_t CellCursor::boardInPlay() const {
    const MatchState& s = m_match.state();
    if (!s.gameInProgress) return 0;
    if (s.arranging && s.shipToPlace >= 1 && s.shipToPlace <= FleetShips) return OwnBoard;
    if (!s.arranging && s.fightStarted && s.playerTurn == 1 && !s.gameWon && !s.gameLost) return EnemyBoard;
    return 0;
}

bool CellCursor::move(Step step) {
    if (boardInPlay() == 0) return false;
    switch (step) {
    case Step::Up:
        m_row = std::max(1, m_row - 1);
        break;
    case Step::Down:
        m_row = std::min(GridSize, m_row + 1);
        break;
    case Step::Left:
        m_column = std::max(1, m_column - 1);
        break;
    case Step::Right:
        m_column = std::min(GridSize, m_column + 1);
        break;
    case Step::FirstRow:
        m_row = 1;
        break;
    case Step::LastRow:
        m_row = GridSize;
        break;
    case Step::FirstColumn:
        m_column = 1;
        break;
    case Step::LastColumn:
        m_column = GridSize;
        break;
    }
    m_shown = true;
    if (boardInPlay() == OwnBoard) hoverOwnCell();
    return true;
}

void CellCursor::hoverOwnCell() {
    m_match.cellHover(cellName(OwnBoard, m_row, m_column));
}

bool CellCursor::activate() {
    const std::int32_t board = boardInPlay();
    if (board == 0) return false;
    m_shown = true;
    if (board == OwnBoard) {
        // The drop takes the last hovered cell: make it this one first.
        hoverOwnCell();
        m_match.cellMouseDown(cellName(OwnBoard, m_row, m_column), MouseButton::Left);
    } else {
        m_match.cellMouseDown(cellName(EnemyBoard, m_row, m_column), MouseButton::Left);
    }
    return true;
}

bool CellCursor::turn() {
    if (boardInPlay() != OwnBoard) return false;
    m_shown = true;
    m_match.togglePlaceHorizontal();
    return true;
}

void CellCursor::follow(std::string_view name) {
    const ParsedCell cell = parseCellName(name);
    if (!insideGrid(cell.row, cell.column)) return;
    m_row = cell.row;
    m_column = cell.column;
    // In the player's turn the frame marks the enemy cell under the pointer:
    // a mouse player sees where the shot will go, as a keyboard player does.
    if (cell.board == EnemyBoard && boardInPlay() == EnemyBoard) m_shown = true;
}

} // namespace vtx
