#include "AppTestSupport.h"
#include "tests/scene/ReferencePicture.h"
#include "tests/support/MatchSetup.h"

#include "audio/MidiOutput.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeDevice.h"
#include "audio/WaveOutput.h"
#include "files/OptionsFile.h"
#include "scene/CellCursorMark.h"
#include "scene/engine/TActor.h"
#include "scene/engine/TGLCadencer.h"
#include "scene/engine/TGLSceneViewer.h"
#include "ui/TBitCheckBox.h"
#include "ui/TCompass.h"
#include "ui/TFormMess.h"
#include "ui/TWispButton.h"
#include "ui/WindowScale.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <vector>

namespace vtx {
namespace {

using test::Program;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(run.ok()) << "generated data missing";
        program = std::make_unique<Program>();
        ASSERT_TRUE(form().StartupError().isEmpty()) << form().StartupError().toStdString();
    }
    void TearDown() override { program.reset(); }

    TForm1& form() { return *program->form1; }
    MatchState& state() { return test::setUp(form().match()); }
    TGLSceneViewer* viewer() { return form().GLSceneViewer1; }

    glm::vec3 cellCentre(int board, int row, int column) {
        return form().boards().cell(board, row, column)->AbsolutePosition();
    }
    QPoint cellPixel(int board, int row, int column) {
        return test::projectToViewer(form(), cellCentre(board, row, column));
    }

    // Hovers a cell as the player does and waits until the game has seen it.
    bool hover(int board, int row, int column) {
        TPlane* plane = form().boards().cell(board, row, column);
        const QPoint pixel = cellPixel(board, row, column);
        if (!test::insideViewer(form(), pixel)) return false;
        QTest::mouseMove(viewer(), pixel);
        return QTest::qWaitFor([&] { return form().boards().HoveredCell == plane; }, 3000);
    }

    // Shoots an enemy cell with clicks, trying points from the centre towards
    // the near edge (a burning or sunk ship may stand in front of the centre).
    bool shoot(int row, int column) {
        const glm::vec3 c = cellCentre(EnemyBoard, row, column);
        for (float t : {0.0f, 0.25f, 0.4f}) {
            const QPoint pixel = test::projectToViewer(form(), c + glm::vec3(t, 0.0f, t));
            QTest::mouseMove(viewer(), pixel);
            const int shots = state().PlayerShots;
            QTest::mouseClick(viewer(), Qt::LeftButton, {}, pixel);
            if (state().PlayerShots != shots) return true;
        }
        return false;
    }

    // Keys go to the focused widget of the window, as the system sends them.
    QWidget* keyTarget() {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->window() == &form() ? focus : &form();
    }

    // The event loop until the match waits for nothing more (Single's 100 ms),
    // as a player's next click or key would find it.
    void settle() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form().match().nextWakeMs(); }, 3000));
    }
    void clickButton(TWispButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
    // Exit in a running match asks first: answered yes with the Y key, and the
    // double-click time let pass, so the next click on Exit counts on its own.
    void leaveMatch() {
        clickButton(form().elbtExit);
        if (program->mess->Asking()) QTest::keyClick(program->mess.get(), Qt::Key_Y);
        QTest::qWait(QApplication::doubleClickInterval() + 20);
    }

    // The "Song" value vtx.ini holds, read by its line; -1 when there is none.
    int storedSong() {
        QFile ini(run.path() + QStringLiteral("/vtx.ini"));
        if (!ini.open(QIODevice::ReadOnly)) return -1;
        for (const QByteArray& line : ini.readAll().split('\n'))
            if (line.trimmed().startsWith("Song=")) return line.trimmed().mid(5).toInt();
        return -1;
    }

    test::RunCopy run;
    std::unique_ptr<Program> program;
};

TEST_F(MainWindowTest, TheWindowIsBuiltAsThePlayerSeesIt) {
    EXPECT_EQ(form().size(), QSize(751, 605));
    EXPECT_EQ(form().windowTitle(), "Vortalix 3D");
    EXPECT_TRUE(form().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(viewer()->geometry(), QRect(13, 42, 616, 547));
    EXPECT_EQ(form().Label2->pos(), QPoint(213, 15));
    EXPECT_EQ(form().elbtExit->geometry(), QRect(650, 488, 71, 24));
    EXPECT_EQ(form().elbtSingleGame->Text(), "Single");
    EXPECT_FALSE(form().elbtFight->isEnabled());
    EXPECT_TRUE(form().elbtSingleGame->isEnabled());
    EXPECT_EQ(form().Timer1.interval(), 1000);
    EXPECT_TRUE(form().timerScroll.isActive());
    EXPECT_TRUE(form().world().ActivationStageBuilt());
    EXPECT_TRUE(form().world().HUDText2->Visible);
    // The window is cut to its outline: the top-left corner is outside.
    EXPECT_FALSE(form().mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form().mask().contains(QPoint(300, 300)));
    EXPECT_EQ(form().StartDir(), std::filesystem::path(run.path().toStdString()));

    const QImage shot = form().grab().toImage();
    shot.save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/menu-in-process.png"));
    // The viewer shows a picture, not a blank area.
    const QImage view = viewer()->grabFramebuffer();
    std::vector<QRgb> colours;
    for (int y = 0; y < view.height(); y += 37)
        for (int x = 0; x < view.width(); x += 41)
            colours.push_back(view.pixel(x, y));
    std::sort(colours.begin(), colours.end());
    EXPECT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 50);

    // The logo keeps its place and size in viewer pixels whatever the screen's
    // scale factor (this test runs again with QT_SCALE_FACTOR=2): what it
    // covers is found by drawing the still world with and without it.
    form().timerScroll.stop();
    form().GLCadencer1->setEnabled(false);
    const QImage withLogo = viewer()->grabFramebuffer();
    form().world().HUDText2->Visible = false;
    const QImage withoutLogo = viewer()->grabFramebuffer();
    ASSERT_EQ(withLogo.size(), withoutLogo.size());
    QRect changed;
    for (int y = 0; y < withLogo.height(); ++y)
        for (int x = 0; x < withLogo.width(); ++x) {
            const QRgb a = withLogo.pixel(x, y), b = withoutLogo.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b)) >
                40)
                changed |= QRect(x, y, 1, 1);
        }
    const qreal ratio = viewer()->devicePixelRatioF();
    const QRectF logo(changed.x() / ratio, changed.y() / ratio, changed.width() / ratio,
                      changed.height() / ratio);
    // Drawn at (100, 120), its picture 397 x 303.
    EXPECT_TRUE(QRectF(96, 116, 405, 311).contains(logo))
        << "ratio " << ratio << " logo at " << logo.x() << "," << logo.y() << " " << logo.width() << "x"
        << logo.height();
    EXPECT_GT(logo.width(), 200);
    EXPECT_GT(logo.height(), 150);
}

