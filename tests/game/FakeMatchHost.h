#pragma once

// Test doubles for the match: a clock that moves on by itself and a host that
// records every call as one line of text, in order.

#include "game/GameTypes.h"
#include "game/IClock.h"
#include "game/IMatchHost.h"
#include "game/Match.h"
#include "game/NetChannel.h"
#include "game/Ship.h"
#include "tests/support/MatchSetup.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace vtx::test {

// Time of day and tick move on by `step` ms at every reading, so each random
// re-seed sees a new millisecond; runEventLoop moves them on to each wait's end.
class StepClock final : public IClock {
public:
    explicit StepClock(std::int64_t startMs = 12 * 3600 * 1000, std::int64_t step = 1)
        : m_now(startMs), m_step(step) {}
    std::int64_t timeOfDayMs() override {
        m_now += m_step;
        return m_now % 86400000;
    }
    std::int64_t tickMs() override { return m_now; }
    void advance(std::int64_t ms) { m_now += ms; }

private:
    std::int64_t m_now;
    std::int64_t m_step;
};

inline const char* soundName(Sound s) {
    switch (s) {
    case Sound::Hit:
        return "Hit";
    case Sound::Miss:
        return "Miss";
    case Sound::Sunk:
        return "Sunk";
    case Sound::Won:
        return "Won";
    case Sound::Lost:
        return "Lost";
    }
    return "?";
}

inline const char* buttonName(MenuButton b) {
    switch (b) {
    case MenuButton::Single:
        return "Single";
    case MenuButton::Network:
        return "Network";
    case MenuButton::Fight:
        return "Fight";
    case MenuButton::Options:
        return "Options";
    case MenuButton::Scores:
        return "Scores";
    }
    return "?";
}

class FakeMatchHost final : public IMatchHost {
public:
    explicit FakeMatchHost(StepClock* clock = nullptr) : m_clock(clock) {}

    std::vector<std::string> calls;
    // Options the match reads.
    bool manual = false;
    bool music = false;
    std::int32_t difficulty = 0;
    std::optional<std::int32_t> vortalixDifficulty; // no "vortalix.ini"
    PlayerHabit savedHabit;                         // the habit of the last saveHabit
    // Mirrors of what the match pushed out.
    bool turnTimerEnabled = false;
    std::int32_t turnTimerInterval = 2000;
    std::string status;
    int quits = 0;
    std::size_t ownMarks = 0; // markShot calls on the own board
    // The clicks a player queues: runEventLoop calls it from the event loop,
    // at the first turn after the named moment ("Delay": Single's wait under
    // way, "Message": a modal message open, "animateShipModels": the ships
    // set sailing, which runs whole inside its handler). Returns true when it
    // is done and is then dropped.
    std::function<bool(const std::string& after)> whileWaiting;
    // The moment the next turn of the event loop comes after ("" when none),
    // and whether a modal message is open for the player to close.
    std::string waitingFor;
    bool messageOpen = false;

