#include "FakeMatchHost.h"
#include "game/GameRandom.h"
#include "game/Match.h"
#include "game/SplitMix64.h"
#include "tests/support/MatchSetup.h"

#include <gtest/gtest.h>

#include <set>

namespace vtx {
namespace {

using test::arrangementProblem;
using test::FakeMatchHost;
using test::StepClock;

TEST(GameRandomGen, SameSeedSameDrawsAndRangeHolds) {
    GameRandom a(1234), b(1234);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(a.random(10), b.random(10));
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int v = a.random(10);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 10);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_EQ(a.random(0), 0);
    EXPECT_EQ(a.random(-5), 0);
    // Neighbouring seeds (consecutive milliseconds) must not draw the same
    // first column most of the time.
    int same = 0;
    for (int s = 0; s < 1000; ++s) {
        GameRandom x{static_cast<std::uint64_t>(s)}, y{static_cast<std::uint64_t>(s + 1)};
        if (x.random(10) == y.random(10)) ++same;
    }
    EXPECT_LT(same, 200);
}

// The published reference sequence: the rules' seeded draws, the LAN session
// numbers and every generated picture and song rest on these numbers.
TEST(GameRandomGen, SplitMix64GivesThePublishedSequence) {
    SplitMix64 generator(1234567);
    for (const std::uint64_t expected :
         {6457827717110365317ull, 3203168211198807973ull, 9817491932198370423ull, 4593380528125082431ull,
          16408922859458223821ull})
        EXPECT_EQ(generator.next(), expected);
}

TEST(ArrangeFleet, ThousandsOfArrangementsKeepEveryInvariant) {
    StepClock clock(0, 1);
    FakeMatchHost host(&clock);
    Match m(host, clock);
    std::set<int> firstCellsOfBigShip;
    for (int i = 0; i < 3000; ++i) {
        m.arrangeFleet();
        const std::string problem = arrangementProblem(m.state().workField, m.state().workFleet);
        ASSERT_EQ(problem, "") << "arrangement " << i;
        firstCellsOfBigShip.insert(
            cellNumber(m.state().workFleet[0].rows[0], m.state().workFleet[0].cols[0]));
    }
    EXPECT_GT(firstCellsOfBigShip.size(), 30u); // the four-decker really moves around
}

// Attempts in the same millisecond draw the same cell, with the orientation
// flipped each time: the very first attempt of an arrangement runs down a
// column.
TEST(ArrangeFleet, FirstAttemptIsVerticalAndReseedsFromTheClock) {
    // A time of day whose first drawn cell leaves room for a vertical
    // four-decker (row 1..7), so the check below always runs.
    std::int64_t start = 5000;
    int row = 0, column = 0;
    for (;; ++start) {
        GameRandom r(start);
        column = r.random(10) + 1;
        row = r.random(10) + 1;
        if (row <= 7) break;
    }
    class FrozenThenMoving final : public IClock {
    public:
        explicit FrozenThenMoving(std::int64_t at) : start(at) {}
        std::int64_t timeOfDayMs() override { return start + (calls++ / 3); }
        std::int64_t tickMs() override { return 0; }
        std::int64_t start;
        int calls = 0;
    } clock(start);
    FakeMatchHost host;
    Match m(host, clock);
    m.arrangeFleet();
    EXPECT_EQ(arrangementProblem(m.state().workField, m.state().workFleet), "");
    // One re-seed per attempt: ten ships need at least ten attempts.
    EXPECT_GE(clock.calls, 10);
    // The four-decker lands on the first attempt (empty grid), vertical.
    const Ship& big = m.state().workFleet[0];
    EXPECT_EQ(big.horizontal, 0);
    EXPECT_EQ(big.rows[0], row);
    EXPECT_EQ(big.cols[0], column);
}

class ManualPlacement : public test::MatchFixture {
protected:
    void SetUp() override {
        s.arranging = true;
        s.ownField = emptyField();
        s.shipToPlace = 1;
        s.placeHorizontal = true;
    }
    bool placeAt(int row, int column) {
        s.pickedRow = row;
        s.pickedColumn = column;
        s.pickedBoard = OwnBoard;
        return m.placeShipAt();
    }
};

TEST_F(ManualPlacement, FourDeckerMustStayInsideTheGrid) {
    EXPECT_FALSE(placeAt(1, 8));
    EXPECT_EQ(s.ownField, emptyField());
    EXPECT_EQ(s.shipToPlace, 1);
    EXPECT_EQ(host.calls.size(), 0u); // no message, no sound, nothing
    EXPECT_TRUE(placeAt(1, 7));
    EXPECT_EQ(std::string(s.ownField.begin(), s.ownField.begin() + 10), "0000021111");
    EXPECT_EQ(s.shipToPlace, 2);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"PutShipModelAt 1 1 7", "ShowShipModel 2"}));

    s.placeHorizontal = false; // three-decker down column 1 from row 8 fits, from row 9 not
    EXPECT_FALSE(placeAt(9, 1));
    EXPECT_TRUE(placeAt(8, 1));
}

