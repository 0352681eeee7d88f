#include "ui/OptionsWindow.h"
#include "../support/TempDir.h"
#include "GuiTestSupport.h"
#include "ui/MessageWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckBox.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinLineEdit.h"
#include "ui/WindowScale.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace vtx {
namespace {

class OptionsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::enterRunDir();
        host.folder = dir.path();
    }
    test::TempDir dir;
    test::FakeOptionsHost host;
};

TEST_F(OptionsWindowTest, FirstStartShowsTheDefaultsAndLeavesSoundAlone) {
    OptionsWindow opt(&host, nullptr);
    EXPECT_EQ(opt.playerNameEdit->text(), QString());
    EXPECT_FALSE(opt.manualBox->checked());
    EXPECT_FALSE(opt.soundBox->checked());
    EXPECT_FALSE(opt.musicBox->checked());
    EXPECT_EQ(opt.levelBox->currentText(), QStringLiteral("Easy"));
    EXPECT_EQ(host.songIndex, 0);
    EXPECT_FALSE(host.calls.contains(QStringLiteral("SetSoundOn")));
    EXPECT_TRUE(host.soundOn);
    EXPECT_EQ(opt.musicBar->value(), 30);
    EXPECT_EQ(opt.effectsBar->maximum(), 60);
    EXPECT_EQ(opt.size(), QSize(306, 325));
    EXPECT_EQ(opt.playerNameEdit->geometry().topLeft(), QPoint(136, 50));
    EXPECT_EQ(opt.levelBox->geometry(), QRect(128, 226, 129, 21));
    EXPECT_EQ(opt.closeButton->geometry(), QRect(110, 280, 86, 24));
    EXPECT_EQ(opt.manualBox->color(), opt.panelPixel(42, 42));
}

TEST_F(OptionsWindowTest, CloseStoresTheSettingsAndTheNextReadBringsThemBack) {
    {
        OptionsWindow opt(&host, nullptr);
        opt.playerNameEdit->setText(QStringLiteral("Nemo"));
        opt.manualBox->setChecked(true);
        opt.soundBox->setChecked(true);
        opt.levelBox->setCurrentIndex(1);
        host.calls.clear();
        opt.closeClicked();
        EXPECT_EQ(host.calls, (QStringList{QStringLiteral("SetTurnDelay"), QStringLiteral("SetSoundOn")}));
        EXPECT_EQ(host.turnDelay, 1);
        EXPECT_TRUE(host.soundOn);
        const std::string first = dir.read("vtx.ini");
        EXPECT_EQ(first, "[Options]\r\nPlayerName=Nemo\r\nShipsManualArranging=1\r\nEnableSound=1\r\n"
                         "EnableMusic=0\r\nDifficulty=1\r\n");
        opt.closeClicked();
        EXPECT_EQ(dir.read("vtx.ini"), first);
    }
    OptionsWindow again(&host, nullptr);
    EXPECT_EQ(again.playerNameEdit->text(), QStringLiteral("Nemo"));
    EXPECT_TRUE(again.manualBox->checked());
    EXPECT_TRUE(again.soundBox->checked());
    EXPECT_FALSE(again.musicBox->checked());
    EXPECT_EQ(again.levelBox->currentIndex(), 1);
}

TEST_F(OptionsWindowTest, CloseStoresTheArrangementForTheNextGame) {
    OptionsWindow opt(&host, nullptr);
    opt.manualBox->setChecked(true);
    opt.closeClicked();
    EXPECT_NE(dir.read("vtx.ini").find("ShipsManualArranging=1\r\n"), std::string::npos);
}

TEST_F(OptionsWindowTest, ActivationRereadsTheFileThenCapturesVolumes) {
    dir.write("vtx.ini", "[Options]\r\nPlayerName=Stored\r\nEnableMusic=1\r\nSong=6\r\nDifficulty=2\r\n");
    OptionsWindow opt(&host, nullptr);
    EXPECT_EQ(host.musicClicks, 0); // reading the box never switches music
    EXPECT_TRUE(opt.musicBox->checked());
    opt.playerNameEdit->setText(QStringLiteral("unsaved edit"));
    opt.levelBox->setCurrentIndex(0);
    host.songIndex = 42;
    host.calls.clear();
    opt.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&opt));
    EXPECT_EQ(opt.playerNameEdit->text(), QStringLiteral("Stored"));
    EXPECT_EQ(opt.levelBox->currentIndex(), 2);
    EXPECT_EQ(host.songIndex, 6);
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("SetSongIndex"), QStringLiteral("CaptureVolumes")}));
    EXPECT_EQ(host.musicClicks, 0);
    test::saveShot(&opt, QStringLiteral("options.png"));
    opt.close();
    // Leaving without Close keeps the file.
    EXPECT_NE(dir.read("vtx.ini").find("PlayerName=Stored"), std::string::npos);
}