TEST_F(MainWindowTest, AClickWhereACellIsDrawnPicksThatCellFromEveryAngle) {
    form().timerScroll.stop(); // no idle spin while the test measures
    // The player's turn of a battle, with no ship model standing on a cell:
    // a right click only reads the cell.
    state().FightStarted = true;
    state().PlayerTurn = 1;
    const std::vector<std::array<int, 2>> cells = {{1, 1}, {5, 5}, {10, 10}, {2, 9}, {9, 2}};
    const std::vector<std::array<float, 2>> orbits = {{0, 0}, {0, 70}, {-15, 150}, {20, -120}, {10, 40}};
    int tried = 0;
    // At the window's first size and made larger: the view then draws and
    // picks at its new pixel size.
    for (const double factor : {1.0, 1.6}) {
        form().resize(form().Scale().windowSize(factor));
        QTest::qWait(100);
        ASSERT_EQ(viewer()->geometry(), form().Scale().toWindow(QRect(13, 42, 616, 547)));
        form().cameraFx().BridgeView();
        for (const auto& orbit : orbits) {
            form().world().GLCamera1->OrbitTarget(orbit[0], orbit[1]);
            for (int board : {OwnBoard, EnemyBoard})
                for (const auto& cell : cells) {
                    const QPoint pixel = cellPixel(board, cell[0], cell[1]);
                    if (!test::insideViewer(form(), pixel)) continue;
                    ++tried;
                    state().PickedRow = state().PickedColumn = state().PickedBoard = 0;
                    QTest::mouseClick(viewer(), Qt::RightButton, {}, pixel);
                    EXPECT_EQ(state().PickedBoard, board)
                        << "orbit " << orbit[1] << " cell " << cell[0] << "," << cell[1];
                    EXPECT_EQ(state().PickedRow, cell[0]);
                    EXPECT_EQ(state().PickedColumn, cell[1]);
                    EXPECT_EQ(form().cameraFx().MouseX, pixel.x());
                }
            // The sea beside the own board is no cell.
            const QPoint sea = test::projectToViewer(form(), {-7.5f, 0.0f, 5.0f});
            if (test::insideViewer(form(), sea)) {
                state().PickedRow = 0;
                QTest::mouseClick(viewer(), Qt::RightButton, {}, sea);
                EXPECT_EQ(state().PickedRow, 0);
            }
        }
    }
    EXPECT_GE(tried, 60);
    EXPECT_EQ(state().PlayerShots, 0); // right clicks never shoot
}

TEST_F(MainWindowTest, AWindowMadeLargerScalesItsSkinAndItsViewFillsItsPlace) {
    form().move(0, 0);
    form().resize(form().Scale().windowSize(1.6)); // as the grip or the system would
    QTest::qWait(100);
    const WindowScale& scale = form().Scale();
    EXPECT_DOUBLE_EQ(scale.factor(), 1.6);
    EXPECT_EQ(viewer()->geometry(), QRect(21, 67, 985, 875));
    EXPECT_EQ(form().elbtExit->geometry(), scale.toWindow(QRect(650, 488, 71, 24)));
    EXPECT_EQ(form().Label2->font().pixelSize(), 18);
    EXPECT_FALSE(form().mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form().mask().contains(scale.toWindow(QPointF(738, 588))));
    EXPECT_TRUE(form().InDragArea(scale.toWindow(QPointF(460, 20))));
    EXPECT_FALSE(form().InDragArea(QPoint(757, 20))); // 473 of the layout
    EXPECT_FLOAT_EQ(viewer()->HudScale, 1.6f);
    // The strips that scroll the camera scale too (the cursor is asked of the system).
    QCursor::setPos(form().mapToGlobal(scale.toWindow(QPointF(300, 40))));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().cameraFx().cursorOffsetY() == 40; }, 2000))
        << form().cameraFx().cursorOffsetY();

    // What the screen shows where the view lies: the world at its new size,
    // no black area left over from the old one.
    const int frames = viewer()->framesDrawn();
    viewer()->Invalidate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer()->framesDrawn() > frames; }, 3000));
    QTest::qWait(100);
    const QRect view(viewer()->mapToGlobal(QPoint(0, 0)), viewer()->size());
    const QImage screen =
        form().screen()->grabWindow(0, view.x(), view.y(), view.width(), view.height()).toImage();
    ASSERT_EQ(screen.size(), view.size());
    int black = 0;
    for (int y = 0; y < screen.height(); y += 3)
        for (int x = 0; x < screen.width(); x += 3)
            black += qRed(screen.pixel(x, y)) + qGreen(screen.pixel(x, y)) + qBlue(screen.pixel(x, y)) < 24;
    EXPECT_LT(black, screen.width() * screen.height() / 9 / 100);
    form().grab().toImage().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/window-1.6x-in-process.png"));
    screen.save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/window-1.6x-view-on-screen.png"));

    // The largest size the screen allows (F11), and back (a double click on
    // the title strip).
    const QRect before = form().geometry();
    QTest::keyClick(keyTarget(), Qt::Key_F11);
    const QSize area = form().screen()->availableGeometry().size();
    EXPECT_TRUE(form().Largest());
    EXPECT_TRUE(form().width() == area.width() || form().height() == area.height()) << form().width();
    EXPECT_GT(form().Scale().factor(), 1.6);
    QTest::mouseDClick(&form(), Qt::LeftButton, {}, form().Scale().toWindow(QPointF(200, 20)));
    EXPECT_EQ(form().geometry(), before);
}

