#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"

#include "AudioTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vtx {
namespace {

using test::DiskOutput;

struct Box {
    QString title;
    QString text;
};

// A start folder with a Music folder; the player runs on a disk-driver device.
class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_startDir.isValid());
        QDir(m_startDir.path()).mkdir(QStringLiteral("Music"));
    }

    void addSong(const QString& name, const QByteArray& bytes) {
        test::writeFile(m_startDir.path() + QStringLiteral("/Music/") + name, bytes);
    }

    void start(bool withDevice = true) {
        m_player.reset();
        m_sound.reset();
        m_sound = std::make_unique<SoundSystem>();
        if (withDevice) {
            ASSERT_TRUE(m_sound->init());
        }
        m_player = std::make_unique<MusicPlayer>(m_startDir.path());
        m_player->setMessageBox([this](const QString& title, const QString& text) {
            m_boxes.push_back({title, text});
        });
        QObject::connect(m_player.get(), &MusicPlayer::songEndHandled, [this] {
            ++m_notifications;
            m_onUiThread = m_onUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        });
        m_player->shown();
    }

    void TearDown() override {
        m_player.reset();
        m_sound.reset();
    }

    bool waitForNotification() {
        const int before = m_notifications;
        return DiskOutput::waitFor([&] { return m_notifications > before; });
    }

    QTemporaryDir m_startDir;
    DiskOutput m_output;
    std::unique_ptr<SoundSystem> m_sound;
    std::unique_ptr<MusicPlayer> m_player;
    std::vector<Box> m_boxes;
    int m_notifications = 0;
    bool m_onUiThread = true;
};

TEST_F(MusicPlayerTest, PlaylistHoldsNonEmptyFilesSortedByName) {
    addSong(QStringLiteral("c.mid"), test::singleNoteMidi(0.2));
    addSong(QStringLiteral("a.mid"), test::singleNoteMidi(0.2));
    addSong(QStringLiteral("empty.mid"), QByteArray());
    addSong(QStringLiteral("b.txt"), QByteArray("any extension is a song"));
    QDir(m_startDir.path()).mkdir(QStringLiteral("Music/folder.mid"));
    start(false);
    EXPECT_EQ(m_player->playlist(), QStringList({"a.mid", "b.txt", "c.mid"}));

    // Rebuilt at every activation.
    addSong(QStringLiteral("d.mid"), test::singleNoteMidi(0.2));
    m_player->shown();
    EXPECT_EQ(m_player->playlist().size(), 4);
}

TEST_F(MusicPlayerTest, MissingMusicFolderGivesEmptyPlaylistAndNoSongNoError) {
    QDir(m_startDir.path() + QStringLiteral("/Music")).removeRecursively();
    start();
    EXPECT_TRUE(m_player->playlist().isEmpty());
    m_player->startNextSong();
    m_player->musicToggled(true);
    EXPECT_FALSE(m_player->isPlaying());
    EXPECT_EQ(m_player->songId(), 0);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(m_player->musicState(), 2);
}

TEST_F(MusicPlayerTest, ShortSongPlaysToItsEndAndTheNextStarts) {
    for (const char* name : {"one.mid", "two.mid", "three.mid"})
        addSong(QLatin1String(name), test::singleNoteMidi(0.3));
    start();
    ASSERT_EQ(m_player->playlist(), QStringList({"one.mid", "three.mid", "two.mid"}));
    m_output.mark();
    m_player->setSongIndex(1);
    m_player->startNextSong(); // a game start: the next song, "two.mid"
    ASSERT_TRUE(m_boxes.empty()) << m_boxes.front().text.toStdString();
    EXPECT_EQ(m_player->songIndex(), 2);
    EXPECT_EQ(m_player->musicState(), 2);
    EXPECT_TRUE(m_player->isPlaying());
    const auto firstDevice = m_player->songId();

    // The song ends by itself (the synthesiser lets the note ring out for a
    // few seconds); the handler wraps to the first song.
    ASSERT_TRUE(DiskOutput::waitFor([&] { return m_player->songIndex() == 0; }, 20000));
    EXPECT_TRUE(m_onUiThread);
    EXPECT_EQ(m_notifications, 1);
    EXPECT_TRUE(m_player->isPlaying());
    EXPECT_NE(m_player->songId(), firstDevice);
    EXPECT_TRUE(m_boxes.empty());
    // The songs were rendered, not just opened.
    EXPECT_GT(test::measure(m_output.samplesSinceMark()).peakLeft, 200);
}

TEST_F(MusicPlayerTest, UncheckingMusicStopsTheSongAndItsNotificationStartsNothing) {
    addSong(QStringLiteral("long.mid"), test::singleNoteMidi(30));
    addSong(QStringLiteral("other.mid"), test::singleNoteMidi(30));
    start();
    m_player->musicToggled(true);
    ASSERT_TRUE(m_player->isPlaying());
    EXPECT_EQ(m_player->songIndex(), 0); // the current song, not the next
    EXPECT_EQ(m_player->musicState(), 2);

    m_player->musicToggled(false);
    EXPECT_FALSE(m_player->isPlaying());
    EXPECT_EQ(m_player->songId(), 0);
    EXPECT_EQ(m_player->musicState(), 1);
    ASSERT_TRUE(waitForNotification());
    EXPECT_FALSE(m_player->isPlaying());
    EXPECT_EQ(m_player->songIndex(), 0);
    EXPECT_EQ(m_player->songId(), 0);
}

