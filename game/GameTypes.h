#pragma once

// The basic vocabulary of the sea battle: cells, grids, cell codes and the
// fixed fleet composition. Rows and columns are numbered 1..10 everywhere in
// the game; row r is named by letter r of RowLetters ("j" is skipped), so the
// cell "c7" is row 3, column 7.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vtx {

inline constexpr int GridSize = 10;
inline constexpr int GridCells = GridSize * GridSize;
inline constexpr int FleetShips = 10;
inline constexpr int MaxDecks = 4;
// The computer's levels, by their index in the level selector and the INI
// files: 0 "Easy", 1 "Normal", 2 "Hard", 3 "Admiral".
inline constexpr int LevelCount = 4;
inline constexpr int AdmiralLevelIndex = 3;
constexpr bool validLevelIndex(int index) {
    return index >= 0 && index < LevelCount;
}

// Cell codes. They are ASCII digits because a grid travels as-is in the LAN
// grid block, so the codes are part of the wire format.
inline constexpr char CellWater = '0';
inline constexpr char CellDeck = '1';
inline constexpr char CellZone = '2'; // next to a ship, or a known miss on the own grid
inline constexpr char CellHit = '3';  // hit deck of a ship still afloat
inline constexpr char CellSunk = '4'; // deck of a sunk ship

// A grid: 100 cell codes, rows one after another, ten columns each.
using Field = std::array<char, GridCells>;

inline constexpr std::string_view RowLetters = "abcdefghik";

// Ship sizes by ship number 1..10 (index 0 is ship 1): largest first.
inline constexpr std::array<std::int32_t, FleetShips> ShipSizes = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};

// The two boards. The numbers are the ones the display calls and their logs
// carry (IBoardView); NoBoard stands for "none yet" or "none in play".
enum Board : std::int32_t { NoBoard = 0, EnemyBoard = 1, OwnBoard = 2 };

constexpr bool insideGrid(std::int64_t row, std::int64_t column) {
    return row >= 1 && row <= GridSize && column >= 1 && column <= GridSize;
}

// One cell of one board, as the mouse, the keys and a received shot hand it
// to the rules. Only at() makes one, and it refuses a cell outside the grid
// or without a board: a BoardCell in hand is always a cell of the boards.
class BoardCell {
public:
    static constexpr std::optional<BoardCell> at(Board board, std::int64_t row, std::int64_t column) {
        if ((board != EnemyBoard && board != OwnBoard) || !insideGrid(row, column)) return std::nullopt;
        return BoardCell(board, std::int32_t(row), std::int32_t(column));
    }

    constexpr Board board() const { return m_board; }
    constexpr std::int32_t row() const { return m_row; }       // 1..10
    constexpr std::int32_t column() const { return m_column; } // 1..10

    friend constexpr bool operator==(const BoardCell&, const BoardCell&) = default;

private:
    constexpr BoardCell(Board board, std::int32_t row, std::int32_t column)
        : m_board(board), m_row(row), m_column(column) {}

    Board m_board;
    std::int32_t m_row;
    std::int32_t m_column;
};

// The mouse button that clicked a cell. Other: any further button (back,
// forward); it never places or shoots.
enum class MouseButton { Left, Right, Middle, Other };

// Grid index 0..99 of an inside cell; callers check insideGrid first.
constexpr int gridIndex(int row, int column) {
    return GridSize * (row - 1) + (column - 1);
}

// Cell number 1..100 of the computer's target list.
constexpr std::int32_t cellNumber(std::int32_t row, std::int32_t column) {
    return 10 * (row - 1) + column;
}
constexpr std::int32_t cellNumberRow(std::int32_t n) {
    return (n - 1) / 10 + 1;
}
constexpr std::int32_t cellNumberColumn(std::int32_t n) {
    return (n - 1) % 10 + 1;
}

// Cell code of an inside cell; '\0' for a cell outside the grid, which no rule
// treats as water, deck or zone.
inline char cellAt(const Field& field, std::int64_t row, std::int64_t column) {
    return insideGrid(row, column) ? field[static_cast<std::size_t>(gridIndex(int(row), int(column)))] : '\0';
}

// Writes an inside cell; a cell outside the grid is left alone.
inline void setCell(Field& field, std::int64_t row, std::int64_t column, char code) {
    if (insideGrid(row, column)) field[static_cast<std::size_t>(gridIndex(int(row), int(column)))] = code;
}

inline Field emptyField() {
    Field f;
    f.fill(CellWater);
    return f;
}

} // namespace vtx
