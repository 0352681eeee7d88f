#include "FakeMatchHost.h"
#include "game/CellCursor.h"
#include "game/CellName.h"
#include "game/FleetBlock.h"
#include "game/Match.h"
#include "game/NetMessage.h"
#include "game/NetReceiver.h"
#include "game/Scheduler.h"
#include "tests/support/MatchSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace vtx {
namespace {

using test::FakeMatchHost;
using test::StepClock;

class Flow : public test::MatchFixture {
protected:
    void SetUp() override {
        m.ActivateTurnTimer();
        host.clear();
    }

    void tick() {
        clock.advance(s.Timer1Interval);
        m.Timer1Timer();
    }
    // Lets the turn timer play the computer until the turn is the player's
    // or the match is over.
    void computerTurns() {
        for (int guard = 0; guard < 1000 && s.Timer1Enabled && s.FightStarted && s.PlayerTurn == 0; ++guard)
            tick();
    }
    void clickEnemy(int row, int column, MouseButton b = MouseButton::Left) {
        m.CellMouseDown(cellName(EnemyBoard, row, column), b);
    }
    // Single, and the event loop until the match is ready.
    void single() {
        m.elbtSingleGameClick();
        test::runEventLoop(m, host);
    }
    void startBattle() {
        single();
        m.elbtFightClick();
    }
    bool on(MenuButton b) const { return s.button(b).enabled; }
    // Places the ten own ships by hand (the fleet of the main window's test);
    // the last placement completes the arrangement.
    void placeTenShips() {
        const int layout[10][3] = {{1, 1, 1}, {1, 6, 1}, {3, 1, 1}, {3, 5, 1}, {3, 8, 1},
                                   {5, 1, 0}, {5, 3, 0}, {5, 5, 0}, {5, 7, 0}, {7, 7, 0}};
        for (const auto& ship : layout) {
            s.PickedRow = ship[0];
            s.PickedColumn = ship[1];
            s.PickedBoard = OwnBoard;
            s.PlaceHorizontal = ship[2] == 1;
            ASSERT_TRUE(m.PlaceShipAt());
        }
        test::runEventLoop(m, host);
    }
    // Exit (and then Single when again) at the named moment, once.
    void clickInside(const std::string& moment, bool againSingle) {
        host.whileWaiting = [=, this](const std::string& after) {
            if (after != moment) return false;
            m.elbtExitClick();
            if (againSingle) m.elbtSingleGameClick();
            return true;
        };
    }
    // The menu state: what Exit leaves behind.
    void expectMenuButtons() const {
        EXPECT_TRUE(on(MenuButton::Single));
        EXPECT_TRUE(on(MenuButton::Network));
        EXPECT_FALSE(on(MenuButton::Fight));
        EXPECT_TRUE(on(MenuButton::Options));
        EXPECT_TRUE(on(MenuButton::Scores));
    }
};

// Continuations run in due order, those made while running wait for the
// next call (one call always ends), and a dropped one never runs.
TEST(Waits, RunInDueOrderOnceEachAndNeverAfterTheyAreDropped) {
    Scheduler waits;
    std::string ran;
    waits.at(20, [&] { ran += "b"; });
    waits.at(10, [&] {
        ran += "a";
        waits.at(0, [&] { ran += "c"; });
    });
    waits.at(20, [&] { ran += "B"; });
    waits.runDue(5);
    EXPECT_EQ(ran, "");
    EXPECT_EQ(waits.nextDueMs(), 10);
    waits.runDue(20);
    EXPECT_EQ(ran, "abB");
    waits.runDue(20);
    EXPECT_EQ(ran, "abBc");
    waits.at(30, [&] { ran += "x"; });
    waits.cancelAll();
    waits.runDue(40);
    EXPECT_EQ(ran, "abBc");
    EXPECT_FALSE(waits.nextDueMs());
}

TEST_F(Flow, WindowStartsInTheMenuWithFightDisabled) {
    expectMenuButtons();
    EXPECT_FALSE(s.GameInProgress);
    EXPECT_FALSE(s.Timer1Enabled);
    EXPECT_EQ(s.Timer1Interval, 1000);
}

TEST(FlowStart, RefreshHostPushesTheMenuAndTheIdleTimer) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    m.refreshHost();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Button Single on white", "Button Network on white",
                                                    "Button Fight off grey", "Button Options on white",
                                                    "Button Scores on white", "Timer1 off 2000"}));
}

