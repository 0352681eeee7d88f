#include "FakeMatchHost.h"
#include "game/Match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vtx {
namespace {

using test::FakeMatchHost;
using test::StepClock;

// A whole match against the Admiral with the player's fleet placed by hand
// (first deck and orientation of ships 1..10; 1 along a row). The player
// fires only at water, so every turn goes back to the computer. Returns the
// marks the computer's shots left on the own board, in order.
std::vector<std::string> admiralShots(const int (&layout)[FleetShips][3]) {
    StepClock clock;
    FakeMatchHost host(&clock);
    host.manual = true;
    host.difficulty = AdmiralLevelIndex;
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    m.activateTurnTimer();
    m.singleClicked();
    test::runEventLoop(m, host);
    for (const auto& ship : layout) {
        s.pickedRow = ship[0];
        s.pickedColumn = ship[1];
        s.pickedBoard = OwnBoard;
        s.placeHorizontal = ship[2] == 1;
        EXPECT_TRUE(m.placeShipAt());
    }
    test::runEventLoop(m, host);
    m.fightClicked();
    EXPECT_TRUE(s.admiralPlays);
    EXPECT_EQ(s.level, 4);
    for (int next = 0; s.gameInProgress && next < GridCells;) {
        if (s.playerTurn == 0) {
            clock.advance(s.turnTimerIntervalMs);
            m.turnTimerFired();
        } else if (const int cell = next++; s.enemyField[std::size_t(cell)] != CellDeck) {
            m.playerShootAt(cell / GridSize + 1, cell % GridSize + 1);
        }
    }
    EXPECT_TRUE(s.gameLost);
    std::vector<std::string> marks;
    for (const std::string& call : host.calls)
        if (call.rfind("MarkShot 2 ", 0) == 0) marks.push_back(call);
    return marks;
}

TEST(Admiral, SeesOnlyShotResultsSoFleetsThatAnswerAlikeDrawTheSameShots) {
    // The same fleet but for the last one-deck ship: g7 against k10.
    const int first[FleetShips][3] = {{1, 1, 1}, {1, 6, 1}, {3, 1, 1}, {3, 5, 1}, {3, 8, 1},
                                      {5, 1, 0}, {5, 3, 0}, {5, 5, 0}, {5, 7, 0}, {7, 7, 0}};
    int second[FleetShips][3];
    std::copy(&first[0][0], &first[0][0] + FleetShips * 3, &second[0][0]);
    second[9][0] = second[9][1] = 10;

    const auto a = admiralShots(first);
    const auto b = admiralShots(second);
    // Until a shot finds the fleets apart, the Admiral cannot tell them apart:
    // the same shots, the shot that parts them included.
    std::size_t same = 0;
    while (same < a.size() && same < b.size() && a[same] == b[same])
        ++same;
    ASSERT_LT(same, std::min(a.size(), b.size())) << "the fleets never answered differently";
    const auto cellOf = [](const std::string& mark) { return mark.substr(0, mark.rfind(' ')); };
    EXPECT_EQ(cellOf(a[same]), cellOf(b[same]));
    EXPECT_GT(same, 10u);
}

} // namespace
} // namespace vtx
