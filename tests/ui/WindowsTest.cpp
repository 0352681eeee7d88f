#include "GuiTestSupport.h"
#include "ui/SkinFont.h"
#include "ui/TFormMess.h"
#include "ui/TSkinnedForm.h"
#include "ui/TWispButton.h"
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

TEST(TSkinnedForm, OutlinesCutTheCornersAndChildrenStayWhole) {
    TSkinnedForm form;
    form.resize(306, 184);
    form.SetOutline(TSkinnedForm::Outline306(184));
    // A control across the cut top-left corner.
    auto* corner = new QLabel(&form);
    corner->setGeometry(0, 0, 12, 12);
    form.RebuildWindowRgn();
    const QRegion region = form.WindowRegion();
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_TRUE(region.contains(QPoint(x, y))) << x << "," << y;
    EXPECT_FALSE(region.contains(QPoint(305, 0))); // the top-right corner stays cut
    EXPECT_FALSE(region.contains(QPoint(304, 2)));
    EXPECT_TRUE(region.contains(QPoint(150, 90)));
    EXPECT_TRUE(region.contains(QPoint(0, 183))); // square bottom corners
    EXPECT_TRUE(region.contains(QPoint(304, 183)));
    EXPECT_FALSE(region.contains(QPoint(150, 185)));
    EXPECT_EQ(form.mask(), region);

    TSkinnedForm plain;
    plain.resize(306, 184);
    plain.SetOutline(TSkinnedForm::Outline306(184));
    plain.RebuildWindowRgn();
    EXPECT_FALSE(plain.WindowRegion().contains(QPoint(0, 0)));
    EXPECT_FALSE(plain.WindowRegion().contains(QPoint(1, 1)));
}

TEST(TSkinnedForm, MainOutlineCutsAllFourCorners) {
    TSkinnedForm main;
    main.resize(751, 605);
    main.SetOutline(TSkinnedForm::MainOutline());
    main.RebuildWindowRgn();
    const QRegion r = main.WindowRegion();
    EXPECT_TRUE(r.contains(QPoint(370, 300)));
    for (QPoint out :
         {QPoint(0, 0), QPoint(740, 0), QPoint(740, 600), QPoint(0, 600), QPoint(745, 300), QPoint(370, 602)})
        EXPECT_FALSE(r.contains(out)) << out.x() << "," << out.y();
    main.SetDragArea(10, 10, 470, 28);
    EXPECT_TRUE(main.InDragArea(QPoint(11, 11)));
    EXPECT_TRUE(main.InDragArea(QPoint(469, 27)));
    EXPECT_FALSE(main.InDragArea(QPoint(470, 20)));
    EXPECT_FALSE(main.InDragArea(QPoint(20, 28)));
}

TEST(TSkinnedForm, PlacedFromTheMainWindowGeometry) {
    QWidget mainWindow(nullptr, Qt::FramelessWindowHint);
    mainWindow.setGeometry(100, 50, 751, 605);
    TSkinnedForm form;
    form.resize(306, 184);
    form.PlaceRelativeTo(&mainWindow);
    // (100 + 751) / 2 - 306 / 2 + 20, (50 + 605) / 2 - 184 / 2 + 50
    EXPECT_EQ(form.pos(), QPoint(425 - 153 + 20, 327 - 92 + 50));
}

TEST(TSkinnedForm, MissingPanelIsReportedAndTheWindowStillWorks) {
    TSkinnedForm form;
    EXPECT_FALSE(form.LoadPanel(QStringLiteral("data\\no-such-panel.jpg"), QSize(306, 184)));
    EXPECT_TRUE(form.PanelError().contains(QStringLiteral("no-such-panel.jpg")));
    EXPECT_EQ(form.PaintBitmap().size(), QSize(306, 184));
    EXPECT_EQ(form.PanelPixel(400, 400), QColor(Qt::black));
}

