#include "FakeMatchHost.h"
#include "game/Match.h"

#include <gtest/gtest.h>

#include <limits>

namespace vtx {
namespace {

using test::FakeMatchHost;
using test::StepClock;

// Writes ship n straight into a grid and fleet, with its zone, the way both
// arrangements do.
void putShip(Field& field, Fleet& fleet, int n, int row, int column, bool horizontal) {
    Ship& s = fleet[std::size_t(n - 1)];
    s = Ship{};
    s.size = ShipSizes[std::size_t(n - 1)];
    s.horizontal = horizontal ? 1 : 0;
    for (int k = 0; k < s.size; ++k) {
        s.rows[k] = horizontal ? row : row + k;
        s.cols[k] = horizontal ? column + k : column;
        s.deckState[k] = DeckIntact;
        setCell(field, s.rows[k], s.cols[k], CellDeck);
    }
    for (int k = 0; k < s.size; ++k)
        for (int r = s.rows[k] - 1; r <= s.rows[k] + 1; ++r)
            for (int c = s.cols[k] - 1; c <= s.cols[k] + 1; ++c)
                if (insideGrid(r, c) && cellAt(field, r, c) != CellDeck) setCell(field, r, c, CellZone);
}

class Shots : public test::MatchFixture {
protected:
    void SetUp() override { test::fillTargets(s); }
    void battle() {
        s.fightStarted = true;
        s.gameInProgress = true;
        s.playerTurn = 1;
    }
    bool inTargets(int row, int column) const {
        const int n = cellNumber(row, column);
        for (int i = 0; i < s.targetCount; ++i)
            if (s.targetCells[std::size_t(i)] == n) return true;
        return false;
    }
};

TEST_F(Shots, PlayerSinksATwoDeckerMarksAndSoundsInOrder) {
    putShip(s.enemyField, s.enemyFleet, 4, 3, 3, true); // c3, c4
    putShip(s.enemyField, s.enemyFleet, 7, 9, 9, true); // keeps the enemy afloat
    battle();

    ASSERT_TRUE(m.playerShootAt(3, 3));
    // The turn stays, and the cell just hit is used now: the status line says so.
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 1 3 3 hit", "Sound Hit", "Sound Hit",
                                                    "Status Already fired at: a shot here is wasted"}));
    EXPECT_EQ(cellAt(s.enemyField, 3, 3), CellHit);
    EXPECT_EQ(s.enemyFleet[3].deckState[0], DeckDamaged);
    EXPECT_EQ(s.playerTurn, 1); // a hit keeps the turn

    host.clear();
    ASSERT_TRUE(m.playerShootAt(3, 4));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 1 3 4 hit", "Sound Hit", "Sound Sunk",
                                                    "StartShake", "ShowSunkShip 1 4",
                                                    "Status Already fired at: a shot here is wasted"}));
    EXPECT_EQ(s.enemyFleet[3].sunk, 1);
    EXPECT_EQ(cellAt(s.enemyField, 3, 3), CellSunk);
    EXPECT_EQ(cellAt(s.enemyField, 3, 4), CellSunk);
    EXPECT_EQ(cellAt(s.enemyField, 2, 3), CellZone); // the enemy grid keeps its zone
    EXPECT_EQ(s.playerShots, 2);

    // A click on a sunk deck is a miss that passes the turn; on a hit deck too,
    // but without re-marking it.
    host.clear();
    ASSERT_TRUE(m.playerShootAt(3, 4));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 1 3 4 hint", "Sound Miss", "Status Enemy Move",
                                                    "turnTimer on 2000"}));
    EXPECT_EQ(s.playerTurn, 0);
    EXPECT_EQ(s.playerShots, 3);
    EXPECT_FALSE(m.playerShootAt(9, 9)); // not the player's turn
    s.playerTurn = 1;
    s.enemyField[0] = CellHit;
    host.clear();
    m.playerShootAt(1, 1);
    EXPECT_EQ(host.calls.front(), "Sound Miss");
}

