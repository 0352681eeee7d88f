#include "game/NetMessage.h"

#include "game/PadStr.h"
#include "game/TextClean.h"

#include <array>
#include <charconv>

namespace vtx::net {

namespace {

// Characters first..first+1 (1-based) of text, as far as the text reaches.
std::string_view twoChars(std::string_view text, std::size_t first) {
    if (text.size() < first) return {};
    return text.substr(first - 1, 2);
}

std::optional<std::int32_t> cellNumber(std::string_view field) {
    const std::string_view digits = trimBlanks(field);
    if (digits.empty()) return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    if (value < 1 || value > GridSize) return std::nullopt;
    return value;
}

} // namespace

std::string presenceMessage(std::string_view playerName) {
    std::string text(PresentMarker);
    text += ' ';
    text += playerName;
    return text;
}

std::string moveMessage(std::int32_t row, std::int32_t column) {
    std::string text(MoveMarker);
    text += padStr(std::to_string(row), 2, PadSide::Right);
    text += padStr(std::to_string(column), 2, PadSide::Right);
    return text;
}

std::optional<MoveCell> parseMove(std::string_view text) {
    const auto row = cellNumber(twoChars(text, 11));
    const auto column = cellNumber(twoChars(text, 13));
    if (!row || !column) return std::nullopt;
    return MoveCell{*row, *column};
}

std::string fleetProblem(const Fleet& fleet) {
    // Owner ship number of every cell, with a border so neighbours of edge
    // cells need no bounds checks.
    std::array<std::array<int, GridSize + 2>, GridSize + 2> owner{};
    for (int n = 1; n <= FleetShips; ++n) {
        const Ship& ship = fleet[std::size_t(n - 1)];
        const std::string which = "ship " + std::to_string(n) + ": ";
        if (ship.size != ShipSizes[std::size_t(n - 1)]) return which + "wrong size";
        if (ship.sunk != 0) return which + "already sunk";
        if (ship.horizontal > 1) return which + "no direction";
        for (int k = 1; k <= ship.size; ++k) {
            const std::int32_t r = ship.rows[k - 1];
            const std::int32_t c = ship.cols[k - 1];
            if (!insideGrid(r, c)) return which + "deck outside the grid";
            if (ship.deckState[k - 1] != DeckIntact) return which + "deck not intact";
            const std::int64_t wantRow = ship.horizontal ? ship.rows[0] : std::int64_t(ship.rows[0]) + k - 1;
            const std::int64_t wantColumn =
                ship.horizontal ? std::int64_t(ship.cols[0]) + k - 1 : ship.cols[0];
            if (r != wantRow || c != wantColumn) return which + "decks not in line";
            if (owner[std::size_t(r)][std::size_t(c)] != 0) return which + "deck on another ship";
            owner[std::size_t(r)][std::size_t(c)] = n;
        }
    }
    for (int r = 1; r <= GridSize; ++r)
        for (int c = 1; c <= GridSize; ++c) {
            const int n = owner[std::size_t(r)][std::size_t(c)];
            if (n == 0) continue;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    const int other = owner[std::size_t(r + dr)][std::size_t(c + dc)];
                    if (other != 0 && other != n)
                        return "ships " + std::to_string(n) + " and " + std::to_string(other) + " touch";
                }
        }
    return {};
}

std::string fieldProblem(const Field& field, const Fleet& fleet) {
    Field decks = emptyField();
    for (const Ship& ship : fleet)
        for (int k = 1; k <= deckSlots(ship); ++k)
            if (const auto d = deckAt(ship, k)) setCell(decks, d->row, d->column, CellDeck);
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != CellWater && c != CellDeck && c != CellZone) return "cell code out of range";
        if ((c == CellDeck) != (decks[i] == CellDeck)) return "grid and fleet disagree";
    }
    return {};
}

} // namespace vtx::net