// The viewer draws when the picture can change, not at every cadencer tick.
// Time is ticked by hand (60 ticks a second, the 100 ms timer every sixth) and
// frames are counted.
TEST_F(MainWindowTest, TheViewerRestsInAnUntouchedMenuAndDrawsWhileSomethingMoves) {
    form().GLCadencer1->setEnabled(false);
    form().timerScroll.stop();
    auto framesOver = [&](int ticks, const std::function<void(int)>& each) {
        QCoreApplication::processEvents();
        const int before = viewer()->framesDrawn();
        for (int i = 0; i < ticks; ++i) {
            if (each) each(i);
            form().GLCadencer1->progress(1.0 / 60.0);
            if (i % 6 == 0) form().timerScrollTimer();
            QCoreApplication::processEvents();
        }
        return viewer()->framesDrawn() - before;
    };
    // Ten seconds of the menu: one frame per sea frame, about a hundred.
    const int menu = framesOver(600, {});
    EXPECT_GE(menu, 90);
    EXPECT_LE(menu, 120);
    // Burning cells far apart on both boards: their flames move at every tick
    // and are drawn at the paced rate, 24 a second.
    form().boards().MarkShot(OwnBoard, 5, 5, true);
    form().boards().MarkShot(EnemyBoard, 1, 10, true);
    const int burning = framesOver(120, {});
    EXPECT_GE(burning, 45);
    EXPECT_LE(burning, 52);
    // Between the sea's frames only the flames' part is drawn again, and the window shows what a
    // whole frame of the same moment shows.
    // Flames alone move: the sea's last frame is drawn first, then parts until the last tick's.
    const int parts = viewer()->partFramesDrawn();
    for (int i = 0; i < 60 && viewer()->partFramesDrawn() < parts + 8; ++i) {
        form().GLCadencer1->progress(1.0 / 60.0);
        QCoreApplication::processEvents();
    }
    EXPECT_GE(viewer()->partFramesDrawn(), parts + 8);
    const QPoint at = viewer()->mapTo(&form(), QPoint(0, 0));
    const QImage shown =
        form().screen()->grabWindow(form().winId(), at.x(), at.y(), viewer()->width(), viewer()->height()).toImage();
    const auto same = test::comparePictures(shown, viewer()->grabFramebuffer());
    EXPECT_TRUE(same.matches()) << same.differing << " pixels differ, " << same.solidBlocks << " solid blocks";
    form().boards().ResetBoards();
    EXPECT_LE(framesOver(120, {}), 30);
    // Ships rocking at anchor and nothing burning: drawn at the sea's rate, not at 24 a second.
    form().boards().AnimateShipModels({}, {});
    form().boards().HideShipModels(false);
    EXPECT_LE(framesOver(120, {}), 24);
    form().boards().HideShipModels(true);
    // A camera drag with the right button.
    form().cameraFx().rightButtonHeld = [] { return true; };
    EXPECT_GE(
        framesOver(60, [&](int i) { form().GLSceneViewer1MouseMove(Qt::RightButton, {}, 300 + i, 200); }),
        55);
}

TEST_F(MainWindowTest, AMatchArrangedByHandIsFoughtAndWon) {
    test::ModalAnswerer answerer(*program);
    program->opt->bcbManual->SetChecked(true);
    clickButton(form().elbtSingleGame);
    ASSERT_TRUE(state().Arranging);
    EXPECT_FALSE(form().elbtFight->isEnabled());
    EXPECT_FALSE(form().elbtOptions->isEnabled());

    // The first model waits on a1 until the mouse moves it: lift it off the board's corner.
    ASSERT_TRUE(hover(OwnBoard, 7, 5));
    EXPECT_EQ(form().Label2->text(), "Left click places, right click turns");
    clickButton(form().elbtFight); // off, but it says what is missing
    EXPECT_EQ(form().Label2->text(), "Place all ten ships first! 10 ships left.");
    EXPECT_FALSE(state().FightStarted);

    struct Spot {
        int row, column;
        bool horizontal;
    };
    // Far cells first, so placed ships never stand between the camera and the next cell.
    const std::vector<Spot> layout = {{1, 1, true},  {1, 6, true},  {3, 1, true},  {3, 5, true},
                                      {3, 8, true},  {5, 1, false}, {5, 3, false}, {5, 5, false},
                                      {5, 7, false}, {7, 7, false}};
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const Spot& spot = layout[i];
        ASSERT_EQ(state().ShipToPlace, int(i) + 1);
        ASSERT_TRUE(hover(OwnBoard, spot.row, spot.column)) << "ship " << i + 1;
        EXPECT_EQ(form().boards().cell(OwnBoard, spot.row, spot.column)->LibMaterialName, "hint");
        const QPoint pixel = cellPixel(OwnBoard, spot.row, spot.column);
        if (state().PlaceHorizontal != spot.horizontal)
            QTest::mouseClick(viewer(), Qt::RightButton, {}, pixel);
        ASSERT_EQ(state().PlaceHorizontal, spot.horizontal) << "ship " << i + 1;
        if (i == 5)
            form().grab().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/arranging-in-process.png"));
        QTest::mouseClick(viewer(), Qt::LeftButton, {}, pixel);
        if (i + 1 < layout.size()) {
            ASSERT_EQ(state().ShipToPlace, int(i) + 2) << "ship " << i + 1 << " was not placed";
            EXPECT_EQ(form().world().OwnShipModels[i]->Position,
                      glm::vec3(float(spot.column - 5), 0.0f, float(spot.row)));
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state().Arranging && form().elbtFight->isEnabled(); }, 5000));
    EXPECT_TRUE(answerer.messages.contains("Ships Arrangement Complete!"));
    EXPECT_TRUE(form().elbtFight->isEnabled());
    EXPECT_EQ(state().OwnFleet[5].Horizontal, 0);
    EXPECT_EQ(state().OwnFleet[5].Rows[1], 6);
    EXPECT_FLOAT_EQ(form().world().OwnShipModels[5]->RollAngle(), -90.0f);
    for (TActor* ship : form().world().OwnShipModels)
        EXPECT_TRUE(ship->Visible);

    clickButton(form().elbtFight);
    ASSERT_TRUE(state().FightStarted);
    std::vector<std::array<int, 2>> decks;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            if (cellAt(state().EnemyField, r, c) == CellDeck) decks.push_back({r, c});
    ASSERT_EQ(decks.size(), 20u);
    // Far to near: sunk ships then never stand in front of a later target.
    std::sort(decks.begin(), decks.end(), [](auto& a, auto& b) { return a[0] + a[1] < b[0] + b[1]; });
    for (const auto& deck : decks) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return state().PlayerTurn == 1 || state().GameLost; }, 120000));
        ASSERT_FALSE(state().GameLost) << "the computer won first";
        ASSERT_TRUE(shoot(deck[0], deck[1])) << "no shot at " << deck[0] << "," << deck[1];
        if (!state().GameWon) {
            EXPECT_EQ(form().boards().cell(EnemyBoard, deck[0], deck[1])->LibMaterialName == "hit" ||
                          form().boards().cell(EnemyBoard, deck[0], deck[1])->LibMaterialName == "hint",
                      true);
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.scoreWindowShown > 0; }, 5000));
    EXPECT_TRUE(state().GameWon);
    EXPECT_FALSE(state().GameInProgress);
    EXPECT_TRUE(form().world().HUDText1->Visible);
    EXPECT_EQ(form().world().HUDText1->Text, "YOU WON THE GAME!");
    // The score window opened where the message stays in sight.
    const THUDText& message = *form().world().HUDText1;
    const QRect messageOnScreen(
        viewer()->mapToGlobal(QPoint(int(message.Position.x), int(message.Position.y))),
        QSize(30 * int(message.Text.size()), 30));
    EXPECT_FALSE(answerer.scoreWindowGeometry.intersects(messageOnScreen));
    EXPECT_TRUE(
        viewer()->geometry().translated(form().pos()).contains(answerer.scoreWindowGeometry.center()));
    EXPECT_GT(state().LastPoints, 0);
    EXPECT_EQ(state().PlayerShots, 20);
    EXPECT_TRUE(form().elbtSingleGame->isEnabled());
    EXPECT_FALSE(form().elbtFight->isEnabled());
    EXPECT_TRUE(form().Label2->text().isEmpty());
    for (TActor* ship : form().world().EnemyShipModels)
        EXPECT_TRUE(ship->Visible); // all shown sunk
    form().grab().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/won-in-process.png"));
}

