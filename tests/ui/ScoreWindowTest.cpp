#include "../support/TempDir.h"
#include "GuiTestSupport.h"
#include "ui/SkinFont.h"
#include "ui/TFlatEdit.h"
#include "ui/TFormMess.h"
#include "ui/TFormScore.h"
#include "ui/TOffice97Button.h"
#include "ui/TWispButton.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <random>

namespace vtx {
namespace {

class ScoreWindow : public ::testing::Test {
protected:
    void SetUp() override { test::enterRunDir(); }

    // A table file written as the format says, from points only.
    void writeTable(const std::vector<int>& points) {
        ScoreTable t;
        for (std::size_t i = 0; i < points.size(); ++i) {
            t.names[i] = "p" + std::to_string(i + 1);
            t.points[i] = points[i];
        }
        std::mt19937 gen(1);
        dir.write("hscore.dat", serializeScoreFile(t, [&](int n) { return static_cast<int>(gen() % n); }));
    }

    test::TempDir dir;
    test::FakeScoreHost host;
};

TEST_F(ScoreWindow, MissingFileShowsNonameRowsInViewingState) {
    TFormScore score(&host, nullptr);
    score.SetScoreFile(dir.path() / "hscore.dat");
    for (TOffice97Button* row : score.ob)
        EXPECT_EQ(row->text(), QStringLiteral("noname"));
    EXPECT_FALSE(score.elbtSaveResult->isEnabled());
    EXPECT_EQ(score.elbtSaveResult->Font(), DisabledFont());
    EXPECT_FALSE(score.meEnterName->isEnabled());
    EXPECT_EQ(score.labPoints->text(), QStringLiteral("0"));
    EXPECT_EQ(score.ob[6]->geometry(), QRect(51, 48 + 24 * 6, 201, 23));

    score.show(); // no result pending: viewing only
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&score));
    EXPECT_FALSE(score.elbtSaveResult->isEnabled());
    EXPECT_FALSE(score.meEnterName->isEnabled());
    EXPECT_EQ(score.labPoints->text(), QStringLiteral("0"));
    score.close();
}

