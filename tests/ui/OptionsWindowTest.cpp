#include "../support/TempDir.h"
#include "GuiTestSupport.h"
#include "ui/TBitCheckBox.h"
#include "ui/TFlatEdit.h"
#include "ui/TFormMess.h"
#include "ui/TFormOpt.h"
#include "ui/TWispButton.h"
#include "ui/TWispComboBox.h"
#include "ui/WindowScale.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace vtx {
namespace {

class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        test::enterRunDir();
        host.startDir = dir.path();
    }
    test::TempDir dir;
    test::FakeOptionsHost host;
};

TEST_F(OptionsWindow, FirstStartShowsTheDefaultsAndLeavesSoundAlone) {
    TFormOpt opt(&host, nullptr);
    EXPECT_EQ(opt.edPlayerName->text(), QString());
    EXPECT_FALSE(opt.bcbManual->Checked());
    EXPECT_FALSE(opt.bcbEnableSounds->Checked());
    EXPECT_FALSE(opt.bcbEnableMusic->Checked());
    EXPECT_EQ(opt.cbDifficulty->currentText(), QStringLiteral("Easy"));
    EXPECT_EQ(host.songIndex, 0);
    EXPECT_FALSE(host.calls.contains(QStringLiteral("SetSoundOn")));
    EXPECT_TRUE(host.soundOn);
    EXPECT_EQ(opt.ProgressBar1->value(), 30);
    EXPECT_EQ(opt.ProgressBar2->maximum(), 60);
    EXPECT_EQ(opt.size(), QSize(306, 325));
    EXPECT_EQ(opt.edPlayerName->geometry().topLeft(), QPoint(136, 50));
    EXPECT_EQ(opt.cbDifficulty->geometry(), QRect(128, 226, 129, 21));
    EXPECT_EQ(opt.elbtClose->geometry(), QRect(64, 280, 86, 24));
    EXPECT_EQ(opt.bcbManual->Color(), opt.PanelPixel(42, 42));
}

TEST_F(OptionsWindow, CloseStoresTheSettingsAndTheNextReadBringsThemBack) {
    {
        TFormOpt opt(&host, nullptr);
        opt.edPlayerName->setText(QStringLiteral("Nemo"));
        opt.bcbManual->SetChecked(true);
        opt.bcbEnableSounds->SetChecked(true);
        opt.cbDifficulty->setCurrentIndex(1);
        host.calls.clear();
        opt.elbtCloseClick();
        EXPECT_EQ(host.calls, (QStringList{QStringLiteral("SetTurnDelay"), QStringLiteral("SetSoundOn")}));
        EXPECT_EQ(host.turnDelay, 1);
        EXPECT_TRUE(host.soundOn);
        const std::string first = dir.read("vtx.ini");
        EXPECT_EQ(first, "[Options]\r\nPlayerName=Nemo\r\nShipsManualArranging=1\r\nEnableSound=1\r\n"
                         "EnableMusic=0\r\nDifficulty=1\r\n");
        opt.elbtCloseClick();
        EXPECT_EQ(dir.read("vtx.ini"), first);
    }
    TFormOpt again(&host, nullptr);
    EXPECT_EQ(again.edPlayerName->text(), QStringLiteral("Nemo"));
    EXPECT_TRUE(again.bcbManual->Checked());
    EXPECT_TRUE(again.bcbEnableSounds->Checked());
    EXPECT_FALSE(again.bcbEnableMusic->Checked());
    EXPECT_EQ(again.cbDifficulty->currentIndex(), 1);
}

TEST_F(OptionsWindow, CloseStoresTheArrangementForTheNextGame) {
    TFormOpt opt(&host, nullptr);
    opt.bcbManual->SetChecked(true);
    opt.elbtCloseClick();
    EXPECT_NE(dir.read("vtx.ini").find("ShipsManualArranging=1\r\n"), std::string::npos);
}

TEST_F(OptionsWindow, ActivationRereadsTheFileThenCapturesVolumes) {
    dir.write("vtx.ini", "[Options]\r\nPlayerName=Stored\r\nEnableMusic=1\r\nSong=6\r\nDifficulty=2\r\n");
    TFormOpt opt(&host, nullptr);
    EXPECT_EQ(host.musicClicks, 0); // reading the box never switches music
    EXPECT_TRUE(opt.bcbEnableMusic->Checked());
    opt.edPlayerName->setText(QStringLiteral("unsaved edit"));
    opt.cbDifficulty->setCurrentIndex(0);
    host.songIndex = 42;
    host.calls.clear();
    opt.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&opt));
    EXPECT_EQ(opt.edPlayerName->text(), QStringLiteral("Stored"));
    EXPECT_EQ(opt.cbDifficulty->currentIndex(), 2);
    EXPECT_EQ(host.songIndex, 6);
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("SetSongIndex"), QStringLiteral("CaptureVolumes")}));
    EXPECT_EQ(host.musicClicks, 0);
    test::saveShot(&opt, QStringLiteral("options.png"));
    opt.close();
    // Leaving without Close keeps the file.
    EXPECT_NE(dir.read("vtx.ini").find("PlayerName=Stored"), std::string::npos);
}

