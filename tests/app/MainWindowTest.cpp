#include "AppTestSupport.h"
#include "tests/scene/ReferencePicture.h"
#include "tests/support/MatchSetup.h"

#include "audio/MidiOutput.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeDevice.h"
#include "audio/WaveOutput.h"
#include "files/OptionsFile.h"
#include "files/ReplayFolder.h"
#include "game/NetExtension.h"
#include "scene/CellCursorMark.h"
#include "scene/engine/AnimatedModel.h"
#include "scene/engine/FrameClock.h"
#include "scene/engine/SceneView.h"
#include "ui/SkinCheckBox.h"
#include "ui/Compass.h"
#include "ui/MessageWindow.h"
#include "ui/ReplayListView.h"
#include "ui/SkinButton.h"
#include "ui/WindowScale.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
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
        ASSERT_TRUE(mainWindow().startupError().isEmpty()) << mainWindow().startupError().toStdString();
    }
    void TearDown() override { program.reset(); }

    MainWindow& mainWindow() { return *program->mainWindow; }
    MatchState& state() { return test::setUp(mainWindow().match()); }
    SceneView* viewer() { return mainWindow().view; }

    glm::vec3 cellCentre(int board, int row, int column) {
        return mainWindow().boards().cell(board, row, column)->absolutePosition();
    }
    QPoint cellPixel(int board, int row, int column) {
        return test::projectToViewer(mainWindow(), cellCentre(board, row, column));
    }

    // Hovers a cell as the player does and waits until the game has seen it.
    bool hover(int board, int row, int column) {
        Plane* plane = mainWindow().boards().cell(board, row, column);
        const QPoint pixel = cellPixel(board, row, column);
        if (!test::insideViewer(mainWindow(), pixel)) return false;
        QTest::mouseMove(viewer(), pixel);
        return QTest::qWaitFor([&] { return mainWindow().boards().hoveredCell == plane; }, 3000);
    }

    // Shoots an enemy cell with clicks, trying points from the centre towards
    // the near edge (a burning or sunk ship may stand in front of the centre).
    bool shoot(int row, int column) {
        const glm::vec3 c = cellCentre(EnemyBoard, row, column);
        for (float t : {0.0f, 0.25f, 0.4f}) {
            const QPoint pixel = test::projectToViewer(mainWindow(), c + glm::vec3(t, 0.0f, t));
            QTest::mouseMove(viewer(), pixel);
            const int shots = state().playerShots;
            QTest::mouseClick(viewer(), Qt::LeftButton, {}, pixel);
            if (state().playerShots != shots) return true;
        }
        return false;
    }

    // Keys go to the focused widget of the window, as the system sends them.
    QWidget* keyTarget() {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->window() == &mainWindow() ? focus : &mainWindow();
    }

    // The event loop until the match waits for nothing more (Single's 100 ms),
    // as a player's next click or key would find it.
    void settle() {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !mainWindow().match().nextWakeMs(); }, 3000));
    }
    void clickButton(SkinButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
    // Exit in a running match asks first: answered yes with the Y key, and the
    // double-click time let pass, so the next click on Exit counts on its own.
    void leaveMatch() {
        clickButton(mainWindow().exitButton);
        if (program->mess->asking()) QTest::keyClick(program->mess.get(), Qt::Key_Y);
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
    EXPECT_EQ(mainWindow().size(), QSize(751, 605));
    EXPECT_EQ(mainWindow().windowTitle(), "Vortalix 3D");
    EXPECT_TRUE(mainWindow().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(viewer()->geometry(), QRect(13, 42, 616, 547));
    EXPECT_EQ(mainWindow().statusLine->pos(), QPoint(213, 15));
    EXPECT_EQ(mainWindow().exitButton->geometry(), QRect(650, 488, 71, 24));
    EXPECT_EQ(mainWindow().singleButton->text(), "Single");
    EXPECT_FALSE(mainWindow().fightButton->isEnabled());
    EXPECT_TRUE(mainWindow().singleButton->isEnabled());
    EXPECT_EQ(mainWindow().turnTimer.interval(), 1000);
    EXPECT_TRUE(mainWindow().tickTimer.isActive());
    EXPECT_TRUE(mainWindow().world().activationStageBuilt());
    EXPECT_TRUE(mainWindow().world().logo->visible);
    // The window is cut to its outline: the top-left corner is outside.
    EXPECT_FALSE(mainWindow().mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(mainWindow().mask().contains(QPoint(300, 300)));
    EXPECT_EQ(mainWindow().startDir(), std::filesystem::path(run.path().toStdString()));

    const QImage shot = mainWindow().grab().toImage();
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
    mainWindow().tickTimer.stop();
    mainWindow().frameClock->setEnabled(false);
    const QImage withLogo = viewer()->grabFramebuffer();
    mainWindow().world().logo->visible = false;
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
    mainWindow().tickTimer.stop(); // no idle spin while the test measures
    // The player's turn of a battle, with no ship model standing on a cell:
    // a right click only reads the cell.
    state().fightStarted = true;
    state().playerTurn = 1;
    const std::vector<std::array<int, 2>> cells = {{1, 1}, {5, 5}, {10, 10}, {2, 9}, {9, 2}};
    const std::vector<std::array<float, 2>> orbits = {{0, 0}, {0, 70}, {-15, 150}, {20, -120}, {10, 40}};
    int tried = 0;
    // At the window's first size and made larger: the view then draws and
    // picks at its new pixel size.
    for (const double factor : {1.0, 1.6}) {
        mainWindow().resize(mainWindow().scale().windowSize(factor));
        QTest::qWait(100);
        ASSERT_EQ(viewer()->geometry(), mainWindow().scale().toWindow(QRect(13, 42, 616, 547)));
        mainWindow().cameraFx().bridgeView();
        for (const auto& orbit : orbits) {
            mainWindow().world().camera->orbitTarget(orbit[0], orbit[1]);
            for (int board : {OwnBoard, EnemyBoard})
                for (const auto& cell : cells) {
                    const QPoint pixel = cellPixel(board, cell[0], cell[1]);
                    if (!test::insideViewer(mainWindow(), pixel)) continue;
                    ++tried;
                    state().pickedRow = state().pickedColumn = 0;
                    state().pickedBoard = NoBoard;
                    QTest::mouseClick(viewer(), Qt::RightButton, {}, pixel);
                    EXPECT_EQ(state().pickedBoard, board)
                        << "orbit " << orbit[1] << " cell " << cell[0] << "," << cell[1];
                    EXPECT_EQ(state().pickedRow, cell[0]);
                    EXPECT_EQ(state().pickedColumn, cell[1]);
                    EXPECT_EQ(mainWindow().cameraFx().mouseX, pixel.x());
                }
            // The sea beside the own board is no cell.
            const QPoint sea = test::projectToViewer(mainWindow(), {-7.5f, 0.0f, 5.0f});
            if (test::insideViewer(mainWindow(), sea)) {
                state().pickedRow = 0;
                QTest::mouseClick(viewer(), Qt::RightButton, {}, sea);
                EXPECT_EQ(state().pickedRow, 0);
            }
        }
    }
    EXPECT_GE(tried, 60);
    EXPECT_EQ(state().playerShots, 0); // right clicks never shoot
}

TEST_F(MainWindowTest, AWindowMadeLargerScalesItsSkinAndItsViewFillsItsPlace) {
    mainWindow().move(0, 0);
    mainWindow().resize(mainWindow().scale().windowSize(1.6)); // as the grip or the system would
    QTest::qWait(100);
    const WindowScale& scale = mainWindow().scale();
    EXPECT_DOUBLE_EQ(scale.factor(), 1.6);
    EXPECT_EQ(viewer()->geometry(), QRect(21, 67, 985, 875));
    EXPECT_EQ(mainWindow().exitButton->geometry(), scale.toWindow(QRect(650, 488, 71, 24)));
    EXPECT_EQ(mainWindow().statusLine->font().pixelSize(), 18);
    EXPECT_FALSE(mainWindow().mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(mainWindow().mask().contains(scale.toWindow(QPointF(738, 588))));
    EXPECT_TRUE(mainWindow().inDragArea(scale.toWindow(QPointF(460, 20))));
    EXPECT_FALSE(mainWindow().inDragArea(QPoint(757, 20))); // 473 of the layout
    EXPECT_FLOAT_EQ(viewer()->hudScale, 1.6f);
    // The strips that scroll the camera scale too (the cursor is asked of the system).
    QCursor::setPos(mainWindow().mapToGlobal(scale.toWindow(QPointF(300, 40))));
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainWindow().cameraFx().cursorOffsetY() == 40; }, 2000))
        << mainWindow().cameraFx().cursorOffsetY();

    // What the screen shows where the view lies: the world at its new size,
    // no black area left over from the old one.
    const int frames = viewer()->framesDrawn();
    viewer()->invalidate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer()->framesDrawn() > frames; }, 3000));
    QTest::qWait(100);
    const QRect view(viewer()->mapToGlobal(QPoint(0, 0)), viewer()->size());
    const QImage screen =
        mainWindow().screen()->grabWindow(0, view.x(), view.y(), view.width(), view.height()).toImage();
    ASSERT_EQ(screen.size(), view.size());
    int black = 0;
    for (int y = 0; y < screen.height(); y += 3)
        for (int x = 0; x < screen.width(); x += 3)
            black += qRed(screen.pixel(x, y)) + qGreen(screen.pixel(x, y)) + qBlue(screen.pixel(x, y)) < 24;
    EXPECT_LT(black, screen.width() * screen.height() / 9 / 100);
    mainWindow().grab().toImage().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/window-1.6x-in-process.png"));
    screen.save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/window-1.6x-view-on-screen.png"));

    // F11: the whole screen, and back (a double click on the title strip).
    const QRect before = mainWindow().geometry();
    QTest::keyClick(keyTarget(), Qt::Key_F11);
    EXPECT_TRUE(mainWindow().largest());
    EXPECT_EQ(mainWindow().geometry(), mainWindow().screen()->geometry());
    EXPECT_GT(mainWindow().scale().factor(), 1.6);
    QTest::mouseDClick(&mainWindow(), Qt::LeftButton, {}, mainWindow().scale().toWindow(QPointF(200, 20)));
    EXPECT_EQ(mainWindow().geometry(), before);

    // A wide screen's shape (16:9): no side strips; the view takes the width
    // the panel's shape leaves, the menu column keeps its shape at the right
    // edge.
    mainWindow().resize(1280, 720);
    const double f = 720.0 / mainWindow().scale().design().height();
    EXPECT_NEAR(mainWindow().scale().factor(), f, 0.01);
    const QRect exit = mainWindow().exitButton->geometry();
    EXPECT_NEAR(exit.right() + 1, 1280 - (mainWindow().scale().design().width() - 721) * f, 2);
    EXPECT_NEAR(exit.width(), 71 * f, 2);
    EXPECT_NEAR(viewer()->geometry().right() + 1, 1280 - (mainWindow().scale().design().width() - 629) * f, 2);
    EXPECT_NEAR(viewer()->x(), 13 * f, 2);
    mainWindow().setGeometry(before);
}