TEST_F(ScoreWindow, PendingResultIsEnteredSavedAndShown) {
    writeTable({300, 250, 250, 200, 150, 100, 50});
    TFormScore score(&host, nullptr);
    score.SetScoreFile(dir.path() / "hscore.dat");
    EXPECT_EQ(score.ob[0]->text(), QStringLiteral("p1               300"));

    host.pending = true;
    host.lastPoints = 250;
    host.playerName = QStringLiteral("Hero");
    score.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&score));
    EXPECT_FALSE(host.pending);
    EXPECT_TRUE(score.meEnterName->isEnabled());
    EXPECT_EQ(score.meEnterName->text(), QStringLiteral("Hero"));
    EXPECT_EQ(score.labPoints->text(), QStringLiteral("250"));
    EXPECT_TRUE(score.elbtSaveResult->isEnabled());
    EXPECT_EQ(score.elbtSaveResult->Font(), EnabledFont());
    test::saveShot(&score, QStringLiteral("scores-entering.png"));

    QTest::mouseClick(score.elbtSaveResult, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(score.ob[3]->text(), QStringLiteral("Hero             250"));
    EXPECT_EQ(score.ob[6]->text(), QStringLiteral("p6               100"));
    EXPECT_FALSE(score.elbtSaveResult->isEnabled());
    EXPECT_FALSE(score.meEnterName->isEnabled());
    EXPECT_TRUE(score.meEnterName->text().isEmpty());
    test::saveShot(&score, QStringLiteral("scores-saved.png"));

    const ScoreTable onDisk = parseScoreFile(dir.read("hscore.dat"));
    EXPECT_EQ(onDisk.points, (std::array<std::int32_t, 7>{300, 250, 250, 250, 200, 150, 100}));
    EXPECT_EQ(onDisk.names[3], "Hero           ");

    QTest::mouseClick(score.elbtClose, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(score.isVisible());
    EXPECT_EQ(score.labPoints->text(), QStringLiteral("0"));
}

TEST_F(ScoreWindow, ResultTooLowStillRewritesTheFileWithNewPadding) {
    writeTable({300, 250, 250, 200, 150, 100, 50});
    const std::string before = dir.read("hscore.dat");
    TFormScore score(&host, nullptr);
    score.SetScoreFile(dir.path() / "hscore.dat");
    score.SetRandomSource([](int n) { return n - 1; });
    host.pending = true;
    host.lastPoints = 50;
    score.show();
    score.elbtSaveResultClick();
    const std::string after = dir.read("hscore.dat");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NE(after, before);
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(after.substr(row * 42 + 10, 20), before.substr(row * 42 + 10, 20));
    EXPECT_EQ(static_cast<unsigned char>(after[0]), 249);
    score.close();
}

TEST_F(ScoreWindow, ClosingWithoutSavingDropsTheEntryState) {
    TFormScore score(&host, nullptr);
    score.SetScoreFile(dir.path() / "hscore.dat");
    host.pending = true;
    host.lastPoints = 99;
    score.show();
    score.close();
    EXPECT_FALSE(score.elbtSaveResult->isEnabled());
    EXPECT_EQ(score.elbtSaveResult->Font(), DisabledFont());
    EXPECT_FALSE(score.meEnterName->isEnabled());
    EXPECT_EQ(score.labPoints->text(), QStringLiteral("0"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "hscore.dat"));
}

TEST_F(ScoreWindow, DraggedFromThePictureButNotFromControls) {
    TFormScore score(&host, nullptr);
    int moves = 0;
    score.SetMoveStarter([&](TSkinnedForm&) { ++moves; });
    score.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&score));
    QTest::mousePress(&score, Qt::LeftButton, {}, QPoint(20, 300));
    QTest::mousePress(&score, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(moves, 2);
    QTest::mousePress(score.ob[2], Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(score.labPoints, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mousePress(&score, Qt::LeftButton, {}, score.labPoints->geometry().center());
    EXPECT_EQ(moves, 2);
    for (TOffice97Button* row : score.ob)
        EXPECT_FALSE(row->ShowsFocusLook());
    score.close();
}

TEST_F(ScoreWindow, AFailedSaveIsShownAndTheTableKeepsTheEntry) {
    TFormMess mess;
    dir.write("blocker", "a regular file, not a folder");
    TFormScore score(&host, nullptr);
    score.SetScoreFile(dir.path() / "blocker" / "hscore.dat");
    host.pending = true;
    host.lastPoints = 120;
    host.playerName = QStringLiteral("Unlucky");
    score.show();
    QString shown;
    QTimer::singleShot(50, &mess, [&] {
        shown = mess.labMessF->text();
        mess.close();
    });
    score.elbtSaveResultClick();
    EXPECT_TRUE(shown.contains(QStringLiteral("not saved"))) << shown.toStdString();
    EXPECT_EQ(score.ob[0]->text(), QStringLiteral("Unlucky          120"));
    score.close();
}

// A table that is there but cannot be read is never replaced by this
// session's rows: a folder of that name, a file too large to be a table.
TEST_F(ScoreWindow, AnUnreadableTableIsReportedAndNeverOverwritten) {
    TFormMess mess;
    const std::string huge(100 * 1024, 'x');
    for (const bool folder : {true, false}) {
        std::filesystem::remove_all(dir.path() / "hscore.dat");
        if (folder)
            std::filesystem::create_directories(dir.path() / "hscore.dat" / "inside");
        else
            dir.write("hscore.dat", huge);
        TFormScore score(&host, nullptr);
        score.SetScoreFile(dir.path() / "hscore.dat");
        EXPECT_EQ(score.ob[0]->text(), QStringLiteral("noname"));
        host.pending = true;
        host.lastPoints = 90;
        host.playerName = QStringLiteral("Careful");
        score.show();
        QString shown;
        QTimer::singleShot(50, &mess, [&] {
            shown = mess.labMessF->text();
            mess.close();
        });
        score.elbtSaveResultClick();
        EXPECT_TRUE(shown.contains(QStringLiteral("not saved"))) << folder << shown.toStdString();
        EXPECT_TRUE(shown.contains(QStringLiteral("hscore.dat"))) << shown.toStdString();
        if (folder)
            EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "hscore.dat" / "inside"));
        else
            EXPECT_EQ(dir.read("hscore.dat"), huge);
        EXPECT_EQ(score.ob[0]->text(), QStringLiteral("Careful           90"));
        score.close();
    }
}

} // namespace
} // namespace vtx
