#pragma once

// Names of the board cell planes: own board row letter + column ("a1", "c7",
// "k10"); enemy board the same with a leading "_" ("_c7").

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx {

struct ParsedCell {
    std::int32_t row = 0;    // 1..10, 0 when the letter is not a row letter
    std::int32_t column = 0; // the number read, 0 when there is none
    std::int32_t board = 0;  // EnemyBoard or OwnBoard
};

// Reads a cell name the way the picking does: board from the "_", row from the
// letter's position in RowLetters, column from the next two characters trimmed
// of blanks. Never fails: a malformed name gives row or column 0 (or a number
// outside 1..10), which every rule refuses as outside the grid.
ParsedCell parseCellName(std::string_view name);

// The name of a cell plane ("c7", "_c7"); empty for a cell outside the grid.
std::string cellName(std::int32_t board, std::int32_t row, std::int32_t column);

} // namespace vtx