TEST_F(Flow, SingleStartsAReadyMatchInOrder) {
    host.music = true;
    host.vortalixDifficulty = 2;
    s.PlayerShots = 9;
    s.LastPoints = 77;
    single();
    const std::vector<std::string> expected = {
        "StartNextSong",      "ResetBoards",           "HideHudMessage",          "Button Single off grey",
        "WakeAfter 100",      "PositionOwnShipModels", "AnimateShipModels",       "PositionEnemyShipModels",
        "HideShipModels own", "SetDifficulty 2",       "Button Network off grey", "Button Fight on white",
        "EnableScrollTimer",  "ShowLogo off"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_TRUE(s.GameInProgress);
    EXPECT_FALSE(s.FightStarted);
    EXPECT_EQ(s.PlayerTurn, 0);
    EXPECT_EQ(s.Level, 1); // the set-up of this match ran with the old index 0
    EXPECT_EQ(s.PlayerShots, 0);
    EXPECT_EQ(s.LastPoints, 0);
    EXPECT_EQ(s.HudPulse, 100);
    EXPECT_FALSE(s.IdleSpin);
    EXPECT_EQ(test::arrangementProblem(s.EnemyField, s.EnemyFleet), "");
    EXPECT_TRUE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Single));

    // Without "vortalix.ini" the player's choice stays, and the next match is played at it.
    host.vortalixDifficulty.reset();
    m.elbtExitClick();
    host.clear();
    single();
    EXPECT_EQ(host.count("SetDifficulty"), 0u);
    EXPECT_EQ(host.difficulty, 2);
    EXPECT_EQ(s.Level, 3);
}

TEST_F(Flow, TheComputerShootsFirstOneIntervalAfterFight) {
    single();
    host.clear();
    m.elbtFightClick();
    EXPECT_TRUE(s.FightStarted);
    EXPECT_TRUE(s.Timer1Enabled);
    EXPECT_EQ(s.Timer1Interval, 1000);
    EXPECT_FALSE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Single));
    EXPECT_FALSE(on(MenuButton::Network));
    EXPECT_EQ(host.count("MarkShot"), 0u);
    clickEnemy(1, 1); // not the player's turn yet
    EXPECT_EQ(s.PlayerShots, 0);
    m.elbtFightClick(); // a second Fight does nothing
    tick();
    EXPECT_EQ(host.count("MarkShot 2"), 1u);
}

TEST_F(Flow, AComputerHitKeepsTheTurnAndCounts) {
    startBattle();
    // Make the next random draw a deck.
    const TShipRecord& big = s.OwnFleet[0];
    s.TargetCount = 1;
    s.TargetCells[0] = CellNumber(big.Rows[0], big.Cols[0]);
    host.clear();
    tick();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 " + std::to_string(big.Rows[0]) + " " +
                                                        std::to_string(big.Cols[0]) + " hit",
                                                    "Sound Hit", "Sound Hit", "Status Enemy Move"}));
    EXPECT_EQ(s.EnemyHits, 1);
    EXPECT_EQ(s.PlayerTurn, 0);
    EXPECT_TRUE(s.Timer1Enabled);
    // Next tick hunts next to the hit.
    host.clear();
    tick();
    EXPECT_TRUE(s.Hunting);
    EXPECT_EQ(host.count("Status Computer"), 1u);
}

