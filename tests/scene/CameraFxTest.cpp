#include "SceneTestSupport.h"
#include "tests/support/MatchSetup.h"

#include "scene/CameraFx.h"
#include "scene/CellPicker.h"
#include "scene/ViewTexts.h"
#include "scene/engine/IObjectPicker.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vtx {
namespace {

using test::BuiltWorld;

// The viewer's picks, as the test chooses them: the plain pick answers
// picked; the pick that looks through answers through's choice, or the plain
// pick's while none is given.
class FakeView final : public IObjectPicker {
public:
    SceneObject* picked = nullptr;
    int picks = 0;
    std::function<SceneObject*(const PickFilter&)> through;

    SceneObject* pickObject(int, int) override {
        ++picks;
        return picked;
    }
    SceneObject* pickObjectThrough(int x, int y, const PickFilter& lookThrough) override {
        return through ? through(lookThrough) : pickObject(x, y);
    }
};

class CameraFxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::enterRunDir()) << "generated data missing";
        fx.randomBelow = [this](int n) { return next++ % n; };
        fx.cursorOffsetY = [this] { return cursorY; };
        fx.rightButtonHeld = [this] { return rightHeld; };
        picker.setView(&view);
        fx.recordIdleStart();
    }

    BuiltWorld w;
    MatchState& s = test::setUp(w.match);
    CameraFx fx{w.world, w.match.state(), w.clock};
    ViewTexts texts{w.world, w.match.state()};
    FakeView view;
    CellPicker picker{w.world, w.boards, w.match.state()};
    // The viewer's mouse events and the frame's hover test as the main window
    // hands them on.
    void move(bool held, int x, int y) {
        fx.viewMouseMoved(held, x, y);
        picker.pointerMoved(x, y);
    }
    void frame() {
        if (const auto cell = picker.pickHover()) w.match.cellHovered(*cell);
    }
    void down(MouseButton button, int x, int y) {
        frame();
        if (const auto cell = picker.pressed(button, x, y)) w.match.cellClicked(*cell, button);
        fx.viewMousePressed(x, y);
    }
    void up(MouseButton button, int x, int y) {
        if (const auto cell = picker.released(button, x, y)) w.match.cellClicked(*cell, button);
    }
    int next = 3;
    int cursorY = 300;
    bool rightHeld = false;
    SceneObject*& picked = view.picked;
    int& picks = view.picks;
};

TEST_F(CameraFxTest, TheWorldSpinsAfterThirtyIdleSecondsAndSnapsBackOnAMove) {
    w.world.worldRoot->setTurnAngle(10.0f);
    fx.recordIdleStart();
    w.clock.now += 30000;
    fx.tickTimerFired();
    EXPECT_FALSE(fx.idleSpin);
    w.clock.now += 1;
    fx.tickTimerFired();
    EXPECT_TRUE(fx.idleSpin);
    EXPECT_FLOAT_EQ(w.world.worldRoot->turnAngle(), 12.0f);
    EXPECT_FLOAT_EQ(w.world.sky->rollAngle(), 2.0f);
    fx.tickTimerFired();
    EXPECT_FLOAT_EQ(w.world.worldRoot->turnAngle(), 14.0f);

    move(false, 100, 100);
    EXPECT_FALSE(fx.idleSpin);
    EXPECT_FLOAT_EQ(w.world.worldRoot->turnAngle(), 10.0f);
    EXPECT_FLOAT_EQ(w.world.sky->rollAngle(), 10.0f);
    EXPECT_EQ(fx.lastMouseMoveTick, w.clock.now);
    fx.tickTimerFired();
    EXPECT_FLOAT_EQ(w.world.worldRoot->turnAngle(), 10.0f);
}