// A whole match with key events only: the options by Tab and Space, the fleet
// arranged by hand with the cell cursor, the battle shot with it, the windows
// answered with Enter and Esc.
TEST_F(MainWindowTest, AWholeMatchIsPlayedWithKeysAlone) {
    // Each button names its keys when the pointer rests on it.
    EXPECT_EQ(form().elbtSingleGame->toolTip(), QStringLiteral("Ctrl+N"));
    EXPECT_EQ(form().elbtFight->toolTip(), QStringLiteral("F"));
    EXPECT_EQ(form().elbtExit->toolTip(), QStringLiteral("Esc, Ctrl+Q"));
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(keyTarget(), k, m);
        settle();
    };
    // Ctrl+O: Tab to the manual arrangement, Space ticks it, Enter is Close.
    bool optionsDriven = false;
    QTimer::singleShot(200, [&] {
        TFormOpt& opt = *program->opt;
        [&] {
            if (!QTest::qWaitFor([&] { return opt.isActiveWindow(); }, 3000)) return;
            for (int i = 0; i < 12 && QApplication::focusWidget() != opt.bcbManual; ++i) {
                QWidget* focus = QApplication::focusWidget();
                QTest::keyClick(focus && focus->window() == &opt ? focus : static_cast<QWidget*>(&opt),
                                Qt::Key_Tab);
            }
            if (QApplication::focusWidget() != opt.bcbManual) return;
            QTest::keyClick(opt.bcbManual, Qt::Key_Space);
            optionsDriven = opt.bcbManual->Checked();
            QTest::keyClick(opt.bcbManual, Qt::Key_Return);
        }();
        if (opt.isVisible()) opt.close(); // never leave the test waiting in the window
    });
    key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(optionsDriven) << "Tab never reached the manual arrangement";
    EXPECT_FALSE(program->opt->isVisible());
    EXPECT_TRUE(readStoredOptions(run.path().toStdString()).shipsManualArranging); // Enter is Close: stored

    test::ModalAnswerer answerer(*program);
    answerer.byKeys = true;

    key(Qt::Key_F); // Fight is off in the menu: nothing
    EXPECT_FALSE(state().FightStarted);
    key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(state().Arranging);
    const auto go = [&](int row, int column) {
        key(Qt::Key_PageUp);
        key(Qt::Key_Home);
        for (int r = 1; r < row; ++r)
            key(Qt::Key_Down);
        for (int c = 1; c < column; ++c)
            key(Qt::Key_Right);
    };
    const int layout[10][3] = {{1, 1, 1}, {1, 6, 1}, {3, 1, 1}, {3, 5, 1}, {3, 8, 1},
                               {5, 1, 0}, {5, 3, 0}, {5, 5, 0}, {5, 7, 0}, {7, 7, 0}};
    for (const auto& ship : layout) {
        const int n = state().ShipToPlace;
        go(ship[0], ship[1]);
        EXPECT_EQ(form().boards().cell(OwnBoard, ship[0], ship[1])->LibMaterialName, "hint");
        if (state().PlaceHorizontal != (ship[2] == 1)) key(Qt::Key_R);
        ASSERT_EQ(state().PlaceHorizontal, ship[2] == 1);
        key(Qt::Key_Return);
        if (n < 10) {
            ASSERT_EQ(state().ShipToPlace, n + 1) << "ship " << n;
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state().Arranging && form().elbtFight->isEnabled(); }, 5000));
    EXPECT_TRUE(answerer.messages.contains("Ships Arrangement Complete!"));

    key(Qt::Key_F);
    ASSERT_TRUE(state().FightStarted);
    std::vector<std::array<int, 2>> decks;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            if (cellAt(state().EnemyField, r, c) == CellDeck) decks.push_back({r, c});
    bool cursorSeen = false;
    for (const auto& deck : decks) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return state().PlayerTurn == 1 || state().GameLost; }, 120000));
        ASSERT_FALSE(state().GameLost) << "the computer won first";
        go(deck[0], deck[1]);
        const TPlane* frame = form().keyboard().mark().plane();
        if (frame && frame->Visible &&
            frame->Position.x == form().boards().cell(EnemyBoard, deck[0], deck[1])->Position.x)
            cursorSeen = true;
        if (deck == decks[3])
            test::windowPicture(form()).save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/keys-battle.png"));
        const int shots = state().PlayerShots;
        key(Qt::Key_Space);
        ASSERT_EQ(state().PlayerShots, shots + 1);
    }
    EXPECT_TRUE(cursorSeen);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return answerer.scoreWindowShown > 0 && !program->score->isVisible(); }, 5000));
    EXPECT_TRUE(state().GameWon);
    EXPECT_EQ(form().world().HUDText1->Text, "YOU WON THE GAME!");
    EXPECT_EQ(state().PlayerShots, 20);
    EXPECT_FALSE(form().keyboard().mark().plane()->Visible); // no board in play after the match
    test::windowPicture(form()).save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/keys-won.png"));
}

