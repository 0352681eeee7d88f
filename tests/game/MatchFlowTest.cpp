#include "FakeMatchHost.h"
#include "game/CellCursor.h"
#include "game/FleetBlock.h"
#include "game/Match.h"
#include "game/NetMessage.h"
#include "game/NetReceiver.h"
#include "game/Scheduler.h"
#include "tests/support/MatchSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vtx {
namespace {

using test::FakeMatchHost;

BoardCell ownCell(int row, int column) {
    return BoardCell::at(OwnBoard, row, column).value();
}
using test::StepClock;

class Flow : public test::MatchFixture {
protected:
    void SetUp() override {
        m.activateTurnTimer();
        host.clear();
    }

    void tick() {
        clock.advance(s.turnTimerIntervalMs);
        m.turnTimerFired();
    }
    // Lets the turn timer play the computer until the turn is the player's
    // or the match is over.
    void computerTurns() {
        for (int guard = 0; guard < 1000 && s.turnTimerEnabled && s.fightStarted && s.playerTurn == 0;
             ++guard)
            tick();
    }
    void clickEnemy(int row, int column, MouseButton b = MouseButton::Left) {
        m.cellClicked(*BoardCell::at(EnemyBoard, row, column), b);
    }
    // Single, and the event loop until the match is ready.
    void single() {
        m.singleClicked();
        test::runEventLoop(m, host);
    }
    void startBattle() {
        single();
        m.fightClicked();
    }
    bool on(MenuButton b) const { return s.button(b).enabled; }
    // Places the ten own ships by hand (the fleet of the main window's test);
    // the last placement completes the arrangement.
    void placeTenShips() {
        const int layout[10][3] = {{1, 1, 1}, {1, 6, 1}, {3, 1, 1}, {3, 5, 1}, {3, 8, 1},
                                   {5, 1, 0}, {5, 3, 0}, {5, 5, 0}, {5, 7, 0}, {7, 7, 0}};
        for (const auto& ship : layout) {
            s.pickedRow = ship[0];
            s.pickedColumn = ship[1];
            s.pickedBoard = OwnBoard;
            s.placeHorizontal = ship[2] == 1;
            ASSERT_TRUE(m.placeShipAt());
        }
        test::runEventLoop(m, host);
    }
    // Exit (and then Single when again) at the named moment, once.
    void clickInside(const std::string& moment, bool againSingle) {
        host.whileWaiting = [=, this](const std::string& after) {
            if (after != moment) return false;
            m.exitClicked();
            if (againSingle) m.singleClicked();
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
    EXPECT_FALSE(s.gameInProgress);
    EXPECT_FALSE(s.turnTimerEnabled);
    EXPECT_EQ(s.turnTimerIntervalMs, 1000);
}

TEST(FlowStart, RefreshHostPushesTheMenuAndTheIdleTimer) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    m.refreshHost();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Button Single on white", "Button Network on white",
                                                    "Button Fight off grey", "Button Options on white",
                                                    "Button Scores on white", "turnTimer off 2000"}));
}

TEST_F(Flow, SingleStartsAReadyMatchInOrder) {
    host.music = true;
    host.vortalixDifficulty = 2;
    s.playerShots = 9;
    s.lastPoints = 77;
    single();
    const std::vector<std::string> expected = {
        "StartNextSong",      "ResetBoards",           "HideHudMessage",          "Button Single off grey",
        "WakeAfter 100",      "PositionOwnShipModels", "AnimateShipModels",       "PositionEnemyShipModels",
        "HideShipModels own", "SetDifficulty 2",       "Button Network off grey", "Button Fight on white",
        "enableTickTimer",    "ShowLogo off"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_TRUE(s.gameInProgress);
    EXPECT_FALSE(s.fightStarted);
    EXPECT_EQ(s.playerTurn, 0);
    EXPECT_EQ(s.level, 1); // the set-up of this match ran with the old index 0
    EXPECT_EQ(s.playerShots, 0);
    EXPECT_EQ(s.lastPoints, 0);
    EXPECT_EQ(test::arrangementProblem(s.enemyField, s.enemyFleet), "");
    EXPECT_TRUE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Single));

    // Without "vortalix.ini" the player's choice stays, and the next match is played at it.
    host.vortalixDifficulty.reset();
    m.exitClicked();
    host.clear();
    single();
    EXPECT_EQ(host.count("SetDifficulty"), 0u);
    EXPECT_EQ(host.difficulty, 2);
    EXPECT_EQ(s.level, 3);
}