TEST_F(Shots, ComputerSinksTheOwnTwoDeckerInTheTopRightCorner) {
    putShip(s.ownField, s.ownFleet, 4, 1, 9, true);
    putShip(s.ownField, s.ownFleet, 7, 9, 1, true);
    m.setupEasy(); // the zone becomes drawable water
    EXPECT_TRUE(m.resolveComputerShot(1, 9, false));
    s.hitCount = 0;
    ASSERT_TRUE(m.collectHits());
    EXPECT_EQ(s.hitCount, 1);
    host.clear();
    EXPECT_TRUE(m.resolveComputerShot(1, 10, true));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 1 10 hit", "Status Computer Hit!!!",
                                                    "Sound Sunk", "StartShake", "ShowSunkShip 2 4"}));
    for (auto [r, c] : {std::pair{1, 8}, {1, 9}, {1, 10}, {2, 8}, {2, 9}, {2, 10}}) {
        EXPECT_EQ(cellAt(s.ownField, r, c), CellZone) << r << "," << c;
        EXPECT_FALSE(inTargets(r, c)) << r << "," << c;
    }
    EXPECT_EQ(s.hitCount, 0);
    EXPECT_EQ(s.targetCount, 94);
    EXPECT_EQ(s.ownFleet[3].sunk, 1);
    // The sunk cells are never shot again.
    EXPECT_FALSE(m.resolveComputerShot(1, 9, false));
}

