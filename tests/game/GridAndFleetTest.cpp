#include "FakeMatchHost.h"
#include "game/CellName.h"
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
    EXPECT_EQ(CellNumber(1, 1), 1);
    EXPECT_EQ(CellNumber(10, 10), 100);
    EXPECT_EQ(CellNumber(3, 10), 30);
    EXPECT_EQ(cellNumberRow(30), 3);
    EXPECT_EQ(cellNumberColumn(30), 10);
    for (int n = 1; n <= 100; ++n)
        EXPECT_EQ(CellNumber(cellNumberRow(n), cellNumberColumn(n)), n);
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
    s.TargetCount = 5;
    s.TargetCells[0] = 7;
    s.TargetCells[1] = 30;
    s.TargetCells[2] = 9;
    s.TargetCells[3] = 30;
    s.TargetCells[4] = 100;
    m.RemoveTarget(3, 10); // cell 30
    ASSERT_EQ(s.TargetCount, 4);
    EXPECT_EQ(std::vector<int>(s.TargetCells.begin(), s.TargetCells.begin() + 4),
              (std::vector<int>{7, 9, 30, 100}));

    m.RemoveTarget(5, 5); // absent
    EXPECT_EQ(s.TargetCount, 4);
    // Entries past TargetCount do not count as present.
    s.TargetCells[4] = 55;
    m.RemoveTarget(6, 5);
    EXPECT_EQ(s.TargetCount, 4);

    s.TargetCount = 1;
    s.TargetCells[0] = 100;
    m.RemoveTarget(10, 10);
    EXPECT_EQ(s.TargetCount, 0);
    m.RemoveTarget(10, 10);
    EXPECT_EQ(s.TargetCount, 0);

    // A corrupt count is clamped, never indexed past the list.
    for (int i = 0; i < 100; ++i)
        s.TargetCells[std::size_t(i)] = 100 - i;
    s.TargetCount = 1000;
    m.RemoveTarget(10, 10);
    EXPECT_EQ(s.TargetCount, 99);
    EXPECT_EQ(s.TargetCells[0], 99);
}

// The two-decker at a1, a2 on an empty grid, placed through the manual rule.
TEST(ShipRecord, TwoDeckerAtA1A2GivesTheDocumentedGridAndBytes) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    s.Arranging = true;
    s.OwnField = emptyField();
    s.ShipToPlace = 4; // first two-decker
    s.PlaceHorizontal = true;
    s.PickedRow = 1;
    s.PickedColumn = 1;
    ASSERT_TRUE(m.PlaceShipAt());

    EXPECT_EQ(std::string(s.OwnField.begin(), s.OwnField.begin() + 10), "1120000000");
    EXPECT_EQ(std::string(s.OwnField.begin() + 10, s.OwnField.begin() + 20), "2220000000");

    const TShipRecord& ship = s.OwnFleet[3];
    const auto bytes = encodeShip(ship);
    // Expected record, little-endian int32 fields.
    std::array<unsigned char, 60> expected{};
    auto put = [&](int at, int v) { expected[std::size_t(at)] = static_cast<unsigned char>(v); };
    put(0, 2);                // Size
    put(4, 0);                // Sunk
    put(8, 1), put(12, 2);    // Cols
    put(24, 1), put(28, 1);   // Rows
    put(40, 10), put(44, 10); // DeckState
    put(56, 1);               // Horizontal
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(decodeShip(bytes), ship);
}

TEST(ShipRecord, MultiByteValuesAreLittleEndianAndSigned) {
    TShipRecord ship;
    ship.Size = 0x01020304;
    ship.Sunk = -1;
    ship.Rows[3] = std::numeric_limits<std::int32_t>::min();
    ship.Horizontal = 0xAB;
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
    TFleet fleet{};
    for (int n = 1; n <= 10; ++n) {
        fleet[std::size_t(n - 1)].Size = n;
        fleet[std::size_t(n - 1)].Cols[0] = 100 + n;
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
    const TFleet decoded = decodeFleet(noise);
    EXPECT_EQ(encodeFleet(decoded), noise); // nothing is lost or normalised

    TFleet fleet{};
    fleet[0].Size = 4;
    fleet[1].Size = 3;
    const std::vector<unsigned char> shortBlock = {9, 0, 0, 0};
    EXPECT_EQ(overwriteFleetPrefix(fleet, shortBlock), 4u);
    EXPECT_EQ(fleet[0].Size, 9);
    EXPECT_EQ(fleet[1].Size, 3);

    const std::vector<unsigned char> longBlock(700, 0);
    EXPECT_EQ(overwriteFleetPrefix(fleet, longBlock), 600u);
    EXPECT_EQ(fleet[1].Size, 0);

    Field field = emptyField();
    const std::vector<unsigned char> three = {'1', '2', '3'};
    EXPECT_EQ(overwriteFieldPrefix(field, three), 3u);
    EXPECT_EQ(std::string(field.begin(), field.begin() + 5), "12300");
    EXPECT_EQ(overwriteFieldPrefix(field, std::vector<unsigned char>(150, '2')), 100u);
    EXPECT_EQ(overwriteFieldPrefix(field, {}), 0u);
}

TEST(CellNames, ParseTheBoardRowAndColumn) {
    auto p = parseCellName("c7");
    EXPECT_EQ(p.row, 3);
    EXPECT_EQ(p.column, 7);
    EXPECT_EQ(p.board, OwnBoard);
    p = parseCellName("_k10");
    EXPECT_EQ(p.row, 10);
    EXPECT_EQ(p.column, 10);
    EXPECT_EQ(p.board, EnemyBoard);
    p = parseCellName("a1");
    EXPECT_EQ(p.row, 1);
    EXPECT_EQ(p.column, 1);
    // Malformed names give coordinates the rules refuse.
    for (const char* bad : {"", "_", "j5", "z", "_a", "ax", "Plane1", "_q12"}) {
        p = parseCellName(bad);
        EXPECT_FALSE(insideGrid(p.row, p.column)) << bad;
    }
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            for (int b : {EnemyBoard, OwnBoard}) {
                p = parseCellName(cellName(b, r, c));
                EXPECT_EQ(p.row, r);
                EXPECT_EQ(p.column, c);
                EXPECT_EQ(p.board, b);
            }
    EXPECT_EQ(cellName(OwnBoard, 0, 1), "");
}

} // namespace
} // namespace vtx