// The viewer draws when the picture can change, not at every cadencer tick.
// Time is ticked by hand (60 ticks a second, the 100 ms timer every sixth) and
// frames are counted.
TEST_F(MainWindowTest, TheViewerRestsInAnUntouchedMenuAndDrawsWhileSomethingMoves) {
    mainWindow().frameClock->setEnabled(false);
    mainWindow().tickTimer.stop();
    auto framesOver = [&](int ticks, const std::function<void(int)>& each) {
        QCoreApplication::processEvents();
        const int before = viewer()->framesDrawn();
        for (int i = 0; i < ticks; ++i) {
            if (each) each(i);
            mainWindow().frameClock->progress(1.0 / 60.0);
            if (i % 6 == 0) mainWindow().tickTimerFired();
            QCoreApplication::processEvents();
        }
        return viewer()->framesDrawn() - before;
    };
    // Ten seconds of the menu: one frame per sea frame, about a hundred.
    const int menu = framesOver(600, {});
    EXPECT_GE(menu, 90);
    EXPECT_LE(menu, 120);
    // Burning cells far apart on both boards: their flames move at every tick
    // and are drawn with the sea's frames, ten a second, not 24.
    mainWindow().boards().markShot(OwnBoard, 5, 5, true);
    mainWindow().boards().markShot(EnemyBoard, 1, 10, true);
    const int burning = framesOver(120, {});
    EXPECT_GE(burning, 18);
    EXPECT_LE(burning, 24);
    mainWindow().boards().resetBoards();
    EXPECT_LE(framesOver(120, {}), 30);
    // Ships rocking at anchor and nothing burning: drawn at the sea's rate, not at 24 a second.
    mainWindow().boards().animateShipModels({}, {});
    mainWindow().boards().hideShipModels(false);
    EXPECT_LE(framesOver(120, {}), 24);
    mainWindow().boards().hideShipModels(true);
    // A camera drag with the right button.
    mainWindow().cameraFx().rightButtonHeld = [] { return true; };
    EXPECT_GE(
        framesOver(60, [&](int i) { mainWindow().viewMouseMoved(Qt::RightButton, {}, 300 + i, 200); }),
        55);
}