TEST_F(ManualPlacement, RefusesDecksZoneCellsAndUnpickedCells) {
    ASSERT_TRUE(placeAt(5, 5));  // ship 1, columns 5..8
    EXPECT_FALSE(placeAt(5, 5)); // on a deck
    EXPECT_FALSE(placeAt(4, 2)); // reaches (4,4), a zone cell
    EXPECT_FALSE(placeAt(6, 9)); // starts on a corner zone cell
    EXPECT_FALSE(placeAt(0, 0)); // nothing picked yet
    EXPECT_FALSE(placeAt(0, 3));
    EXPECT_FALSE(placeAt(-2147483647, 3));
    EXPECT_EQ(s.shipToPlace, 2);
    EXPECT_TRUE(placeAt(7, 1));
}

TEST_F(ManualPlacement, TenPlacementsCompleteTheArrangementInOrder) {
    host.difficulty = 2;
    // A tidy layout: ships in rows 1,3,5,7,9 with gaps.
    const int cells[10][2] = {{1, 1}, {1, 6}, {3, 1}, {3, 5}, {3, 8},
                              {5, 1}, {5, 4}, {5, 6}, {5, 8}, {5, 10}};
    for (int n = 0; n < 9; ++n)
        ASSERT_TRUE(placeAt(cells[n][0], cells[n][1])) << n;
    EXPECT_TRUE(s.arranging);
    host.clear();
    ASSERT_TRUE(placeAt(cells[9][0], cells[9][1]));
    test::runEventLoop(m, host);
    EXPECT_EQ(s.shipToPlace, 11);
    EXPECT_FALSE(s.arranging);
    EXPECT_FALSE(s.hoverPicking);
    EXPECT_EQ(s.level, 3); // the set-up ran on the finished grid
    EXPECT_EQ(arrangementProblem(s.ownField, s.ownFleet), "");
    const std::vector<std::string> expected = {
        "PutShipModelAt 10 5 10",
        "Message 60 Ships Arrangement Complete! modal",
        "Button Scores on white",
        "Button Options on white",
        "Status ",
        "HideShipModels own",
        "AnimateShipModels",
        "PositionOwnShipModels",
        "Button Fight on white",
    };
    std::vector<std::string> got;
    for (const auto& c : host.calls)
        if (c.rfind("turnTimer", 0) != 0) got.push_back(c);
    EXPECT_EQ(got, expected);
    EXPECT_FALSE(s.turnTimerEnabled);
    EXPECT_EQ(s.turnTimerIntervalMs, 1000);
    // No further placement once complete.
    EXPECT_FALSE(placeAt(9, 9));
}

TEST_F(ManualPlacement, OrientationToggleOnlyWhileArranging) {
    m.togglePlaceHorizontal();
    EXPECT_FALSE(s.placeHorizontal);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"ShowPlacementPreview", "Status Does not fit: off the board!"}));
    m.cellClicked(*BoardCell::at(OwnBoard, 3, 3), MouseButton::Right);
    EXPECT_TRUE(s.placeHorizontal);
    s.arranging = false;
    m.spaceToggle();
    EXPECT_TRUE(s.placeHorizontal);
    EXPECT_EQ(host.count("ShowPlacementPreview"), 2u);
}

// The status line says why the ship under the pointer cannot go there, and
// Fight clicked too early says how many ships are left.
TEST_F(ManualPlacement, TheStatusLineSaysWhyAShipDoesNotFit) {
    s.gameInProgress = true;
    ASSERT_TRUE(placeAt(1, 1)); // ship 1, columns 1..4
    const auto statusAt = [&](Board board, int row, int column, bool horizontal) {
        s.placeHorizontal = horizontal;
        host.status.clear();
        m.cellHovered(*BoardCell::at(board, row, column));
        return host.status;
    };
    EXPECT_EQ(statusAt(OwnBoard, 1, 3, true), status::PlaceOverlaps);
    EXPECT_EQ(statusAt(OwnBoard, 2, 2, false), status::PlaceTouches);
    EXPECT_EQ(statusAt(OwnBoard, 1, 5, true), status::PlaceTouches);
    EXPECT_EQ(statusAt(OwnBoard, 1, 9, true), status::PlaceOffBoard);
    EXPECT_EQ(statusAt(OwnBoard, 9, 5, false), status::PlaceOffBoard);
    EXPECT_EQ(statusAt(OwnBoard, 1, 6, true), status::PlaceHere);
    EXPECT_EQ(statusAt(EnemyBoard, 5, 5, true), status::PlaceHere); // the enemy board previews on the own one
    m.fightRefused();
    EXPECT_EQ(host.status, "Place all ten ships first! 9 ships left.");
    s.arranging = false;
    host.status.clear();
    m.fightRefused();
    EXPECT_EQ(host.status, "");
}

