#include "game/CellCursor.h"

#include <algorithm>
#include <cmath>

namespace vtx {

Board boardInPlay(const MatchState& s) {
    if (!s.gameInProgress) return NoBoard;
    if (s.arranging && s.shipToPlace >= 1 && s.shipToPlace <= FleetShips) return OwnBoard;
    if (!s.arranging && s.fightStarted && s.playerTurn == 1 && !s.gameWon && !s.gameLost) return EnemyBoard;
    return NoBoard;
}

namespace {

struct Vec {
    float x;
    float y;
};

// The four arrows in the screen's own terms (y downwards), in the order of Step.
constexpr Vec kArrowDirections[4] = {{0.0f, -1.0f}, {0.0f, 1.0f}, {-1.0f, 0.0f}, {1.0f, 0.0f}};

float cosine(Vec a, Vec b) {
    const float lengths = std::sqrt((a.x * a.x + a.y * a.y) * (b.x * b.x + b.y * b.y));
    return lengths > 0.0f ? (a.x * b.x + a.y * b.y) / lengths : -1.0f;
}

} // namespace

CellCursor::GridStep CellCursor::gridStep(Step arrow, const ScreenCells* screen) const {
    // The four neighbours, in the order the south view gives them to the arrows.
    constexpr GridStep neighbours[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    const int wanted = int(arrow) % 4;
    if (!screen) return neighbours[wanted];
    // Where the next row and the next column lie on screen from this cell; at
    // the last row or column, as seen from the one before.
    const int r = m_row - 1;
    const int c = m_column - 1;
    const auto along = [&](int r0, int c0, int r1, int c1, Vec& out) {
        const ScreenPoint& a = (*screen)[std::size_t(r0)][std::size_t(c0)];
        const ScreenPoint& b = (*screen)[std::size_t(r1)][std::size_t(c1)];
        out = {b.x - a.x, b.y - a.y};
        return a.seen && b.seen && (out.x != 0.0f || out.y != 0.0f);
    };
    Vec nextRow{};
    Vec nextColumn{};
    const bool rowSeen = r + 1 < GridSize ? along(r, c, r + 1, c, nextRow) : along(r - 1, c, r, c, nextRow);
    const bool columnSeen =
        c + 1 < GridSize ? along(r, c, r, c + 1, nextColumn) : along(r, c - 1, r, c, nextColumn);
    if (!rowSeen || !columnSeen) return neighbours[wanted];
    const Vec onScreen[4] = {{-nextRow.x, -nextRow.y}, nextRow, {-nextColumn.x, -nextColumn.y}, nextColumn};
    // The one-to-one match of arrows and neighbours that keeps all four
    // nearest their directions; where each arrow's nearest neighbour differs,
    // that is the match.
    std::array<int, 4> match{0, 1, 2, 3};
    std::array<int, 4> best = match;
    float bestSum = -5.0f;
    do {
        float sum = 0.0f;
        for (int a = 0; a < 4; ++a)
            sum += cosine(kArrowDirections[a], onScreen[match[std::size_t(a)]]);
        if (sum > bestSum + 1e-6f) {
            bestSum = sum;
            best = match;
        }
    } while (std::next_permutation(match.begin(), match.end()));
    return neighbours[best[std::size_t(wanted)]];
}

bool CellCursor::stepOnce(Step arrow, const ScreenCells* screen) {
    const GridStep d = gridStep(arrow, screen);
    const std::int32_t row = m_row + d.rows;
    const std::int32_t column = m_column + d.columns;
    if (!insideGrid(row, column)) return false;
    m_row = row;
    m_column = column;
    return true;
}

bool CellCursor::move(Step step) {
    const Board board = boardInPlay();
    if (board == NoBoard) return false;
    ScreenCells cells{};
    if (screenCells) cells = screenCells(board);
    const ScreenCells* screen = screenCells ? &cells : nullptr;
    if (step >= Step::FarUp) {
        // Each step goes on in the arrow's direction on screen, so the walk
        // ends at the edge; the bound only guards against a skewed picture.
        for (int i = 0; i < 2 * GridSize && stepOnce(step, screen); ++i) {
        }
    } else {
        stepOnce(step, screen);
    }
    m_shown = true;
    // As the pointer's hover: the preview, or the warning over a used cell.
    m_match.cellHovered(cellOn(board));
    return true;
}

BoardCell CellCursor::cellOn(Board board) const {
    // Every step is checked against the grid: the cursor never leaves it.
    return BoardCell::at(board, m_row, m_column).value();
}

void CellCursor::hoverOwnCell() {
    m_match.cellHovered(cellOn(OwnBoard));
}

bool CellCursor::activate() {
    const Board board = boardInPlay();
    if (board == NoBoard) return false;
    m_shown = true;
    // The drop takes the last hovered cell: make it this one first.
    if (board == OwnBoard) hoverOwnCell();
    m_match.cellClicked(cellOn(board), MouseButton::Left);
    return true;
}

bool CellCursor::turn() {
    if (boardInPlay() != OwnBoard) return false;
    m_shown = true;
    m_match.togglePlaceHorizontal();
    return true;
}

void CellCursor::follow(BoardCell cell) {
    m_row = cell.row();
    m_column = cell.column();
    // In the player's turn the frame marks the enemy cell under the pointer:
    // a mouse player sees where the shot will go, as a keyboard player does.
    if (cell.board() == EnemyBoard && boardInPlay() == EnemyBoard) m_shown = true;
}

} // namespace vtx