TEST_F(OptionsWindow, UserInputOnTheControls) {
    TFormOpt opt(&host, nullptr);
    opt.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&opt));

    // The music box's click switches music; every box hands the focus to the level selector.
    QTest::mouseClick(opt.bcbEnableMusic, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(host.musicClicks, 1);
    EXPECT_TRUE(host.musicOn);
    EXPECT_EQ(opt.focusWidget(), opt.cbDifficulty);
    QTest::mouseClick(opt.bcbManual, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(opt.bcbManual->Checked());
    EXPECT_EQ(opt.focusWidget(), opt.cbDifficulty);
    EXPECT_EQ(host.musicClicks, 1);

    // Level buttons: steps of 3, kept within 0..60, each step sets the device.
    for (int i = 0; i < 11; ++i)
        QTest::mouseClick(opt.btSoundLow, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opt.ProgressBar2->value(), 0);
    EXPECT_EQ(host.waveLevel, 0);
    for (int i = 0; i < 25; ++i)
        QTest::mouseClick(opt.btMusicHigh, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opt.ProgressBar1->value(), 60);
    EXPECT_EQ(host.midiLevel, 60);
    QTest::mouseClick(opt.btSoundHigh, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(opt.btMusicLow, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(host.waveLevel, 3);
    EXPECT_EQ(host.midiLevel, 57);

    // The options window cannot be dragged.
    int moves = 0;
    opt.SetMoveStarter([&](TSkinnedForm&) { ++moves; });
    QTest::mousePress(&opt, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mousePress(&opt, Qt::LeftButton, {}, QPoint(150, 15));
    EXPECT_EQ(moves, 0);

    QTest::mouseClick(opt.elbtClose, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(opt.isVisible());
    EXPECT_NE(dir.read("vtx.ini").find("EnableMusic=1"), std::string::npos);
}

// Inside a main window made 1.6 times larger the captions grow with their
// controls, and a click just inside a scaled box still lands on it.
TEST_F(OptionsWindow, AtTheMainWindowsScaleCaptionsGrowWithTheirControls) {
    TSkinnedForm main;
    main.resize(751, 605);
    main.EnableScaling();
    main.show();
    main.resize(WindowScale(QSize(751, 605)).windowSize(1.6));
    TFormOpt opt(&host, nullptr);
    opt.FollowScaleOf(&main);
    opt.show();
    ASSERT_DOUBLE_EQ(opt.Scale().factor(), 1.6);
    EXPECT_EQ(opt.bcbManual->font().pixelSize(), 18); // 11 x 1.6
    const QPoint nearEdge = opt.Scale().toWindow(QPointF(48 + 1, 74 + 19));
    ASSERT_EQ(opt.childAt(nearEdge), opt.bcbManual);
    QTest::mouseClick(opt.bcbManual, Qt::LeftButton, {}, opt.bcbManual->mapFrom(&opt, nearEdge));
    EXPECT_TRUE(opt.bcbManual->Checked());
}

TEST_F(OptionsWindow, UnknownLevelShowsNothingSelectedAndIsStoredAsMinusOne) {
    dir.write("vtx.ini", "[Options]\nDifficulty=7\n");
    TFormOpt opt(&host, nullptr);
    EXPECT_EQ(opt.cbDifficulty->currentIndex(), -1);
    opt.elbtCloseClick();
    EXPECT_NE(dir.read("vtx.ini").find("Difficulty=-1\r\n"), std::string::npos);
}

TEST_F(OptionsWindow, AFailedSaveIsShownAndTheOldFileStays) {
    TFormMess mess;
    dir.write("vtx.ini", "[Options]\r\nPlayerName=Old\r\n");
    std::filesystem::create_directories(dir.path() / "vtx.ini.tmp" / "blocker");
    TFormOpt opt(&host, nullptr);
    opt.edPlayerName->setText(QStringLiteral("New"));
    QString shown;
    QTimer::singleShot(50, &mess, [&] {
        shown = mess.labMessF->text();
        mess.close();
    });
    opt.elbtCloseClick();
    EXPECT_TRUE(shown.contains(QStringLiteral("not saved"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("vtx.ini"))) << shown.toStdString();
    EXPECT_EQ(dir.read("vtx.ini"), "[Options]\r\nPlayerName=Old\r\n");
    EXPECT_FALSE(host.soundOn); // the rest of Close still happened
}

} // namespace
} // namespace vtx