TEST(PlaceShips, AutomaticArrangesBothFleetsAndRunsTheSetup) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    for (int level = -1; level <= 2; ++level) {
        host.difficulty = level;
        host.clear();
        s.level = 1;
        s.arranging = false;
        test::fillTargets(s);
        m.placeFleets();
        EXPECT_EQ(arrangementProblem(s.enemyField, s.enemyFleet), "");
        EXPECT_EQ(host.calls, (std::vector<std::string>{"PositionOwnShipModels", "AnimateShipModels",
                                                        "PositionEnemyShipModels"}));
        const auto zones = std::count(s.ownField.begin(), s.ownField.end(), CellZone);
        switch (level) {
        case -1: // no level selected: zone stays, stays drawable, Level unchanged
            EXPECT_EQ(arrangementProblem(s.ownField, s.ownFleet), "");
            EXPECT_EQ(s.targetCount, 100);
            EXPECT_EQ(s.level, 1);
            break;
        case 0:
            EXPECT_EQ(zones, 0);
            EXPECT_EQ(s.targetCount, 100);
            EXPECT_EQ(s.level, 1);
            break;
        case 1:
            EXPECT_EQ(s.targetCount, 100 - zones); // every zone cell kept is known water
            EXPECT_EQ(s.level, 2);
            break;
        case 2:
            EXPECT_GT(zones, 0);
            EXPECT_EQ(s.targetCount, 100 - zones);
            EXPECT_EQ(s.level, 3);
            for (int i = 0; i < s.targetCount; ++i)
                EXPECT_NE(s.ownField[std::size_t(s.targetCells[std::size_t(i)] - 1)], CellZone);
            break;
        }
    }
}

TEST(PlaceShips, ManualStartsWithAnEmptyOwnGridAndAFiveMsTimer) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    s.arranging = true;
    s.shipToPlace = 1;
    s.ownField[0] = CellDeck; // leftovers of an earlier match
    m.placeFleets();
    EXPECT_EQ(s.ownField, emptyField());
    EXPECT_TRUE(s.hoverPicking);
    EXPECT_TRUE(s.turnTimerEnabled);
    EXPECT_EQ(s.turnTimerIntervalMs, 5);
    // Nothing picked yet: the first model waits on a1.
    EXPECT_EQ(host.calls[0], "ShowShipModel 1");
    EXPECT_EQ(host.calls[1], "PutShipModelAt 1 1 1");
    EXPECT_EQ(arrangementProblem(s.enemyField, s.enemyFleet), "");
    EXPECT_EQ(s.level, 1); // "Easy" on an empty own grid
}

TEST(PlaceShips, LanAutomaticSendsTheFleetAndMakesNoComputerFleet) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    s.netMode = true;
    s.netConnected = true;
    s.level = 1;
    host.difficulty = 2;
    m.placeFleets();
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"PositionOwnShipModels", "AnimateShipModels", "SendFleet"}));
    EXPECT_TRUE(s.fleetSent);
    EXPECT_EQ(s.enemyField, emptyField());
    EXPECT_EQ(s.level, 1);
}

TEST(PlaceShips, LanManualKeepsAPeerFleetThatAlreadyArrived) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    s.netMode = true;
    s.netConnected = true;
    Field peer = emptyField();
    peer[0] = CellDeck;
    std::array<unsigned char, 100> bytes{};
    for (int i = 0; i < 100; ++i)
        bytes[std::size_t(i)] = static_cast<unsigned char>(peer[std::size_t(i)]);
    m.receiveFieldBlock(bytes);
    ASSERT_TRUE(s.fleetReceived);
    s.arranging = true;
    m.placeFleets();
    EXPECT_EQ(s.enemyField, peer);
    EXPECT_EQ(host.count("SendFleet"), 0u); // sent only when the last ship is placed
}

} // namespace
} // namespace vtx