TEST_F(Flow, AComputerMissHandsTheTurnToThePlayer) {
    startBattle();
    s.TargetCount = 1;
    s.TargetCells[0] = 0;
    for (int n = 1; n <= 100 && s.TargetCells[0] == 0; ++n)
        if (s.OwnField[std::size_t(n - 1)] == CellWater) s.TargetCells[0] = n;
    host.clear();
    tick();
    EXPECT_EQ(host.calls.back(), "Timer1 off 1000");
    EXPECT_EQ(host.status, "Player Move");
    EXPECT_EQ(s.PlayerTurn, 1);
    EXPECT_EQ(host.count("Sound Miss"), 1u);
    host.clear();
    tick(); // a stray tick in the player's turn does nothing
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Flow, WholeMatchWonAtHard) {
    host.difficulty = 2;
    startBattle();
    EXPECT_EQ(s.Level, 3);
    int clicks = 0;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) {
            computerTurns();
            if (!s.GameInProgress) break;
            ASSERT_EQ(s.PlayerTurn, 1);
            if (cellAt(s.EnemyField, r, c) != CellDeck) continue;
            clickEnemy(r, c, MouseButton::Right); // other buttons never shoot
            clickEnemy(r, c);
            ++clicks;
        }
    EXPECT_EQ(clicks, 20);
    EXPECT_TRUE(s.GameWon);
    EXPECT_TRUE(s.GameLost); // Exit marks every ended match as over
    EXPECT_FALSE(s.GameInProgress);
    EXPECT_FALSE(s.FightStarted);
    EXPECT_TRUE(s.ScorePending);
    EXPECT_EQ(s.PlayerShots, 20);
    EXPECT_EQ(s.LastPoints, 3 * (120 + 5 * (20 - s.EnemyHits)));
    EXPECT_FALSE(s.Timer1Enabled);
    expectMenuButtons();
    EXPECT_EQ(host.status, "");
    // Win message, then Exit with its sound, then the score window.
    const auto win = host.indexOf("ShowWinMessage");
    const auto won = host.indexOf("Sound Won");
    const auto stop = host.indexOf("StopMusic");
    const auto scores = host.indexOf("ScoreWindow");
    EXPECT_LT(win, stop);
    EXPECT_LT(stop, won);
    EXPECT_LT(won, scores);
    EXPECT_LT(scores, host.calls.size());
    EXPECT_EQ(host.count("Sound Lost"), 0u);
    EXPECT_EQ(host.count("SendLeave"), 0u);
    EXPECT_EQ(host.count("ShowLogo on"), 0u);
    // After the match the board takes no more shots.
    const auto shots = s.PlayerShots;
    clickEnemy(1, 1);
    EXPECT_EQ(s.PlayerShots, shots);
}

TEST_F(Flow, WholeMatchLostAtEasy) {
    host.difficulty = 0;
    startBattle();
    int guard = 0;
    while (s.GameInProgress && guard++ < 500) {
        computerTurns();
        if (!s.GameInProgress) break;
        // The player always shoots at water.
        for (int n = 1; n <= 100; ++n)
            if (s.EnemyField[std::size_t(n - 1)] != CellDeck) {
                clickEnemy(cellNumberRow(n), cellNumberColumn(n));
                break;
            }
        ASSERT_EQ(s.PlayerTurn, 0);
    }
    EXPECT_FALSE(s.GameInProgress);
    EXPECT_FALSE(s.GameWon);
    EXPECT_TRUE(s.GameLost);
    EXPECT_EQ(s.EnemyHits, 20);
    EXPECT_EQ(std::count(s.OwnField.begin(), s.OwnField.end(), CellDeck), 0);
    EXPECT_EQ(s.LastPoints, 0);
    EXPECT_FALSE(s.ScorePending);
    for (const auto& ship : s.OwnFleet)
        EXPECT_EQ(ship.Sunk, 1);
    const auto survivors = host.indexOf("ShowEnemySurvivors");
    const auto loss = host.indexOf("ShowLossMessage");
    const auto lost = host.indexOf("Sound Lost");
    EXPECT_LT(survivors, loss);
    EXPECT_LT(loss, lost);
    EXPECT_LT(lost, host.calls.size());
    EXPECT_EQ(host.count("ScoreWindow"), 0u);
    expectMenuButtons();
}