TEST_F(Flow, TheComputerShootsFirstOneIntervalAfterFight) {
    single();
    host.clear();
    m.fightClicked();
    EXPECT_TRUE(s.fightStarted);
    EXPECT_TRUE(s.turnTimerEnabled);
    EXPECT_EQ(s.turnTimerIntervalMs, 1000);
    EXPECT_FALSE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Single));
    EXPECT_FALSE(on(MenuButton::Network));
    EXPECT_EQ(host.count("MarkShot"), 0u);
    clickEnemy(1, 1); // not the player's turn yet
    EXPECT_EQ(s.playerShots, 0);
    m.fightClicked(); // a second Fight does nothing
    tick();
    EXPECT_EQ(host.count("MarkShot 2"), 1u);
}

TEST_F(Flow, AComputerHitKeepsTheTurnAndCounts) {
    startBattle();
    // Make the next random draw a deck.
    const Ship& big = s.ownFleet[0];
    s.targetCount = 1;
    s.targetCells[0] = cellNumber(big.rows[0], big.cols[0]);
    host.clear();
    tick();
    EXPECT_EQ(host.calls, (std::vector<std::string>{"MarkShot 2 " + std::to_string(big.rows[0]) + " " +
                                                        std::to_string(big.cols[0]) + " hit",
                                                    "Sound Hit", "Sound Hit", "Status Enemy Move"}));
    EXPECT_EQ(s.enemyHits, 1);
    EXPECT_EQ(s.playerTurn, 0);
    EXPECT_TRUE(s.turnTimerEnabled);
    // Next tick hunts next to the hit.
    host.clear();
    tick();
    EXPECT_TRUE(s.hunting);
    EXPECT_EQ(host.count("Status Computer"), 1u);
}

TEST_F(Flow, AComputerMissHandsTheTurnToThePlayer) {
    startBattle();
    s.targetCount = 1;
    s.targetCells[0] = 0;
    for (int n = 1; n <= 100 && s.targetCells[0] == 0; ++n)
        if (s.ownField[std::size_t(n - 1)] == CellWater) s.targetCells[0] = n;
    host.clear();
    tick();
    EXPECT_EQ(host.calls.back(), "turnTimer off 1000");
    EXPECT_EQ(host.status, "Player Move");
    EXPECT_EQ(s.playerTurn, 1);
    EXPECT_EQ(host.count("Sound Miss"), 1u);
    host.clear();
    tick(); // a stray tick in the player's turn does nothing
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Flow, WholeMatchWonAtHard) {
    host.difficulty = 2;
    startBattle();
    EXPECT_EQ(s.level, 3);
    int clicks = 0;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) {
            computerTurns();
            if (!s.gameInProgress) break;
            ASSERT_EQ(s.playerTurn, 1);
            if (cellAt(s.enemyField, r, c) != CellDeck) continue;
            clickEnemy(r, c, MouseButton::Right); // other buttons never shoot
            clickEnemy(r, c);
            ++clicks;
        }
    EXPECT_EQ(clicks, 20);
    EXPECT_TRUE(s.gameWon);
    EXPECT_TRUE(s.gameLost); // Exit marks every ended match as over
    EXPECT_FALSE(s.gameInProgress);
    EXPECT_FALSE(s.fightStarted);
    EXPECT_TRUE(s.scorePending);
    EXPECT_EQ(s.playerShots, 20);
    EXPECT_EQ(s.lastPoints, 3 * (120 + 5 * (20 - s.enemyHits)));
    EXPECT_FALSE(s.turnTimerEnabled);
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
    const auto shots = s.playerShots;
    clickEnemy(1, 1);
    EXPECT_EQ(s.playerShots, shots);
}

