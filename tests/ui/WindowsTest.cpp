#include "GuiTestSupport.h"
#include "ui/MessageWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinFont.h"
#include "ui/SkinnedWindow.h"
#include "ui/WindowScale.h"

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace vtx {
namespace {

class CountShows : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++shows;
        return false;
    }
};

TEST(SkinnedWindow, OutlinesCutTheCornersAndChildrenStayWhole) {
    SkinnedWindow skinned;
    skinned.resize(306, 184);
    skinned.setOutline(SkinnedWindow::outline306(184));
    // A control across the cut top-left corner.
    auto* corner = new QLabel(&skinned);
    corner->setGeometry(0, 0, 12, 12);
    skinned.rebuildWindowRgn();
    const QRegion region = skinned.windowRegion();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_TRUE(region.contains(QPoint(x, y))) << x << "," << y;
    EXPECT_FALSE(region.contains(QPoint(305, 0))); // the top-right corner stays cut
    EXPECT_FALSE(region.contains(QPoint(304, 2)));
    EXPECT_TRUE(region.contains(QPoint(150, 90)));
    EXPECT_TRUE(region.contains(QPoint(0, 183))); // square bottom corners
    EXPECT_TRUE(region.contains(QPoint(304, 183)));
    EXPECT_FALSE(region.contains(QPoint(150, 185)));
    EXPECT_EQ(skinned.mask(), region);

    SkinnedWindow plain;
    plain.resize(306, 184);
    plain.setOutline(SkinnedWindow::outline306(184));
    plain.rebuildWindowRgn();
    EXPECT_FALSE(plain.windowRegion().contains(QPoint(0, 0)));
    EXPECT_FALSE(plain.windowRegion().contains(QPoint(1, 1)));
}

TEST(SkinnedWindow, MainOutlineCutsAllFourCorners) {
    SkinnedWindow main;
    main.resize(751, 605);
    main.setOutline(SkinnedWindow::mainOutline());
    main.rebuildWindowRgn();
    const QRegion r = main.windowRegion();
    EXPECT_TRUE(r.contains(QPoint(370, 300)));
    for (QPoint out :
         {QPoint(0, 0), QPoint(740, 0), QPoint(740, 600), QPoint(0, 600), QPoint(745, 300), QPoint(370, 602)})
        EXPECT_FALSE(r.contains(out)) << out.x() << "," << out.y();
    main.setDragArea(10, 10, 470, 28);
    EXPECT_TRUE(main.inDragArea(QPoint(11, 11)));
    EXPECT_TRUE(main.inDragArea(QPoint(469, 27)));
    EXPECT_FALSE(main.inDragArea(QPoint(470, 20)));
    EXPECT_FALSE(main.inDragArea(QPoint(20, 28)));
}

TEST(SkinnedWindow, PlacedFromTheMainWindowGeometry) {
    QWidget mainWindow(nullptr, Qt::FramelessWindowHint);
    mainWindow.setGeometry(100, 50, 751, 605);
    SkinnedWindow skinned;
    skinned.resize(306, 184);
    skinned.placeRelativeTo(&mainWindow);
    // Centred over it, not over the middle between the screen's corner and its far edge.
    EXPECT_EQ(skinned.pos(), QPoint(100 + (751 - 306) / 2, 50 + (605 - 184) / 2));
}

TEST(SkinnedWindow, MissingPanelIsReportedAndTheWindowStillWorks) {
    SkinnedWindow skinned;
    EXPECT_FALSE(skinned.loadPanel(QStringLiteral("data\\no-such-panel.jpg"), QSize(306, 184)));
    EXPECT_TRUE(skinned.panelError().contains(QStringLiteral("no-such-panel.jpg")));
    EXPECT_EQ(skinned.paintBitmap().size(), QSize(306, 184));
    EXPECT_EQ(skinned.panelPixel(400, 400), QColor(Qt::black));
}