TEST_F(CameraFxTest, TheEndMessageFadesOutAndIn) {
    s.gameWon = true;
    std::vector<int> alphas; // in hundredths
    for (int i = 0; i < 50; ++i) {
        texts.tickTimerFired();
        alphas.push_back(int(std::lround(w.world.resultText->modulateColor.a * 100)));
    }
    // The pulse runs 100, 105, 100, 95 ... 0, -5, 0 ... back up, one full
    // cycle every 44 ticks; the message breathes between full and 60 %,
    // never out of sight.
    EXPECT_EQ(std::vector<int>(alphas.begin(), alphas.begin() + 4), (std::vector<int>{100, 100, 100, 98}));
    EXPECT_EQ(alphas[22], 60);
    EXPECT_EQ(alphas[23], 60);
    EXPECT_EQ(alphas[21], 62);
    EXPECT_EQ(alphas[45], 100);
    EXPECT_EQ(alphas[44], 100);
    EXPECT_EQ(alphas[4 + 44], alphas[4]);
    EXPECT_EQ(*std::min_element(alphas.begin(), alphas.end()), 60);

    s.gameWon = false; // no game over: the message keeps its colour
    const float before = w.world.resultText->modulateColor.a;
    texts.tickTimerFired();
    EXPECT_EQ(w.world.resultText->modulateColor.a, before);

    // A new match hides the result; the next one starts from full.
    texts.hideResult();
    EXPECT_FALSE(w.world.resultText->visible);
    s.gameLost = true;
    texts.tickTimerFired();
    EXPECT_EQ(w.world.resultText->modulateColor.a, 1.0f);
}

TEST_F(CameraFxTest, CameraFloorAndSeaFrames) {
    w.world.camera->position.y = -8.0f;
    fx.tickTimerFired();
    EXPECT_FLOAT_EQ(w.world.camera->position.y, -8.0f);
    w.world.camera->position.y = -8.5f;
    fx.tickTimerFired();
    EXPECT_FLOAT_EQ(w.world.camera->position.y, -5.0f);

    fx.seaFrame = 30;
    fx.tickTimerFired();
    EXPECT_EQ(w.world.sea->libMaterialName, World::waterMaterial(30));
    fx.tickTimerFired();
    EXPECT_EQ(w.world.sea->libMaterialName, World::waterMaterial(31));
    EXPECT_EQ(fx.seaFrame, 0);
    fx.tickTimerFired();
    EXPECT_EQ(w.world.sea->libMaterialName, World::waterMaterial(0));
}

TEST_F(CameraFxTest, ShakeMovesTheRigAndPutsItBack) {
    glm::vec3& rig = w.world.cameraRig->position;
    rig = {7.0f, 10.0f, 9.0f};
    std::vector<int> asked;
    fx.randomBelow = [&](int n) {
        asked.push_back(n);
        return (int(asked.size()) + 2) % 10; // 3, 4, ..., 9, 0
    };
    fx.tickTimerFired(); // saves X and Z
    fx.startShake();
    std::vector<glm::vec3> seen;
    for (int i = 0; i < 4; ++i) {
        w.clock.now += 100;
        fx.tickTimerFired();
        seen.push_back(rig);
    }
    EXPECT_TRUE(fx.shakeActive);
    // Each tick two draws below 10 in hundredths: (-dx, +dz), then (+dx, -dz), in turn.
    EXPECT_EQ(asked, std::vector<int>(8, 10));
    const std::vector<glm::vec3> expected = {
        {6.97f, 10.0f, 9.04f}, {7.02f, 10.0f, 8.98f}, {6.95f, 10.0f, 9.06f}, {7.04f, 10.0f, 9.06f}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(seen[i].x, expected[i].x, 1e-4f) << i;
        EXPECT_EQ(seen[i].y, 10.0f) << i;
        EXPECT_NEAR(seen[i].z, expected[i].z, 1e-4f) << i;
    }
    w.clock.now += 1;
    fx.tickTimerFired();
    EXPECT_FALSE(fx.shakeActive);
    EXPECT_EQ(rig, glm::vec3(7.0f, 10.0f, 9.0f));
}

TEST_F(CameraFxTest, EdgeScrollMovesTheRigOnlyInTheStripsAndDuringAGame) {
    glm::vec3& rig = w.world.cameraRig->position;
    cursorY = 40;
    fx.tickTimerFired();
    EXPECT_FLOAT_EQ(rig.x, 10.0f); // no game in progress
    s.gameInProgress = true;
    for (int y : {31, 51, 581, 601}) {
        cursorY = y;
        fx.tickTimerFired();
        EXPECT_FLOAT_EQ(rig.x, 10.0f) << y;
    }
    for (int y : {32, 50}) {
        cursorY = y;
        fx.tickTimerFired();
    }
    EXPECT_FLOAT_EQ(rig.x, 9.0f);
    cursorY = 40;
    for (int i = 0; i < 200; ++i)
        fx.tickTimerFired();
    EXPECT_FLOAT_EQ(rig.x, CameraFx::ScrollMinX); // bounded both ways (the render test frames it)
    cursorY = 600;
    for (int i = 0; i < 200; ++i)
        fx.tickTimerFired();
    EXPECT_FLOAT_EQ(rig.x, CameraFx::ScrollMaxX);
}