TEST_F(Flow, WholeMatchLostAtEasy) {
    host.difficulty = 0;
    startBattle();
    int guard = 0;
    while (s.gameInProgress && guard++ < 500) {
        computerTurns();
        if (!s.gameInProgress) break;
        // The player always shoots at water.
        for (int n = 1; n <= 100; ++n)
            if (s.enemyField[std::size_t(n - 1)] != CellDeck) {
                clickEnemy(cellNumberRow(n), cellNumberColumn(n));
                break;
            }
        ASSERT_EQ(s.playerTurn, 0);
    }
    EXPECT_FALSE(s.gameInProgress);
    EXPECT_FALSE(s.gameWon);
    EXPECT_TRUE(s.gameLost);
    EXPECT_EQ(s.enemyHits, 20);
    EXPECT_EQ(std::count(s.ownField.begin(), s.ownField.end(), CellDeck), 0);
    EXPECT_EQ(s.lastPoints, 0);
    EXPECT_FALSE(s.scorePending);
    for (const auto& ship : s.ownFleet)
        EXPECT_EQ(ship.sunk, 1);
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
    ASSERT_EQ(s.playerTurn, 1);
    // Every own deck gone, but the player is still clicking: no loss yet.
    for (char& c : s.ownField)
        if (c == CellDeck) c = CellHit;
    for (int n = 1; n <= 100; ++n)
        if (s.enemyField[std::size_t(n - 1)] != CellDeck) {
            clickEnemy(cellNumberRow(n), cellNumberColumn(n));
            break;
        }
    EXPECT_TRUE(s.gameInProgress);
    EXPECT_EQ(host.count("ShowLossMessage"), 0u);
    tick();
    EXPECT_FALSE(s.gameInProgress);
    EXPECT_EQ(host.count("ShowLossMessage"), 1u);

    // A cleared enemy grid found on a tick is no win.
    host.clear();
    startBattle();
    for (char& c : s.enemyField)
        if (c == CellDeck) c = CellSunk;
    tick();
    EXPECT_TRUE(s.gameInProgress);
    EXPECT_FALSE(s.gameWon);
}

TEST_F(Flow, ExitFromTheMenuQuitsWithoutSoundOrLanMessage) {
    s.netMode = true; // even with the lobby's flag left on
    s.gameLost = true;
    m.exitClicked();
    EXPECT_EQ(host.quits, 1);
    EXPECT_EQ(host.count("Sound"), 0u);
    EXPECT_EQ(host.count("SendLeave"), 0u);
    EXPECT_EQ(host.count("ShowLogo on"), 0u);     // the last result stays on screen
    EXPECT_EQ(host.count("RestartIdleWait"), 1u); // the spin waits for the idle time again
    EXPECT_FALSE(s.netMode);
}

TEST_F(Flow, ExitDuringTheManualArrangementClearsIt) {
    host.manual = true;
    single();
    EXPECT_TRUE(s.arranging);
    EXPECT_TRUE(s.hoverPicking);
    EXPECT_TRUE(s.turnTimerEnabled);
    EXPECT_EQ(s.turnTimerIntervalMs, 5);
    EXPECT_FALSE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Scores));
    EXPECT_FALSE(on(MenuButton::Options));
    EXPECT_TRUE(s.button(MenuButton::Scores).whiteFont);
    m.cellHovered(ownCell(3, 3));
    EXPECT_EQ(s.pickedRow, 3);
    m.cellClicked(ownCell(3, 3), MouseButton::Left);
    EXPECT_EQ(s.shipToPlace, 2);
    m.fightClicked(); // the Fight button is off while arranging
    EXPECT_FALSE(s.fightStarted);

    host.clear();
    m.exitClicked();
    EXPECT_FALSE(s.arranging);
    EXPECT_FALSE(s.hoverPicking);
    EXPECT_EQ(s.shipToPlace, 1);
    EXPECT_FALSE(s.turnTimerEnabled);
    EXPECT_EQ(s.turnTimerIntervalMs, 1000);
    EXPECT_EQ(host.count("Sound"), 0u);
    EXPECT_EQ(host.quits, 0);
    EXPECT_TRUE(s.gameLost);
    EXPECT_FALSE(s.gameInProgress);
    expectMenuButtons();
    EXPECT_EQ(host.status, "");
    // The menu takes no placements and Fight stays off.
    m.cellHovered(ownCell(5, 5));
    m.cellClicked(ownCell(5, 5), MouseButton::Left);
    EXPECT_FALSE(m.placeShipAt());
    EXPECT_EQ(s.shipToPlace, 1);
    EXPECT_FALSE(on(MenuButton::Fight));
}