TEST_F(MainWindowTest, AMatchArrangedByHandIsFoughtAndWon) {
    test::ModalAnswerer answerer(*program);
    program->opt->manualBox->setChecked(true);
    clickButton(mainWindow().singleButton);
    ASSERT_TRUE(state().arranging);
    EXPECT_FALSE(mainWindow().fightButton->isEnabled());
    EXPECT_FALSE(mainWindow().optionsButton->isEnabled());

    // The first model waits on a1 until the mouse moves it: lift it off the board's corner.
    ASSERT_TRUE(hover(OwnBoard, 7, 5));
    EXPECT_EQ(mainWindow().statusLine->text(), "Left click places, right click turns");
    clickButton(mainWindow().fightButton); // off, but it says what is missing
    EXPECT_EQ(mainWindow().statusLine->text(), "Place all ten ships first! 10 ships left.");
    EXPECT_FALSE(state().fightStarted);

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
        ASSERT_EQ(state().shipToPlace, int(i) + 1);
        ASSERT_TRUE(hover(OwnBoard, spot.row, spot.column)) << "ship " << i + 1;
        EXPECT_EQ(mainWindow().boards().cell(OwnBoard, spot.row, spot.column)->libMaterialName, "hint");
        const QPoint pixel = cellPixel(OwnBoard, spot.row, spot.column);
        if (state().placeHorizontal != spot.horizontal)
            QTest::mouseClick(viewer(), Qt::RightButton, {}, pixel);
        ASSERT_EQ(state().placeHorizontal, spot.horizontal) << "ship " << i + 1;
        if (i == 5)
            mainWindow().grab().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/arranging-in-process.png"));
        QTest::mouseClick(viewer(), Qt::LeftButton, {}, pixel);
        if (i + 1 < layout.size()) {
            ASSERT_EQ(state().shipToPlace, int(i) + 2) << "ship " << i + 1 << " was not placed";
            EXPECT_EQ(mainWindow().world().ownShipModels[i]->position,
                      glm::vec3(float(spot.column - 5), 0.0f, float(spot.row)));
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state().arranging && mainWindow().fightButton->isEnabled(); }, 5000));
    EXPECT_TRUE(answerer.messages.contains("Ships Arrangement Complete!"));
    EXPECT_TRUE(mainWindow().fightButton->isEnabled());
    EXPECT_EQ(state().ownFleet[5].horizontal, 0);
    EXPECT_EQ(state().ownFleet[5].rows[1], 6);
    EXPECT_FLOAT_EQ(mainWindow().world().ownShipModels[5]->rollAngle(), -90.0f);
    for (AnimatedModel* ship : mainWindow().world().ownShipModels)
        EXPECT_TRUE(ship->visible);

    clickButton(mainWindow().fightButton);
    ASSERT_TRUE(state().fightStarted);
    std::vector<std::array<int, 2>> decks;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            if (cellAt(state().enemyField, r, c) == CellDeck) decks.push_back({r, c});
    ASSERT_EQ(decks.size(), 20u);
    // Far to near: sunk ships then never stand in front of a later target.
    std::sort(decks.begin(), decks.end(), [](auto& a, auto& b) { return a[0] + a[1] < b[0] + b[1]; });
    for (const auto& deck : decks) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return state().playerTurn == 1 || state().gameLost; }, 120000));
        ASSERT_FALSE(state().gameLost) << "the computer won first";
        ASSERT_TRUE(shoot(deck[0], deck[1])) << "no shot at " << deck[0] << "," << deck[1];
        if (!state().gameWon) {
            EXPECT_EQ(mainWindow().boards().cell(EnemyBoard, deck[0], deck[1])->libMaterialName == "hit" ||
                          mainWindow().boards().cell(EnemyBoard, deck[0], deck[1])->libMaterialName == "hint",
                      true);
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.scoreWindowShown > 0; }, 5000));
    EXPECT_TRUE(state().gameWon);
    EXPECT_FALSE(state().gameInProgress);
    EXPECT_TRUE(mainWindow().world().resultText->visible);
    EXPECT_EQ(mainWindow().world().resultText->text, "YOU WON THE GAME!");
    // The score window opened where the message stays in sight.
    const HudText& message = *mainWindow().world().resultText;
    const QRect messageOnScreen(
        viewer()->mapToGlobal(QPoint(int(message.position.x), int(message.position.y))),
        QSize(30 * int(message.text.size()), 30));
    EXPECT_FALSE(answerer.scoreWindowGeometry.intersects(messageOnScreen));
    EXPECT_TRUE(
        viewer()->geometry().translated(mainWindow().pos()).contains(answerer.scoreWindowGeometry.center()));
    EXPECT_GT(state().lastPoints, 0);
    EXPECT_EQ(state().playerShots, 20);
    EXPECT_TRUE(mainWindow().singleButton->isEnabled());
    EXPECT_FALSE(mainWindow().fightButton->isEnabled());
    EXPECT_TRUE(mainWindow().statusLine->text().isEmpty());
    for (AnimatedModel* ship : mainWindow().world().enemyShipModels)
        EXPECT_TRUE(ship->visible); // all shown sunk
    mainWindow().grab().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/won-in-process.png"));
}

