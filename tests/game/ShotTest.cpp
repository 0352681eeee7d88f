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
void putShip(Field& field, TFleet& fleet, int n, int row, int column, bool horizontal) {
    TShipRecord& s = fleet[std::size_t(n - 1)];
    s = TShipRecord{};
    s.Size = ShipSizes[std::size_t(n - 1)];
    s.Horizontal = horizontal ? 1 : 0;
    for (int k = 0; k < s.Size; ++k) {
        s.Rows[k] = horizontal ? row : row + k;
        s.Cols[k] = horizontal ? column + k : column;
        s.DeckState[k] = DeckIntact;
        setCell(field, s.Rows[k], s.Cols[k], CellDeck);
    }
    for (int k = 0; k < s.Size; ++k)
        for (int r = s.Rows[k] - 1; r <= s.Rows[k] + 1; ++r)
            for (int c = s.Cols[k] - 1; c <= s.Cols[k] + 1; ++c)
                if (insideGrid(r, c) && cellAt(field, r, c) != CellDeck) setCell(field, r, c, CellZone);
}

class Shots : public test::MatchFixture {
protected:
    void SetUp() override { test::fillTargets(s); }
    void battle() {
        s.FightStarted = true;
        s.GameInProgress = true;
        s.PlayerTurn = 1;
    }
    bool inTargets(int row, int column) const {
        const int n = CellNumber(row, column);
        for (int i = 0; i < s.TargetCount; ++i)
            if (s.TargetCells[std::size_t(i)] == n) return true;
        return false;
    }
};

TEST_F(Shots, PlayerSinksATwoDeckerMarksAndSoundsInOrder) {
    putShip(s.EnemyField, s.EnemyFleet, 4, 3, 3, true); // c3, c4
    putShip(s.EnemyField, s.EnemyFleet, 7, 9, 9, true); // keeps the enemy afloat
    battle();

    ASSERT_TRUE(m.PlayerShootAt(3, 3));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 1 3 3 hit", "Sound Hit", "Sound Hit"}));
    EXPECT_EQ(cellAt(s.EnemyField, 3, 3), CellHit);
    EXPECT_EQ(s.EnemyFleet[3].DeckState[0], DeckDamaged);
    EXPECT_EQ(s.PlayerTurn, 1); // a hit keeps the turn

    host.clear();
    ASSERT_TRUE(m.PlayerShootAt(3, 4));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 1 3 4 hit", "Sound Hit", "Sound Sunk",
                                                    "StartShake", "ShowSunkShip 1 4"}));
    EXPECT_EQ(s.EnemyFleet[3].Sunk, 1);
    EXPECT_EQ(cellAt(s.EnemyField, 3, 3), CellSunk);
    EXPECT_EQ(cellAt(s.EnemyField, 3, 4), CellSunk);
    EXPECT_EQ(cellAt(s.EnemyField, 2, 3), CellZone); // the enemy grid keeps its zone
    EXPECT_EQ(s.PlayerShots, 2);

    // A click on a sunk deck is a miss that passes the turn; on a hit deck too,
    // but without re-marking it.
    host.clear();
    ASSERT_TRUE(m.PlayerShootAt(3, 4));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 1 3 4 hint", "Sound Miss", "Status Enemy Move",
                                                    "Timer1 on 2000"}));
    EXPECT_EQ(s.PlayerTurn, 0);
    EXPECT_EQ(s.PlayerShots, 3);
    EXPECT_FALSE(m.PlayerShootAt(9, 9)); // not the player's turn
    s.PlayerTurn = 1;
    s.EnemyField[0] = CellHit;
    host.clear();
    m.PlayerShootAt(1, 1);
    EXPECT_EQ(host.calls.front(), "Sound Miss");
}

TEST_F(Shots, ComputerSinksTheOwnTwoDeckerInTheTopRightCorner) {
    putShip(s.OwnField, s.OwnFleet, 4, 1, 9, true);
    putShip(s.OwnField, s.OwnFleet, 7, 9, 1, true);
    m.SetupEasy(); // the zone becomes drawable water
    EXPECT_TRUE(m.ResolveComputerShot(1, 9, false));
    s.HitCount = 0;
    ASSERT_TRUE(m.CollectHits());
    EXPECT_EQ(s.HitCount, 1);
    host.clear();
    EXPECT_TRUE(m.ResolveComputerShot(1, 10, true));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 1 10 hit", "Status Computer Hit!!!",
                                                    "Sound Sunk", "StartShake", "ShowSunkShip 2 4"}));
    for (auto [r, c] : {std::pair{1, 8}, {1, 9}, {1, 10}, {2, 8}, {2, 9}, {2, 10}}) {
        EXPECT_EQ(cellAt(s.OwnField, r, c), CellZone) << r << "," << c;
        EXPECT_FALSE(inTargets(r, c)) << r << "," << c;
    }
    EXPECT_EQ(s.HitCount, 0);
    EXPECT_EQ(s.TargetCount, 94);
    EXPECT_EQ(s.OwnFleet[3].Sunk, 1);
    // The sunk cells are never shot again.
    EXPECT_FALSE(m.ResolveComputerShot(1, 9, false));
}

