#include "game/CellName.h"

#include "game/GameTypes.h"
#include "game/TextClean.h"

namespace vtx {

namespace {

std::int32_t rowOfLetter(std::string_view name, std::size_t at) {
    if (at >= name.size()) return 0;
    const auto pos = RowLetters.find(name[at]);
    return pos == std::string_view::npos ? 0 : std::int32_t(pos) + 1;
}

// Integer value of up to two characters, blanks trimmed; 0 when they do not
// form a number.
std::int32_t numberAt(std::string_view name, std::size_t at) {
    if (at >= name.size()) return 0;
    const std::string_view digits = trimBlanks(name.substr(at, 2));
    if (digits.empty()) return 0;
    std::int32_t value = 0;
    for (char ch : digits) {
        if (ch < '0' || ch > '9') return 0;
        value = value * 10 + (ch - '0');
    }
    return value;
}

} // namespace

ParsedCell parseCellName(std::string_view name) {
    ParsedCell cell;
    if (!name.empty() && name.front() == '_') {
        cell.row = rowOfLetter(name, 1);
        cell.column = numberAt(name, 2);
        cell.board = EnemyBoard;
    } else {
        cell.row = rowOfLetter(name, 0);
        cell.column = numberAt(name, 1);
        cell.board = OwnBoard;
    }
    return cell;
}

std::string cellName(std::int32_t board, std::int32_t row, std::int32_t column) {
    if (!insideGrid(row, column)) return {};
    std::string name = board == EnemyBoard ? "_" : "";
    name += RowLetters[std::size_t(row - 1)];
    name += std::to_string(column);
    return name;
}

} // namespace vtx
