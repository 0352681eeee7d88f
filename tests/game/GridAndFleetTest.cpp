#include "FakeMatchHost.h"
#include "game/FleetBlock.h"
#include "game/Match.h"
#include "tests/support/MatchSetup.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace vtx {
namespace {

using test::FakeMatchHost;
using test::StepClock;

TEST(Grid, CellNumbersAndRowLetters) {
    EXPECT_EQ(cellNumber(1, 1), 1);
    EXPECT_EQ(cellNumber(10, 10), 100);
    EXPECT_EQ(cellNumber(3, 10), 30);
    EXPECT_EQ(cellNumberRow(30), 3);
    EXPECT_EQ(cellNumberColumn(30), 10);
    for (int n = 1; n <= 100; ++n)
        EXPECT_EQ(cellNumber(cellNumberRow(n), cellNumberColumn(n)), n);
    EXPECT_EQ(RowLetters.size(), 10u);
    EXPECT_EQ(RowLetters[9], 'k');
    EXPECT_EQ(RowLetters.find('j'), std::string_view::npos);
}

TEST(Grid, CellAccessOutsideTheGridReadsNothingAndWritesNothing) {
    Field f = emptyField();
    for (int r : {0, 11, -1, 1000}) {
        EXPECT_EQ(cellAt(f, r, 5), '\0');
        EXPECT_EQ(cellAt(f, 5, r), '\0');
        setCell(f, r, 5, CellDeck);
        setCell(f, 5, r, CellDeck);
    }
    EXPECT_EQ(f, emptyField());
    setCell(f, 3, 7, CellDeck);
    EXPECT_EQ(f[26], CellDeck);
}

TEST(TargetList, RemoveTargetTakesTheFirstOccurrenceAndKeepsOrder) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    s.targetCount = 5;
    s.targetCells[0] = 7;
    s.targetCells[1] = 30;
    s.targetCells[2] = 9;
    s.targetCells[3] = 30;
    s.targetCells[4] = 100;
    m.removeTarget(3, 10); // cell 30
    ASSERT_EQ(s.targetCount, 4);
    EXPECT_EQ(std::vector<int>(s.targetCells.begin(), s.targetCells.begin() + 4),
              (std::vector<int>{7, 9, 30, 100}));

    m.removeTarget(5, 5); // absent
    EXPECT_EQ(s.targetCount, 4);
    // Entries past targetCount do not count as present.
    s.targetCells[4] = 55;
    m.removeTarget(6, 5);
    EXPECT_EQ(s.targetCount, 4);

    s.targetCount = 1;
    s.targetCells[0] = 100;
    m.removeTarget(10, 10);
    EXPECT_EQ(s.targetCount, 0);
    m.removeTarget(10, 10);
    EXPECT_EQ(s.targetCount, 0);

    // A corrupt count is clamped, never indexed past the list.
    for (int i = 0; i < 100; ++i)
        s.targetCells[std::size_t(i)] = 100 - i;
    s.targetCount = 1000;
    m.removeTarget(10, 10);
    EXPECT_EQ(s.targetCount, 99);
    EXPECT_EQ(s.targetCells[0], 99);
}

// The two-decker at a1, a2 on an empty grid, placed through the manual rule.
TEST(ShipRecord, TwoDeckerAtA1A2GivesTheDocumentedGridAndBytes) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    s.arranging = true;
    s.ownField = emptyField();
    s.shipToPlace = 4; // first two-decker
    s.placeHorizontal = true;
    s.pickedRow = 1;
    s.pickedColumn = 1;
    ASSERT_TRUE(m.placeShipAt());

    EXPECT_EQ(std::string(s.ownField.begin(), s.ownField.begin() + 10), "1120000000");
    EXPECT_EQ(std::string(s.ownField.begin() + 10, s.ownField.begin() + 20), "2220000000");

    const Ship& ship = s.ownFleet[3];
    const auto bytes = encodeShip(ship);
    // Expected record, little-endian int32 fields.
    std::array<unsigned char, 60> expected{};
    auto put = [&](int at, int v) { expected[std::size_t(at)] = static_cast<unsigned char>(v); };
    put(0, 2);                // Size
    put(4, 0);                // Sunk
    put(8, 1), put(12, 2);    // Cols
    put(24, 1), put(28, 1);   // Rows
    put(40, 10), put(44, 10); // deckState
    put(56, 1);               // Horizontal
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(decodeShip(bytes), ship);
}