TEST(MessageWindow, DragsOnlyFromItsTitleStrip) {
    test::enterRunDir();
    MessageWindow mess;
    int moves = 0;
    mess.setMoveStarter([&](SkinnedWindow&) { ++moves; });
    mess.showMessage(60, QStringLiteral("drag test"), false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mess));
    QTest::mousePress(&mess, Qt::LeftButton, {}, QPoint(11, 11));
    EXPECT_EQ(moves, 1);
    QTest::mousePress(&mess, Qt::LeftButton, {}, QPoint(10, 11));
    QTest::mousePress(&mess, Qt::LeftButton, {}, QPoint(11, 28));
    QTest::mousePress(&mess, Qt::LeftButton, {}, QPoint(300, 20));
    EXPECT_EQ(moves, 1);
    QTest::mousePress(&mess, Qt::RightButton, {}, QPoint(299, 27)); // any button drags
    EXPECT_EQ(moves, 2);
    mess.hide();
}

TEST(MessageWindow, NonModalShowsWithoutOkAndASecondCallOnlyReplacesTheText) {
    const bool havePanels = test::enterRunDir();
    MessageWindow mess;
    if (havePanels) {
        EXPECT_TRUE(mess.panelError().isEmpty()) << mess.panelError().toStdString();
    }
    CountShows counter;
    mess.installEventFilter(&counter);

    showMessage(50,
                QStringLiteral("The game is running for a first time\r\nPlease wait while network is "
                               "checking\r\nIt will take 1-2 min..."),
                false);
    ASSERT_TRUE(mess.isVisible());
    EXPECT_FALSE(mess.okButton->isVisible());
    EXPECT_EQ(mess.messageText->y(), 50);
    EXPECT_EQ(mess.messageShadow->y(), 51);
    EXPECT_EQ(mess.messageShadow->x(), mess.messageText->x() - 1);
    EXPECT_TRUE(mess.messageText->text().contains(QLatin1Char('\n')));
    EXPECT_FALSE(mess.messageText->text().contains(QLatin1Char('\r')));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mess));
    test::saveShot(&mess, QStringLiteral("message-nonmodal.png"));

    showMessage(40, QStringLiteral("There is no game to Join!"), false);
    EXPECT_EQ(mess.messageText->text(), QStringLiteral("There is no game to Join!"));
    EXPECT_EQ(mess.messageShadow->text(), QStringLiteral("There is no game to Join!"));
    EXPECT_EQ(mess.messageText->y(), 40);
    EXPECT_EQ(counter.shows, 1);
    mess.hide();
}

TEST(MessageWindow, ModalReturnsAfterOkOrClose) {
    test::enterRunDir();
    QWidget mainWindow(nullptr, Qt::FramelessWindowHint);
    mainWindow.setGeometry(100, 50, 751, 605);
    MessageWindow mess(&mainWindow);
    EXPECT_EQ(mess.pos(), QPoint(100 + (751 - 306) / 2, 50 + (605 - 184) / 2));

    bool okSeen = false;
    QTimer::singleShot(50, &mess, [&] {
        okSeen = mess.okButton->isVisible() && mess.isVisible() && mess.inModalLoop();
        test::saveShot(&mess, QStringLiteral("message-modal.png"));
        QTest::mouseClick(mess.okButton, Qt::LeftButton, {}, QPoint(10, 10));
    });
    showMessage(60, QStringLiteral("Ships Arrangement Complete!"), true);
    EXPECT_TRUE(okSeen);
    EXPECT_FALSE(mess.isVisible());

    bool stillWaiting = false;
    QTimer::singleShot(50, &mess, [&] {
        stillWaiting = mess.inModalLoop();
        mess.close();
    });
    showMessage(60, QStringLiteral("Opponent left the game!"), true);
    EXPECT_TRUE(stillWaiting);
    EXPECT_FALSE(mess.isVisible());

    // Enter and Esc answer Ok as a click does; a message without Ok ignores them.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QTimer::singleShot(50, &mess, [&] { QTest::keyClick(&mess, key); });
        showMessage(60, QStringLiteral("Ships Arrangement Complete!"), true);
        EXPECT_FALSE(mess.isVisible()) << key;
    }
    showMessage(60, QStringLiteral("Wait"), false);
    QTest::keyClick(&mess, Qt::Key_Escape);
    EXPECT_TRUE(mess.isVisible());
    mess.hide();
}