TEST_F(Flow, ALossIsFoundOnlyOnATickAndAWinOnlyOnAClick) {
    startBattle();
    computerTurns();
    ASSERT_EQ(s.PlayerTurn, 1);
    // Every own deck gone, but the player is still clicking: no loss yet.
    for (char& c : s.OwnField)
        if (c == CellDeck) c = CellHit;
    for (int n = 1; n <= 100; ++n)
        if (s.EnemyField[std::size_t(n - 1)] != CellDeck) {
            clickEnemy(cellNumberRow(n), cellNumberColumn(n));
            break;
        }
    EXPECT_TRUE(s.GameInProgress);
    EXPECT_EQ(host.count("ShowLossMessage"), 0u);
    tick();
    EXPECT_FALSE(s.GameInProgress);
    EXPECT_EQ(host.count("ShowLossMessage"), 1u);

    // A cleared enemy grid found on a tick is no win.
    host.clear();
    startBattle();
    for (char& c : s.EnemyField)
        if (c == CellDeck) c = CellSunk;
    tick();
    EXPECT_TRUE(s.GameInProgress);
    EXPECT_FALSE(s.GameWon);
}

TEST_F(Flow, ExitFromTheMenuQuitsWithoutSoundOrLanMessage) {
    s.NetMode = true; // even with the lobby's flag left on
    s.GameLost = true;
    m.elbtExitClick();
    EXPECT_EQ(host.quits, 1);
    EXPECT_EQ(host.count("Sound"), 0u);
    EXPECT_EQ(host.count("SendLeave"), 0u);
    EXPECT_EQ(host.count("ShowLogo on"), 0u); // the last result stays on screen
    EXPECT_FALSE(s.IdleSpin);                 // the spin waits for the idle time again
    EXPECT_EQ(host.count("RestartIdleWait"), 1u);
    EXPECT_FALSE(s.NetMode);
}

TEST_F(Flow, ExitDuringTheManualArrangementClearsIt) {
    host.manual = true;
    single();
    EXPECT_TRUE(s.Arranging);
    EXPECT_TRUE(s.HoverPicking);
    EXPECT_TRUE(s.Timer1Enabled);
    EXPECT_EQ(s.Timer1Interval, 5);
    EXPECT_FALSE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Scores));
    EXPECT_FALSE(on(MenuButton::Options));
    EXPECT_TRUE(s.button(MenuButton::Scores).whiteFont);
    m.CellHover("c3");
    EXPECT_EQ(s.PickedRow, 3);
    m.CellMouseDown("c3", MouseButton::Left);
    EXPECT_EQ(s.ShipToPlace, 2);
    m.elbtFightClick(); // the Fight button is off while arranging
    EXPECT_FALSE(s.FightStarted);

    host.clear();
    m.elbtExitClick();
    EXPECT_FALSE(s.Arranging);
    EXPECT_FALSE(s.HoverPicking);
    EXPECT_EQ(s.ShipToPlace, 1);
    EXPECT_FALSE(s.Timer1Enabled);
    EXPECT_EQ(s.Timer1Interval, 1000);
    EXPECT_EQ(host.count("Sound"), 0u);
    EXPECT_EQ(host.quits, 0);
    EXPECT_TRUE(s.GameLost);
    EXPECT_FALSE(s.GameInProgress);
    expectMenuButtons();
    EXPECT_EQ(host.status, "");
    // The menu takes no placements and Fight stays off.
    m.CellHover("e5");
    m.CellMouseDown("e5", MouseButton::Left);
    EXPECT_FALSE(m.PlaceShipAt());
    EXPECT_EQ(s.ShipToPlace, 1);
    EXPECT_FALSE(on(MenuButton::Fight));
}

TEST_F(Flow, ExitInReadyPlayerAndOpponentMovesEndsWithoutSoundOrPoints) {
    for (int state = 0; state < 3; ++state) {
        host.clear();
        single();
        if (state >= 1) {
            m.elbtFightClick();
            computerTurns(); // player move
        }
        if (state == 2) {
            for (int n = 1; n <= 100; ++n)
                if (s.EnemyField[std::size_t(n - 1)] != CellDeck) {
                    clickEnemy(cellNumberRow(n), cellNumberColumn(n));
                    break;
                }
            ASSERT_EQ(s.PlayerTurn, 0); // opponent move
        }
        const auto hits = s.EnemyHits;
        m.elbtExitClick();
        EXPECT_EQ(host.count("Sound Won") + host.count("Sound Lost"), 0u) << state;
        EXPECT_EQ(host.count("ShowLogo on"), 1u) << state;
        EXPECT_EQ(host.count("ResetBoards"), 2u) << state; // at Single and at Exit
        EXPECT_FALSE(s.IdleSpin);
        EXPECT_EQ(host.count("StopMusic"), 1u);
        EXPECT_EQ(s.LastPoints, 0);
        EXPECT_FALSE(s.ScorePending);
        EXPECT_TRUE(s.GameLost);
        EXPECT_FALSE(s.GameWon);
        EXPECT_FALSE(s.FightStarted);
        EXPECT_EQ(host.status, "");
        expectMenuButtons();
        // Ticks after Exit do nothing; the board takes no shots.
        host.clear();
        tick();
        clickEnemy(5, 5);
        EXPECT_EQ(host.count("MarkShot"), 0u);
        EXPECT_EQ(s.EnemyHits, hits);
    }
    // The next Single starts a fresh match.
    single();
    EXPECT_FALSE(s.GameLost);
    EXPECT_TRUE(s.GameInProgress);
    EXPECT_EQ(s.PlayerShots, 0);
}

