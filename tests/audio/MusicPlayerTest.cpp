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
        ASSERT_TRUE(mStartDir.isValid());
        QDir(mStartDir.path()).mkdir(QStringLiteral("Music"));
    }

    void addSong(const QString& name, const QByteArray& bytes) {
        test::writeFile(mStartDir.path() + QStringLiteral("/Music/") + name, bytes);
    }

    void start(bool withDevice = true) {
        mPlayer.reset();
        mSound.reset();
        mSound = std::make_unique<SoundSystem>();
        if (withDevice) {
            ASSERT_TRUE(mSound->init());
        }
        mPlayer = std::make_unique<MusicPlayer>(mStartDir.path());
        mPlayer->setMessageBox([this](const QString& title, const QString& text) {
            mBoxes.push_back({title, text});
        });
        QObject::connect(mPlayer.get(), &MusicPlayer::mciNotifyHandled, [this] {
            ++mNotifications;
            mOnUiThread = mOnUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
        });
        mPlayer->shown();
    }

    void TearDown() override {
        mPlayer.reset();
        mSound.reset();
    }

    bool waitForNotification() {
        const int before = mNotifications;
        return DiskOutput::waitFor([&] { return mNotifications > before; });
    }

    QTemporaryDir mStartDir;
    DiskOutput mOutput;
    std::unique_ptr<SoundSystem> mSound;
    std::unique_ptr<MusicPlayer> mPlayer;
    std::vector<Box> mBoxes;
    int mNotifications = 0;
    bool mOnUiThread = true;
};

TEST_F(MusicPlayerTest, PlaylistHoldsNonEmptyFilesSortedByName) {
    addSong(QStringLiteral("c.mid"), test::singleNoteMidi(0.2));
    addSong(QStringLiteral("a.mid"), test::singleNoteMidi(0.2));
    addSong(QStringLiteral("empty.mid"), QByteArray());
    addSong(QStringLiteral("b.txt"), QByteArray("any extension is a song"));
    QDir(mStartDir.path()).mkdir(QStringLiteral("Music/folder.mid"));
    start(false);
    EXPECT_EQ(mPlayer->playlist(), QStringList({"a.mid", "b.txt", "c.mid"}));

    // Rebuilt at every activation.
    addSong(QStringLiteral("d.mid"), test::singleNoteMidi(0.2));
    mPlayer->shown();
    EXPECT_EQ(mPlayer->playlist().size(), 4);
}

TEST_F(MusicPlayerTest, MissingMusicFolderGivesEmptyPlaylistAndNoSongNoError) {
    QDir(mStartDir.path() + QStringLiteral("/Music")).removeRecursively();
    start();
    EXPECT_TRUE(mPlayer->playlist().isEmpty());
    mPlayer->startNextSong();
    mPlayer->musicToggled(true);
    EXPECT_FALSE(mPlayer->isPlaying());
    EXPECT_EQ(mPlayer->mciDeviceId(), 0);
    EXPECT_TRUE(mBoxes.empty());
    EXPECT_EQ(mPlayer->musicState(), 2);
}

TEST_F(MusicPlayerTest, ShortSongPlaysToItsEndAndTheNextStarts) {
    for (const char* name : {"one.mid", "two.mid", "three.mid"})
        addSong(QLatin1String(name), test::singleNoteMidi(0.3));
    start();
    ASSERT_EQ(mPlayer->playlist(), QStringList({"one.mid", "three.mid", "two.mid"}));
    mOutput.mark();
    mPlayer->setSongIndex(1);
    mPlayer->startNextSong(); // a game start: the next song, "two.mid"
    ASSERT_TRUE(mBoxes.empty()) << mBoxes.front().text.toStdString();
    EXPECT_EQ(mPlayer->songIndex(), 2);
    EXPECT_EQ(mPlayer->musicState(), 2);
    EXPECT_TRUE(mPlayer->isPlaying());
    const auto firstDevice = mPlayer->mciDeviceId();

    // The song ends by itself (the synthesiser lets the note ring out for a
    // few seconds); the handler wraps to the first song.
    ASSERT_TRUE(DiskOutput::waitFor([&] { return mPlayer->songIndex() == 0; }, 20000));
    EXPECT_TRUE(mOnUiThread);
    EXPECT_EQ(mNotifications, 1);
    EXPECT_TRUE(mPlayer->isPlaying());
    EXPECT_NE(mPlayer->mciDeviceId(), firstDevice);
    EXPECT_TRUE(mBoxes.empty());
    // The songs were rendered, not just opened.
    EXPECT_GT(test::measure(mOutput.samplesSinceMark()).peakLeft, 200);
}

