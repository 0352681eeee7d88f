#include "SceneTestSupport.h"
#include "tests/support/MatchSetup.h"

#include "scene/CameraFx.h"
#include "scene/CellPicker.h"

#include <algorithm>
#include <vector>

namespace vtx {
namespace {

using test::BuiltWorld;

class CameraFxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::enterRunDir()) << "generated data missing";
        fx.randomBelow = [this](int n) { return next++ % n; };
        fx.cursorOffsetY = [this] { return cursorY; };
        fx.rightButtonHeld = [this] { return rightHeld; };
        picker.pick = [this](int, int) {
            ++picks;
            return picked;
        };
        fx.RecordIdleStart();
    }

    BuiltWorld w;
    MatchState& s = test::setUp(w.match);
    CameraFx fx{w.world, w.match, w.clock};
    CellPicker picker{w.world, w.boards, w.match};
    // The viewer's mouse events as the main window hands them on.
    void move(bool held, int x, int y) {
        fx.GLSceneViewer1MouseMove(held, x, y);
        picker.PointerMoved(x, y);
    }
    void down(MouseButton button, int x, int y) {
        picker.Click(button, x, y);
        fx.GLSceneViewer1MouseDown(x, y);
    }
    int next = 3;
    int cursorY = 300;
    bool rightHeld = false;
    TGLBaseSceneObject* picked = nullptr;
    int picks = 0;
};

TEST_F(CameraFxTest, TheWorldSpinsAfterThirtyIdleSecondsAndSnapsBackOnAMove) {
    w.world.WorldRoot->setTurnAngle(10.0f);
    fx.RecordIdleStart();
    w.clock.now += 30000;
    fx.timerScrollTimer();
    EXPECT_FALSE(s.IdleSpin);
    w.clock.now += 1;
    fx.timerScrollTimer();
    EXPECT_TRUE(s.IdleSpin);
    EXPECT_FLOAT_EQ(w.world.WorldRoot->TurnAngle(), 12.0f);
    EXPECT_FLOAT_EQ(w.world.SkyDome1->RollAngle(), 2.0f);
    fx.timerScrollTimer();
    EXPECT_FLOAT_EQ(w.world.WorldRoot->TurnAngle(), 14.0f);

    move(false, 100, 100);
    EXPECT_FALSE(s.IdleSpin);
    EXPECT_FLOAT_EQ(w.world.WorldRoot->TurnAngle(), 10.0f);
    EXPECT_FLOAT_EQ(w.world.SkyDome1->RollAngle(), 10.0f);
    EXPECT_EQ(fx.LastMouseMoveTick, w.clock.now);
    fx.timerScrollTimer();
    EXPECT_FLOAT_EQ(w.world.WorldRoot->TurnAngle(), 10.0f);
}

