#include "FakeMatchHost.h"
#include "game/Match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

namespace vtx {
namespace {

using test::FakeMatchHost;
using test::StepClock;

class Computer : public test::MatchFixture {
protected:
    void SetUp() override { test::fillTargets(s); }
    // The own four-decker at row 5, columns 3..6, placed by the manual rule.
    void fourDeckerAtRow5() {
        s.arranging = true;
        s.ownField = emptyField();
        s.shipToPlace = 1;
        s.placeHorizontal = true;
        s.pickedRow = 5;
        s.pickedColumn = 3;
        ASSERT_TRUE(m.placeShipAt());
        s.arranging = false;
    }
    // One computer tick's choice and shot, as the turn timer makes it.
    std::pair<HitCell, bool> aimedShot() {
        s.hitCount = 0;
        s.hunting = m.collectHits();
        EXPECT_TRUE(s.hunting);
        const auto target = m.smartTarget();
        EXPECT_TRUE(target.has_value());
        const bool hit = m.smartShoot();
        return {target.value_or(HitCell{}), hit};
    }
};

TEST_F(Computer, HardHuntFindsTheFourDeckerInFourShots) {
    fourDeckerAtRow5();
    m.setupHard();
    EXPECT_TRUE(m.resolveComputerShot(5, 4, false)); // the first, random hit
    std::vector<std::pair<int, int>> shots;
    for (int i = 0; i < 3; ++i) {
        const auto [cell, hit] = aimedShot();
        EXPECT_TRUE(hit);
        shots.emplace_back(cell.row, cell.column);
    }
    EXPECT_EQ(shots, (std::vector<std::pair<int, int>>{{5, 3}, {5, 5}, {5, 6}}));
    EXPECT_EQ(s.ownFleet[0].sunk, 1);
    EXPECT_EQ(s.hitCount, 0);
    s.hitCount = 0;
    EXPECT_FALSE(m.collectHits()); // back to random shots
}

TEST_F(Computer, EasyHuntWastesShotsOnTheOpenZone) {
    fourDeckerAtRow5();
    m.setupEasy();
    EXPECT_TRUE(m.resolveComputerShot(5, 4, false));
    std::vector<std::tuple<int, int, bool>> shots;
    for (int i = 0; i < 5; ++i) {
        const auto [cell, hit] = aimedShot();
        shots.emplace_back(cell.row, cell.column, hit);
    }
    EXPECT_EQ(shots, (std::vector<std::tuple<int, int, bool>>{
                         {4, 4, false}, {5, 3, true}, {5, 2, false}, {5, 5, true}, {5, 6, true}}));
    EXPECT_EQ(s.ownFleet[0].sunk, 1);
    EXPECT_EQ(cellAt(s.ownField, 4, 4), CellZone);
}

TEST_F(Computer, CollectHitsScansRowByRowAndFindsTheDirection) {
    s.ownField = emptyField();
    setCell(s.ownField, 6, 2, CellHit);
    setCell(s.ownField, 4, 2, CellHit);
    setCell(s.ownField, 5, 2, CellHit);
    s.hitCount = 0;
    EXPECT_TRUE(m.collectHits());
    EXPECT_EQ(s.hitCount, 3);
    EXPECT_EQ(s.hitCells[0].row, 4);
    EXPECT_EQ(s.hitCells[2].row, 6);
    EXPECT_EQ(s.hitAlongRow, 0);
    // Up is tried first; once it is closed the other end.
    auto t = m.smartTarget();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->row, 3);
    EXPECT_EQ(t->column, 2);
    setCell(s.ownField, 3, 2, CellZone);
    t = m.smartTarget();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->row, 7);

    s.ownField = emptyField();
    setCell(s.ownField, 1, 9, CellHit);
    setCell(s.ownField, 1, 10, CellHit);
    s.hitCount = 0;
    m.collectHits();
    EXPECT_EQ(s.hitAlongRow, 1);
    t = m.smartTarget();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->column, 8);
    setCell(s.ownField, 1, 8, CellZone); // closed left, and the right is the edge
    EXPECT_FALSE(m.smartTarget());
}

TEST_F(Computer, CollectHitsNeverOverrunsItsFourEntries) {
    s.ownField.fill(CellHit);
    s.hitCount = 0;
    EXPECT_TRUE(m.collectHits());
    EXPECT_EQ(s.hitCount, 4);
}

TEST_F(Computer, ShootOnAnEmptyListMissesWithoutAShot) {
    s.targetCount = 0;
    EXPECT_FALSE(m.shoot());
    EXPECT_TRUE(host.calls.empty());
    s.targetCount = -7;
    EXPECT_FALSE(m.shoot());
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Computer, ShootTakesEachCellOnceUntilTheListIsEmpty) {
    s.ownField = emptyField();
    for (int i = 0; i < 100; ++i) {
        const int before = s.targetCount;
        EXPECT_FALSE(m.shoot());
        EXPECT_EQ(s.targetCount, before - 1);
    }
    EXPECT_EQ(s.targetCount, 0);
    EXPECT_EQ(std::count(s.ownField.begin(), s.ownField.end(), CellZone), 100);
    EXPECT_EQ(host.count("MarkShot 2"), 100u);
}

TEST_F(Computer, SmartShootWithoutATargetFallsBackToTheRandomShot) {
    s.ownField = emptyField();
    setCell(s.ownField, 1, 1, CellHit);
    setCell(s.ownField, 1, 2, CellZone);
    setCell(s.ownField, 2, 1, CellZone);
    s.hitCount = 0;
    m.collectHits();
    ASSERT_FALSE(m.smartTarget());
    EXPECT_FALSE(m.smartShoot());
    EXPECT_EQ(s.targetCount, 99);
    EXPECT_EQ(host.count("Status Missed!"), 1u);
}

TEST_F(Computer, NormalKeepsAboutTwoThirdsOfTheZoneAsKnownWater) {
    long zone = 0, kept = 0;
    for (int i = 0; i < 200; ++i) {
        SetUp();
        m.arrangeFleet();
        s.ownField = s.workField;
        zone += std::count(s.ownField.begin(), s.ownField.end(), CellZone);
        m.setupNormal();
        const auto stay = std::count(s.ownField.begin(), s.ownField.end(), CellZone);
        kept += stay;
        EXPECT_EQ(s.targetCount, 100 - stay);
        EXPECT_EQ(s.level, 2);
    }
    const double share = double(kept) / double(zone);
    EXPECT_GT(share, 0.55);
    EXPECT_LT(share, 0.78);
}

// With no level selected the zone stays '2' but stays in the list: a random
// shot that draws it is wasted, the aimed shot still avoids it.
TEST_F(Computer, NoLevelSelectedLeavesTheZoneDrawable) {
    fourDeckerAtRow5();
    m.runDifficultySetup(-1);
    EXPECT_EQ(s.targetCount, 100);
    host.clear();
    s.targetCount = 1;
    s.targetCells[0] = cellNumber(4, 4); // a zone cell
    EXPECT_FALSE(m.shoot());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(cellAt(s.ownField, 4, 4), CellZone);
    EXPECT_TRUE(m.resolveComputerShot(5, 4, false));
    const auto [cell, hit] = aimedShot();
    EXPECT_EQ(cell.row, 5);
    EXPECT_EQ(cell.column, 3);
    EXPECT_TRUE(hit);
}

} // namespace
} // namespace vtx