TEST_F(MusicPlayerTest, UncheckingMusicStopsTheSongAndItsNotificationStartsNothing) {
    addSong(QStringLiteral("long.mid"), test::singleNoteMidi(30));
    addSong(QStringLiteral("other.mid"), test::singleNoteMidi(30));
    start();
    mPlayer->musicToggled(true);
    ASSERT_TRUE(mPlayer->isPlaying());
    EXPECT_EQ(mPlayer->songIndex(), 0); // the current song, not the next
    EXPECT_EQ(mPlayer->musicState(), 2);

    mPlayer->musicToggled(false);
    EXPECT_FALSE(mPlayer->isPlaying());
    EXPECT_EQ(mPlayer->mciDeviceId(), 0);
    EXPECT_EQ(mPlayer->musicState(), 1);
    ASSERT_TRUE(waitForNotification());
    EXPECT_FALSE(mPlayer->isPlaying());
    EXPECT_EQ(mPlayer->songIndex(), 0);
    EXPECT_EQ(mPlayer->mciDeviceId(), 0);
}

TEST_F(MusicPlayerTest, GameStartWhileMusicPlaysMovesOnExactlyOneSong) {
    for (const char* name : {"a.mid", "b.mid", "c.mid"})
        addSong(QLatin1String(name), test::singleNoteMidi(30));
    start();
    mPlayer->musicToggled(true);
    ASSERT_TRUE(mPlayer->isPlaying());
    mPlayer->startNextSong();
    const auto device = mPlayer->mciDeviceId();
    EXPECT_EQ(mPlayer->songIndex(), 1);
    // The stopped song's notification arrives afterwards and is not a song end.
    ASSERT_TRUE(waitForNotification());
    QCoreApplication::processEvents();
    EXPECT_EQ(mPlayer->songIndex(), 1);
    EXPECT_EQ(mPlayer->mciDeviceId(), device);
    EXPECT_TRUE(mPlayer->isPlaying());
}

TEST_F(MusicPlayerTest, EndOfGameStopsMusicAndIgnoresTheNotification) {
    addSong(QStringLiteral("a.mid"), test::singleNoteMidi(30));
    addSong(QStringLiteral("b.mid"), test::singleNoteMidi(30));
    start();
    mPlayer->startNextSong();
    ASSERT_TRUE(mPlayer->isPlaying());
    mPlayer->stopMusic();
    EXPECT_EQ(mPlayer->musicState(), 1);
    EXPECT_FALSE(mPlayer->isPlaying());
    ASSERT_TRUE(waitForNotification());
    EXPECT_FALSE(mPlayer->isPlaying());
    EXPECT_EQ(mPlayer->mciDeviceId(), 0);
    // Stopping again with nothing open is harmless.
    mPlayer->stopMusic();
    EXPECT_TRUE(mBoxes.empty());
}