// A match holds the world still however long the player thinks, keys
// included; a new match starts from the first view.
TEST_F(CameraFxTest, NoSpinDuringAMatchAndAKeyStopsItInTheMenu) {
    s.gameInProgress = true;
    w.clock.now += 60000;
    fx.tickTimerFired();
    EXPECT_FALSE(fx.idleSpin);
    s.gameInProgress = false;
    w.clock.now += 30001;
    fx.tickTimerFired();
    EXPECT_TRUE(fx.idleSpin);
    fx.tickTimerFired();
    fx.inputSeen(); // what the window does for a key
    EXPECT_FALSE(fx.idleSpin);
    EXPECT_FLOAT_EQ(w.world.worldRoot->turnAngle(), 0.0f);

    fx.tickTimerFired();
    w.clock.now += 40000;
    fx.tickTimerFired();
    fx.tickTimerFired();
    w.world.cameraRig->position.x = 8.0f;
    fx.firstView();
    EXPECT_FALSE(fx.idleSpin);
    EXPECT_FLOAT_EQ(w.world.worldRoot->turnAngle(), 0.0f);
    EXPECT_FLOAT_EQ(w.world.sky->rollAngle(), 0.0f);
    EXPECT_EQ(w.world.cameraRig->position, glm::vec3(10.0f, 10.0f, 10.0f));
    EXPECT_EQ(w.world.camera->position, World::CameraOffset);

    // The end of a match (Exit) stops a spin and waits the idle time again.
    w.clock.now += 40000;
    fx.tickTimerFired();
    ASSERT_TRUE(fx.idleSpin);
    fx.restartIdleWait();
    EXPECT_FALSE(fx.idleSpin);
    w.clock.now += 30000;
    fx.tickTimerFired();
    EXPECT_FALSE(fx.idleSpin);
}

TEST_F(CameraFxTest, RightDragOrbitsTheCameraButNotBelowTheFloor) {
    Camera& camera = *w.world.camera;
    down(MouseButton::Right, 100, 100);
    const glm::vec3 start = camera.absolutePosition();
    rightHeld = false;
    move(true, 120, 100);
    EXPECT_EQ(camera.absolutePosition(), start); // the button is not held: no drag

    rightHeld = true;
    move(true, 130, 100);
    const glm::vec3 turned = camera.absolutePosition();
    EXPECT_GT(glm::length(turned - start), 0.1f);
    EXPECT_NEAR(turned.y, start.y, 1e-3f); // sideways: about the vertical only
    EXPECT_NEAR(glm::length(turned), glm::length(start), 1e-3f);
    EXPECT_EQ(fx.mouseX, 130);

    move(true, 130, 70); // dragging up lowers the camera
    EXPECT_LT(camera.absolutePosition().y, turned.y);

    camera.position.y = -6.0f; // below -5 only a downward drag moves it
    const glm::vec3 low = camera.position;
    move(true, 130, 60);
    EXPECT_EQ(camera.position, low);
    move(true, 130, 90);
    EXPECT_GT(camera.position.y, low.y);

    // After a game a move stops the spin and the camera still turns; only
    // the boards stop answering (no hover test is queued).
    s.gameLost = true;
    fx.idleSpin = true;
    s.hoverPicking = true;
    const glm::vec3 after = camera.position;
    const int picksBefore = picks;
    w.clock.now += 500;
    move(true, 10, 150);
    EXPECT_NE(camera.position, after);
    EXPECT_FALSE(fx.idleSpin);
    EXPECT_EQ(fx.lastMouseMoveTick, w.clock.now);
    frame();
    EXPECT_EQ(picks, picksBefore);
}

// Wherever a drag takes the camera, round and from the top down to the
// floor, it never cuts a board: the first view as it was, the rest fitted.
TEST_F(CameraFxTest, BothBoardsStayWhollyInViewAtEveryHeadingAndTilt) {
    Camera& camera = *w.world.camera;
    const auto cornersInView = [&] {
        const glm::mat4 toClip = camera.projectionMatrix(CameraFx::DefaultAspect) * camera.viewMatrix();
        for (const float z : {0.5f, 10.5f, -0.5f, -10.5f})
            for (const float x : {-4.5f, 5.5f}) {
                const glm::vec4 clip = toClip * glm::vec4(x, 0.1f, z, 1.0f);
                if (clip.w <= 0.0f || std::abs(clip.x) > clip.w || std::abs(clip.y) > clip.w) return false;
            }
        return true;
    };
    EXPECT_TRUE(cornersInView());
    rightHeld = true;
    down(MouseButton::Right, 0, 0);
    fx.tickTimerFired();
    EXPECT_EQ(camera.position, World::CameraOffset); // the first view stays
    int y = 0;
    for (int heading = 0; heading < 360; heading += 15) {
        move(true, heading, y += 400); // to the top
        EXPECT_TRUE(cornersInView()) << heading << " from the top";
        for (int step = 0; step < 60; ++step) { // down to the floor, and a tick
            move(true, heading, y -= 5);
            fx.tickTimerFired();
            ASSERT_TRUE(cornersInView()) << heading << " tilted " << step;
        }
    }
}