TEST_F(Flow, ExitInReadyPlayerAndOpponentMovesEndsWithoutSoundOrPoints) {
    for (int state = 0; state < 3; ++state) {
        host.clear();
        single();
        if (state >= 1) {
            m.fightClicked();
            computerTurns(); // player move
        }
        if (state == 2) {
            for (int n = 1; n <= 100; ++n)
                if (s.enemyField[std::size_t(n - 1)] != CellDeck) {
                    clickEnemy(cellNumberRow(n), cellNumberColumn(n));
                    break;
                }
            ASSERT_EQ(s.playerTurn, 0); // opponent move
        }
        const auto hits = s.enemyHits;
        m.exitClicked();
        EXPECT_EQ(host.count("Sound Won") + host.count("Sound Lost"), 0u) << state;
        EXPECT_EQ(host.count("ShowLogo on"), 1u) << state;
        EXPECT_EQ(host.count("ResetBoards"), 2u) << state; // at Single and at Exit
        EXPECT_EQ(host.count("RestartIdleWait"), 1u) << state;
        EXPECT_EQ(host.count("StopMusic"), 1u);
        EXPECT_EQ(s.lastPoints, 0);
        EXPECT_FALSE(s.scorePending);
        EXPECT_TRUE(s.gameLost);
        EXPECT_FALSE(s.gameWon);
        EXPECT_FALSE(s.fightStarted);
        EXPECT_EQ(host.status, "");
        expectMenuButtons();
        // Ticks after Exit do nothing; the board takes no shots.
        host.clear();
        tick();
        clickEnemy(5, 5);
        EXPECT_EQ(host.count("MarkShot"), 0u);
        EXPECT_EQ(s.enemyHits, hits);
    }
    // The next Single starts a fresh match.
    single();
    EXPECT_FALSE(s.gameLost);
    EXPECT_TRUE(s.gameInProgress);
    EXPECT_EQ(s.playerShots, 0);
}

// A click during Single's wait runs before the wait ends: an Exit there ends
// the match being started, never the program.
TEST_F(Flow, ExitInsideSinglesWaitOrAnimationEndsOnlyTheMatch) {
    for (const char* pump : {"Delay"}) {
        host.clear();
        clickInside(pump, false);
        single();
        EXPECT_EQ(host.quits, 0) << pump;
        EXPECT_FALSE(s.gameInProgress) << pump;
        EXPECT_FALSE(s.fightStarted) << pump;
        expectMenuButtons();
        EXPECT_EQ(host.count("StopMusic"), 1u) << pump;
        EXPECT_EQ(host.count("ShowLogo off"), 0u) << pump; // the menu keeps its logo
        m.fightClicked();
        EXPECT_FALSE(s.fightStarted) << pump;
    }
    // Exit then Single inside the wait: the second Single's match is the one that runs.
    clickInside("Delay", true);
    single();
    EXPECT_TRUE(s.gameInProgress);
    EXPECT_TRUE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Single));
    m.exitClicked();
    EXPECT_EQ(host.quits, 0);
    m.exitClicked(); // from the menu: now it quits
    EXPECT_EQ(host.quits, 1);
}

// Clicks while "Ships Arrangement Complete!" is open or right after the
// ships set sail: whatever the player did there, the menu or the new match
// they led to stays as it should be.
TEST_F(Flow, ExitAfterTheArrangementCompletesLeavesNoFightInTheMenu) {
    host.manual = true;
    for (const char* pump : {"Message", "AnimateShipModels"}) {
        single();
        clickInside(pump, false);
        placeTenShips();
        EXPECT_FALSE(s.gameInProgress) << pump;
        EXPECT_FALSE(s.arranging) << pump;
        EXPECT_FALSE(s.hoverPicking) << pump;
        EXPECT_FALSE(s.turnTimerEnabled) << pump;
        expectMenuButtons();
    }
    // Exit and Single in that moment: the new arrangement follows the mouse.
    single();
    clickInside("Message", true);
    placeTenShips();
    EXPECT_TRUE(s.gameInProgress);
    EXPECT_TRUE(s.arranging);
    EXPECT_TRUE(s.hoverPicking);
    EXPECT_EQ(s.shipToPlace, 1);
    EXPECT_TRUE(s.turnTimerEnabled);
    EXPECT_EQ(s.turnTimerIntervalMs, 5);
    EXPECT_FALSE(on(MenuButton::Fight));
    EXPECT_FALSE(on(MenuButton::Options));
    host.clear();
    m.cellHovered(ownCell(5, 5));
    EXPECT_EQ(host.count("ShowPlacementPreview"), 1u);
}