TEST_F(MusicPlayerTest, GameStartWhileMusicPlaysMovesOnExactlyOneSong) {
    for (const char* name : {"a.mid", "b.mid", "c.mid"})
        addSong(QLatin1String(name), test::singleNoteMidi(30));
    start();
    m_player->musicToggled(true);
    ASSERT_TRUE(m_player->isPlaying());
    m_player->startNextSong();
    const auto device = m_player->songId();
    EXPECT_EQ(m_player->songIndex(), 1);
    // The stopped song's notification arrives afterwards and is not a song end.
    ASSERT_TRUE(waitForNotification());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_player->songIndex(), 1);
    EXPECT_EQ(m_player->songId(), device);
    EXPECT_TRUE(m_player->isPlaying());
}

TEST_F(MusicPlayerTest, EndOfGameStopsMusicAndIgnoresTheNotification) {
    addSong(QStringLiteral("a.mid"), test::singleNoteMidi(30));
    addSong(QStringLiteral("b.mid"), test::singleNoteMidi(30));
    start();
    m_player->startNextSong();
    ASSERT_TRUE(m_player->isPlaying());
    m_player->stopMusic();
    EXPECT_EQ(m_player->musicState(), 1);
    EXPECT_FALSE(m_player->isPlaying());
    ASSERT_TRUE(waitForNotification());
    EXPECT_FALSE(m_player->isPlaying());
    EXPECT_EQ(m_player->songId(), 0);
    // Stopping again with nothing open is harmless.
    m_player->stopMusic();
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(MusicPlayerTest, StoredSongIndexWrapsAndPersists) {
    for (const char* name : {"a.mid", "b.mid", "c.mid"})
        addSong(QLatin1String(name), test::singleNoteMidi(30));
    start();
    // A stored "Song" of 50 with three files: a game start plays song 0 ...
    m_player->setSongIndex(50);
    m_player->startNextSong();
    EXPECT_EQ(m_player->songIndex(), 0);
    EXPECT_TRUE(m_player->isPlaying());
    m_player->stopMusic();
    // ... and so does the Music box.
    m_player->setSongIndex(50);
    m_player->musicToggled(true);
    EXPECT_EQ(m_player->songIndex(), 0);
    EXPECT_TRUE(m_player->isPlaying());
    m_player->stopMusic();
    // A negative stored value is treated the same way instead of indexing out of range.
    m_player->setSongIndex(-7);
    m_player->startNextSong();
    EXPECT_EQ(m_player->songIndex(), 0);
    m_player->stopMusic();

    // Quitting on song 2 stores 3; the next run's game start wraps 4 to 0.
    m_player->setSongIndex(1);
    m_player->startNextSong();
    ASSERT_EQ(m_player->songIndex(), 2);
    const int stored = m_player->songIndex() + 1;
    EXPECT_EQ(stored, 3);
    m_player->stopMusic();
    m_player->setSongIndex(stored);
    m_player->startNextSong();
    EXPECT_EQ(m_player->songIndex(), 0);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(MusicPlayerTest, FailingSongShowsOneInformationBoxPerSong) {
    addSong(QStringLiteral("a.mid"), QByteArray("not a song at all, just some text"));
    QByteArray noTracks = test::singleNoteMidi(1).left(14);
    addSong(QStringLiteral("b.mid"), noTracks);
    start();
    m_player->setSongIndex(-1);
    m_player->startNextSong(); // open fails; play fails too but shows nothing more
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("Information"));
    EXPECT_FALSE(m_boxes[0].text.isEmpty());
    EXPECT_FALSE(m_player->isPlaying());
    EXPECT_EQ(m_player->songId(), 0);
    EXPECT_EQ(m_player->musicState(), 2);

    m_player->startNextSong();
    EXPECT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_player->songIndex(), 1);
}

TEST_F(MusicPlayerTest, WithoutAudioDeviceEachSongReportsOnce) {
    addSong(QStringLiteral("a.mid"), test::singleNoteMidi(0.3));
    DiskOutput::selectMissingDriver();
    start(false);
    m_player->startNextSong();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("Information"));
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("Audio device hasn't been opened"));
    EXPECT_FALSE(m_player->isPlaying());
    m_player->stopMusic();
    m_player->musicToggled(true);
    EXPECT_EQ(m_boxes.size(), 2u);
}

TEST_F(MusicPlayerTest, PlayerCanGoWhileSongsPlayOrNotificationsArePending) {
    addSong(QStringLiteral("a.mid"), test::singleNoteMidi(30));
    start();
    // Destroyed while a song plays.
    m_player->startNextSong();
    ASSERT_TRUE(m_player->isPlaying());
    m_player.reset();
    QCoreApplication::processEvents();

    // Destroyed with the stop's notification still queued.
    start();
    m_player->startNextSong();
    m_player->stopMusic();
    m_player.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_notifications, 0);

    // A new player hears only its own songs' ends.
    start();
    m_player->musicToggled(true);
    m_player->musicToggled(false);
    EXPECT_TRUE(waitForNotification());

    // The device closed under a playing song: nothing is freed twice.
    m_player->musicToggled(true);
    m_sound.reset();
    EXPECT_FALSE(m_player->isPlaying());
    m_player->stopMusic();
    m_player.reset();
}

TEST_F(MusicPlayerTest, ReportErrorWithoutTextSaysNoMessageAvailable) {
    start(false);
    m_player->reportMusicError(QString());
    m_player->reportMusicError(QStringLiteral("second"));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("No message available"));
}

} // namespace
} // namespace vtx