// A click during Single's wait runs before the wait ends: an Exit there ends
// the match being started, never the program.
TEST_F(Flow, ExitInsideSinglesWaitOrAnimationEndsOnlyTheMatch) {
    for (const char* pump : {"Delay"}) {
        host.clear();
        clickInside(pump, false);
        single();
        EXPECT_EQ(host.quits, 0) << pump;
        EXPECT_FALSE(s.GameInProgress) << pump;
        EXPECT_FALSE(s.FightStarted) << pump;
        expectMenuButtons();
        EXPECT_EQ(host.count("StopMusic"), 1u) << pump;
        EXPECT_EQ(host.count("ShowLogo off"), 0u) << pump; // the menu keeps its logo
        m.elbtFightClick();
        EXPECT_FALSE(s.FightStarted) << pump;
    }
    // Exit then Single inside the wait: the second Single's match is the one that runs.
    clickInside("Delay", true);
    single();
    EXPECT_TRUE(s.GameInProgress);
    EXPECT_TRUE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Single));
    m.elbtExitClick();
    EXPECT_EQ(host.quits, 0);
    m.elbtExitClick(); // from the menu: now it quits
    EXPECT_EQ(host.quits, 1);
}

// Clicks while "Ships Arrangement Complete!" is open or right after the
// ships set sail: whatever the player did there, the menu or the new match
// they led to stays as it should be.
TEST_F(Flow, ExitAfterTheArrangementCompletesLeavesNoFightInTheMenu) {
    host.manual = true;
    for (const char* pump : {"FormMess", "AnimateShipModels"}) {
        single();
        clickInside(pump, false);
        placeTenShips();
        EXPECT_FALSE(s.GameInProgress) << pump;
        EXPECT_FALSE(s.Arranging) << pump;
        EXPECT_FALSE(s.HoverPicking) << pump;
        EXPECT_FALSE(s.Timer1Enabled) << pump;
        expectMenuButtons();
    }
    // Exit and Single in that moment: the new arrangement follows the mouse.
    single();
    clickInside("FormMess", true);
    placeTenShips();
    EXPECT_TRUE(s.GameInProgress);
    EXPECT_TRUE(s.Arranging);
    EXPECT_TRUE(s.HoverPicking);
    EXPECT_EQ(s.ShipToPlace, 1);
    EXPECT_TRUE(s.Timer1Enabled);
    EXPECT_EQ(s.Timer1Interval, 5);
    EXPECT_FALSE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Options));
    host.clear();
    m.CellHover("e5");
    EXPECT_EQ(host.count("ShowPlacementPreview"), 1u);
}

TEST_F(Flow, ExitDuringTheComputersTurnStopsTheTurnTimer) {
    startBattle();
    ASSERT_TRUE(s.Timer1Enabled);
    m.elbtExitClick();
    EXPECT_FALSE(s.Timer1Enabled);
    EXPECT_FALSE(host.timer1Enabled);
    single();
    host.clear();
    m.elbtFightClick();
    // Fight starts the timer afresh, so the first shot comes one interval later.
    EXPECT_EQ(host.only("Timer1"), (std::vector<std::string>{"Timer1 on 1000"}));
}