TEST_F(Flow, ExitDuringTheComputersTurnStopsTheTurnTimer) {
    startBattle();
    ASSERT_TRUE(s.turnTimerEnabled);
    m.exitClicked();
    EXPECT_FALSE(s.turnTimerEnabled);
    EXPECT_FALSE(host.turnTimerEnabled);
    single();
    host.clear();
    m.fightClicked();
    // Fight starts the timer afresh, so the first shot comes one interval later.
    EXPECT_EQ(host.only("turnTimer"), (std::vector<std::string>{"turnTimer on 1000"}));
}

TEST_F(Flow, ScoreOfAnEarlierWinStaysPendingThroughExit) {
    s.scorePending = true;
    s.lastPoints = 660; // a LAN win waiting for the high-score window
    single();
    EXPECT_EQ(s.lastPoints, 660);
    m.exitClicked();
    EXPECT_TRUE(s.scorePending);
    EXPECT_EQ(s.lastPoints, 660);
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
    void joinRequested() override {}
    bool serverListed(std::string_view) override { return true; }
    void addServer(std::string_view, std::string_view) override {}
    void opponentLeft() override {}
    void opponentGone() override {}
    void sendDatagram(std::string_view, std::span<const unsigned char>) override {}
    void send(std::string_view text) {
        to->datagramReceived({reinterpret_cast<const unsigned char*>(text.data()), text.size()}, fromIP);
    }
    // Delivers everything the sending side was asked to send since last time.
    void flush() {
        for (; seen < fromHost.calls.size(); ++seen) {
            const std::string& c = fromHost.calls[seen];
            int r = 0, col = 0;
            if (c == "SendFleet") {
                send(net::InfoMarker);
                to->datagramReceived(encodeFleet(from.state().ownFleet), fromIP);
                send(net::FieldMarker);
                to->datagramReceived(encodeField(from.state().ownField), fromIP);
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
        side->activateTurnTimer();
        test::setUp(*side).netMode = true;
        test::setUp(*side).netConnected = true;
    }
    test::setUp(a).opponentIp = "10.0.0.2";
    test::setUp(b).opponentIp = "10.0.0.1";
    test::setUp(a).netRole = NetRole::Creator;
    test::setUp(b).netRole = NetRole::Joiner;
    a.singleClicked();
    b.singleClicked();
    test::runEventLoop(a, hostA);
    test::runEventLoop(b, hostB);
    EXPECT_EQ(hostA.count("SendFleet"), 1u);
    EXPECT_FALSE(a.state().button(MenuButton::Fight).enabled);
    EXPECT_EQ(a.state().enemyField, emptyField()); // no computer fleet in a LAN match
    a.completeFleetExchange();                     // not yet received: nothing
    EXPECT_FALSE(a.state().fightStarted);
    aToB.flush();
    bToA.flush();
    EXPECT_EQ(b.state().enemyFleet, a.state().ownFleet);
    a.completeFleetExchange();
    b.completeFleetExchange();
    EXPECT_EQ(a.state().playerTurn, 1);
    EXPECT_EQ(b.state().playerTurn, 0);
    EXPECT_EQ(a.state().turnTimerIntervalMs, 5);
    EXPECT_EQ(hostA.status, "Ready to Play!");

    // Both sides shoot at every cell in order; shot messages are delivered
    // and applied on the receiver's next tick.
    int nextA = 1, nextB = 1;
    const auto decks = [](const Field& f) { return std::count(f.begin(), f.end(), CellDeck); };
    for (int guard = 0; guard < 400 && a.state().gameInProgress && b.state().gameInProgress; ++guard) {
        if (a.state().playerTurn == 1) {
            a.playerShootAt(cellNumberRow(nextA), cellNumberColumn(nextA));
            ++nextA;
            aToB.flush();
            b.turnTimerFired();
        } else if (b.state().playerTurn == 1) {
            b.playerShootAt(cellNumberRow(nextB), cellNumberColumn(nextB));
            ++nextB;
            bToA.flush();
            a.turnTimerFired();
        } else {
            FAIL() << "nobody's turn";
        }
        if (!a.state().gameInProgress || !b.state().gameInProgress) break;
        // Both sides agree on whose turn it is and on the decks still afloat.
        ASSERT_NE(a.state().playerTurn, b.state().playerTurn);
        for (std::size_t i = 0; i < 100; ++i) {
            ASSERT_EQ(a.state().enemyField[i] == CellDeck, b.state().ownField[i] == CellDeck) << i;
            ASSERT_EQ(b.state().enemyField[i] == CellDeck, a.state().ownField[i] == CellDeck) << i;
        }
    }
    Match& winner = a.state().gameWon ? a : b;
    Match& loser = a.state().gameWon ? b : a;
    FakeMatchHost& winnerHost = a.state().gameWon ? hostA : hostB;
    FakeMatchHost& loserHost = a.state().gameWon ? hostB : hostA;
    ASSERT_TRUE(winner.state().gameWon);
    EXPECT_FALSE(loser.state().gameWon);
    EXPECT_FALSE(loser.state().gameInProgress);
    EXPECT_EQ(decks(loser.state().ownField), 0);
    EXPECT_EQ(loser.state().enemyHits, 20);
    EXPECT_EQ(winner.state().enemyHits, 20 - decks(winner.state().ownField));
    EXPECT_EQ(loserHost.count("ShowLossMessage"), 1u);
    EXPECT_TRUE(winner.state().scorePending);
    EXPECT_EQ(winnerHost.count("ScoreWindow"), 0u); // a LAN win waits for the window's next opening
    EXPECT_LT(winnerHost.indexOf("StopMusic"), winnerHost.indexOf("ShowWinMessage"));
    EXPECT_EQ(hostA.count("SendLeave") + hostB.count("SendLeave"), 0u);
    EXPECT_FALSE(a.state().netMode);
    EXPECT_FALSE(b.state().netConnected);
}

TEST(LanFlow, NothingReceivedCountsOnceTheSideHasLeft) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    test::setUp(m).playerTurn = 1;
    const std::vector<unsigned char> block(600, 7);
    m.receiveMove(ownCell(3, 7));
    m.receiveFleetBlock(block);
    m.receiveFieldBlock(block);
    EXPECT_FALSE(m.state().netMovePending);
    EXPECT_EQ(m.state().playerTurn, 1);
    EXPECT_FALSE(m.state().fleetReceived);
    EXPECT_EQ(m.state().enemyFleet, Fleet{});
    EXPECT_TRUE(host.calls.empty());

    test::setUp(m).netMode = true;
    m.receiveMove(ownCell(3, 7));
    EXPECT_TRUE(m.state().netMovePending);
    EXPECT_EQ(m.state().netMoveRow, 3);
    EXPECT_EQ(m.state().playerTurn, 0);
    EXPECT_TRUE(m.state().turnTimerEnabled);
}

TEST(LanFlow, ExitDuringALanBattleSendsTheLeaveMessageOnce) {
    StepClock clock;
    FakeMatchHost host(&clock);
    Match m(host, clock);
    test::setUp(m).netMode = true;
    test::setUp(m).netConnected = true;
    m.activateTurnTimer();
    m.singleClicked();
    test::runEventLoop(m, host);
    test::setUp(m).fleetSent = test::setUp(m).fleetReceived = true;
    m.completeFleetExchange(); // the battle polls at 5 ms
    m.exitClicked();
    m.exitClicked(); // now in the menu: quits, sends nothing
    EXPECT_EQ(host.count("SendLeave"), 1u);
    EXPECT_EQ(host.quits, 1);
    m.singleClicked(); // against the computer: its own pace again
    test::runEventLoop(m, host);
    EXPECT_EQ(m.state().turnTimerIntervalMs, 1000);
}

// The cell cursor acts only through the handlers a mouse player reaches: a
// whole match arranged by hand and won with its keys alone.
TEST_F(Flow, TheCellCursorArrangesAndWinsAMatchWithKeysAlone) {
    using Step = CellCursor::Step;
    CellCursor cursor(m);
    const auto go = [&](int row, int column) {
        cursor.move(Step::FarUp);
        cursor.move(Step::FarLeft);
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
    cursor.move(Step::FarDown);
    cursor.move(Step::FarRight);
    EXPECT_EQ(cursor.row(), 10);
    EXPECT_EQ(cursor.column(), 10);
    EXPECT_TRUE(cursor.shown());
    // A move is a hover: the preview follows the cursor.
    EXPECT_EQ(s.pickedRow, 10);
    EXPECT_EQ(s.pickedColumn, 10);
    EXPECT_EQ(s.pickedBoard, OwnBoard);

    const int layout[10][3] = {{1, 1, 1}, {1, 6, 1}, {3, 1, 1}, {3, 5, 1}, {3, 8, 1},
                               {5, 1, 0}, {5, 3, 0}, {5, 5, 0}, {5, 7, 0}, {7, 7, 0}};
    for (const auto& ship : layout) {
        const int n = s.shipToPlace;
        if (n == 2) { // a drop onto the first ship is refused as a click there is
            go(1, 2);
            EXPECT_TRUE(cursor.activate());
            EXPECT_EQ(s.shipToPlace, 2);
        }
        go(ship[0], ship[1]);
        if (s.placeHorizontal != (ship[2] == 1)) {
            EXPECT_TRUE(cursor.turn());
        }
        EXPECT_TRUE(cursor.activate());
        ASSERT_EQ(s.shipToPlace, n + 1) << "ship " << n;
    }
    test::runEventLoop(m, host);
    EXPECT_FALSE(s.arranging);
    EXPECT_EQ(cursor.boardInPlay(), 0);
    EXPECT_EQ(s.ownFleet[5].horizontal, 0);

    m.fightClicked();
    for (int r = 1; r <= 10 && s.gameInProgress; ++r)
        for (int c = 1; c <= 10 && s.gameInProgress; ++c) {
            computerTurns();
            if (!s.gameInProgress) break;
            ASSERT_EQ(cursor.boardInPlay(), EnemyBoard);
            if (cellAt(s.enemyField, r, c) != CellDeck) continue;
            go(r, c);
            EXPECT_TRUE(cursor.activate());
        }
    EXPECT_TRUE(s.gameWon);
    EXPECT_EQ(s.playerShots, 20);
    EXPECT_EQ(cursor.boardInPlay(), 0);
    // The pointer moves the cursor to the cell it is over, on either board.
    cursor.follow(*BoardCell::at(EnemyBoard, 3, 7));
    EXPECT_EQ(cursor.row(), 3);
    EXPECT_EQ(cursor.column(), 7);
}

// The arrows follow the picture, not the grid: from the south, from a quarter
// turn (the first view's), and half-way, where each arrow still reaches a
// neighbour of its own. The board is seen at a slant: nearer cells larger.
TEST_F(Flow, TheArrowsFollowTheScreenFromTwoCameraHeadings) {
    using Step = CellCursor::Step;
    CellCursor cursor(m);
    float heading = 0.0f;
    cursor.screenCells = [&](std::int32_t) {
        CellCursor::ScreenCells cells;
        const float a = heading * 3.14159265f / 180.0f;
        for (int r = 0; r < GridSize; ++r)
            for (int c = 0; c < GridSize; ++c) {
                const float x = float(c) - 4.5f;
                const float z = float(r) - 4.5f;
                const float across = x * std::cos(a) - z * std::sin(a);
                const float towardsEye = x * std::sin(a) + z * std::cos(a);
                const float nearer = 1.0f + 0.04f * towardsEye;
                cells[std::size_t(r)][std::size_t(c)] = {400.0f + 30.0f * across * nearer,
                                                         300.0f + 18.0f * towardsEye * nearer, true};
            }
        return cells;
    };
    host.manual = true;
    single();
    struct Key {
        Step step;
        int row, column; // where the cursor is after it
    };
    const auto press = [&](std::initializer_list<Key> keys) {
        for (const Key& k : keys) {
            cursor.move(k.step);
            EXPECT_EQ(std::make_pair(cursor.row(), cursor.column()), std::make_pair(k.row, k.column))
                << "heading " << heading << ", step " << int(k.step);
        }
    };
    press({{Step::FarUp, 1, 1},
           {Step::FarLeft, 1, 1},
           {Step::Right, 1, 2},
           {Step::Down, 2, 2},
           {Step::FarRight, 2, 10},
           {Step::FarDown, 10, 10}});
    heading = 90.0f; // rows run right to left, columns towards the eye
    press({{Step::FarUp, 10, 1},
           {Step::FarLeft, 10, 1},
           {Step::FarRight, 1, 1},
           {Step::Down, 1, 2},
           {Step::Left, 2, 2},
           {Step::Up, 2, 1}});
    heading = 45.0f;
    std::vector<std::pair<int, int>> reached;
    for (Step arrow : {Step::Up, Step::Down, Step::Left, Step::Right}) {
        cursor.follow(ownCell(5, 5));
        cursor.move(arrow);
        reached.emplace_back(cursor.row(), cursor.column());
    }
    std::sort(reached.begin(), reached.end());
    EXPECT_EQ(reached, (std::vector<std::pair<int, int>>{{4, 5}, {5, 4}, {5, 6}, {6, 5}}));
}

} // namespace
} // namespace vtx