// A player can always close a message: a notice has its Ok button, and a
// modal message over one shown without a wait becomes modal with Ok.
TEST(MessageWindow, EveryMessageThatNobodyHidesCanBeClosed) {
    test::enterRunDir();
    MessageWindow mess;
    mess.showNotice(60, QStringLiteral("Invalid stream"));
    ASSERT_TRUE(mess.isVisible());
    EXPECT_TRUE(mess.okButton->isVisible());
    QTest::mouseClick(mess.okButton, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(mess.isVisible());

    mess.showMessage(50, QStringLiteral("Please wait"), false);
    bool answerable = false;
    QTimer::singleShot(50, &mess, [&] {
        answerable = mess.inModalLoop() && mess.okButton->isVisible();
        QTest::mouseClick(mess.okButton, Qt::LeftButton, {}, QPoint(10, 10));
    });
    mess.showMessage(60, QStringLiteral("Opponent left the game!"), true);
    EXPECT_TRUE(answerable);
    EXPECT_FALSE(mess.isVisible());
}

TEST(SkinnedWindow, DestroyedWhileModalEndsTheWaitCleanly) {
    test::enterRunDir();
    auto* skinned = new SkinnedWindow;
    skinned->setGeometry(0, 0, 200, 100);
    bool waiting = false;
    QTimer::singleShot(50, [&] {
        waiting = skinned->inModalLoop();
        delete skinned;
    });
    const QPointer<SkinnedWindow> watched(skinned);
    skinned->execModal();
    EXPECT_TRUE(waiting);
    EXPECT_TRUE(watched.isNull());
}

// The message window grows with the main window (here 1.6 times) and its
// question answers by keys and by clicks just inside a scaled button.
TEST(MessageWindow, AQuestionAtTheMainWindowsScaleAnswersByKeysAndExactClicks) {
    test::enterRunDir();
    SkinnedWindow main;
    main.resize(751, 605);
    main.enableScaling();
    main.show();
    main.resize(WindowScale(QSize(751, 605)).windowSize(1.6));
    ASSERT_DOUBLE_EQ(main.scale().factor(), 1.6);
    MessageWindow mess;
    mess.followScaleOf(&main);
    std::vector<int> answers;
    const auto ask = [&] {
        mess.ask(60, QStringLiteral("Leave this match?"), [&](bool yes) { answers.push_back(yes); });
    };
    ask();
    EXPECT_EQ(mess.size(), WindowScale(QSize(306, 184)).windowSize(1.6));
    EXPECT_TRUE(mess.yesButton->isVisible());
    EXPECT_FALSE(mess.okButton->isVisible());
    for (int key : {Qt::Key_N, Qt::Key_Y, Qt::Key_Escape, Qt::Key_Return}) {
        QTest::keyClick(&mess, Qt::Key(key));
        EXPECT_FALSE(mess.isVisible());
        ask();
    }
    const QPoint nearEdge = mess.scale().toWindow(QPointF(165 + 70, 141 + 23));
    QWidget* hit = mess.childAt(nearEdge);
    ASSERT_EQ(hit, mess.noButton);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&mess, nearEdge));
    EXPECT_EQ(answers, (std::vector<int>{0, 1, 0, 1, 0}));
    ask();
    test::saveShot(&mess, QStringLiteral("message-question-1.6.png"));
    mess.dropQuestion(); // taken away: no answer
    EXPECT_EQ(answers.size(), 5u);
}

TEST(SkinnedWindow, MainWindowBaseWithItsPanel) {
    const bool havePanels = test::enterRunDir();
    SkinnedWindow main;
    main.resize(751, 605);
    const bool loaded = main.loadPanel(QStringLiteral("DATA\\PANEL1.JPG"), QSize(742, 603));
    EXPECT_EQ(loaded, havePanels);
    main.setOutline(SkinnedWindow::mainOutline());
    auto* button = new SkinButton(&main);
    button->setGeometry(650, 288, 71, 24);
    button->setFaces("71x24");
    button->setText(QStringLiteral("Single"));
    button->setXOffset(22);
    button->setYOffset(7);
    button->setSkinFont(enabledFont());
    main.rebuildWindowRgn();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    test::saveShot(&main, QStringLiteral("main-base.png"));
}

} // namespace
} // namespace vtx
