#include "files/ReplayFile.h"
#include "files/FileIo.h"
#include "files/ReplayFolder.h"
#include "game/ReplayPlayer.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vtx {
namespace {

// Ships in rows 1, 3, 5 and 7 (4; 3 3; 2 2 2; 1 1 1 1), a row of water
// between; transposed they stand in columns.
void layFleet(Fleet& fleet, Field& field, bool transposed) {
    const int starts[FleetShips][2] = {{1, 1}, {3, 1}, {3, 5}, {5, 1}, {5, 4},
                                       {5, 7}, {7, 1}, {7, 3}, {7, 5}, {7, 7}};
    field = emptyField();
    for (int n = 0; n < FleetShips; ++n) {
        Ship& ship = fleet[std::size_t(n)];
        ship = Ship{};
        ship.size = ShipSizes[std::size_t(n)];
        ship.horizontal = transposed ? 0 : 1;
        for (int k = 0; k < ship.size; ++k) {
            const int a = starts[n][0];
            const int b = starts[n][1] + k;
            ship.rows[k] = transposed ? b : a;
            ship.cols[k] = transposed ? a : b;
            ship.deckState[k] = DeckIntact;
        }
    }
    for (const Ship& ship : fleet)
        for (int k = 0; k < ship.size; ++k)
            for (int r = ship.rows[k] - 1; r <= ship.rows[k] + 1; ++r)
                for (int c = ship.cols[k] - 1; c <= ship.cols[k] + 1; ++c)
                    if (cellAt(field, r, c) != CellDeck) setCell(field, r, c, CellZone);
    for (const Ship& ship : fleet)
        for (int k = 0; k < ship.size; ++k)
            setCell(field, ship.rows[k], ship.cols[k], CellDeck);
}

Replay match(ReplayOpponent opponent, std::int64_t startedAt) {
    Replay r;
    r.startedAt = startedAt;
    r.opponent = opponent;
    r.level = opponent == ReplayOpponent::Computer ? 3 : 0;
    layFleet(r.ownFleet, r.ownField, false);
    layFleet(r.enemyFleet, r.enemyField, true);
    return r;
}

// Writer, folder and reader together, with the numbers of the written layout:
// 1432 bytes, the name and 8 a shot; the last 100 kept and nothing else of the
// folder touched.
TEST(ReplayFile, MatchesRoundTripThroughTheFolder) {
    // Against the computer, won: it misses, the player sinks the whole fleet.
    Replay won = match(ReplayOpponent::Computer, 1700000000);
    won.end = ReplayEnd::Won;
    won.shots.push_back({ReplaySide::Opponent, 10, 10, 0});
    for (const Ship& ship : won.enemyFleet)
        for (int k = 0; k < ship.size; ++k)
            won.shots.push_back(
                {ReplaySide::Player, ship.rows[k], ship.cols[k], 1000u * std::uint32_t(won.shots.size())});

    // Over the LAN: a shot at known water ('2') is a miss with a mark, unlike
    // the computer's; the opponent then left. Its name is cleaned.
    Replay lan = match(ReplayOpponent::Lan, 1700000100);
    lan.opponentName = "Анна\x07";
    lan.end = ReplayEnd::OpponentLeft;
    lan.shots = {{ReplaySide::Player, 10, 10, 0},
                 {ReplaySide::Opponent, 2, 1, 700},
                 {ReplaySide::Opponent, 1, 1, 9000}};

    // Left by Exit after a sinking: the one-deck ship at g1.
    Replay left = match(ReplayOpponent::Computer, 1700000200);
    left.level = 2;
    left.end = ReplayEnd::Left;
    left.shots = {{ReplaySide::Opponent, 7, 1, 0}, {ReplaySide::Opponent, 7, 2, 1000}};

    // A long LAN match of wasted shots: kept up to 64 KiB and marked cut.
    Replay longMatch = match(ReplayOpponent::Lan, 1700000300);
    longMatch.opponentName = "Bo";
    longMatch.end = ReplayEnd::OpponentSilent;
    for (std::uint32_t i = 0; i < 9000; ++i)
        longMatch.shots.push_back({ReplaySide::Player, 10, 10, i * 50});

    test::TempDir dir;
    const auto folder = dir.path() / "replays";
    std::filesystem::create_directories(folder);
    dir.write("replays/notes.txt", "mine");
    std::filesystem::create_symlink(dir.path() / "elsewhere", folder / "replay-20000101-000000-00.vtxr");
    for (const Replay* r : {&won, &lan, &left, &longMatch})
        ASSERT_FALSE(keepReplay(folder, *r, 3)) << r->startedAt;

    const auto files = replayFiles(folder);
    ASSERT_EQ(files.size(), 3u); // the match won, the oldest, is gone
    EXPECT_EQ(files.back().filename(), "replay-20231114-221500-00.vtxr");
    EXPECT_EQ(dir.read("replays/notes.txt"), "mine");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "replay-20000101-000000-00.vtxr"));

    const auto read = [](const std::filesystem::path& path) { return readFileBytes(path, 1 << 20).bytes; };
    const std::string longBytes = read(files[0]);
    const std::string leftBytes = read(files[1]);
    const std::string lanBytes = read(files[2]);
    EXPECT_EQ(replayFileBytes(won).size(), 1432u + 21 * 8);
    EXPECT_EQ(lanBytes.size(), 1432u + 9 + 3 * 8);
    EXPECT_EQ(longBytes.size(), 1432u + 2 + (65536 - 1432 - 2) / 8 * 8);
    EXPECT_EQ(longBytes.substr(0, 10), std::string("VTXREPLY\x01\x00", 10));

    for (const auto& [bytes, wanted] : {std::pair{replayFileBytes(won), won}, std::pair{lanBytes, lan},
                                        std::pair{leftBytes, left}, std::pair{longBytes, longMatch}}) {
        const ReplayRead back = readReplayFile(bytes);
        ASSERT_TRUE(back.ok()) << back.detail;
        Replay expected = wanted;
        if (expected.opponentName == "Анна\x07") expected.opponentName = "Анна?";
        if (expected.shots.size() > 8000) {
            expected.shots.resize(8012);
            expected.cut = true;
        }
        EXPECT_EQ(back.replay, expected) << wanted.startedAt;
    }

    // What the shots did is worked out again from the fleets.
    ReplayPlayer wonPlayer(won);
    wonPlayer.toEnd();
    EXPECT_TRUE(wonPlayer.enemyFleetGone());
    EXPECT_EQ(wonPlayer.tally(ReplaySide::Player), (ReplayTally{20, 20, 10}));
    ReplayPlayer lanPlayer(lan);
    ReplayPlayer leftPlayer(left);
    EXPECT_TRUE(lanPlayer.step(1).marked);
    EXPECT_EQ(leftPlayer.step(0).sunkShip, 7);
    EXPECT_EQ(leftPlayer.step(1).outcome, ShotOutcome::Wasted); // the computer's shot at water it knew
}

} // namespace
} // namespace vtx