TEST_F(Flow, ScoreOfAnEarlierWinStaysPendingThroughExit) {
    s.ScorePending = true;
    s.LastPoints = 660; // a LAN win waiting for the high-score window
    single();
    EXPECT_EQ(s.LastPoints, 660);
    m.elbtExitClick();
    EXPECT_TRUE(s.ScorePending);
    EXPECT_EQ(s.LastPoints, 660);
}

// Two sides of a LAN match, each a Match with its own fake, wired back to back
// through the datagram decoder: what one host is asked to send arrives at the
// other side as the exact bytes of the wire.
struct Wire final : INetReceiverHost {
    Match& from;
    FakeMatchHost& fromHost;
    std::size_t seen = 0;
    NetReceiver* to = nullptr;
    std::string fromIP;
    Wire(Match& m, FakeMatchHost& h, std::string ip) : from(m), fromHost(h), fromIP(std::move(ip)) {}
    void JoinRequested() override {}
    bool ServerListed(std::string_view) override { return true; }
    void AddServer(std::string_view, std::string_view) override {}
    void OpponentLeft() override {}
    void OpponentGone() override {}
    void SendDatagram(std::string_view, std::span<const unsigned char>) override {}
    void send(std::string_view text) {
        to->NMUDP1DataReceived({reinterpret_cast<const unsigned char*>(text.data()), text.size()}, fromIP);
    }
    // Delivers everything the sending side was asked to send since last time.
    void flush() {
        for (; seen < fromHost.calls.size(); ++seen) {
            const std::string& c = fromHost.calls[seen];
            int r = 0, col = 0;
            if (c == "SendFleet") {
                send(net::InfoMarker);
                to->NMUDP1DataReceived(encodeFleet(from.state().OwnFleet), fromIP);
                send(net::FieldMarker);
                to->NMUDP1DataReceived(encodeField(from.state().OwnField), fromIP);
            } else if (std::sscanf(c.c_str(), "SendShot %d %d", &r, &col) == 2) {
                send(net::moveMessage(r, col));
            } else if (c == "SendLeave") {
                send(net::ExitMarker);
            }
        }
    }
};