TEST_F(MusicPlayerTest, StoredSongIndexWrapsAndPersists) {
    for (const char* name : {"a.mid", "b.mid", "c.mid"})
        addSong(QLatin1String(name), test::singleNoteMidi(30));
    start();
    // A stored "Song" of 50 with three files: a game start plays song 0 ...
    mPlayer->setSongIndex(50);
    mPlayer->startNextSong();
    EXPECT_EQ(mPlayer->songIndex(), 0);
    EXPECT_TRUE(mPlayer->isPlaying());
    mPlayer->stopMusic();
    // ... and so does the Music box.
    mPlayer->setSongIndex(50);
    mPlayer->musicToggled(true);
    EXPECT_EQ(mPlayer->songIndex(), 0);
    EXPECT_TRUE(mPlayer->isPlaying());
    mPlayer->stopMusic();
    // A negative stored value is treated the same way instead of indexing out of range.
    mPlayer->setSongIndex(-7);
    mPlayer->startNextSong();
    EXPECT_EQ(mPlayer->songIndex(), 0);
    mPlayer->stopMusic();

    // Quitting on song 2 stores 3; the next run's game start wraps 4 to 0.
    mPlayer->setSongIndex(1);
    mPlayer->startNextSong();
    ASSERT_EQ(mPlayer->songIndex(), 2);
    const int stored = mPlayer->songIndex() + 1;
    EXPECT_EQ(stored, 3);
    mPlayer->stopMusic();
    mPlayer->setSongIndex(stored);
    mPlayer->startNextSong();
    EXPECT_EQ(mPlayer->songIndex(), 0);
    EXPECT_TRUE(mBoxes.empty());
}

TEST_F(MusicPlayerTest, FailingSongShowsOneInformationBoxPerSong) {
    addSong(QStringLiteral("a.mid"), QByteArray("not a song at all, just some text"));
    QByteArray noTracks = test::singleNoteMidi(1).left(14);
    addSong(QStringLiteral("b.mid"), noTracks);
    start();
    mPlayer->setSongIndex(-1);
    mPlayer->startNextSong(); // open fails; play fails too but shows nothing more
    ASSERT_EQ(mBoxes.size(), 1u);
    EXPECT_EQ(mBoxes[0].title, QStringLiteral("Information"));
    EXPECT_FALSE(mBoxes[0].text.isEmpty());
    EXPECT_FALSE(mPlayer->isPlaying());
    EXPECT_EQ(mPlayer->mciDeviceId(), 0);
    EXPECT_EQ(mPlayer->musicState(), 2);

    mPlayer->startNextSong();
    EXPECT_EQ(mBoxes.size(), 2u);
    EXPECT_EQ(mPlayer->songIndex(), 1);
}

TEST_F(MusicPlayerTest, WithoutAudioDeviceEachSongReportsOnce) {
    addSong(QStringLiteral("a.mid"), test::singleNoteMidi(0.3));
    DiskOutput::selectMissingDriver();
    start(false);
    mPlayer->startNextSong();
    ASSERT_EQ(mBoxes.size(), 1u);
    EXPECT_EQ(mBoxes[0].title, QStringLiteral("Information"));
    EXPECT_EQ(mBoxes[0].text, QStringLiteral("Audio device hasn't been opened"));
    EXPECT_FALSE(mPlayer->isPlaying());
    mPlayer->stopMusic();
    mPlayer->musicToggled(true);
    EXPECT_EQ(mBoxes.size(), 2u);
}

TEST_F(MusicPlayerTest, PlayerCanGoWhileSongsPlayOrNotificationsArePending) {
    addSong(QStringLiteral("a.mid"), test::singleNoteMidi(30));
    start();
    // Destroyed while a song plays.
    mPlayer->startNextSong();
    ASSERT_TRUE(mPlayer->isPlaying());
    mPlayer.reset();
    QCoreApplication::processEvents();

    // Destroyed with the stop's notification still queued.
    start();
    mPlayer->startNextSong();
    mPlayer->stopMusic();
    mPlayer.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(mNotifications, 0);

    // A new player hears only its own songs' ends.
    start();
    mPlayer->musicToggled(true);
    mPlayer->musicToggled(false);
    EXPECT_TRUE(waitForNotification());

    // The device closed under a playing song: nothing is freed twice.
    mPlayer->musicToggled(true);
    mSound.reset();
    EXPECT_FALSE(mPlayer->isPlaying());
    mPlayer->stopMusic();
    mPlayer.reset();
}

TEST_F(MusicPlayerTest, ReportErrorWithoutTextSaysNoMessageAvailable) {
    start(false);
    mPlayer->mciReportError(QString());
    mPlayer->mciReportError(QStringLiteral("second"));
    ASSERT_EQ(mBoxes.size(), 1u);
    EXPECT_EQ(mBoxes[0].text, QStringLiteral("No message available"));
}

} // namespace
} // namespace vtx