TEST_F(OptionsWindowTest, UserInputOnTheControls) {
    OptionsWindow opt(&host, nullptr);
    opt.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&opt));

    // The music box's click switches music; every box hands the focus to the level selector.
    QTest::mouseClick(opt.musicBox, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(host.musicClicks, 1);
    EXPECT_TRUE(host.musicOn);
    EXPECT_EQ(opt.focusWidget(), opt.levelBox);
    QTest::mouseClick(opt.manualBox, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(opt.manualBox->checked());
    EXPECT_EQ(opt.focusWidget(), opt.levelBox);
    EXPECT_EQ(host.musicClicks, 1);

    // Level buttons: steps of 3, kept within 0..60, each step sets the device.
    for (int i = 0; i < 11; ++i)
        QTest::mouseClick(opt.effectsDownButton, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opt.effectsBar->value(), 0);
    EXPECT_EQ(host.waveLevel, 0);
    for (int i = 0; i < 25; ++i)
        QTest::mouseClick(opt.musicUpButton, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opt.musicBar->value(), 60);
    EXPECT_EQ(host.midiLevel, 60);
    QTest::mouseClick(opt.effectsUpButton, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(opt.musicDownButton, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(host.waveLevel, 3);
    EXPECT_EQ(host.midiLevel, 57);

    // The options window cannot be dragged.
    int moves = 0;
    opt.setMoveStarter([&](SkinnedWindow&) { ++moves; });
    QTest::mousePress(&opt, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mousePress(&opt, Qt::LeftButton, {}, QPoint(150, 15));
    EXPECT_EQ(moves, 0);

    QTest::mouseClick(opt.closeButton, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(opt.isVisible());
    EXPECT_NE(dir.read("vtx.ini").find("EnableMusic=1"), std::string::npos);
}

// Inside a main window made 1.6 times larger the captions grow with their
// controls, and a click just inside a scaled box still lands on it.
TEST_F(OptionsWindowTest, AtTheMainWindowsScaleCaptionsGrowWithTheirControls) {
    SkinnedWindow main;
    main.resize(751, 605);
    main.enableScaling();
    main.show();
    main.resize(WindowScale(QSize(751, 605)).windowSize(1.6));
    OptionsWindow opt(&host, nullptr);
    opt.followScaleOf(&main);
    opt.show();
    ASSERT_DOUBLE_EQ(opt.scale().factor(), 1.6);
    EXPECT_EQ(opt.manualBox->font().pixelSize(), 18); // 11 x 1.6
    const QPoint nearEdge = opt.scale().toWindow(QPointF(48 + 1, 74 + 19));
    ASSERT_EQ(opt.childAt(nearEdge), opt.manualBox);
    QTest::mouseClick(opt.manualBox, Qt::LeftButton, {}, opt.manualBox->mapFrom(&opt, nearEdge));
    EXPECT_TRUE(opt.manualBox->checked());
}

TEST_F(OptionsWindowTest, UnknownLevelShowsNothingSelectedAndIsStoredAsMinusOne) {
    dir.write("vtx.ini", "[Options]\nDifficulty=7\n");
    OptionsWindow opt(&host, nullptr);
    EXPECT_EQ(opt.levelBox->currentIndex(), -1);
    opt.closeClicked();
    EXPECT_NE(dir.read("vtx.ini").find("Difficulty=-1\r\n"), std::string::npos);
}

TEST_F(OptionsWindowTest, AFailedSaveIsShownAndTheOldFileStays) {
    MessageWindow mess;
    dir.write("vtx.ini", "[Options]\r\nPlayerName=Old\r\n");
    std::filesystem::create_directories(dir.path() / "vtx.ini.tmp" / "blocker");
    OptionsWindow opt(&host, nullptr);
    opt.playerNameEdit->setText(QStringLiteral("New"));
    QString shown;
    QTimer::singleShot(50, &mess, [&] {
        shown = mess.messageText->text();
        mess.close();
    });
    opt.closeClicked();
    EXPECT_TRUE(shown.contains(QStringLiteral("not saved"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("vtx.ini"))) << shown.toStdString();
    EXPECT_EQ(dir.read("vtx.ini"), "[Options]\r\nPlayerName=Old\r\n");
    EXPECT_FALSE(host.soundOn); // the rest of Close still happened
}

} // namespace
} // namespace vtx