TEST(LanFlow, TwoSidesPlayAWholeMatchThroughTheWireAndAgree) {
    StepClock clockA(1000), clockB(777777);
    FakeMatchHost hostA(&clockA), hostB(&clockB);
    Match a(hostA, clockA), b(hostB, clockB);
    Wire aToB(a, hostA, "10.0.0.1"), bToA(b, hostB, "10.0.0.2");
    NetChannel channelA(a, bToA, clockA, 1), channelB(b, aToB, clockB, 2);
    NetReceiver rxA(a, bToA, channelA), rxB(b, aToB, channelB);
    aToB.to = &rxB;
    bToA.to = &rxA;
    rxA.setLocalAddresses({"10.0.0.1"});
    rxB.setLocalAddresses({"10.0.0.2"});
    for (Match* side : {&a, &b}) {
        side->ActivateTurnTimer();
        test::setUp(*side).NetMode = true;
        test::setUp(*side).NetConnected = true;
    }
    test::setUp(a).OpponentIP = "10.0.0.2";
    test::setUp(b).OpponentIP = "10.0.0.1";
    test::setUp(a).NetRole = 1;
    test::setUp(b).NetRole = 2;
    a.elbtSingleGameClick();
    b.elbtSingleGameClick();
    test::runEventLoop(a, hostA);
    test::runEventLoop(b, hostB);
    EXPECT_EQ(hostA.count("SendFleet"), 1u);
    EXPECT_FALSE(a.state().button(MenuButton::Fight).enabled);
    EXPECT_EQ(a.state().EnemyField, emptyField()); // no computer fleet in a LAN match
    a.CompleteFleetExchange();                     // not yet received: nothing
    EXPECT_FALSE(a.state().FightStarted);
    aToB.flush();
    bToA.flush();
    EXPECT_EQ(b.state().EnemyFleet, a.state().OwnFleet);
    a.CompleteFleetExchange();
    b.CompleteFleetExchange();
    EXPECT_EQ(a.state().PlayerTurn, 1);
    EXPECT_EQ(b.state().PlayerTurn, 0);
    EXPECT_EQ(a.state().Timer1Interval, 5);
    EXPECT_EQ(hostA.status, "Ready to Play!");

    // Both sides shoot at every cell in order; shot messages are delivered
    // and applied on the receiver's next tick.
    int nextA = 1, nextB = 1;
    const auto decks = [](const Field& f) { return std::count(f.begin(), f.end(), CellDeck); };
    for (int guard = 0; guard < 400 && a.state().GameInProgress && b.state().GameInProgress; ++guard) {
        if (a.state().PlayerTurn == 1) {
            a.PlayerShootAt(cellNumberRow(nextA), cellNumberColumn(nextA));
            ++nextA;
            aToB.flush();
            b.Timer1Timer();
        } else if (b.state().PlayerTurn == 1) {
            b.PlayerShootAt(cellNumberRow(nextB), cellNumberColumn(nextB));
            ++nextB;
            bToA.flush();
            a.Timer1Timer();
        } else {
            FAIL() << "nobody's turn";
        }
        if (!a.state().GameInProgress || !b.state().GameInProgress) break;
        // Both sides agree on whose turn it is and on the decks still afloat.
        ASSERT_NE(a.state().PlayerTurn, b.state().PlayerTurn);
        for (std::size_t i = 0; i < 100; ++i) {
            ASSERT_EQ(a.state().EnemyField[i] == CellDeck, b.state().OwnField[i] == CellDeck) << i;
            ASSERT_EQ(b.state().EnemyField[i] == CellDeck, a.state().OwnField[i] == CellDeck) << i;
        }
    }
    Match& winner = a.state().GameWon ? a : b;
    Match& loser = a.state().GameWon ? b : a;
    FakeMatchHost& winnerHost = a.state().GameWon ? hostA : hostB;
    FakeMatchHost& loserHost = a.state().GameWon ? hostB : hostA;
    ASSERT_TRUE(winner.state().GameWon);
    EXPECT_FALSE(loser.state().GameWon);
    EXPECT_FALSE(loser.state().GameInProgress);
    EXPECT_EQ(decks(loser.state().OwnField), 0);
    EXPECT_EQ(loser.state().EnemyHits, 20);
    EXPECT_EQ(winner.state().EnemyHits, 20 - decks(winner.state().OwnField));
    EXPECT_EQ(loserHost.count("ShowLossMessage"), 1u);
    EXPECT_TRUE(winner.state().ScorePending);
    EXPECT_EQ(winnerHost.count("ScoreWindow"), 0u); // a LAN win waits for the window's next opening
    EXPECT_LT(winnerHost.indexOf("StopMusic"), winnerHost.indexOf("ShowWinMessage"));
    EXPECT_EQ(hostA.count("SendLeave") + hostB.count("SendLeave"), 0u);
    EXPECT_FALSE(a.state().NetMode);
    EXPECT_FALSE(b.state().NetConnected);
}

TEST(LanFlow, NothingReceivedCountsOnceTheSideHasLeft) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    test::setUp(m).PlayerTurn = 1;
    const std::vector<unsigned char> block(600, 7);
    m.ReceiveMove(3, 7);
    m.ReceiveFleetBlock(block);
    m.ReceiveFieldBlock(block);
    EXPECT_FALSE(m.state().NetMovePending);
    EXPECT_EQ(m.state().PlayerTurn, 1);
    EXPECT_FALSE(m.state().FleetReceived);
    EXPECT_EQ(m.state().EnemyFleet, TFleet{});
    EXPECT_TRUE(host.calls.empty());

    test::setUp(m).NetMode = true;
    m.ReceiveMove(3, 7);
    EXPECT_TRUE(m.state().NetMovePending);
    EXPECT_EQ(m.state().NetMoveRow, 3);
    EXPECT_EQ(m.state().PlayerTurn, 0);
    EXPECT_TRUE(m.state().Timer1Enabled);
}

TEST(LanFlow, ExitDuringALanBattleSendsTheLeaveMessageOnce) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    test::setUp(m).NetMode = true;
    test::setUp(m).NetConnected = true;
    m.ActivateTurnTimer();
    m.elbtSingleGameClick();
    test::runEventLoop(m, host);
    test::setUp(m).FleetSent = test::setUp(m).FleetReceived = true;
    m.CompleteFleetExchange(); // the battle polls at 5 ms
    m.elbtExitClick();
    m.elbtExitClick(); // now in the menu: quits, sends nothing
    EXPECT_EQ(host.count("SendLeave"), 1u);
    EXPECT_EQ(host.quits, 1);
    m.elbtSingleGameClick(); // against the computer: its own pace again
    test::runEventLoop(m, host);
    EXPECT_EQ(m.state().Timer1Interval, 1000);
}

