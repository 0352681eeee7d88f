#include "../support/TempDir.h"
#include "GuiTestSupport.h"
#include "ui/FlatButton.h"
#include "ui/MessageWindow.h"
#include "ui/ScoresWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinFont.h"
#include "ui/SkinLineEdit.h"

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

TEST_F(ScoreWindow, MissingFileShowsAnEmptyTableInViewingState) {
    ScoresWindow score(&host, nullptr);
    score.setScoreFile(dir.path() / "hscore.dat");
    for (FlatButton* row : score.rowButtons)
        EXPECT_TRUE(row->isHidden());
    EXPECT_FALSE(score.emptyLabel->isHidden());
    EXPECT_FALSE(score.saveButton->isEnabled());
    EXPECT_EQ(score.saveButton->skinFont(), disabledFont());
    EXPECT_FALSE(score.nameEdit->isEnabled());
    EXPECT_EQ(score.pointsLabel->text(), QStringLiteral("0"));
    EXPECT_EQ(score.rowButtons[6]->geometry(), QRect(51, 48 + 24 * 6, 201, 23));

    score.show(); // no result pending: viewing only, nothing to enter
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&score));
    for (QWidget* entry :
         std::initializer_list<QWidget*>{score.saveButton, score.nameEdit, score.pointsLabel})
        EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(score.closeButton->x(), (score.width() - score.closeButton->width()) / 2);
    score.close();
}