// A whole match with key events only: the options by Tab and Space, the fleet
// arranged by hand with the cell cursor, the battle shot with it, the windows
// answered with Enter and Esc.
TEST_F(MainWindowTest, AWholeMatchIsPlayedWithKeysAlone) {
    // Each button names its keys when the pointer rests on it.
    EXPECT_EQ(mainWindow().singleButton->toolTip(), QStringLiteral("Ctrl+N"));
    EXPECT_EQ(mainWindow().fightButton->toolTip(), QStringLiteral("F"));
    EXPECT_EQ(mainWindow().exitButton->toolTip(), QStringLiteral("Esc, Ctrl+Q"));
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(keyTarget(), k, m);
        settle();
    };
    // Ctrl+O: Tab to the manual arrangement, Space ticks it, Enter is Close.
    bool optionsDriven = false;
    QTimer::singleShot(200, [&] {
        OptionsWindow& opt = *program->opt;
        [&] {
            if (!QTest::qWaitFor([&] { return opt.isActiveWindow(); }, 3000)) return;
            for (int i = 0; i < 12 && QApplication::focusWidget() != opt.manualBox; ++i) {
                QWidget* focus = QApplication::focusWidget();
                QTest::keyClick(focus && focus->window() == &opt ? focus : static_cast<QWidget*>(&opt),
                                Qt::Key_Tab);
            }
            if (QApplication::focusWidget() != opt.manualBox) return;
            QTest::keyClick(opt.manualBox, Qt::Key_Space);
            optionsDriven = opt.manualBox->checked();
            QTest::keyClick(opt.manualBox, Qt::Key_Return);
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
    EXPECT_FALSE(state().fightStarted);
    key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(state().arranging);
    // The keys follow the picture: the first view looks along the rows from
    // the columns' far end, row 1 on the right, column 1 at the top.
    const auto go = [&](int row, int column) {
        key(Qt::Key_PageUp);
        key(Qt::Key_End);
        for (int r = 1; r < row; ++r)
            key(Qt::Key_Left);
        for (int c = 1; c < column; ++c)
            key(Qt::Key_Down);
    };
    const int layout[10][3] = {{1, 1, 1}, {1, 6, 1}, {3, 1, 1}, {3, 5, 1}, {3, 8, 1},
                               {5, 1, 0}, {5, 3, 0}, {5, 5, 0}, {5, 7, 0}, {7, 7, 0}};
    for (const auto& ship : layout) {
        const int n = state().shipToPlace;
        go(ship[0], ship[1]);
        EXPECT_EQ(mainWindow().boards().cell(OwnBoard, ship[0], ship[1])->libMaterialName, "hint");
        if (state().placeHorizontal != (ship[2] == 1)) key(Qt::Key_R);
        ASSERT_EQ(state().placeHorizontal, ship[2] == 1);
        // A player placing by keys is told the keys, not the mouse's buttons.
        EXPECT_EQ(mainWindow().statusLine->text(), "Enter places, R turns, arrows move") << "ship " << n;
        key(Qt::Key_Return);
        if (n < 10) {
            ASSERT_EQ(state().shipToPlace, n + 1) << "ship " << n;
        }
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state().arranging && mainWindow().fightButton->isEnabled(); }, 5000));
    EXPECT_TRUE(answerer.messages.contains("Ships Arrangement Complete!"));

    key(Qt::Key_F);
    ASSERT_TRUE(state().fightStarted);
    std::vector<std::array<int, 2>> decks;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            if (cellAt(state().enemyField, r, c) == CellDeck) decks.push_back({r, c});
    bool cursorSeen = false;
    for (const auto& deck : decks) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return state().playerTurn == 1 || state().gameLost; }, 120000));
        ASSERT_FALSE(state().gameLost) << "the computer won first";
        go(deck[0], deck[1]);
        const Plane* frame = mainWindow().keyboard().mark().plane();
        if (frame && frame->visible &&
            frame->position.x == mainWindow().boards().cell(EnemyBoard, deck[0], deck[1])->position.x)
            cursorSeen = true;
        if (deck == decks[3])
            test::windowPicture(mainWindow()).save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/keys-battle.png"));
        const int shots = state().playerShots;
        key(Qt::Key_Space);
        ASSERT_EQ(state().playerShots, shots + 1);
        if (deck == decks[0]) {
            // The cell just hit is used: another frame, and the status line
            // warns before a second shot there.
            EXPECT_EQ(mainWindow().keyboard().mark().plane()->libMaterialName, "cursorused");
            EXPECT_EQ(mainWindow().statusLine->text(), "Already fired at: a shot here is wasted");
        }
    }
    EXPECT_TRUE(cursorSeen);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return answerer.scoreWindowShown > 0 && !program->score->isVisible(); }, 5000));
    EXPECT_TRUE(state().gameWon);
    EXPECT_EQ(mainWindow().world().resultText->text, "YOU WON THE GAME!");
    EXPECT_EQ(state().playerShots, 20);
    EXPECT_FALSE(mainWindow().keyboard().mark().plane()->visible); // no board in play after the match
    test::windowPicture(mainWindow()).save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/keys-won.png"));
}

TEST_F(MainWindowTest, ClicksArrangeAFleetWhereThePointerIsFromEveryView) {
    test::ModalAnswerer answerer(*program);
    program->opt->manualBox->setChecked(true);
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
        clickButton(mainWindow().singleButton);
        ASSERT_TRUE(state().arranging);
        mainWindow().tickTimer.stop(); // no idle spin or edge scroll while the test aims
        mainWindow().world().cameraRig->position = {10.0f, 10.0f, 10.0f};
        mainWindow().world().camera->position = World::CameraOffset;
        mainWindow().world().camera->orbitTarget(view.pitch, view.turn);
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const Spot& spot = layout[i];
            const int n = int(i) + 1;
            ASSERT_EQ(state().shipToPlace, n);
            const QPoint pixel = cellPixel(OwnBoard, spot.row, spot.column);
            ASSERT_TRUE(test::insideViewer(mainWindow(), pixel)) << "ship " << n;
            ASSERT_TRUE(hover(OwnBoard, spot.row, spot.column)) << "ship " << n << " hovers nothing";
            if (state().placeHorizontal != spot.horizontal)
                QTest::mouseClick(viewer(), Qt::RightButton, {}, pixel);
            ASSERT_EQ(state().placeHorizontal, spot.horizontal) << "ship " << n << " did not turn";
            if (i == 4)
                mainWindow().grab().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/arranging-") +
                                   QLatin1String(view.name) + QStringLiteral(".png"));
            QTest::mouseClick(viewer(), Qt::LeftButton, {}, pixel);
            ASSERT_EQ(state().shipToPlace, n + 1) << "ship " << n << " was not placed";
            // The ship covers exactly the cells from the clicked one on.
            const Ship& ship = state().ownFleet[i];
            const int size = ShipSizes[i];
            EXPECT_EQ(ship.horizontal, spot.horizontal ? 1 : 0);
            int decks = 0;
            for (int k = 0; k < size; ++k) {
                const int row = spot.row + (spot.horizontal ? 0 : k);
                const int column = spot.column + (spot.horizontal ? k : 0);
                EXPECT_EQ(ship.rows[std::size_t(k)], row) << "ship " << n << " deck " << k + 1;
                EXPECT_EQ(ship.cols[std::size_t(k)], column) << "ship " << n << " deck " << k + 1;
            }
            for (int r = 1; r <= 10; ++r)
                for (int c = 1; c <= 10; ++c)
                    decks += cellAt(state().ownField, r, c) == CellDeck;
            int expected = 0;
            for (std::size_t k = 0; k <= i; ++k)
                expected += ShipSizes[k];
            EXPECT_EQ(decks, expected) << "ship " << n;
        }
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !state().arranging && mainWindow().fightButton->isEnabled(); }, 5000));
        EXPECT_TRUE(mainWindow().fightButton->isEnabled());
        leaveMatch(); // leave the match; the next view starts a new one
        ASSERT_FALSE(state().gameInProgress);
    }
}