TEST(TFormMess, DragsOnlyFromItsTitleStrip) {
    test::enterRunDir();
    TFormMess mess;
    int moves = 0;
    mess.SetMoveStarter([&](TSkinnedForm&) { ++moves; });
    mess.ShowFormMess(60, QStringLiteral("drag test"), false);
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

TEST(TFormMess, NonModalShowsWithoutOkAndASecondCallOnlyReplacesTheText) {
    const bool havePanels = test::enterRunDir();
    TFormMess mess;
    if (havePanels) {
        EXPECT_TRUE(mess.PanelError().isEmpty()) << mess.PanelError().toStdString();
    }
    CountShows counter;
    mess.installEventFilter(&counter);

    ShowFormMess(50,
                 QStringLiteral("The game is running for a first time\r\nPlease wait while network is "
                                "checking\r\nIt will take 1-2 min..."),
                 false);
    ASSERT_TRUE(mess.isVisible());
    EXPECT_FALSE(mess.elbtOk->isVisible());
    EXPECT_EQ(mess.labMessF->y(), 50);
    EXPECT_EQ(mess.labMessF2->y(), 51);
    EXPECT_EQ(mess.labMessF2->x(), mess.labMessF->x() - 1);
    EXPECT_TRUE(mess.labMessF->text().contains(QLatin1Char('\n')));
    EXPECT_FALSE(mess.labMessF->text().contains(QLatin1Char('\r')));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mess));
    test::saveShot(&mess, QStringLiteral("message-nonmodal.png"));

    ShowFormMess(40, QStringLiteral("There is no game to Join!"), false);
    EXPECT_EQ(mess.labMessF->text(), QStringLiteral("There is no game to Join!"));
    EXPECT_EQ(mess.labMessF2->text(), QStringLiteral("There is no game to Join!"));
    EXPECT_EQ(mess.labMessF->y(), 40);
    EXPECT_EQ(counter.shows, 1);
    mess.hide();
}

TEST(TFormMess, ModalReturnsAfterOkOrClose) {
    test::enterRunDir();
    QWidget mainWindow(nullptr, Qt::FramelessWindowHint);
    mainWindow.setGeometry(100, 50, 751, 605);
    TFormMess mess(&mainWindow);
    EXPECT_EQ(mess.pos(), QPoint(292, 285));

    bool okSeen = false;
    QTimer::singleShot(50, &mess, [&] {
        okSeen = mess.elbtOk->isVisible() && mess.isVisible() && mess.InModalLoop();
        test::saveShot(&mess, QStringLiteral("message-modal.png"));
        QTest::mouseClick(mess.elbtOk, Qt::LeftButton, {}, QPoint(10, 10));
    });
    ShowFormMess(60, QStringLiteral("Ships Arrangement Complete!"), true);
    EXPECT_TRUE(okSeen);
    EXPECT_FALSE(mess.isVisible());

    bool stillWaiting = false;
    QTimer::singleShot(50, &mess, [&] {
        stillWaiting = mess.InModalLoop();
        mess.close();
    });
    ShowFormMess(60, QStringLiteral("Opponent left the game!"), true);
    EXPECT_TRUE(stillWaiting);
    EXPECT_FALSE(mess.isVisible());

    // Enter and Esc answer Ok as a click does; a message without Ok ignores them.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QTimer::singleShot(50, &mess, [&] { QTest::keyClick(&mess, key); });
        ShowFormMess(60, QStringLiteral("Ships Arrangement Complete!"), true);
        EXPECT_FALSE(mess.isVisible()) << key;
    }
    ShowFormMess(60, QStringLiteral("Wait"), false);
    QTest::keyClick(&mess, Qt::Key_Escape);
    EXPECT_TRUE(mess.isVisible());
    mess.hide();
}