TEST_F(MainWindowTest, ClicksArrangeAFleetWhereThePointerIsFromEveryView) {
    test::ModalAnswerer answerer(*program);
    program->opt->bcbManual->SetChecked(true);
    struct View {
        const char* name;
        float pitch, turn; // orbit from the first view
    };
    // From straight above the ship being placed floats right over the cell
    // under the pointer; the turned view looks across placed ships.
    const View views[] = {{"first", 0.0f, 0.0f}, {"above", -90.0f, 0.0f}, {"turned", -20.0f, 110.0f}};
    struct Spot {
        int row, column;
        bool horizontal;
    };
    // Near cells first: placed ships then stand between the camera and later cells.
    const std::vector<Spot> layout = {{10, 1, true}, {6, 10, false}, {8, 2, true},  {1, 1, false},
                                      {1, 4, true},  {4, 6, false},  {10, 7, true}, {3, 9, true},
                                      {6, 2, true},  {10, 10, true}};
    for (const View& view : views) {
        SCOPED_TRACE(view.name);
        clickButton(form().elbtSingleGame);
        ASSERT_TRUE(state().Arranging);
        form().timerScroll.stop(); // no idle spin or edge scroll while the test aims
        form().world().Camera->Position = {10.0f, 10.0f, 10.0f};
        form().world().GLCamera1->Position = World::CameraOffset;
        form().world().GLCamera1->OrbitTarget(view.pitch, view.turn);
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const Spot& spot = layout[i];
            const int n = int(i) + 1;
            ASSERT_EQ(state().ShipToPlace, n);
            const QPoint pixel = cellPixel(OwnBoard, spot.row, spot.column);
            ASSERT_TRUE(test::insideViewer(form(), pixel)) << "ship " << n;
            ASSERT_TRUE(hover(OwnBoard, spot.row, spot.column)) << "ship " << n << " hovers nothing";
            if (state().PlaceHorizontal != spot.horizontal)
                QTest::mouseClick(viewer(), Qt::RightButton, {}, pixel);
            ASSERT_EQ(state().PlaceHorizontal, spot.horizontal) << "ship " << n << " did not turn";
            if (i == 4)
                form().grab().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/arranging-") +
                                   QLatin1String(view.name) + QStringLiteral(".png"));
            QTest::mouseClick(viewer(), Qt::LeftButton, {}, pixel);
            ASSERT_EQ(state().ShipToPlace, n + 1) << "ship " << n << " was not placed";
            // The ship covers exactly the cells from the clicked one on.
            const TShipRecord& ship = state().OwnFleet[i];
            const int size = ShipSizes[i];
            EXPECT_EQ(ship.Horizontal, spot.horizontal ? 1 : 0);
            int decks = 0;
            for (int k = 0; k < size; ++k) {
                const int row = spot.row + (spot.horizontal ? 0 : k);
                const int column = spot.column + (spot.horizontal ? k : 0);
                EXPECT_EQ(ship.Rows[std::size_t(k)], row) << "ship " << n << " deck " << k + 1;
                EXPECT_EQ(ship.Cols[std::size_t(k)], column) << "ship " << n << " deck " << k + 1;
            }
            for (int r = 1; r <= 10; ++r)
                for (int c = 1; c <= 10; ++c)
                    decks += cellAt(state().OwnField, r, c) == CellDeck;
            int expected = 0;
            for (std::size_t k = 0; k <= i; ++k)
                expected += ShipSizes[k];
            EXPECT_EQ(decks, expected) << "ship " << n;
        }
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !state().Arranging && form().elbtFight->isEnabled(); }, 5000));
        EXPECT_TRUE(form().elbtFight->isEnabled());
        leaveMatch(); // leave the match; the next view starts a new one
        ASSERT_FALSE(state().GameInProgress);
    }
}

TEST_F(MainWindowTest, AMatchLostShowsTheMessageAndTheSurvivors) {
    test::ModalAnswerer answerer(*program);
    clickButton(form().elbtSingleGame);
    clickButton(form().elbtFight);
    // A quick opponent: its shots 5 ms apart instead of a second.
    state().Timer1Interval = 5;
    form().Timer1.setInterval(5);
    // The player only ever misses.
    std::vector<std::array<int, 2>> water;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            if (cellAt(state().EnemyField, r, c) != CellDeck) water.push_back({r, c});
    std::size_t next = 0;
    while (!state().GameLost) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return state().PlayerTurn == 1 || state().GameLost; }, 20000));
        if (state().GameLost) break;
        ASSERT_LT(next, water.size()) << "the computer needed more misses than there is water";
        ASSERT_TRUE(form().match().PlayerShootAt(water[next][0], water[next][1]));
        ++next;
    }
    EXPECT_FALSE(state().GameInProgress);
    EXPECT_FALSE(state().GameWon);
    EXPECT_TRUE(form().world().HUDText1->Visible);
    EXPECT_EQ(form().world().HUDText1->Text, "YOU LOST THE GAME!");
    EXPECT_FLOAT_EQ(form().world().HUDText1->Position.x, 30.0f);
    EXPECT_EQ(answerer.scoreWindowShown, 0);
    EXPECT_FALSE(form().world().HUDText2->Visible); // no logo over the result
    for (int n = 1; n <= 10; ++n) {
        TActor* model = form().world().EnemyShipModels[std::size_t(n - 1)];
        EXPECT_TRUE(model->Visible) << "enemy ship " << n << " (none was sunk)";
    }
    for (TActor* own : form().world().OwnShipModels)
        EXPECT_TRUE(own->Visible);
    EXPECT_TRUE(form().elbtSingleGame->isEnabled());
    // After the game the world rests as in a fresh menu; a spin that began
    // stops at the next move of the mouse, which picks nothing.
    const glm::vec3 camera = form().world().GLCamera1->Position;
    EXPECT_FALSE(state().IdleSpin);
    state().IdleSpin = true;
    QTest::mouseMove(viewer(), QPoint(100, 100));
    QTest::mouseMove(viewer(), QPoint(300, 300));
    EXPECT_EQ(form().world().GLCamera1->Position, camera);
    EXPECT_FALSE(state().IdleSpin);
    QTest::qWait(300);
    form().grab().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/lost-in-process.png"));
}