TEST_F(MainWindowTest, AMatchLostShowsTheMessageAndTheSurvivors) {
    test::ModalAnswerer answerer(*program);
    clickButton(mainWindow().singleButton);
    clickButton(mainWindow().fightButton);
    // A quick opponent: its shots 5 ms apart instead of a second.
    state().turnTimerIntervalMs = 5;
    mainWindow().turnTimer.setInterval(5);
    // The player only ever misses.
    std::vector<std::array<int, 2>> water;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c)
            if (cellAt(state().enemyField, r, c) != CellDeck) water.push_back({r, c});
    std::size_t next = 0;
    while (!state().gameLost) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return state().playerTurn == 1 || state().gameLost; }, 20000));
        if (state().gameLost) break;
        ASSERT_LT(next, water.size()) << "the computer needed more misses than there is water";
        ASSERT_TRUE(mainWindow().match().playerShootAt(water[next][0], water[next][1]));
        ++next;
    }
    EXPECT_FALSE(state().gameInProgress);
    EXPECT_FALSE(state().gameWon);
    EXPECT_TRUE(mainWindow().world().resultText->visible);
    EXPECT_EQ(mainWindow().world().resultText->text, "YOU LOST THE GAME!");
    EXPECT_FLOAT_EQ(mainWindow().world().resultText->position.x, 30.0f);
    EXPECT_EQ(answerer.scoreWindowShown, 0);
    EXPECT_FALSE(mainWindow().world().logo->visible); // no logo over the result
    for (int n = 1; n <= 10; ++n) {
        AnimatedModel* model = mainWindow().world().enemyShipModels[std::size_t(n - 1)];
        EXPECT_TRUE(model->visible) << "enemy ship " << n << " (none was sunk)";
    }
    for (AnimatedModel* own : mainWindow().world().ownShipModels)
        EXPECT_TRUE(own->visible);
    EXPECT_TRUE(mainWindow().singleButton->isEnabled());
    // After the game the world rests as in a fresh menu; a spin that began
    // stops at the next move of the mouse, which picks nothing.
    const glm::vec3 camera = mainWindow().world().camera->position;
    EXPECT_FALSE(mainWindow().cameraFx().idleSpin);
    mainWindow().cameraFx().idleSpin = true;
    QTest::mouseMove(viewer(), QPoint(100, 100));
    QTest::mouseMove(viewer(), QPoint(300, 300));
    EXPECT_EQ(mainWindow().world().camera->position, camera);
    EXPECT_FALSE(mainWindow().cameraFx().idleSpin);
    QTest::qWait(300);
    mainWindow().grab().save(QStringLiteral(VTX_BINARY_DIR "/artifacts/app/lost-in-process.png"));
}

// A short match, won, is kept; Watch in the score window's list shows it
// again, and stepped to its end the boards look as the match left them.
TEST_F(MainWindowTest, AMatchIsKeptAndItsReplayStepsToTheSameEnd) {
    {
        test::ModalAnswerer answerer(*program);
        clickButton(mainWindow().singleButton);
        clickButton(mainWindow().fightButton);
        state().turnTimerIntervalMs = 5; // a quick opponent
        mainWindow().turnTimer.setInterval(5);
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                if (cellAt(state().enemyField, r, c) != CellDeck) continue;
                ASSERT_TRUE(
                    QTest::qWaitFor([&] { return state().playerTurn == 1 || state().gameLost; }, 20000));
                ASSERT_FALSE(state().gameLost) << "the computer won first";
                ASSERT_TRUE(mainWindow().match().playerShootAt(r, c));
            }
        ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.scoreWindowShown > 0; }, 5000));
    }
    ASSERT_TRUE(state().gameWon);
    // The picture the match left: every cell's mark and fire, the counts.
    const auto picture = [&] {
        std::vector<std::string> cells;
        for (Board board : {EnemyBoard, OwnBoard})
            for (int r = 1; r <= 10; ++r)
                for (int c = 1; c <= 10; ++c) {
                    const Plane* plane = mainWindow().boards().cell(board, r, c);
                    cells.push_back(plane->libMaterialName + (plane->effects.empty() ? "" : "+fire"));
                }
        for (Board board : {EnemyBoard, OwnBoard})
            cells.push_back(std::to_string(mainWindow().boards().tally(board).shots) + "/" +
                            std::to_string(mainWindow().boards().tally(board).hits));
        return cells;
    };
    const std::vector<std::string> matchEnd = picture();
    ASSERT_TRUE(QTest::qWaitFor([&] { return replayFiles(replayFolder()).size() == 1; }, 3000));

    ScoresWindow& scores = *program->score;
    scores.show();
    scores.showMatchesPage(true);
    ASSERT_EQ(scores.matchList->entries().size(), 1u);
    ASSERT_TRUE(scores.matchList->watchEnabled());
    QTest::mouseClick(scores.matchList, Qt::LeftButton, {}, scores.matchList->watchRect(0).center());
    EXPECT_FALSE(scores.isVisible());
    ReplayViewer& replay = mainWindow().replayViewer();
    ASSERT_TRUE(replay.active());
    EXPECT_EQ(replay.stateWord(), "playing");
    EXPECT_TRUE(mainWindow().statusLine->text().startsWith("Replay: Computer, "))
        << mainWindow().statusLine->text().toStdString();
    EXPECT_NE(picture(), matchEnd);

    QTest::keyClick(keyTarget(), Qt::Key_Space);
    EXPECT_EQ(replay.stateWord(), "paused");
    // The player's 20 hits, the computer's hits and the miss that gave the player the turn.
    const std::size_t total = replay.player()->shotCount();
    EXPECT_EQ(total, std::size_t(state().playerShots + state().enemyHits) + 1);
    while (!replay.player()->atEnd())
        QTest::keyClick(keyTarget(), Qt::Key_Right);
    EXPECT_EQ(replay.player()->shown(), total);
    EXPECT_EQ(picture(), matchEnd);
    EXPECT_FALSE(state().gameInProgress); // nothing of it was a match
    EXPECT_EQ(replayFiles(replayFolder()).size(), 1u);

    QTest::keyClick(keyTarget(), Qt::Key_Escape); // back to the menu, the program runs on
    EXPECT_FALSE(replay.active());
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_TRUE(mainWindow().world().logo->visible);
}

TEST_F(MainWindowTest, OptionsDuringABattleKeepMarksAndBuildNothingTwice) {
    test::ModalAnswerer answerer(*program);
    clickButton(mainWindow().singleButton);
    clickButton(mainWindow().fightButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().playerTurn == 1; }, 120000));
    // Hit one deck: the turn stays with the player, so no computer shot runs meanwhile.
    for (int r = 1; r <= 10 && state().playerShots == 0; ++r)
        for (int c = 1; c <= 10 && state().playerShots == 0; ++c)
            if (cellAt(state().enemyField, r, c) == CellDeck) mainWindow().match().playerShootAt(r, c);
    ASSERT_EQ(state().playerShots, 1);

    std::vector<std::string> marks;
    int fires = 0;
    for (int board : {OwnBoard, EnemyBoard})
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                marks.push_back(mainWindow().boards().cell(board, r, c)->libMaterialName);
                fires += mainWindow().boards().cell(board, r, c)->effects.count();
            }
    ASSERT_GE(fires, 1);
    const int planes = mainWindow().world().nonReflecting->count();
    const int actors = mainWindow().world().reflectingObjects->count();

    mainWindow().optionsClicked(); // modal; the answerer presses Close
    EXPECT_EQ(answerer.optionsWindowShown, 1);
    QTest::qWait(200);

    EXPECT_EQ(mainWindow().world().nonReflecting->count(), planes);
    EXPECT_EQ(mainWindow().world().reflectingObjects->count(), actors);
    EXPECT_EQ(planes, 203); // the cells, the cursor's frame, the two last shots' frames
    EXPECT_EQ(actors, 22);
    std::vector<std::string> after;
    int firesAfter = 0;
    for (int board : {OwnBoard, EnemyBoard})
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                after.push_back(mainWindow().boards().cell(board, r, c)->libMaterialName);
                firesAfter += mainWindow().boards().cell(board, r, c)->effects.count();
            }
    EXPECT_EQ(after, marks);
    EXPECT_EQ(firesAfter, fires);
    EXPECT_TRUE(state().fightStarted);
    EXPECT_EQ(mainWindow().turnTimer.interval(), 1000);
}

