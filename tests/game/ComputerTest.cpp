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
        s.Arranging = true;
        s.OwnField = emptyField();
        s.ShipToPlace = 1;
        s.PlaceHorizontal = true;
        s.PickedRow = 5;
        s.PickedColumn = 3;
        ASSERT_TRUE(m.PlaceShipAt());
        s.Arranging = false;
    }
    // One computer tick's choice and shot, as the turn timer makes it.
    std::pair<HitCell, bool> aimedShot() {
        s.HitCount = 0;
        s.Hunting = m.CollectHits();
        EXPECT_TRUE(s.Hunting);
        const auto target = m.smartTarget();
        EXPECT_TRUE(target.has_value());
        const bool hit = m.SmartShoot();
        return {target.value_or(HitCell{}), hit};
    }
};

TEST_F(Computer, HardHuntFindsTheFourDeckerInFourShots) {
    fourDeckerAtRow5();
    m.SetupHard();
    EXPECT_TRUE(m.ResolveComputerShot(5, 4, false)); // the first, random hit
    std::vector<std::pair<int, int>> shots;
    for (int i = 0; i < 3; ++i) {
        const auto [cell, hit] = aimedShot();
        EXPECT_TRUE(hit);
        shots.emplace_back(cell.row, cell.column);
    }
    EXPECT_EQ(shots, (std::vector<std::pair<int, int>>{{5, 3}, {5, 5}, {5, 6}}));
    EXPECT_EQ(s.OwnFleet[0].Sunk, 1);
    EXPECT_EQ(s.HitCount, 0);
    s.HitCount = 0;
    EXPECT_FALSE(m.CollectHits()); // back to random shots
}

TEST_F(Computer, EasyHuntWastesShotsOnTheOpenZone) {
    fourDeckerAtRow5();
    m.SetupEasy();
    EXPECT_TRUE(m.ResolveComputerShot(5, 4, false));
    std::vector<std::tuple<int, int, bool>> shots;
    for (int i = 0; i < 5; ++i) {
        const auto [cell, hit] = aimedShot();
        shots.emplace_back(cell.row, cell.column, hit);
    }
    EXPECT_EQ(shots, (std::vector<std::tuple<int, int, bool>>{
                         {4, 4, false}, {5, 3, true}, {5, 2, false}, {5, 5, true}, {5, 6, true}}));
    EXPECT_EQ(s.OwnFleet[0].Sunk, 1);
    EXPECT_EQ(cellAt(s.OwnField, 4, 4), CellZone);
}

TEST_F(Computer, CollectHitsScansRowByRowAndFindsTheDirection) {
    s.OwnField = emptyField();
    setCell(s.OwnField, 6, 2, CellHit);
    setCell(s.OwnField, 4, 2, CellHit);
    setCell(s.OwnField, 5, 2, CellHit);
    s.HitCount = 0;
    EXPECT_TRUE(m.CollectHits());
    EXPECT_EQ(s.HitCount, 3);
    EXPECT_EQ(s.HitCells[0].row, 4);
    EXPECT_EQ(s.HitCells[2].row, 6);
    EXPECT_EQ(s.HitAlongRow, 0);
    // Up is tried first; once it is closed the other end.
    auto t = m.smartTarget();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->row, 3);
    EXPECT_EQ(t->column, 2);
    setCell(s.OwnField, 3, 2, CellZone);
    t = m.smartTarget();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->row, 7);

    s.OwnField = emptyField();
    setCell(s.OwnField, 1, 9, CellHit);
    setCell(s.OwnField, 1, 10, CellHit);
    s.HitCount = 0;
    m.CollectHits();
    EXPECT_EQ(s.HitAlongRow, 1);
    t = m.smartTarget();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->column, 8);
    setCell(s.OwnField, 1, 8, CellZone); // closed left, and the right is the edge
    EXPECT_FALSE(m.smartTarget());
}

TEST_F(Computer, CollectHitsNeverOverrunsItsFourEntries) {
    s.OwnField.fill(CellHit);
    s.HitCount = 0;
    EXPECT_TRUE(m.CollectHits());
    EXPECT_EQ(s.HitCount, 4);
}

TEST_F(Computer, ShootOnAnEmptyListMissesWithoutAShot) {
    s.TargetCount = 0;
    EXPECT_FALSE(m.Shoot());
    EXPECT_TRUE(host.calls.empty());
    s.TargetCount = -7;
    EXPECT_FALSE(m.Shoot());
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Computer, ShootTakesEachCellOnceUntilTheListIsEmpty) {
    s.OwnField = emptyField();
    for (int i = 0; i < 100; ++i) {
        const int before = s.TargetCount;
        EXPECT_FALSE(m.Shoot());
        EXPECT_EQ(s.TargetCount, before - 1);
    }
    EXPECT_EQ(s.TargetCount, 0);
    EXPECT_EQ(std::count(s.OwnField.begin(), s.OwnField.end(), CellZone), 100);
    EXPECT_EQ(host.count("MarkShot 2"), 100u);
}

TEST_F(Computer, SmartShootWithoutATargetFallsBackToTheRandomShot) {
    s.OwnField = emptyField();
    setCell(s.OwnField, 1, 1, CellHit);
    setCell(s.OwnField, 1, 2, CellZone);
    setCell(s.OwnField, 2, 1, CellZone);
    s.HitCount = 0;
    m.CollectHits();
    ASSERT_FALSE(m.smartTarget());
    EXPECT_FALSE(m.SmartShoot());
    EXPECT_EQ(s.TargetCount, 99);
    EXPECT_EQ(host.count("Status Missed!"), 1u);
}

TEST_F(Computer, NormalKeepsAboutTwoThirdsOfTheZoneAsKnownWater) {
    long zone = 0, kept = 0;
    for (int i = 0; i < 200; ++i) {
        SetUp();
        m.ArrangeFleet();
        s.OwnField = s.WorkField;
        zone += std::count(s.OwnField.begin(), s.OwnField.end(), CellZone);
        m.SetupNormal();
        const auto stay = std::count(s.OwnField.begin(), s.OwnField.end(), CellZone);
        kept += stay;
        EXPECT_EQ(s.TargetCount, 100 - stay);
        EXPECT_EQ(s.Level, 2);
    }
    const double share = double(kept) / double(zone);
    EXPECT_GT(share, 0.55);
    EXPECT_LT(share, 0.78);
}

// With no level selected the zone stays '2' but stays in the list: a random
// shot that draws it is wasted, the aimed shot still avoids it.
TEST_F(Computer, NoLevelSelectedLeavesTheZoneDrawable) {
    fourDeckerAtRow5();
    m.RunDifficultySetup(-1);
    EXPECT_EQ(s.TargetCount, 100);
    host.clear();
    s.TargetCount = 1;
    s.TargetCells[0] = CellNumber(4, 4); // a zone cell
    EXPECT_FALSE(m.Shoot());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(cellAt(s.OwnField, 4, 4), CellZone);
    EXPECT_TRUE(m.ResolveComputerShot(5, 4, false));
    const auto [cell, hit] = aimedShot();
    EXPECT_EQ(cell.row, 5);
    EXPECT_EQ(cell.column, 3);
    EXPECT_TRUE(hit);
}

} // namespace
} // namespace vtx
