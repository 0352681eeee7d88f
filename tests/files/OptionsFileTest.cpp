#include "files/OptionsFile.h"

#include "../support/TempDir.h"
#include "files/IniFile.h"
#include "game/Match.h"
#include "tests/support/MatchSetup.h"
#include "tests/support/NullMatchHost.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vtx {
namespace {

TEST(OptionsFile, MissingFileGivesTheDefaults) {
    test::TempDir dir;
    const StoredOptions o = readStoredOptions(dir.path());
    EXPECT_EQ(o.playerName, "");
    EXPECT_FALSE(o.shipsManualArranging);
    EXPECT_FALSE(o.enableSound);
    EXPECT_FALSE(o.enableMusic);
    EXPECT_EQ(o.song, 0);
    EXPECT_EQ(o.difficulty, 0);
    EXPECT_EQ(readVortalixDifficulty(dir.path()), std::nullopt);
}

TEST(OptionsFile, CloseWritesFiveKeysInOrderAndTwiceGivesTheSameFile) {
    test::TempDir dir;
    StoredOptions o;
    o.playerName = "Captain";
    o.shipsManualArranging = true;
    o.enableMusic = true;
    o.difficulty = 2;
    o.song = 9; // never written by Close
    ASSERT_FALSE(saveStoredOptions(dir.path(), o));
    const std::string first = dir.read("vtx.ini");
    EXPECT_EQ(first, "[Options]\r\nPlayerName=Captain\r\nShipsManualArranging=1\r\nEnableSound=0\r\n"
                     "EnableMusic=1\r\nDifficulty=2\r\n");
    ASSERT_FALSE(saveStoredOptions(dir.path(), o));
    EXPECT_EQ(dir.read("vtx.ini"), first);

    const StoredOptions back = readStoredOptions(dir.path());
    EXPECT_EQ(back.playerName, "Captain");
    EXPECT_TRUE(back.shipsManualArranging);
    EXPECT_FALSE(back.enableSound);
    EXPECT_TRUE(back.enableMusic);
    EXPECT_EQ(back.difficulty, 2);
    EXPECT_EQ(back.song, 0);
}

TEST(OptionsFile, SongIsWrittenOnlyByTheQuitPathAndKeptByClose) {
    test::TempDir dir;
    ASSERT_FALSE(saveSong(dir.path(), 4));
    ASSERT_FALSE(saveStoredOptions(dir.path(), StoredOptions{}));
    EXPECT_EQ(readStoredOptions(dir.path()).song, 4);
    ASSERT_FALSE(saveSong(dir.path(), 5));
    EXPECT_EQ(readStoredOptions(dir.path()).song, 5);
}

// The volume levels and the window size go in keys of their own, added after
// the file's bytes; an older file without them reads as "not stored".
TEST(OptionsFile, SessionKeysRoundTripAndLeaveTheRestOfTheFileAlone) {
    test::TempDir dir;
    const std::string old = "[Options]\r\nPlayerName=Ann\r\nSong=3\r\nMusicLevel=x\r\n";
    dir.write("vtx.ini", old);
    StoredSession none = readStoredSession(dir.path());
    EXPECT_FALSE(none.effectsLevel || none.musicLevel || none.windowWidth || none.windowHeight);
    ASSERT_FALSE(saveStoredSession(dir.path(), StoredSession{40, 12, 1202, 968}));
    EXPECT_EQ(dir.read("vtx.ini"), "[Options]\r\nPlayerName=Ann\r\nSong=3\r\nMusicLevel=12\r\n"
                                   "EffectsLevel=40\r\nWindowWidth=1202\r\nWindowHeight=968\r\n");
    const StoredSession back = readStoredSession(dir.path());
    EXPECT_EQ(back.effectsLevel, 40);
    EXPECT_EQ(back.musicLevel, 12);
    EXPECT_EQ(back.windowWidth, 1202);
    EXPECT_EQ(back.windowHeight, 968);
    EXPECT_EQ(readStoredOptions(dir.path()).playerName, "Ann");
}

TEST(OptionsFile, LevelOutsideTheListMeansNoLevelAndIsStoredAsMinusOne) {
    test::TempDir dir;
    for (const char* stored : {"4", "-1", "-7", "100"}) {
        dir.write("vtx.ini", std::string("[Options]\nDifficulty=") + stored + "\n");
        StoredOptions o = readStoredOptions(dir.path());
        EXPECT_EQ(o.difficulty, -1) << stored;
        ASSERT_FALSE(saveStoredOptions(dir.path(), o));
        EXPECT_NE(dir.read("vtx.ini").find("Difficulty=-1\r\n"), std::string::npos);
    }
    dir.write("vtx.ini", "[Options]\nDifficulty=Hard\n");
    EXPECT_EQ(readStoredOptions(dir.path()).difficulty, 0);
}

TEST(OptionsFile, WindowsWrittenFileIsUpdatedInPlaceKeepingUnknownKeys) {
    test::TempDir dir;
    dir.write("VTX.INI", "[OPTIONS]\r\nplayername=Old\r\nEnableSound=1\r\nSong=3\r\nCustom=keep me\r\n"
                         "\r\n[Window]\r\nLeft=10\r\n");
    StoredOptions o = readStoredOptions(dir.path());
    EXPECT_EQ(o.playerName, "Old");
    EXPECT_TRUE(o.enableSound);
    o.playerName = "New";
    ASSERT_FALSE(saveStoredOptions(dir.path(), o));
    EXPECT_EQ(dir.read("VTX.INI"),
              "[OPTIONS]\r\nplayername=New\r\nEnableSound=1\r\nSong=3\r\nCustom=keep me\r\n"
              "ShipsManualArranging=0\r\nEnableMusic=0\r\nDifficulty=0\r\n\r\n"
              "[Window]\r\nLeft=10\r\n");
}

TEST(OptionsFile, AFileTooLargeToReadWholeIsNeverCutBySaving) {
    test::TempDir dir;
    const std::string huge = "[Options]\r\nPlayerName=Big\r\n[Junk]\r\n" + std::string(kMaxIniBytes, 'j');
    dir.write("vtx.ini", huge);
    EXPECT_EQ(readStoredOptions(dir.path()).playerName, "Big");
    const auto error = saveStoredOptions(dir.path(), StoredOptions{});
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("vtx.ini"), std::string::npos);
    EXPECT_EQ(dir.read("vtx.ini"), huge);
    EXPECT_TRUE(saveSong(dir.path(), 3));
}