TEST_F(MainWindowTest, SpaceTurnsTheShipBeingPlacedOnlyWhileArranging) {
    test::ModalAnswerer answerer(*program);
    const bool menu = state().placeHorizontal;
    QTest::keyClick(keyTarget(), Qt::Key_Space); // in the menu: nothing
    EXPECT_EQ(state().placeHorizontal, menu);

    program->opt->manualBox->setChecked(true);
    clickButton(mainWindow().singleButton);
    ASSERT_TRUE(state().arranging);
    // The computer's arrangement leaves the orientation as it ends; the keys turn it from there.
    const bool start = state().placeHorizontal;
    QTest::keyPress(keyTarget(), Qt::Key_Space);
    EXPECT_EQ(state().placeHorizontal, !start);
    EXPECT_TRUE(mainWindow().spaceHeld());
    QTest::keyClick(keyTarget(), Qt::Key_A); // any key with Space held turns again
    EXPECT_EQ(state().placeHorizontal, start);
    QTest::keyRelease(keyTarget(), Qt::Key_Space);
    QTest::keyClick(keyTarget(), Qt::Key_A);
    EXPECT_EQ(state().placeHorizontal, start);
    EXPECT_FALSE(mainWindow().spaceHeld());

    // Space let go while another window of the program has the keys is let go.
    QTest::keyPress(keyTarget(), Qt::Key_Space);
    ASSERT_TRUE(mainWindow().spaceHeld());
    QTest::keyRelease(program->mess.get(), Qt::Key_Space);
    EXPECT_FALSE(mainWindow().spaceHeld());
    QTest::keyPress(keyTarget(), Qt::Key_Space);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&mainWindow(), &deactivate);
    EXPECT_FALSE(mainWindow().spaceHeld());
    const bool now = state().placeHorizontal;
    QTest::keyClick(keyTarget(), Qt::Key_A);
    EXPECT_EQ(state().placeHorizontal, now);

    leaveMatch(); // leaving clears the arrangement
    EXPECT_FALSE(state().arranging);
    QTest::keyClick(keyTarget(), Qt::Key_Space);
    EXPECT_EQ(state().placeHorizontal, now);
}

// The compass's rose turns with the camera, and the brass "BRIDGE" plate is a
// real button that brings the first view back.
TEST_F(MainWindowTest, TheCompassFollowsTheCameraAndTheBridgePlateBringsTheFirstViewBack) {
    mainWindow().tickTimer.stop();
    mainWindow().tickTimerFired();
    const double first = mainWindow().compass->heading();
    EXPECT_NEAR(first, 285.4, 1.0); // from high over the own board's side, looking west
    mainWindow().world().camera->orbitTarget(-20.0f, 90.0f);
    mainWindow().tickTimerFired();
    const double turned = std::fmod(mainWindow().compass->heading() - first + 360.0, 360.0);
    EXPECT_TRUE(std::abs(turned - 90.0) < 2.0 || std::abs(turned - 270.0) < 2.0) << turned;
    mainWindow().world().cameraRig->position.x -= 5.0f; // an edge scroll
    QTest::mouseClick(mainWindow().bridgePlate, Qt::LeftButton);
    EXPECT_EQ(mainWindow().world().cameraRig->position, glm::vec3(10.0f));
    EXPECT_EQ(mainWindow().world().camera->position, World::CameraOffset);
    EXPECT_NEAR(mainWindow().compass->heading(), first, 0.5);
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
            mainWindow().frameClock->progress(1.0 / 60.0);
            if (i % 6 == 0) mainWindow().tickTimerFired();
            QCoreApplication::processEvents();
        }
        return viewer()->framesDrawn() - before;
    };
    const std::vector<std::string> stages = {"wait", "animation", "ready", "arranging", "battle"};
    for (const std::string& stage : stages) {
        SCOPED_TRACE(stage);
        mainWindow().frameClock->setEnabled(true);
        mainWindow().tickTimer.start();
        program->opt->manualBox->setChecked(stage == "arranging");
        state().ownFleet = Fleet{};
        QTimer exitInside;
        exitInside.setInterval(0);
        QObject::connect(&exitInside, &QTimer::timeout, [&] {
            const bool arranged = state().ownFleet[0].size != 0;
            // The ships set sail inside one handler: a click made then lands right after it.
            if (stage == "wait" || (stage == "animation" && arranged)) {
                exitInside.stop();
                clickButton(mainWindow().exitButton);
            }
        });
        if (stage == "wait" || stage == "animation") exitInside.start();
        clickButton(mainWindow().singleButton);
        if (stage == "animation") {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !exitInside.isActive(); }, 3000));
        }
        if (stage == "arranging") {
            ASSERT_TRUE(state().arranging);
            ASSERT_TRUE(hover(OwnBoard, 3, 3));
        }
        if (stage == "battle") {
            clickButton(mainWindow().fightButton);
            state().turnTimerIntervalMs = 5;
            mainWindow().turnTimer.setInterval(5);
            ASSERT_TRUE(QTest::qWaitFor([&] { return state().playerTurn == 1; }, 20000));
            ASSERT_TRUE(mainWindow().match().playerShootAt(1, 1));
            ASSERT_TRUE(QTest::qWaitFor([&] { return state().playerTurn == 1; }, 20000));
        }
        if (state().gameInProgress) leaveMatch();
        EXPECT_FALSE(exitInside.isActive());
        ASSERT_TRUE(mainWindow().isVisible());
        EXPECT_FALSE(state().gameInProgress);
        EXPECT_FALSE(mainWindow().cameraFx().idleSpin);
        EXPECT_TRUE(mainWindow().world().logo->visible);
        for (const auto* fleet : {&mainWindow().world().ownShipModels, &mainWindow().world().enemyShipModels})
            for (AnimatedModel* model : *fleet)
                EXPECT_FALSE(model->visible);
        for (int board : {OwnBoard, EnemyBoard})
            for (int r = 1; r <= 10; ++r)
                for (int c = 1; c <= 10; ++c) {
                    Plane* cell = mainWindow().boards().cell(board, r, c);
                    EXPECT_EQ(cell->libMaterialName, World::FrameMark) << board << " " << r << "," << c;
                    EXPECT_TRUE(cell->effects.empty());
                }
        // The idle wait starts again at Exit, as at the window's activation.
        mainWindow().frameClock->setEnabled(false);
        mainWindow().tickTimer.stop();
        mainWindow().tickTimerFired();
        EXPECT_FALSE(mainWindow().cameraFx().idleSpin);
        EXPECT_LE(framesOverTenSeconds(), 120);
        // A spin that began stops at the next move.
        mainWindow().cameraFx().idleSpin = true;
        QTest::mouseMove(viewer(), QPoint(200 + int(stage.size()), 200));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !mainWindow().cameraFx().idleSpin; }, 1000));
    }
    EXPECT_EQ(storedSong(), -1); // nothing quit
}