TEST_F(Shots, ComputerShotTableByCellCode) {
    s.OwnField = emptyField();
    s.OwnField[0] = CellWater;
    s.OwnField[1] = CellZone;
    s.OwnField[2] = CellHit;
    s.OwnField[3] = CellSunk;
    EXPECT_FALSE(m.ResolveComputerShot(1, 1, false));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 1 1 hint", "Status Missed!"}));
    EXPECT_EQ(cellAt(s.OwnField, 1, 1), CellZone);
    host.clear();
    EXPECT_FALSE(m.ResolveComputerShot(1, 5, true));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 1 5 hint", "Status Computer Missed!!!"}));
    host.clear();
    for (int c = 2; c <= 4; ++c) {
        EXPECT_FALSE(m.ResolveComputerShot(1, c, false));
        EXPECT_FALSE(m.ResolveComputerShot(1, c, true));
    }
    EXPECT_FALSE(m.ResolveComputerShot(0, 1, true));
    EXPECT_FALSE(m.ResolveComputerShot(11, 11, false));
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Shots, PeerShotTableByCellCode) {
    putShip(s.OwnField, s.OwnFleet, 7, 5, 5, true);
    s.OwnField[0] = CellWater;
    s.OwnField[1] = CellZone;
    const auto shoot = [&](int r, int c) {
        s.NetMoveRow = r;
        s.NetMoveCol = c;
        return m.NetShoot();
    };
    EXPECT_FALSE(shoot(1, 1));
    EXPECT_FALSE(shoot(1, 2));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 1 1 hint", "MarkShot 2 1 2 hint"}));
    EXPECT_EQ(cellAt(s.OwnField, 1, 1), CellZone);
    host.clear();
    EXPECT_TRUE(shoot(5, 5));
    EXPECT_EQ(host.calls.front(), "MarkShot 2 5 5 hit");
    EXPECT_EQ(host.count("Status"), 0u);
    host.clear();
    s.OwnField[2] = CellHit;
    EXPECT_FALSE(shoot(1, 3));
    EXPECT_FALSE(shoot(0, 5));
    EXPECT_FALSE(shoot(5, 11));
    EXPECT_FALSE(shoot(std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Shots, SearchForWinPrefersThePlayersWin) {
    s.OwnField = emptyField();
    s.EnemyField = emptyField();
    EXPECT_EQ(m.SearchForWin(), 2); // both fleets gone
    s.EnemyField[50] = CellDeck;
    EXPECT_EQ(m.SearchForWin(), 1);
    s.OwnField[3] = CellDeck;
    EXPECT_EQ(m.SearchForWin(), 0);
    s.EnemyField[50] = CellHit;
    EXPECT_EQ(m.SearchForWin(), 2);
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
            TFleet fleet{};
            for (auto& ship : fleet) {
                ship.Size = size;
                for (int k = 0; k < 4; ++k) {
                    ship.Rows[k] = 3; // valid cells, but the size makes them no decks
                    ship.Cols[k] = 3 + k;
                    ship.DeckState[k] = DeckIntact;
                }
            }
            // Ship 1: a valid size with every deck outside the grid.
            fleet[0].Size = 4;
            for (int k = 0; k < 4; ++k) {
                fleet[0].Rows[k] = row;
                fleet[0].Cols[k] = col;
            }
            s.EnemyFleet = fleet;
            s.OwnFleet = fleet;
            s.EnemyField = emptyField();
            s.OwnField = emptyField();
            const Field before = s.EnemyField;
            for (int r = -1; r <= 12; ++r)
                for (int c = -1; c <= 12; ++c) {
                    EXPECT_FALSE(m.HitEnemyShip(r, c));
                    EXPECT_FALSE(m.HitOwnShip(r, c));
                }
            EXPECT_FALSE(m.HitEnemyShip(row, col));
            EXPECT_EQ(s.EnemyField, before);
            EXPECT_EQ(s.OwnField, before);
            EXPECT_EQ(s.EnemyFleet, fleet);
            EXPECT_EQ(s.OwnFleet, fleet);
        }
    }
    EXPECT_EQ(host.count("ShowSunkShip"), 0u);
    EXPECT_EQ(host.count("Sound"), 0u);
}

TEST_F(Shots, APartlyValidHostileShipSinksByItsValidDecksOnly) {
    TShipRecord& ship = s.EnemyFleet[1];
    ship.Size = 3;
    ship.Rows[0] = 4, ship.Cols[0] = 4, ship.DeckState[0] = DeckIntact;
    ship.Rows[1] = 4, ship.Cols[1] = 11, ship.DeckState[1] = DeckIntact; // off the grid: no deck
    ship.Rows[2] = 0, ship.Cols[2] = 0, ship.DeckState[2] = DeckIntact;  // no deck
    ship.Rows[3] = 4, ship.Cols[3] = 5, ship.DeckState[3] = DeckIntact;  // beyond Size: ignored
    s.EnemyField = emptyField();
    s.EnemyField[33] = CellDeck;
    s.EnemyField[34] = CellDeck;
    EXPECT_TRUE(m.HitEnemyShip(4, 4));
    EXPECT_EQ(s.EnemyFleet[1].Sunk, 1);
    EXPECT_FALSE(m.HitEnemyShip(4, 5));
    EXPECT_EQ(s.EnemyField[34], CellDeck);
}

} // namespace
} // namespace vtx