TEST(OptionsFile, VortalixIniGivesOnlyTheLevel) {
    test::TempDir dir;
    dir.write("vortalix.ini", "[Options]\r\nDifficulty=1\r\nPlayerName=ignored\r\n");
    EXPECT_EQ(readVortalixDifficulty(dir.path()), 1);
    dir.write("vortalix.ini", "[Options]\r\nDifficulty=4\r\n");
    EXPECT_EQ(readVortalixDifficulty(dir.path()), -1);
    // A file without the key leaves the player's level alone.
    dir.write("vortalix.ini", "[Options]\r\nPlayerName=ignored\r\n");
    EXPECT_EQ(readVortalixDifficulty(dir.path()), std::nullopt);
    EXPECT_EQ(readStoredOptions(dir.path()).playerName, "");
}

TEST(OptionsFile, PlayerNamesBeyondAsciiAreUtf8AndOldLatin1NamesStillRead) {
    test::TempDir dir;
    StoredOptions o;
    o.playerName = "Ярослава Łódź ß";
    ASSERT_FALSE(saveStoredOptions(dir.path(), o));
    EXPECT_NE(dir.read("vtx.ini").find("PlayerName=Ярослава Łódź ß\r\n"), std::string::npos);
    EXPECT_EQ(readStoredOptions(dir.path()).playerName, "Ярослава Łódź ß");
    dir.write("vtx.ini", "[Options]\r\nPlayerName=J\xF6rg\r\n"); // as an earlier version wrote it
    EXPECT_EQ(readStoredOptions(dir.path()).playerName, "Jörg");
}

TEST(OptionsFile, AdmiralIsStoredAsThreeAndPlaysAsLevelFourOrAsHardOverTheLan) {
    test::TempDir dir;
    StoredOptions o;
    o.difficulty = AdmiralLevelIndex;
    ASSERT_FALSE(saveStoredOptions(dir.path(), o));
    EXPECT_NE(dir.read("vtx.ini").find("Difficulty=3\r\n"), std::string::npos);
    const int level = readStoredOptions(dir.path()).difficulty;
    EXPECT_EQ(level, 3);

    struct Clock final : IClock {
        std::int64_t now = 43200000;
        std::int64_t timeOfDayMs() override { return ++now; }
        std::int64_t tickMs() override { return now; }
    } clock;
    NullMatchHost host;
    host.difficulty = level;
    Match m(host, clock);
    MatchState& s = test::setUp(m);
    m.placeFleets(); // at random, then the selected level's set-up
    EXPECT_EQ(std::count(s.ownField.begin(), s.ownField.end(), CellZone), 0); // plain water, as Easy's
    EXPECT_EQ(s.level, 4);
    // Scored as 4: the player sinks the last deck with the tenth shot.
    s.enemyField = emptyField();
    s.enemyField[0] = CellDeck;
    s.enemyFleet = Fleet{};
    s.enemyFleet[6].size = 1;
    s.enemyFleet[6].rows[0] = s.enemyFleet[6].cols[0] = 1;
    s.enemyFleet[6].deckState[0] = DeckIntact;
    s.fightStarted = s.gameInProgress = true;
    s.playerTurn = 1;
    s.playerShots = 9;
    s.enemyHits = 4;
    ASSERT_TRUE(m.playerShootAt(1, 1));
    EXPECT_TRUE(s.gameWon);
    EXPECT_EQ(s.lastPoints, 4 * (2 * (80 - 10) + 5 * (20 - 4)));

    // A LAN match with the fleet placed by hand: Hard's set-up and points.
    m.arrangeFleet();
    s.ownField = s.workField;
    s.netMode = true;
    m.runDifficultySetup(level);
    EXPECT_GT(std::count(s.ownField.begin(), s.ownField.end(), CellZone), 0);
    EXPECT_EQ(s.level, 3);
}

} // namespace
} // namespace vtx