TEST_F(MainWindowTest, OptionsDuringABattleKeepMarksAndBuildNothingTwice) {
    test::ModalAnswerer answerer(*program);
    clickButton(form().elbtSingleGame);
    clickButton(form().elbtFight);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().PlayerTurn == 1; }, 120000));
    // Hit one deck: the turn stays with the player, so no computer shot runs meanwhile.
    for (int r = 1; r <= 10 && state().PlayerShots == 0; ++r)
        for (int c = 1; c <= 10 && state().PlayerShots == 0; ++c)
            if (cellAt(state().EnemyField, r, c) == CellDeck) form().match().PlayerShootAt(r, c);
    ASSERT_EQ(state().PlayerShots, 1);

    std::vector<std::string> marks;
    int fires = 0;
    for (int board : {OwnBoard, EnemyBoard})
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                marks.push_back(form().boards().cell(board, r, c)->LibMaterialName);
                fires += form().boards().cell(board, r, c)->Effects.Count();
            }
    ASSERT_GE(fires, 1);
    const int planes = form().world().NonReflecting->Count();
    const int actors = form().world().ReflectingObjects->Count();

    form().elbtOptionsClick(); // modal; the answerer presses Close
    EXPECT_EQ(answerer.optionsWindowShown, 1);
    QTest::qWait(200);

    EXPECT_EQ(form().world().NonReflecting->Count(), planes);
    EXPECT_EQ(form().world().ReflectingObjects->Count(), actors);
    EXPECT_EQ(planes, 203); // the cells, the cursor's frame, the two last shots' frames
    EXPECT_EQ(actors, 22);
    std::vector<std::string> after;
    int firesAfter = 0;
    for (int board : {OwnBoard, EnemyBoard})
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                after.push_back(form().boards().cell(board, r, c)->LibMaterialName);
                firesAfter += form().boards().cell(board, r, c)->Effects.Count();
            }
    EXPECT_EQ(after, marks);
    EXPECT_EQ(firesAfter, fires);
    EXPECT_TRUE(state().FightStarted);
    EXPECT_EQ(form().Timer1.interval(), 1000);
}

TEST_F(MainWindowTest, SpaceTurnsTheShipBeingPlacedOnlyWhileArranging) {
    test::ModalAnswerer answerer(*program);
    const bool menu = state().PlaceHorizontal;
    QTest::keyClick(keyTarget(), Qt::Key_Space); // in the menu: nothing
    EXPECT_EQ(state().PlaceHorizontal, menu);

    program->opt->bcbManual->SetChecked(true);
    clickButton(form().elbtSingleGame);
    ASSERT_TRUE(state().Arranging);
    // The computer's arrangement leaves the orientation as it ends; the keys turn it from there.
    const bool start = state().PlaceHorizontal;
    QTest::keyPress(keyTarget(), Qt::Key_Space);
    EXPECT_EQ(state().PlaceHorizontal, !start);
    EXPECT_TRUE(form().SpaceHeld());
    QTest::keyClick(keyTarget(), Qt::Key_A); // any key with Space held turns again
    EXPECT_EQ(state().PlaceHorizontal, start);
    QTest::keyRelease(keyTarget(), Qt::Key_Space);
    QTest::keyClick(keyTarget(), Qt::Key_A);
    EXPECT_EQ(state().PlaceHorizontal, start);
    EXPECT_FALSE(form().SpaceHeld());

    // Space let go while another window of the program has the keys is let go.
    QTest::keyPress(keyTarget(), Qt::Key_Space);
    ASSERT_TRUE(form().SpaceHeld());
    QTest::keyRelease(program->mess.get(), Qt::Key_Space);
    EXPECT_FALSE(form().SpaceHeld());
    QTest::keyPress(keyTarget(), Qt::Key_Space);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&form(), &deactivate);
    EXPECT_FALSE(form().SpaceHeld());
    const bool now = state().PlaceHorizontal;
    QTest::keyClick(keyTarget(), Qt::Key_A);
    EXPECT_EQ(state().PlaceHorizontal, now);

    leaveMatch(); // leaving clears the arrangement
    EXPECT_FALSE(state().Arranging);
    QTest::keyClick(keyTarget(), Qt::Key_Space);
    EXPECT_EQ(state().PlaceHorizontal, now);
}

// The compass's rose turns with the camera, and the brass "BRIDGE" plate is a
// real button that brings the first view back.
TEST_F(MainWindowTest, TheCompassFollowsTheCameraAndTheBridgePlateBringsTheFirstViewBack) {
    form().timerScroll.stop();
    form().timerScrollTimer();
    const double first = form().Compass->Heading();
    EXPECT_NEAR(first, 285.4, 1.0); // from high over the own board's side, looking west
    form().world().GLCamera1->OrbitTarget(-20.0f, 90.0f);
    form().timerScrollTimer();
    const double turned = std::fmod(form().Compass->Heading() - first + 360.0, 360.0);
    EXPECT_TRUE(std::abs(turned - 90.0) < 2.0 || std::abs(turned - 270.0) < 2.0) << turned;
    form().world().Camera->Position.x -= 5.0f; // an edge scroll
    QTest::mouseClick(form().btBridge, Qt::LeftButton);
    EXPECT_EQ(form().world().Camera->Position, glm::vec3(10.0f));
    EXPECT_EQ(form().world().GLCamera1->Position, World::CameraOffset);
    EXPECT_NEAR(form().Compass->Heading(), first, 0.5);
}

// Exit at any stage of a match leaves the menu of a fresh start: no ship,
// mark or fire on the boards, no spin before the idle time, and the viewer
// back at the menu's pace (a fleet left walking or a fire left burning draws
// a frame at every tick; a spin outlived every mouse move).
TEST_F(MainWindowTest, ExitAtEveryStageLeavesTheMenuOfAFreshStart) {
    test::ModalAnswerer answerer(*program);
    const auto framesOverTenSeconds = [&] {
        QCoreApplication::processEvents();
        const int before = viewer()->framesDrawn();
        for (int i = 0; i < 600; ++i) {
            form().GLCadencer1->progress(1.0 / 60.0);
            if (i % 6 == 0) form().timerScrollTimer();
            QCoreApplication::processEvents();
        }
        return viewer()->framesDrawn() - before;
    };
    const std::vector<std::string> stages = {"wait", "animation", "ready", "arranging", "battle"};
    for (const std::string& stage : stages) {
        SCOPED_TRACE(stage);
        form().GLCadencer1->setEnabled(true);
        form().timerScroll.start();
        program->opt->bcbManual->SetChecked(stage == "arranging");
        state().OwnFleet = TFleet{};
        QTimer exitInside;
        exitInside.setInterval(0);
        QObject::connect(&exitInside, &QTimer::timeout, [&] {
            const bool arranged = state().OwnFleet[0].Size != 0;
            // The ships set sail inside one handler: a click made then lands right after it.
            if (stage == "wait" || (stage == "animation" && arranged)) {
                exitInside.stop();
                clickButton(form().elbtExit);
            }
        });
        if (stage == "wait" || stage == "animation") exitInside.start();
        clickButton(form().elbtSingleGame);
        if (stage == "animation") {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !exitInside.isActive(); }, 3000));
        }
        if (stage == "arranging") {
            ASSERT_TRUE(state().Arranging);
            ASSERT_TRUE(hover(OwnBoard, 3, 3));
        }
        if (stage == "battle") {
            clickButton(form().elbtFight);
            state().Timer1Interval = 5;
            form().Timer1.setInterval(5);
            ASSERT_TRUE(QTest::qWaitFor([&] { return state().PlayerTurn == 1; }, 20000));
            ASSERT_TRUE(form().match().PlayerShootAt(1, 1));
            ASSERT_TRUE(QTest::qWaitFor([&] { return state().PlayerTurn == 1; }, 20000));
        }
        if (state().GameInProgress) leaveMatch();
        EXPECT_FALSE(exitInside.isActive());
        ASSERT_TRUE(form().isVisible());
        EXPECT_FALSE(state().GameInProgress);
        EXPECT_FALSE(state().IdleSpin);
        EXPECT_TRUE(form().world().HUDText2->Visible);
        for (const auto* fleet : {&form().world().OwnShipModels, &form().world().EnemyShipModels})
            for (TActor* model : *fleet)
                EXPECT_FALSE(model->Visible);
        for (int board : {OwnBoard, EnemyBoard})
            for (int r = 1; r <= 10; ++r)
                for (int c = 1; c <= 10; ++c) {
                    TPlane* cell = form().boards().cell(board, r, c);
                    EXPECT_EQ(cell->LibMaterialName, "frame1") << board << " " << r << "," << c;
                    EXPECT_TRUE(cell->Effects.empty());
                }
        // The idle wait starts again at Exit, as at the window's activation.
        form().GLCadencer1->setEnabled(false);
        form().timerScroll.stop();
        form().timerScrollTimer();
        EXPECT_FALSE(state().IdleSpin);
        EXPECT_LE(framesOverTenSeconds(), 120);
        // A spin that began stops at the next move.
        state().IdleSpin = true;
        QTest::mouseMove(viewer(), QPoint(200 + int(stage.size()), 200));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !state().IdleSpin; }, 1000));
    }
    EXPECT_EQ(storedSong(), -1); // nothing quit
}