    void clear() { calls.clear(); }
    std::size_t count(const std::string& prefix) const {
        return std::size_t(std::count_if(calls.begin(), calls.end(),
                                         [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }
    // Position of the first call starting with prefix; calls.size() when none.
    std::size_t indexOf(const std::string& prefix, std::size_t from = 0) const {
        for (std::size_t i = from; i < calls.size(); ++i)
            if (calls[i].rfind(prefix, 0) == 0) return i;
        return calls.size();
    }
    std::vector<std::string> only(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        return out;
    }

    void resetBoards() override { log("ResetBoards"); }
    void markShot(Board board, std::int32_t row, std::int32_t column, bool hit) override {
        if (board == OwnBoard) ++ownMarks;
        log("MarkShot " + std::to_string(board) + " " + std::to_string(row) + " " + std::to_string(column) +
            (hit ? " hit" : " hint"));
    }
    void showSunkShip(Board board, std::int32_t n) override {
        log("ShowSunkShip " + std::to_string(board) + " " + std::to_string(n));
    }
    void startShake() override { log("StartShake"); }
    void showEnemySurvivors() override { log("ShowEnemySurvivors"); }
    void positionOwnShipModels() override { log("PositionOwnShipModels"); }
    void positionEnemyShipModels() override { log("PositionEnemyShipModels"); }
    void hideShipModels(bool all) override { log(all ? "HideShipModels all" : "HideShipModels own"); }
    void animateShipModels() override {
        log("AnimateShipModels");
        if (waitingFor.empty()) waitingFor = "AnimateShipModels";
    }
    void showPlacementPreview() override { log("ShowPlacementPreview"); }
    void showShipModel(std::int32_t n) override { log("ShowShipModel " + std::to_string(n)); }
    void putShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) override {
        log("PutShipModelAt " + std::to_string(n) + " " + std::to_string(row) + " " + std::to_string(column));
    }
    void showWinMessage() override { log("ShowWinMessage"); }
    void showLossMessage() override { log("ShowLossMessage"); }
    void hideHudMessage() override { log("HideHudMessage"); }
    void showLogo(bool visible) override { log(visible ? "ShowLogo on" : "ShowLogo off"); }
    void enableTickTimer() override { log("enableTickTimer"); }
    void restartIdleWait() override { log("RestartIdleWait"); }
    void playSound(Sound sound) override { log(std::string("Sound ") + soundName(sound)); }
    void setStatus(std::string_view text) override {
        status = std::string(text);
        log("Status " + status);
    }
    void setButton(MenuButton button, bool enabled, bool whiteFont) override {
        log(std::string("Button ") + buttonName(button) + (enabled ? " on" : " off") +
            (whiteFont ? " white" : " grey"));
    }
    void setTurnTimer(bool enabled, std::int32_t intervalMs) override {
        turnTimerEnabled = enabled;
        turnTimerInterval = intervalMs;
        log("turnTimer " + std::string(enabled ? "on " : "off ") + std::to_string(intervalMs));
    }
    void showMessage(std::int32_t top, std::string_view text, bool modal) override {
        log("Message " + std::to_string(top) + " " + std::string(text) + (modal ? " modal" : ""));
        if (!modal) return;
        messageOpen = true;
        waitingFor = "Message";
    }
    void showScoreWindowModal() override { log("ScoreWindow"); }
    bool manualArrangementChecked() override { return manual; }
    bool musicChecked() override { return music; }
    std::int32_t difficultyIndex() override { return difficulty; }
    void setDifficultyIndex(std::int32_t index) override {
        difficulty = index;
        log("SetDifficulty " + std::to_string(index));
    }
    std::optional<std::int32_t> readVortalixDifficulty() override { return vortalixDifficulty; }
    void saveHabit(const PlayerHabit& habit) override {
        savedHabit = habit;
        log("SaveHabit " + std::to_string(habit.fleets()));
    }
    void startNextSong() override { log("StartNextSong"); }
    void stopMusic() override { log("StopMusic"); }
    void wakeAfter(std::int32_t ms) override {
        log("WakeAfter " + std::to_string(ms));
        waitingFor = "Delay";
    }
    void quitProgram() override {
        ++quits;
        log("QuitProgram");
    }
    void sendShot(std::int32_t row, std::int32_t column) override {
        log("SendShot " + std::to_string(row) + " " + std::to_string(column));
        if (channel) channel->sendShot(row, column);
    }
    void sendLeave() override {
        log("SendLeave");
        if (channel) channel->sendLeave();
    }
    void sendFleet() override {
        log("SendFleet");
        if (channel) channel->sendFleet();
    }
    // Where the LAN sends go, as in the main window; only logged without it.
    NetChannel* channel = nullptr;
    StepClock* clock() const { return m_clock; }

private:
    void log(std::string line) { calls.push_back(std::move(line)); }
    StepClock* m_clock;
};

// The event loop of the real window, as far as the match sees it: the
// player's queued clicks (whileWaiting), the open message answered with Ok,
// the clock moved on to each continuation and the continuation run, until
// the match waits for nothing.
inline void runEventLoop(Match& m, FakeMatchHost& host) {
    for (int guard = 0; guard < 1000; ++guard) {
        const std::string waiting = std::exchange(host.waitingFor, std::string());
        if (host.whileWaiting && !waiting.empty()) {
            auto hook = std::move(host.whileWaiting);
            host.whileWaiting = nullptr;
            if (!hook(waiting)) host.whileWaiting = std::move(hook);
        }
        if (host.messageOpen) {
            host.messageOpen = false;
            m.messageClosed();
            continue;
        }
        const auto due = m.nextWakeMs();
        if (!due) return;
        if (StepClock* clock = host.clock(); clock && *due > clock->tickMs())
            clock->advance(*due - clock->tickMs());
        m.runDue();
    }
    ADD_FAILURE() << "the match keeps waiting";
}

// Checks every rule a freshly arranged grid and its fleet must keep; returns
// an empty string when all hold, else the first broken rule.
inline std::string arrangementProblem(const Field& field, const Fleet& fleet) {
    int decks = 0;
    for (char c : field) {
        if (c == CellDeck)
            ++decks;
        else if (c != CellWater && c != CellZone)
            return "unexpected cell code";
    }
    if (decks != 20) return "deck count " + std::to_string(decks);
    // Owner of each deck cell, from the fleet.
    int owner[GridSize + 2][GridSize + 2] = {};
    for (int n = 1; n <= FleetShips; ++n) {
        const Ship& s = fleet[std::size_t(n - 1)];
        if (s.size != ShipSizes[std::size_t(n - 1)]) return "size of ship " + std::to_string(n);
        if (s.sunk != 0) return "sunk flag";
        for (int k = 1; k <= 4; ++k) {
            if (k > s.size) {
                if (s.cols[k - 1] || s.rows[k - 1] || s.deckState[k - 1]) return "slot beyond size not zero";
                continue;
            }
            const int r = s.rows[k - 1], c = s.cols[k - 1];
            if (!insideGrid(r, c)) return "deck outside grid";
            if (s.deckState[k - 1] != DeckIntact) return "deck state";
            const int er = s.horizontal ? s.rows[0] : s.rows[0] + k - 1;
            const int ec = s.horizontal ? s.cols[0] + k - 1 : s.cols[0];
            if (r != er || c != ec) return "decks not consecutive";
            if (cellAt(field, r, c) != CellDeck) return "deck not '1' in grid";
            if (owner[r][c]) return "two decks on one cell";
            owner[r][c] = n;
        }
    }
    for (int r = 1; r <= GridSize; ++r)
        for (int c = 1; c <= GridSize; ++c) {
            if (cellAt(field, r, c) == CellDeck && !owner[r][c]) return "'1' cell without a deck";
            if (!owner[r][c]) continue;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    const int rr = r + dr, cc = c + dc;
                    if (!insideGrid(rr, cc)) continue;
                    if (owner[rr][cc] && owner[rr][cc] != owner[r][c]) return "ships touch";
                    if (!owner[rr][cc] && cellAt(field, rr, cc) != CellZone) return "neighbour not '2'";
                }
        }
    return {};
}

// The computer's target list as every match starts it: cells 1..100.
inline void fillTargets(MatchState& s) {
    s.targetCount = 100;
    for (int i = 0; i < 100; ++i)
        s.targetCells[std::size_t(i)] = i + 1;
}

// One match on a recording host and a stepping clock.
class MatchFixture : public ::testing::Test {
protected:
    StepClock clock;
    FakeMatchHost host{&clock};
    Match m{host, clock};
    MatchState& s = test::setUp(m);
};

} // namespace vtx::test