// A player can always close a message: a notice has its Ok button, and a
// modal message over one shown without a wait becomes modal with Ok.
TEST(TFormMess, EveryMessageThatNobodyHidesCanBeClosed) {
    test::enterRunDir();
    TFormMess mess;
    mess.ShowNotice(60, QStringLiteral("Invalid stream"));
    ASSERT_TRUE(mess.isVisible());
    EXPECT_TRUE(mess.elbtOk->isVisible());
    QTest::mouseClick(mess.elbtOk, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(mess.isVisible());

    mess.ShowFormMess(50, QStringLiteral("Please wait"), false);
    bool answerable = false;
    QTimer::singleShot(50, &mess, [&] {
        answerable = mess.InModalLoop() && mess.elbtOk->isVisible();
        QTest::mouseClick(mess.elbtOk, Qt::LeftButton, {}, QPoint(10, 10));
    });
    mess.ShowFormMess(60, QStringLiteral("Opponent left the game!"), true);
    EXPECT_TRUE(answerable);
    EXPECT_FALSE(mess.isVisible());
}

TEST(TSkinnedForm, DestroyedWhileModalEndsTheWaitCleanly) {
    test::enterRunDir();
    auto* form = new TSkinnedForm;
    form->setGeometry(0, 0, 200, 100);
    bool waiting = false;
    QTimer::singleShot(50, [&] {
        waiting = form->InModalLoop();
        delete form;
    });
    const QPointer<TSkinnedForm> watched(form);
    form->ExecModal();
    EXPECT_TRUE(waiting);
    EXPECT_TRUE(watched.isNull());
}

// The message window grows with the main window (here 1.6 times) and its
// question answers by keys and by clicks just inside a scaled button.
TEST(TFormMess, AQuestionAtTheMainWindowsScaleAnswersByKeysAndExactClicks) {
    test::enterRunDir();
    TSkinnedForm main;
    main.resize(751, 605);
    main.EnableScaling();
    main.show();
    main.resize(WindowScale(QSize(751, 605)).windowSize(1.6));
    ASSERT_DOUBLE_EQ(main.Scale().factor(), 1.6);
    TFormMess mess;
    mess.FollowScaleOf(&main);
    std::vector<int> answers;
    const auto ask = [&] {
        mess.Ask(60, QStringLiteral("Leave this match?"), [&](bool yes) { answers.push_back(yes); });
    };
    ask();
    EXPECT_EQ(mess.size(), WindowScale(QSize(306, 184)).windowSize(1.6));
    EXPECT_TRUE(mess.elbtYes->isVisible());
    EXPECT_FALSE(mess.elbtOk->isVisible());
    for (int key : {Qt::Key_N, Qt::Key_Y, Qt::Key_Escape, Qt::Key_Return}) {
        QTest::keyClick(&mess, Qt::Key(key));
        EXPECT_FALSE(mess.isVisible());
        ask();
    }
    const QPoint nearEdge = mess.Scale().toWindow(QPointF(165 + 70, 141 + 23));
    QWidget* hit = mess.childAt(nearEdge);
    ASSERT_EQ(hit, mess.elbtNo);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&mess, nearEdge));
    EXPECT_EQ(answers, (std::vector<int>{0, 1, 0, 1, 0}));
    ask();
    test::saveShot(&mess, QStringLiteral("message-question-1.6.png"));
    mess.DropQuestion(); // taken away: no answer
    EXPECT_EQ(answers.size(), 5u);
}

TEST(TSkinnedForm, MainWindowBaseWithItsPanel) {
    const bool havePanels = test::enterRunDir();
    TSkinnedForm main;
    main.resize(751, 605);
    const bool loaded = main.LoadPanel(QStringLiteral("DATA\\PANEL1.JPG"), QSize(742, 603));
    EXPECT_EQ(loaded, havePanels);
    main.SetOutline(TSkinnedForm::MainOutline());
    auto* button = new TWispButton(&main);
    button->setGeometry(650, 288, 71, 24);
    button->SetFaces("71x24");
    button->SetText(QStringLiteral("Single"));
    button->SetXOffset(22);
    button->SetYOffset(7);
    button->SetFont(EnabledFont());
    main.RebuildWindowRgn();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    test::saveShot(&main, QStringLiteral("main-base.png"));
}

} // namespace
} // namespace vtx