TEST_F(CameraFxTest, TheEndMessageFadesOutAndIn) {
    s.GameWon = true;
    s.HudPulse = 100;
    std::vector<int> alphas; // in hundredths
    for (int i = 0; i < 50; ++i) {
        fx.timerScrollTimer();
        alphas.push_back(int(std::lround(w.world.HUDText1->ModulateColor.a * 100)));
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

    s.GameWon = false; // no game over: the message keeps its colour
    const float before = w.world.HUDText1->ModulateColor.a;
    fx.timerScrollTimer();
    EXPECT_EQ(w.world.HUDText1->ModulateColor.a, before);
}

TEST_F(CameraFxTest, CameraFloorAndSeaFrames) {
    w.world.GLCamera1->Position.y = -8.0f;
    fx.timerScrollTimer();
    EXPECT_FLOAT_EQ(w.world.GLCamera1->Position.y, -8.0f);
    w.world.GLCamera1->Position.y = -8.5f;
    fx.timerScrollTimer();
    EXPECT_FLOAT_EQ(w.world.GLCamera1->Position.y, -5.0f);

    fx.SeaFrame = 30;
    fx.timerScrollTimer();
    EXPECT_EQ(w.world.Plane1->LibMaterialName, "LibMaterial30");
    fx.timerScrollTimer();
    EXPECT_EQ(w.world.Plane1->LibMaterialName, "LibMaterial31");
    EXPECT_EQ(fx.SeaFrame, 0);
    fx.timerScrollTimer();
    EXPECT_EQ(w.world.Plane1->LibMaterialName, "LibMaterial0");
}

TEST_F(CameraFxTest, ShakeMovesTheRigAndPutsItBack) {
    glm::vec3& rig = w.world.Camera->Position;
    rig = {7.0f, 10.0f, 9.0f};
    std::vector<int> asked;
    fx.randomBelow = [&](int n) {
        asked.push_back(n);
        return (int(asked.size()) + 2) % 10; // 3, 4, ..., 9, 0
    };
    fx.timerScrollTimer(); // saves X and Z
    fx.StartShake();
    std::vector<glm::vec3> seen;
    for (int i = 0; i < 4; ++i) {
        w.clock.now += 100;
        fx.timerScrollTimer();
        seen.push_back(rig);
    }
    EXPECT_TRUE(fx.ShakeActive);
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
    fx.timerScrollTimer();
    EXPECT_FALSE(fx.ShakeActive);
    EXPECT_EQ(rig, glm::vec3(7.0f, 10.0f, 9.0f));
}

TEST_F(CameraFxTest, EdgeScrollMovesTheRigOnlyInTheStripsAndDuringAGame) {
    glm::vec3& rig = w.world.Camera->Position;
    cursorY = 40;
    fx.timerScrollTimer();
    EXPECT_FLOAT_EQ(rig.x, 10.0f); // no game in progress
    s.GameInProgress = true;
    for (int y : {31, 51, 581, 601}) {
        cursorY = y;
        fx.timerScrollTimer();
        EXPECT_FLOAT_EQ(rig.x, 10.0f) << y;
    }
    for (int y : {32, 50}) {
        cursorY = y;
        fx.timerScrollTimer();
    }
    EXPECT_FLOAT_EQ(rig.x, 9.0f);
    cursorY = 40;
    for (int i = 0; i < 200; ++i)
        fx.timerScrollTimer();
    EXPECT_FLOAT_EQ(rig.x, CameraFx::ScrollMinX); // bounded both ways (the render test frames it)
    cursorY = 600;
    for (int i = 0; i < 200; ++i)
        fx.timerScrollTimer();
    EXPECT_FLOAT_EQ(rig.x, CameraFx::ScrollMaxX);
}

// A match holds the world still however long the player thinks, keys
// included; a new match starts from the first view.
TEST_F(CameraFxTest, NoSpinDuringAMatchAndAKeyStopsItInTheMenu) {
    s.GameInProgress = true;
    w.clock.now += 60000;
    fx.timerScrollTimer();
    EXPECT_FALSE(s.IdleSpin);
    s.GameInProgress = false;
    w.clock.now += 30001;
    fx.timerScrollTimer();
    EXPECT_TRUE(s.IdleSpin);
    fx.timerScrollTimer();
    fx.InputSeen(); // what the window does for a key
    EXPECT_FALSE(s.IdleSpin);
    EXPECT_FLOAT_EQ(w.world.WorldRoot->TurnAngle(), 0.0f);

    fx.timerScrollTimer();
    w.clock.now += 40000;
    fx.timerScrollTimer();
    fx.timerScrollTimer();
    w.world.Camera->Position.x = 8.0f;
    fx.FirstView();
    EXPECT_FALSE(s.IdleSpin);
    EXPECT_FLOAT_EQ(w.world.WorldRoot->TurnAngle(), 0.0f);
    EXPECT_FLOAT_EQ(w.world.SkyDome1->RollAngle(), 0.0f);
    EXPECT_EQ(w.world.Camera->Position, glm::vec3(10.0f, 10.0f, 10.0f));
    EXPECT_EQ(w.world.GLCamera1->Position, World::CameraOffset);
}

TEST_F(CameraFxTest, RightDragOrbitsTheCameraButNotBelowTheFloor) {
    TGLCamera& camera = *w.world.GLCamera1;
    down(MouseButton::Right, 100, 100);
    const glm::vec3 start = camera.AbsolutePosition();
    rightHeld = false;
    move(true, 120, 100);
    EXPECT_EQ(camera.AbsolutePosition(), start); // the button is not held: no drag

    rightHeld = true;
    move(true, 130, 100);
    const glm::vec3 turned = camera.AbsolutePosition();
    EXPECT_GT(glm::length(turned - start), 0.1f);
    EXPECT_NEAR(turned.y, start.y, 1e-3f); // sideways: about the vertical only
    EXPECT_NEAR(glm::length(turned), glm::length(start), 1e-3f);
    EXPECT_EQ(fx.MouseX, 130);

    move(true, 130, 70); // dragging up lowers the camera
    EXPECT_LT(camera.AbsolutePosition().y, turned.y);

    camera.Position.y = -6.0f; // below -5 only a downward drag moves it
    const glm::vec3 low = camera.Position;
    move(true, 130, 60);
    EXPECT_EQ(camera.Position, low);
    move(true, 130, 90);
    EXPECT_GT(camera.Position.y, low.y);

    // After a game a move stops the spin and the camera still turns; only
    // the boards stop answering (no hover test is queued).
    s.GameLost = true;
    s.IdleSpin = true;
    s.HoverPicking = true;
    const glm::vec3 after = camera.Position;
    const int picksBefore = picks;
    w.clock.now += 500;
    move(true, 10, 150);
    EXPECT_NE(camera.Position, after);
    EXPECT_FALSE(s.IdleSpin);
    EXPECT_EQ(fx.LastMouseMoveTick, w.clock.now);
    picker.PickHover();
    EXPECT_EQ(picks, picksBefore);
}

TEST_F(CameraFxTest, HoverPreviewsOnlyOnANewCellAndClicksReachTheMatch) {
    s.Arranging = true;
    s.HoverPicking = true;
    s.ShipToPlace = 2;
    picked = w.boards.cell(EnemyBoard, 4, 2); // the enemy board previews on the own one
    // Moves within a frame are tested once, at the frame, for the last place.
    move(false, 90, 90);
    move(false, 10, 10);
    EXPECT_EQ(picks, 0);
    picker.PickHover();
    picker.PickHover();
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(w.boards.HoveredCell, picked);
    EXPECT_EQ(s.PickedRow, 4);
    EXPECT_EQ(s.PickedBoard, EnemyBoard);
    EXPECT_EQ(w.boards.cell(OwnBoard, 4, 4)->LibMaterialName, "hint");

    w.boards.cell(OwnBoard, 4, 4)->LibMaterialName = "frame1";
    move(false, 11, 10); // the same cell: no redraw
    picker.PickHover();
    EXPECT_EQ(w.boards.cell(OwnBoard, 4, 4)->LibMaterialName, "frame1");

    picked = w.world.Plane1; // the sea is no cell
    move(false, 12, 10);
    picker.PickHover();
    EXPECT_EQ(w.boards.HoveredCell, w.boards.cell(EnemyBoard, 4, 2));
    s.PickedRow = 0;
    down(MouseButton::Left, 33, 44);
    EXPECT_EQ(s.PickedRow, 0);
    EXPECT_EQ(fx.MouseX, 33);
    EXPECT_EQ(fx.MouseY, 44);

    // A right click on a cell while arranging turns the ship when the button
    // comes up where it went down; a right drag turns only the camera.
    picked = w.boards.cell(OwnBoard, 2, 2);
    move(false, 20, 20); // its hover waits for the frame, but the click runs it first
    EXPECT_TRUE(s.PlaceHorizontal);
    down(MouseButton::Right, 20, 20);
    picker.Release(MouseButton::Right, 60, 20);
    EXPECT_TRUE(s.PlaceHorizontal);
    down(MouseButton::Right, 20, 20);
    picker.Release(MouseButton::Right, 21, 22);
    EXPECT_FALSE(s.PlaceHorizontal);
    EXPECT_EQ(w.boards.cell(OwnBoard, 3, 2)->LibMaterialName, "hint");
}

TEST_F(CameraFxTest, WhileArrangingThePickLooksThroughTheOwnShipModelsOnly) {
    std::function<bool(const TGLBaseSceneObject&)> lookedThrough;
    picker.pickThrough = [&](int, int, const std::function<bool(const TGLBaseSceneObject&)>& filter) {
        lookedThrough = filter;
        return static_cast<TGLBaseSceneObject*>(w.boards.cell(OwnBoard, 6, 3));
    };
    picked = w.world.OwnShipModels[0]; // what the plain pick sees: the floating ship
    s.Arranging = true;
    s.HoverPicking = true;
    s.ShipToPlace = 1;
    move(false, 5, 5);
    picker.PickHover();
    EXPECT_EQ(s.PickedRow, 6); // the cell beneath the ship
    ASSERT_TRUE(lookedThrough);
    for (TActor* own : w.world.OwnShipModels)
        EXPECT_TRUE(lookedThrough(*own));
    EXPECT_FALSE(lookedThrough(*w.world.EnemyShipModels[0]));
    EXPECT_FALSE(lookedThrough(*w.world.Trees[0]));
    EXPECT_FALSE(lookedThrough(*w.boards.cell(OwnBoard, 6, 3)));

    // In a battle a model covers its cell as before.
    s.Arranging = false;
    s.FightStarted = true;
    s.PlayerTurn = 1;
    lookedThrough = nullptr;
    s.PickedRow = 0;
    down(MouseButton::Left, 5, 5);
    EXPECT_FALSE(lookedThrough);
    EXPECT_EQ(s.PickedRow, 0);
}

} // namespace
} // namespace vtx