TEST(ShipRecord, MultiByteValuesAreLittleEndianAndSigned) {
    Ship ship;
    ship.size = 0x01020304;
    ship.sunk = -1;
    ship.rows[3] = std::numeric_limits<std::int32_t>::min();
    ship.horizontal = 0xAB;
    const auto b = encodeShip(ship);
    EXPECT_EQ(b[0], 0x04);
    EXPECT_EQ(b[1], 0x03);
    EXPECT_EQ(b[2], 0x02);
    EXPECT_EQ(b[3], 0x01);
    for (int i = 4; i < 8; ++i)
        EXPECT_EQ(b[std::size_t(i)], 0xFF);
    EXPECT_EQ(b[36], 0x00);
    EXPECT_EQ(b[39], 0x80);
    EXPECT_EQ(b[56], 0xAB);
    EXPECT_EQ(decodeShip(b), ship);
}

TEST(FleetBlockFormat, ShipNStartsAtByte60TimesNMinus1AndRoundTrips) {
    Fleet fleet{};
    for (int n = 1; n <= 10; ++n) {
        fleet[std::size_t(n - 1)].size = n;
        fleet[std::size_t(n - 1)].cols[0] = 100 + n;
    }
    const FleetBlock block = encodeFleet(fleet);
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(block[std::size_t(60 * (n - 1))], n);
        EXPECT_EQ(block[std::size_t(60 * (n - 1) + 8)], 100 + n);
    }
    EXPECT_EQ(decodeFleet(block), fleet);

    Field field = emptyField();
    field[99] = CellDeck;
    const FieldBlock fb = encodeField(field);
    EXPECT_EQ(fb[99], '1');
    EXPECT_EQ(decodeField(fb), field);
}

TEST(FleetBlockFormat, AnyBytesDecodeAndShortBlocksReplaceOnlyTheirStart) {
    FleetBlock noise{};
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<unsigned char>(i * 37 + 11);
    const Fleet decoded = decodeFleet(noise);
    EXPECT_EQ(encodeFleet(decoded), noise); // nothing is lost or normalised

    Fleet fleet{};
    fleet[0].size = 4;
    fleet[1].size = 3;
    const std::vector<unsigned char> shortBlock = {9, 0, 0, 0};
    EXPECT_EQ(overwriteFleetPrefix(fleet, shortBlock), 4u);
    EXPECT_EQ(fleet[0].size, 9);
    EXPECT_EQ(fleet[1].size, 3);

    const std::vector<unsigned char> longBlock(700, 0);
    EXPECT_EQ(overwriteFleetPrefix(fleet, longBlock), 600u);
    EXPECT_EQ(fleet[1].size, 0);

    Field field = emptyField();
    const std::vector<unsigned char> three = {'1', '2', '3'};
    EXPECT_EQ(overwriteFieldPrefix(field, three), 3u);
    EXPECT_EQ(std::string(field.begin(), field.begin() + 5), "12300");
    EXPECT_EQ(overwriteFieldPrefix(field, std::vector<unsigned char>(150, '2')), 100u);
    EXPECT_EQ(overwriteFieldPrefix(field, {}), 0u);
}

// What the mouse, the keys and the wire hand the rules is a cell of a board
// or nothing: no cell outside the grid or without a board can be made.
TEST(BoardCells, OnlyCellsOfTheBoardsAreMade) {
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            for (Board b : {EnemyBoard, OwnBoard}) {
                const auto cell = BoardCell::at(b, r, c);
                ASSERT_TRUE(cell);
                EXPECT_EQ(cell->row(), r);
                EXPECT_EQ(cell->column(), c);
                EXPECT_EQ(cell->board(), b);
            }
    const std::int64_t bad[][2] = {{0, 1}, {1, 0}, {11, 5}, {5, 11}, {-1, 3}, {1LL << 32 | 1, 1}};
    for (const auto& [r, c] : bad)
        for (Board b : {EnemyBoard, OwnBoard})
            EXPECT_FALSE(BoardCell::at(b, r, c)) << r << " " << c;
    EXPECT_FALSE(BoardCell::at(NoBoard, 3, 7));
    EXPECT_FALSE(BoardCell::at(Board(3), 3, 7));
}

} // namespace
} // namespace vtx