TEST_F(ScoreWindow, PendingResultIsEnteredSavedAndShown) {
    writeTable({300, 250, 250, 200, 150, 100, 50});
    ScoresWindow score(&host, nullptr);
    score.setScoreFile(dir.path() / "hscore.dat");
    EXPECT_EQ(score.rowButtons[0]->text(), QStringLiteral("p1               300"));
    EXPECT_TRUE(score.emptyLabel->isHidden());

    host.pending = true;
    host.points = 250;
    host.name = QStringLiteral("Hero");
    score.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&score));
    EXPECT_FALSE(host.pending);
    EXPECT_TRUE(score.nameEdit->isEnabled());
    EXPECT_EQ(score.nameEdit->text(), QStringLiteral("Hero"));
    EXPECT_EQ(score.pointsLabel->text(), QStringLiteral("250"));
    EXPECT_TRUE(score.saveButton->isEnabled());
    EXPECT_EQ(score.saveButton->skinFont(), enabledFont());
    test::saveShot(&score, QStringLiteral("scores-entering.png"));

    QTest::mouseClick(score.saveButton, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(score.rowButtons[3]->text(), QStringLiteral("Hero             250"));
    EXPECT_EQ(score.rowButtons[6]->text(), QStringLiteral("p6               100"));
    EXPECT_FALSE(score.saveButton->isEnabled());
    EXPECT_FALSE(score.nameEdit->isEnabled());
    EXPECT_TRUE(score.nameEdit->text().isEmpty());
    test::saveShot(&score, QStringLiteral("scores-saved.png"));

    const ScoreTable onDisk = parseScoreFile(dir.read("hscore.dat"));
    EXPECT_EQ(onDisk.points, (std::array<std::int32_t, 7>{300, 250, 250, 250, 200, 150, 100}));
    EXPECT_EQ(onDisk.names[3], "Hero           ");

    QTest::mouseClick(score.closeButton, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(score.isVisible());
    EXPECT_EQ(score.pointsLabel->text(), QStringLiteral("0"));
}

TEST_F(ScoreWindow, ResultTooLowStillRewritesTheFileWithNewPadding) {
    writeTable({300, 250, 250, 200, 150, 100, 50});
    const std::string before = dir.read("hscore.dat");
    ScoresWindow score(&host, nullptr);
    score.setScoreFile(dir.path() / "hscore.dat");
    score.setRandomSource([](int n) { return n - 1; });
    host.pending = true;
    host.points = 50;
    score.show();
    score.saveClicked();
    const std::string after = dir.read("hscore.dat");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NE(after, before);
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(after.substr(row * 42 + 10, 20), before.substr(row * 42 + 10, 20));
    EXPECT_EQ(static_cast<unsigned char>(after[0]), 249);
    score.close();
}

TEST_F(ScoreWindow, ClosingWithoutSavingDropsTheEntryState) {
    ScoresWindow score(&host, nullptr);
    score.setScoreFile(dir.path() / "hscore.dat");
    host.pending = true;
    host.points = 99;
    score.show();
    score.close();
    EXPECT_FALSE(score.saveButton->isEnabled());
    EXPECT_EQ(score.saveButton->skinFont(), disabledFont());
    EXPECT_FALSE(score.nameEdit->isEnabled());
    EXPECT_EQ(score.pointsLabel->text(), QStringLiteral("0"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "hscore.dat"));
}

TEST_F(ScoreWindow, DraggedFromThePictureButNotFromControls) {
    writeTable({300, 250, 250, 200, 150, 100, 50});
    ScoresWindow score(&host, nullptr);
    score.setScoreFile(dir.path() / "hscore.dat");
    host.pending = true;
    int moves = 0;
    score.setMoveStarter([&](SkinnedWindow&) { ++moves; });
    score.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&score));
    QTest::mousePress(&score, Qt::LeftButton, {}, QPoint(20, 300));
    QTest::mousePress(&score, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(moves, 2);
    QTest::mousePress(score.rowButtons[2], Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(score.pointsLabel, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mousePress(&score, Qt::LeftButton, {}, score.pointsLabel->geometry().center());
    EXPECT_EQ(moves, 2);
    for (FlatButton* row : score.rowButtons)
        EXPECT_FALSE(row->showsFocusLook());
    score.close();
}

TEST_F(ScoreWindow, AFailedSaveIsShownAndTheTableKeepsTheEntry) {
    MessageWindow mess;
    dir.write("blocker", "a regular file, not a folder");
    ScoresWindow score(&host, nullptr);
    score.setScoreFile(dir.path() / "blocker" / "hscore.dat");
    host.pending = true;
    host.points = 120;
    host.name = QStringLiteral("Unlucky");
    score.show();
    QString shown;
    QTimer::singleShot(50, &mess, [&] {
        shown = mess.messageText->text();
        mess.close();
    });
    score.saveClicked();
    EXPECT_TRUE(shown.contains(QStringLiteral("not saved"))) << shown.toStdString();
    EXPECT_EQ(score.rowButtons[0]->text(), QStringLiteral("Unlucky          120"));
    score.close();
}

// A table that is there but cannot be read is never replaced by this
// session's rows: a folder of that name, a file too large to be a table.
TEST_F(ScoreWindow, AnUnreadableTableIsReportedAndNeverOverwritten) {
    MessageWindow mess;
    const std::string huge(100 * 1024, 'x');
    for (const bool folder : {true, false}) {
        std::filesystem::remove_all(dir.path() / "hscore.dat");
        if (folder)
            std::filesystem::create_directories(dir.path() / "hscore.dat" / "inside");
        else
            dir.write("hscore.dat", huge);
        ScoresWindow score(&host, nullptr);
        score.setScoreFile(dir.path() / "hscore.dat");
        EXPECT_TRUE(score.rowButtons[0]->isHidden());
        host.pending = true;
        host.points = 90;
        host.name = QStringLiteral("Careful");
        score.show();
        QString shown;
        QTimer::singleShot(50, &mess, [&] {
            shown = mess.messageText->text();
            mess.close();
        });
        score.saveClicked();
        EXPECT_TRUE(shown.contains(QStringLiteral("not saved"))) << folder << shown.toStdString();
        EXPECT_TRUE(shown.contains(QStringLiteral("hscore.dat"))) << shown.toStdString();
        if (folder)
            EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "hscore.dat" / "inside"));
        else
            EXPECT_EQ(dir.read("hscore.dat"), huge);
        EXPECT_EQ(score.rowButtons[0]->text(), QStringLiteral("Careful           90"));
        score.close();
    }
}

} // namespace
} // namespace vtx