// A click during Single's wait runs before the wait ends: an Exit there ends
// the match being started, and the program stays.
TEST_F(MainWindowTest, ExitInsideSinglesWaitEndsOnlyTheMatch) {
    QTimer::singleShot(0, &mainWindow(), [&] { clickButton(mainWindow().exitButton); });
    clickButton(mainWindow().singleButton);
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_FALSE(state().gameInProgress);
    EXPECT_TRUE(mainWindow().singleButton->isEnabled());
    EXPECT_FALSE(mainWindow().fightButton->isEnabled());
    EXPECT_TRUE(mainWindow().world().logo->visible);
    EXPECT_EQ(storedSong(), -1); // nothing quit
}

// Only the left button shoots; the back and forward buttons are other buttons.
TEST_F(MainWindowTest, BackAndForwardButtonsNeverShoot) {
    test::ModalAnswerer answerer(*program);
    clickButton(mainWindow().singleButton);
    clickButton(mainWindow().fightButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return state().playerTurn == 1 || state().gameLost; }, 120000));
    ASSERT_EQ(state().playerTurn, 1);
    mainWindow().tickTimer.stop(); // no idle spin between the aim and the click
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) {
            const QPoint pixel = cellPixel(EnemyBoard, r, c);
            if (!test::insideViewer(mainWindow(), pixel)) continue;
            for (Qt::MouseButton other : {Qt::BackButton, Qt::ForwardButton, Qt::MiddleButton})
                QTest::mouseClick(viewer(), other, {}, pixel);
            ASSERT_EQ(state().playerShots, 0) << r << "," << c;
            if (state().pickedBoard == EnemyBoard) { // the click reached a cell
                QTest::mouseClick(viewer(), Qt::LeftButton, {}, pixel);
                EXPECT_EQ(state().playerShots, 1);
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
    EXPECT_TRUE(state().soundOn); // no vtx.ini: the box is unchecked, effects play anyway
    EXPECT_TRUE(mainWindow().sound().soundOn());
    EXPECT_EQ(mainWindow().sound().waveOutput().getVolume(), VolumeDevice::pack(30000, 30000));
    EXPECT_EQ(mainWindow().sound().midiOutput().getVolume(), VolumeDevice::pack(30000, 30000));

    // The devices as the desktop had them, found when the options open.
    mainWindow().sound().waveOutput().setVolume(VolumeDevice::pack(20000, 40000));
    mainWindow().sound().midiOutput().setVolume(VolumeDevice::pack(10000, 10000));
    OptionsWindow& opt = *program->opt;
    QTimer::singleShot(0, &opt, [&] {
        QTest::mouseClick(opt.effectsUpButton, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(opt.musicDownButton, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(mainWindow().sound().waveOutput().getVolume(), VolumeDevice::pack(33000, 33000));
        EXPECT_EQ(mainWindow().sound().midiOutput().getVolume(), VolumeDevice::pack(27000, 27000));
        opt.musicBox->setChecked(true);
        QTest::mouseClick(opt.closeButton, Qt::LeftButton);
    });
    mainWindow().optionsClicked();
    EXPECT_FALSE(state().soundOn); // Close copied the unchecked Sound box
    EXPECT_FALSE(mainWindow().sound().soundOn());

    clickButton(mainWindow().singleButton);
    EXPECT_TRUE(mainWindow().music().isPlaying());
    leaveMatch();
    EXPECT_FALSE(mainWindow().music().isPlaying());
    EXPECT_EQ(mainWindow().music().musicState(), 1);

    mainWindow().close();
    EXPECT_EQ(mainWindow().sound().waveOutput().getVolume(), VolumeDevice::pack(20000, 40000));
    EXPECT_EQ(mainWindow().sound().midiOutput().getVolume(), VolumeDevice::pack(10000, 10000));
}

TEST_F(MainWindowTest, NetworkOpensTheLobbyAndTheFocusComingBackActivatesTheWindowAgain) {
    if (mainWindow().localIp() == QStringLiteral("127.0.0.1")) GTEST_SKIP() << "no network address on this machine";
    // Another program holds the game's port: said once, when the lobby first opens.
    QUdpSocket holder;
    ASSERT_TRUE(holder.bind(QHostAddress::AnyIPv4, 0));
    mainWindow().udp.setLocalPort(holder.localPort());
    test::ModalAnswerer answerer(*program);
    int seen = 0;
    QTimer closer;
    closer.setInterval(100);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!program->net->isVisible()) return;
        seen += state().netMode && !state().button(MenuButton::Single).enabled;
        QTest::mouseClick(program->net->cancelButton, Qt::LeftButton);
    });
    closer.start();
    for (int round = 0; round < 2; ++round)
        QTest::mouseClick(mainWindow().networkButton, Qt::LeftButton);
    closer.stop();
    EXPECT_EQ(seen, 2);
    ASSERT_EQ(answerer.messages.size(), 1);
    EXPECT_TRUE(answerer.messages[0].contains(QStringLiteral("busy")));
    EXPECT_FALSE(program->net->isVisible());
    EXPECT_FALSE(state().netMode);
    EXPECT_TRUE(state().button(MenuButton::Single).enabled);

    // The message window shown without a modal wait takes the focus; when the
    // main window gets it back, its activation steps run again.
    state().turnDelay = 3;
    program->mess->showMessage(40, QStringLiteral("Please wait"), false);
    program->mess->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(program->mess.get()));
    program->mess->hide();
    mainWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow()));
    EXPECT_EQ(state().turnDelay, 1);
}