TEST_F(Shots, ComputerShotTableByCellCode) {
    s.ownField = emptyField();
    s.ownField[0] = CellWater;
    s.ownField[1] = CellZone;
    s.ownField[2] = CellHit;
    s.ownField[3] = CellSunk;
    EXPECT_FALSE(m.resolveComputerShot(1, 1, false));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 1 1 hint", "Status Missed!"}));
    EXPECT_EQ(cellAt(s.ownField, 1, 1), CellZone);
    host.clear();
    EXPECT_FALSE(m.resolveComputerShot(1, 5, true));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 1 5 hint", "Status Computer Missed!!!"}));
    host.clear();
    for (int c = 2; c <= 4; ++c) {
        EXPECT_FALSE(m.resolveComputerShot(1, c, false));
        EXPECT_FALSE(m.resolveComputerShot(1, c, true));
    }
    EXPECT_FALSE(m.resolveComputerShot(0, 1, true));
    EXPECT_FALSE(m.resolveComputerShot(11, 11, false));
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Shots, PeerShotTableByCellCode) {
    putShip(s.ownField, s.ownFleet, 7, 5, 5, true);
    s.ownField[0] = CellWater;
    s.ownField[1] = CellZone;
    const auto shoot = [&](int r, int c) {
        s.netMoveRow = r;
        s.netMoveCol = c;
        return m.netShoot();
    };
    EXPECT_FALSE(shoot(1, 1));
    EXPECT_FALSE(shoot(1, 2));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 1 1 hint", "MarkShot 2 1 2 hint"}));
    EXPECT_EQ(cellAt(s.ownField, 1, 1), CellZone);
    host.clear();
    EXPECT_TRUE(shoot(5, 5));
    EXPECT_EQ(host.calls.front(), "MarkShot 2 5 5 hit");
    EXPECT_EQ(host.count("Status"), 0u);
    host.clear();
    s.ownField[2] = CellHit;
    EXPECT_FALSE(shoot(1, 3));
    EXPECT_FALSE(shoot(0, 5));
    EXPECT_FALSE(shoot(5, 11));
    EXPECT_FALSE(shoot(std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Shots, FleetOutcomePrefersThePlayersWin) {
    s.ownField = emptyField();
    s.enemyField = emptyField();
    EXPECT_EQ(m.fleetOutcome(), FleetOutcome::EnemyFleetSunk); // both fleets gone
    s.enemyField[50] = CellDeck;
    EXPECT_EQ(m.fleetOutcome(), FleetOutcome::OwnFleetSunk);
    s.ownField[3] = CellDeck;
    EXPECT_EQ(m.fleetOutcome(), FleetOutcome::None);
    s.enemyField[50] = CellHit;
    EXPECT_EQ(m.fleetOutcome(), FleetOutcome::EnemyFleetSunk);
}

TEST(Points, DocumentedExamplesAndNoOverflow) {
    EXPECT_EQ(Match::computePoints(3, 20, 0), 660);
    EXPECT_EQ(Match::computePoints(1, 40, 10), 130);
    EXPECT_EQ(Match::computePoints(1, 100, 20), -40);
    EXPECT_EQ(Match::computePoints(2, 80, 20), 0);
    EXPECT_EQ(Match::computePoints(3, std::numeric_limits<int>::max(), 0), std::numeric_limits<int>::min());
}

// Records from the network may hold anything. None of them may make a rule
// touch memory outside the grid or a ship's four slots, and a record with no
// valid deck changes nothing.
TEST_F(Shots, HostileFleetRecordsChangeNothingAndCrashNothing) {
    const std::int32_t badSizes[] = {0, 5, -1, std::numeric_limits<std::int32_t>::max(),
                                     std::numeric_limits<std::int32_t>::min()};
    const std::int32_t badCells[][2] = {{0, 1}, {1, 11}, {11, 1}, {1, 0}, {-5, -5}, {2147483647, 3}};
    for (std::int32_t size : badSizes) {
        for (auto [row, col] : badCells) {
            Fleet fleet{};
            for (auto& ship : fleet) {
                ship.size = size;
                for (int k = 0; k < 4; ++k) {
                    ship.rows[k] = 3; // valid cells, but the size makes them no decks
                    ship.cols[k] = 3 + k;
                    ship.deckState[k] = DeckIntact;
                }
            }
            // Ship 1: a valid size with every deck outside the grid.
            fleet[0].size = 4;
            for (int k = 0; k < 4; ++k) {
                fleet[0].rows[k] = row;
                fleet[0].cols[k] = col;
            }
            s.enemyFleet = fleet;
            s.ownFleet = fleet;
            s.enemyField = emptyField();
            s.ownField = emptyField();
            const Field before = s.enemyField;
            for (int r = -1; r <= 12; ++r)
                for (int c = -1; c <= 12; ++c) {
                    EXPECT_FALSE(m.hitEnemyShip(r, c));
                    EXPECT_FALSE(m.hitOwnShip(r, c));
                }
            EXPECT_FALSE(m.hitEnemyShip(row, col));
            EXPECT_EQ(s.enemyField, before);
            EXPECT_EQ(s.ownField, before);
            EXPECT_EQ(s.enemyFleet, fleet);
            EXPECT_EQ(s.ownFleet, fleet);
        }
    }
    EXPECT_EQ(host.count("ShowSunkShip"), 0u);
    EXPECT_EQ(host.count("Sound"), 0u);
}

TEST_F(Shots, APartlyValidHostileShipSinksByItsValidDecksOnly) {
    Ship& ship = s.enemyFleet[1];
    ship.size = 3;
    ship.rows[0] = 4, ship.cols[0] = 4, ship.deckState[0] = DeckIntact;
    ship.rows[1] = 4, ship.cols[1] = 11, ship.deckState[1] = DeckIntact; // off the grid: no deck
    ship.rows[2] = 0, ship.cols[2] = 0, ship.deckState[2] = DeckIntact;  // no deck
    ship.rows[3] = 4, ship.cols[3] = 5, ship.deckState[3] = DeckIntact;  // beyond Size: ignored
    s.enemyField = emptyField();
    s.enemyField[33] = CellDeck;
    s.enemyField[34] = CellDeck;
    EXPECT_TRUE(m.hitEnemyShip(4, 4));
    EXPECT_EQ(s.enemyFleet[1].sunk, 1);
    EXPECT_FALSE(m.hitEnemyShip(4, 5));
    EXPECT_EQ(s.enemyField[34], CellDeck);
}

} // namespace
} // namespace vtx