// A click during Single's wait runs before the wait ends: an Exit there ends
// the match being started, and the program stays.
TEST_F(MainWindowTest, ExitInsideSinglesWaitEndsOnlyTheMatch) {
    QTimer::singleShot(0, &form(), [&] { clickButton(form().elbtExit); });
    clickButton(form().elbtSingleGame);
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(state().GameInProgress);
    EXPECT_TRUE(form().elbtSingleGame->isEnabled());
    EXPECT_FALSE(form().elbtFight->isEnabled());
    EXPECT_TRUE(form().world().HUDText2->Visible);
    EXPECT_EQ(storedSong(), -1); // nothing quit
}

// Only the left button shoots; the back and forward buttons are other buttons.
TEST_F(MainWindowTest, BackAndForwardButtonsNeverShoot) {
    test::ModalAnswerer answerer(*program);
    clickButton(form().elbtSingleGame);
    clickButton(form().elbtFight);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().PlayerTurn == 1 || state().GameLost; }, 120000));
    ASSERT_EQ(state().PlayerTurn, 1);
    form().timerScroll.stop(); // no idle spin between the aim and the click
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) {
            const QPoint pixel = cellPixel(EnemyBoard, r, c);
            if (!test::insideViewer(form(), pixel)) continue;
            for (Qt::MouseButton other : {Qt::BackButton, Qt::ForwardButton, Qt::MiddleButton})
                QTest::mouseClick(viewer(), other, {}, pixel);
            ASSERT_EQ(state().PlayerShots, 0) << r << "," << c;
            if (state().PickedBoard == EnemyBoard) { // the click reached a cell
                QTest::mouseClick(viewer(), Qt::LeftButton, {}, pixel);
                EXPECT_EQ(state().PlayerShots, 1);
                return;
            }
        }
    FAIL() << "no enemy cell in view";
}

// What the main window wires between the windows, the match and the sound:
// effects on at start-up whatever is stored, then as the options say; the
// bars' levels applied at activation; the options' buttons setting the
// devices; music with Single and not after Exit; the devices' own volumes back
// at close.
TEST_F(MainWindowTest, SoundMusicAndVolumesFollowTheWindows) {
    EXPECT_TRUE(state().SoundOn); // no vtx.ini: the box is unchecked, effects play anyway
    EXPECT_TRUE(form().sound().SoundOn());
    EXPECT_EQ(form().sound().waveOutput().GetVolume(), VolumeDevice::pack(30000, 30000));
    EXPECT_EQ(form().sound().midiOutput().GetVolume(), VolumeDevice::pack(30000, 30000));

    // The devices as the desktop had them, found when the options open.
    form().sound().waveOutput().SetVolume(VolumeDevice::pack(20000, 40000));
    form().sound().midiOutput().SetVolume(VolumeDevice::pack(10000, 10000));
    TFormOpt& opt = *program->opt;
    QTimer::singleShot(0, &opt, [&] {
        QTest::mouseClick(opt.btSoundHigh, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(opt.btMusicLow, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(form().sound().waveOutput().GetVolume(), VolumeDevice::pack(33000, 33000));
        EXPECT_EQ(form().sound().midiOutput().GetVolume(), VolumeDevice::pack(27000, 27000));
        opt.bcbEnableMusic->SetChecked(true);
        QTest::mouseClick(opt.elbtClose, Qt::LeftButton);
    });
    form().elbtOptionsClick();
    EXPECT_FALSE(state().SoundOn); // Close copied the unchecked Sound box
    EXPECT_FALSE(form().sound().SoundOn());

    clickButton(form().elbtSingleGame);
    EXPECT_TRUE(form().music().isPlaying());
    leaveMatch();
    EXPECT_FALSE(form().music().isPlaying());
    EXPECT_EQ(form().music().MusicState(), 1);

    form().close();
    EXPECT_EQ(form().sound().waveOutput().GetVolume(), VolumeDevice::pack(20000, 40000));
    EXPECT_EQ(form().sound().midiOutput().GetVolume(), VolumeDevice::pack(10000, 10000));
}

TEST_F(MainWindowTest, NetworkOpensTheLobbyAndTheFocusComingBackActivatesTheWindowAgain) {
    if (form().LocalIP() == QStringLiteral("127.0.0.1")) GTEST_SKIP() << "no network address on this machine";
    // Another program holds the game's port: said once, when the lobby first opens.
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0));
    form().NMUDP1.SetLocalPort(holder.localPort());
    test::ModalAnswerer answerer(*program);
    int seen = 0;
    QTimer closer;
    closer.setInterval(100);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!program->net->isVisible()) return;
        seen += state().NetMode && !state().button(MenuButton::Single).enabled;
        QTest::mouseClick(program->net->elbtCancel, Qt::LeftButton);
    });
    closer.start();
    for (int round = 0; round < 2; ++round)
        QTest::mouseClick(form().elbtNetGame, Qt::LeftButton);
    closer.stop();
    EXPECT_EQ(seen, 2);
    ASSERT_EQ(answerer.messages.size(), 1);
    EXPECT_TRUE(answerer.messages[0].contains(QStringLiteral("busy")));
    EXPECT_FALSE(program->net->isVisible());
    EXPECT_FALSE(state().NetMode);
    EXPECT_TRUE(state().button(MenuButton::Single).enabled);

    // The message window shown without a modal wait takes the focus; when the
    // main window gets it back, its activation steps run again.
    state().TurnDelay = 3;
    program->mess->ShowFormMess(40, QStringLiteral("Please wait"), false);
    program->mess->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(program->mess.get()));
    program->mess->hide();
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    EXPECT_EQ(state().TurnDelay, 1);
}