TEST_F(CameraFxTest, HoverPreviewsOnlyOnANewCellAndClicksReachTheMatch) {
    s.arranging = true;
    s.hoverPicking = true;
    s.shipToPlace = 2;
    picked = w.boards.cell(EnemyBoard, 4, 2); // the enemy board previews on the own one
    // Moves within a frame are tested once, at the frame, for the last place.
    move(false, 90, 90);
    move(false, 10, 10);
    EXPECT_EQ(picks, 0);
    frame();
    frame();
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(w.boards.hoveredCell, picked);
    EXPECT_EQ(s.pickedRow, 4);
    EXPECT_EQ(s.pickedBoard, EnemyBoard);
    EXPECT_EQ(w.boards.cell(OwnBoard, 4, 4)->libMaterialName, "hint");

    w.boards.cell(OwnBoard, 4, 4)->libMaterialName = World::FrameMark;
    move(false, 11, 10); // the same cell: no redraw
    frame();
    EXPECT_EQ(w.boards.cell(OwnBoard, 4, 4)->libMaterialName, World::FrameMark);

    picked = w.world.sea; // the sea is no cell
    move(false, 12, 10);
    frame();
    EXPECT_EQ(w.boards.hoveredCell, w.boards.cell(EnemyBoard, 4, 2));
    s.pickedRow = 0;
    down(MouseButton::Left, 33, 44);
    EXPECT_EQ(s.pickedRow, 0);
    EXPECT_EQ(fx.mouseX, 33);
    EXPECT_EQ(fx.mouseY, 44);

    // A right click on a cell while arranging turns the ship when the button
    // comes up where it went down; a right drag turns only the camera.
    picked = w.boards.cell(OwnBoard, 2, 2);
    move(false, 20, 20); // its hover waits for the frame, but the click runs it first
    EXPECT_TRUE(s.placeHorizontal);
    down(MouseButton::Right, 20, 20);
    up(MouseButton::Right, 60, 20);
    EXPECT_TRUE(s.placeHorizontal);
    down(MouseButton::Right, 20, 20);
    up(MouseButton::Right, 21, 22);
    EXPECT_FALSE(s.placeHorizontal);
    EXPECT_EQ(w.boards.cell(OwnBoard, 3, 2)->libMaterialName, "hint");
}

TEST_F(CameraFxTest, WhileArrangingThePickLooksThroughTheOwnShipModelsOnly) {
    PickFilter lookedThrough;
    view.through = [&](const PickFilter& filter) {
        lookedThrough = filter;
        return static_cast<SceneObject*>(w.boards.cell(OwnBoard, 6, 3));
    };
    picked = w.world.ownShipModels[0]; // what the plain pick sees: the floating ship
    s.arranging = true;
    s.hoverPicking = true;
    s.shipToPlace = 1;
    move(false, 5, 5);
    frame();
    EXPECT_EQ(s.pickedRow, 6); // the cell beneath the ship
    ASSERT_TRUE(lookedThrough);
    for (AnimatedModel* own : w.world.ownShipModels)
        EXPECT_TRUE(lookedThrough(*own));
    EXPECT_FALSE(lookedThrough(*w.world.enemyShipModels[0]));
    EXPECT_FALSE(lookedThrough(*w.world.trees[0]));
    EXPECT_FALSE(lookedThrough(*w.boards.cell(OwnBoard, 6, 3)));

    // In a battle a model covers its cell as before.
    s.arranging = false;
    s.fightStarted = true;
    s.playerTurn = 1;
    lookedThrough = nullptr;
    s.pickedRow = 0;
    down(MouseButton::Left, 5, 5);
    EXPECT_FALSE(lookedThrough);
    EXPECT_EQ(s.pickedRow, 0);
}

} // namespace
} // namespace vtx