// Towards a program that speaks only the plain protocol, the main window
// sends exactly its bytes: the four datagrams of the exchange in order, a
// shot, the leave. Its own endpoint hears them on the loopback address.
TEST_F(MainWindowTest, APlainMatchLeavesTheEndpointAsThePlainBytes) {
    if (!mainWindow().udp.bindError().isEmpty()) GTEST_SKIP() << "the game's port is taken on this machine";
    QList<QByteArray> heard;
    mainWindow().udp.onDataReceived = [&](int, const QString& from, int) {
        if (from == QStringLiteral("127.0.0.1")) heard.append(mainWindow().udp.readDatagram());
    };
    state().netMode = true;
    state().netConnected = true;
    state().netRole = NetRole::Creator;
    state().opponentIp = "127.0.0.1";
    clickButton(mainWindow().singleButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 4; }, 5000));
    mainWindow().matchHost().sendShot(10, 10);
    leaveMatch();
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 6; }, 5000));
    ASSERT_EQ(heard.size(), 6);

    EXPECT_EQ(heard[0], QByteArray("SYS$$Info:"));
    ASSERT_EQ(heard[1].size(), 600);
    for (int n = 0; n < 10; ++n) {
        const Ship& ship = state().ownFleet[std::size_t(n)];
        const QByteArray record = heard[1].mid(60 * n, 60);
        const auto int32At = [&](int at) { return qFromLittleEndian<qint32>(record.constData() + at); };
        EXPECT_EQ(int32At(0), ship.size) << n;
        EXPECT_EQ(int32At(4), 0) << n;
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(int32At(8 + 4 * k), ship.cols[k]) << n;
            EXPECT_EQ(int32At(24 + 4 * k), ship.rows[k]) << n;
            EXPECT_EQ(int32At(40 + 4 * k), k < ship.size ? 10 : 0) << n;
        }
        EXPECT_EQ(record.mid(56), QByteArray(1, char(ship.horizontal)) + QByteArray(3, '\0')) << n;
    }
    EXPECT_EQ(heard[2], QByteArray("SYS$$Field:"));
    EXPECT_EQ(heard[3], QByteArray(state().ownField.data(), 100));
    EXPECT_EQ(heard[4], QByteArray("SYS$$Move:1010"));
    EXPECT_EQ(heard[5], QByteArray("SYS$$Exit:"));

    // Closing the window in the middle of a network match tells the opponent too.
    state().netMode = true;
    state().netConnected = true;
    clickButton(mainWindow().singleButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 10; }, 5000));
    mainWindow().close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 11; }, 5000));
    EXPECT_EQ(heard.last(), QByteArray("SYS$$Exit:"));
}

// In a match with a copy of this version, T opens the chat field; Esc only
// closes it (no Exit), and Enter sends the line as a chat frame and shows it.
TEST_F(MainWindowTest, AChatLineIsTypedSentAndShown) {
    if (!mainWindow().udp.bindError().isEmpty()) GTEST_SKIP() << "the game's port is taken on this machine";
    std::vector<net::ChatLine> heard;
    mainWindow().udp.onDataReceived = [&](int, const QString&, int) {
        const QByteArray bytes = mainWindow().udp.readDatagram();
        const auto frame = net::decodeFrame(
            {reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size())});
        if (frame && frame->kind == net::FrameKind::Chat) heard.push_back(*net::decodeChat(frame->payload));
    };
    state().netMode = true;
    state().netConnected = true;
    state().netRole = NetRole::Creator;
    state().opponentIp = "127.0.0.1";
    mainWindow().lanHost().channel().acceptJoin("127.0.0.1", 0x1234u);
    auto* field = mainWindow().findChild<QLineEdit*>(QStringLiteral("chatField"));
    ASSERT_TRUE(field);

    QTest::keyClick(keyTarget(), Qt::Key_T);
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->isVisible() && field->hasFocus(); }, 3000));
    QTest::keyClick(keyTarget(), Qt::Key_Escape);
    EXPECT_FALSE(field->isVisible());
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_FALSE(program->mess->isVisible());

    QTest::keyClick(keyTarget(), Qt::Key_T);
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }, 3000));
    QTest::keyClicks(keyTarget(), QStringLiteral("  Fire at a1, Quentin!"));
    QTest::keyClick(keyTarget(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !heard.empty(); }, 5000));
    EXPECT_EQ(heard[0].text, "Fire at a1, Quentin!");
    EXPECT_FALSE(heard[0].name.empty());
    EXPECT_FALSE(field->isVisible());
    auto* lines = mainWindow().findChild<QLabel*>(QStringLiteral("chatLines"));
    ASSERT_TRUE(lines);
    EXPECT_TRUE(lines->isVisible());
    EXPECT_TRUE(lines->text().contains(QStringLiteral("Fire at a1, Quentin!")));
}

// Exit asks in a running match and quits at once in the menu; the second
// click of a double click never acts on what the first made of the button.
TEST_F(MainWindowTest, ExitAsksInAMatchAndInTheMenuStoresTheSongAndCloses) {
    MessageWindow& mess = *program->mess;
    clickButton(mainWindow().singleButton);
    clickButton(mainWindow().exitButton);
    ASSERT_TRUE(mess.asking());
    EXPECT_TRUE(mess.yesButton->isVisible());
    QTest::keyClick(&mess, Qt::Key_Escape); // stays
    EXPECT_FALSE(mess.isVisible());
    EXPECT_TRUE(state().gameInProgress);
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    clickButton(mainWindow().exitButton);
    clickButton(mainWindow().exitButton);           // no second question
    QTest::keyClick(&mess, Qt::Key_Return); // leaves
    EXPECT_FALSE(state().gameInProgress);
    clickButton(mainWindow().exitButton); // the double click's second half: nothing
    EXPECT_TRUE(mainWindow().isVisible());
    EXPECT_TRUE(mainWindow().world().logo->visible);
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    mainWindow().music().setSongIndex(9); // stored as the position after it
    clickButton(mainWindow().exitButton);   // quits
    EXPECT_FALSE(mainWindow().isVisible());
    EXPECT_EQ(storedSong(), 10);
}

// kill, Ctrl+C and a closed terminal end the program as a close does, and the
// song position is kept.
TEST_F(MainWindowTest, ATerminationSignalClosesTheWindowAndStoresTheSong) {
    mainWindow().music().setSongIndex(4);
    mainWindow().sound().waveOutput().setVolume(VolumeDevice::pack(1000, 2000));
    mainWindow().optionsHost().captureVolumes();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mainWindow().isVisible(); }, 5000));
    EXPECT_EQ(storedSong(), 5);
    EXPECT_EQ(mainWindow().sound().waveOutput().getVolume(), VolumeDevice::pack(1000, 2000));
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
        MainWindow broken;
        EXPECT_NE(broken.startupError().indexOf(QStringLiteral("shipkill.jpg")), -1)
            << broken.startupError().toStdString();
    }
    ASSERT_TRUE(QFile::remove(run.path() + QStringLiteral("/DATA/terrain.bmp")));
    {
        MainWindow broken;
        EXPECT_NE(broken.startupError().indexOf(QStringLiteral("terrain.bmp")), -1)
            << broken.startupError().toStdString();
        EXPECT_FALSE(broken.world().activationStageBuilt());
    }
    ASSERT_TRUE(QFile::remove(run.path() + QStringLiteral("/data/panel1.jpg")));
    MainWindow broken;
    EXPECT_NE(broken.startupError().indexOf(QStringLiteral("panel1.jpg")), -1)
        << broken.startupError().toStdString();
}

} // namespace
} // namespace vtx