// Towards a program that speaks only the plain protocol, the main window
// sends exactly its bytes: the four datagrams of the exchange in order, a
// shot, the leave. Its own endpoint hears them on the loopback address.
TEST_F(MainWindowTest, APlainMatchLeavesTheEndpointAsThePlainBytes) {
    if (!form().NMUDP1.BindError().isEmpty()) GTEST_SKIP() << "the game's port is taken on this machine";
    QList<QByteArray> heard;
    form().NMUDP1.OnDataReceived = [&](int, const QString& from, int) {
        if (from == QStringLiteral("127.0.0.1")) heard.append(form().NMUDP1.ReadDatagram());
    };
    state().NetMode = true;
    state().NetConnected = true;
    state().NetRole = 1;
    state().OpponentIP = "127.0.0.1";
    clickButton(form().elbtSingleGame);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 4; }, 5000));
    form().matchHost().SendShot(10, 10);
    leaveMatch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 6; }, 5000));
    ASSERT_EQ(heard.size(), 6);

    EXPECT_EQ(heard[0], QByteArray("SYS$$Info:"));
    ASSERT_EQ(heard[1].size(), 600);
    for (int n = 0; n < 10; ++n) {
        const TShipRecord& ship = state().OwnFleet[std::size_t(n)];
        const QByteArray record = heard[1].mid(60 * n, 60);
        const auto int32At = [&](int at) { return qFromLittleEndian<qint32>(record.constData() + at); };
        EXPECT_EQ(int32At(0), ship.Size) << n;
        EXPECT_EQ(int32At(4), 0) << n;
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(int32At(8 + 4 * k), ship.Cols[k]) << n;
            EXPECT_EQ(int32At(24 + 4 * k), ship.Rows[k]) << n;
            EXPECT_EQ(int32At(40 + 4 * k), k < ship.Size ? 10 : 0) << n;
        }
        EXPECT_EQ(record.mid(56), QByteArray(1, char(ship.Horizontal)) + QByteArray(3, '\0')) << n;
    }
    EXPECT_EQ(heard[2], QByteArray("SYS$$Field:"));
    EXPECT_EQ(heard[3], QByteArray(state().OwnField.data(), 100));
    EXPECT_EQ(heard[4], QByteArray("SYS$$Move:1010"));
    EXPECT_EQ(heard[5], QByteArray("SYS$$Exit:"));

    // Closing the window in the middle of a network match tells the opponent too.
    state().NetMode = true;
    state().NetConnected = true;
    clickButton(form().elbtSingleGame);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 10; }, 5000));
    form().close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 11; }, 5000));
    EXPECT_EQ(heard.last(), QByteArray("SYS$$Exit:"));
}

// Exit asks in a running match and quits at once in the menu; the second
// click of a double click never acts on what the first made of the button.
TEST_F(MainWindowTest, ExitAsksInAMatchAndInTheMenuStoresTheSongAndCloses) {
    TFormMess& mess = *program->mess;
    clickButton(form().elbtSingleGame);
    clickButton(form().elbtExit);
    ASSERT_TRUE(mess.Asking());
    EXPECT_TRUE(mess.elbtYes->isVisible());
    QTest::keyClick(&mess, Qt::Key_Escape); // stays
    EXPECT_FALSE(mess.isVisible());
    EXPECT_TRUE(state().GameInProgress);
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    clickButton(form().elbtExit);
    clickButton(form().elbtExit);           // no second question
    QTest::keyClick(&mess, Qt::Key_Return); // leaves
    EXPECT_FALSE(state().GameInProgress);
    clickButton(form().elbtExit); // the double click's second half: nothing
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().world().HUDText2->Visible);
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    form().music().setSongIndex(9); // stored as the position after it
    clickButton(form().elbtExit);   // quits
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(storedSong(), 10);
}

// kill, Ctrl+C and a closed terminal end the program as a close does, and the
// song position is kept.
TEST_F(MainWindowTest, ATerminationSignalClosesTheWindowAndStoresTheSong) {
    form().music().setSongIndex(4);
    form().sound().waveOutput().SetVolume(VolumeDevice::pack(1000, 2000));
    form().optionsHost().CaptureVolumes();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form().isVisible(); }, 5000));
    EXPECT_EQ(storedSong(), 5);
    EXPECT_EQ(form().sound().waveOutput().GetVolume(), VolumeDevice::pack(1000, 2000));
}

} // namespace
} // namespace vtx

namespace vtx {
namespace {

TEST(MainWindowStartTest, AMissingDataFileIsNamedAndStopsTheStart) {
    test::RunCopy run;
    ASSERT_TRUE(run.ok());
    // A file the match needs only later stops the start all the same.
    ASSERT_TRUE(QFile::remove(run.path() + QStringLiteral("/DATA/shipkill.jpg")));
    {
        TForm1 form;
        EXPECT_NE(form.StartupError().indexOf(QStringLiteral("shipkill.jpg")), -1)
            << form.StartupError().toStdString();
    }
    ASSERT_TRUE(QFile::remove(run.path() + QStringLiteral("/DATA/terrain.bmp")));
    {
        TForm1 form;
        EXPECT_NE(form.StartupError().indexOf(QStringLiteral("terrain.bmp")), -1)
            << form.StartupError().toStdString();
        EXPECT_FALSE(form.world().ActivationStageBuilt());
    }
    ASSERT_TRUE(QFile::remove(run.path() + QStringLiteral("/data/panel1.jpg")));
    TForm1 form;
    EXPECT_NE(form.StartupError().indexOf(QStringLiteral("panel1.jpg")), -1)
        << form.StartupError().toStdString();
}

} // namespace
} // namespace vtx