// The cell cursor acts only through the handlers a mouse player reaches: a
// whole match arranged by hand and won with its keys alone.
TEST_F(Flow, TheCellCursorArrangesAndWinsAMatchWithKeysAlone) {
    using Step = CellCursor::Step;
    CellCursor cursor(m);
    const auto go = [&](int row, int column) {
        cursor.move(Step::FirstRow);
        cursor.move(Step::FirstColumn);
        for (int r = 1; r < row; ++r)
            cursor.move(Step::Down);
        for (int c = 1; c < column; ++c)
            cursor.move(Step::Right);
    };
    // In the menu no board is in play and nothing moves.
    EXPECT_FALSE(cursor.move(Step::Down));
    EXPECT_FALSE(cursor.activate());
    EXPECT_FALSE(cursor.turn());
    EXPECT_FALSE(cursor.shown());

    host.manual = true;
    single();
    ASSERT_EQ(cursor.boardInPlay(), OwnBoard);
    // Edges hold the cursor; End and Page Down jump to the far sides.
    cursor.move(Step::Up);
    cursor.move(Step::Left);
    EXPECT_EQ(cursor.row(), 1);
    EXPECT_EQ(cursor.column(), 1);
    cursor.move(Step::LastRow);
    cursor.move(Step::LastColumn);
    EXPECT_EQ(cursor.row(), 10);
    EXPECT_EQ(cursor.column(), 10);
    EXPECT_TRUE(cursor.shown());
    // A move is a hover: the preview follows the cursor.
    EXPECT_EQ(s.PickedRow, 10);
    EXPECT_EQ(s.PickedColumn, 10);
    EXPECT_EQ(s.PickedBoard, OwnBoard);

    const int layout[10][3] = {{1, 1, 1}, {1, 6, 1}, {3, 1, 1}, {3, 5, 1}, {3, 8, 1},
                               {5, 1, 0}, {5, 3, 0}, {5, 5, 0}, {5, 7, 0}, {7, 7, 0}};
    for (const auto& ship : layout) {
        const int n = s.ShipToPlace;
        if (n == 2) { // a drop onto the first ship is refused as a click there is
            go(1, 2);
            EXPECT_TRUE(cursor.activate());
            EXPECT_EQ(s.ShipToPlace, 2);
        }
        go(ship[0], ship[1]);
        if (s.PlaceHorizontal != (ship[2] == 1)) {
            EXPECT_TRUE(cursor.turn());
        }
        EXPECT_TRUE(cursor.activate());
        ASSERT_EQ(s.ShipToPlace, n + 1) << "ship " << n;
    }
    test::runEventLoop(m, host);
    EXPECT_FALSE(s.Arranging);
    EXPECT_EQ(cursor.boardInPlay(), 0);
    EXPECT_EQ(s.OwnFleet[5].Horizontal, 0);

    m.elbtFightClick();
    for (int r = 1; r <= 10 && s.GameInProgress; ++r)
        for (int c = 1; c <= 10 && s.GameInProgress; ++c) {
            computerTurns();
            if (!s.GameInProgress) break;
            ASSERT_EQ(cursor.boardInPlay(), EnemyBoard);
            if (cellAt(s.EnemyField, r, c) != CellDeck) continue;
            go(r, c);
            EXPECT_TRUE(cursor.activate());
        }
    EXPECT_TRUE(s.GameWon);
    EXPECT_EQ(s.PlayerShots, 20);
    EXPECT_EQ(cursor.boardInPlay(), 0);
    // The pointer moves the cursor to the cell it is over, on either board.
    cursor.follow("_c7");
    EXPECT_EQ(cursor.row(), 3);
    EXPECT_EQ(cursor.column(), 7);
    cursor.follow("x");
    EXPECT_EQ(cursor.row(), 3);
}

} // namespace
} // namespace vtx
