#include "SceneTestSupport.h"
#include "tests/support/MatchSetup.h"

#include "scene/engine/AnimatedModel.h"

#include <QImage>

#include <string>
#include <vector>

namespace vtx {
namespace {

using test::BuiltWorld;

class BoardsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::enterRunDir()) << "generated data missing"; }

    BuiltWorld w;
    MatchState& s = test::setUp(w.match);
    Boards& boards = w.boards;

    std::string mark(int board, int row, int column) {
        return boards.cell(board, row, column)->libMaterialName;
    }
    // The cells of a board carrying a mark, as names.
    std::vector<std::string> marked(int board, const char* which) {
        std::vector<std::string> out;
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c)
                if (mark(board, r, c) == which) out.push_back(boards.cell(board, r, c)->name);
        return out;
    }
    static bool showsTexture(const AnimatedModel* actor, const char* file) {
        const QImage expected = QImage(QString::fromLatin1(file)).convertToFormat(QImage::Format_RGBA8888);
        const QImage* shown = actor->material.texture.image.image();
        return shown && shown->convertToFormat(QImage::Format_RGBA8888) == expected;
    }
};

TEST_F(BoardsTest, PreviewOfTheLongShipStopsAtTheBoardEdge) {
    s.arranging = true;
    s.shipToPlace = 1;
    s.pickedRow = 3;
    s.pickedColumn = 8;
    s.placeHorizontal = true;
    boards.cell(OwnBoard, 5, 5)->libMaterialName = "hint"; // an old preview is cleared
    boards.showPlacementPreview();
    // A ship that does not fit is previewed in the warning colour.
    EXPECT_EQ(marked(OwnBoard, "bad"), (std::vector<std::string>{"c8", "c9", "c10"}));
    EXPECT_TRUE(marked(OwnBoard, "hint").empty());
    AnimatedModel* ship = w.world.ownShipModels[0];
    EXPECT_EQ(ship->position, glm::vec3(3.0f, 0.0f, 3.0f)); // on its cells, where a click puts it
    EXPECT_FLOAT_EQ(ship->rollAngle(), 0.0f);

    s.pickedRow = 7;
    s.pickedColumn = 2;
    s.placeHorizontal = false;
    boards.showPlacementPreview();
    EXPECT_EQ(marked(OwnBoard, "hint"), (std::vector<std::string>{"g2", "h2", "i2", "k2"}));
    EXPECT_TRUE(marked(OwnBoard, "bad").empty());
    EXPECT_FLOAT_EQ(ship->rollAngle(), -90.0f);
    EXPECT_TRUE(marked(EnemyBoard, "hint").empty());

    // Beside a placed ship: in the warning colour too.
    setCell(s.ownField, 7, 2, CellZone);
    boards.showPlacementPreview();
    EXPECT_EQ(marked(OwnBoard, "bad").size(), 4u);

    // The next ship waits lying as the last was placed, flat after a flat one.
    s.shipToPlace = 2;
    s.placeHorizontal = true;
    w.world.ownShipModels[1]->setRollAngle(-90.0f);
    boards.showShipModel(2);
    EXPECT_FLOAT_EQ(w.world.ownShipModels[1]->rollAngle(), 0.0f);

    s.arranging = false; // no preview outside an arrangement
    s.shipToPlace = 1;
    s.pickedColumn = 5;
    boards.showPlacementPreview();
    EXPECT_EQ(marked(OwnBoard, "bad").size(), 4u);
}

TEST_F(BoardsTest, ShotsMarkCellsAndHitsBurn) {
    boards.markShot(EnemyBoard, 4, 4, false);
    boards.markShot(EnemyBoard, 5, 5, true);
    boards.markShot(OwnBoard, 1, 10, true);
    EXPECT_EQ(mark(EnemyBoard, 4, 4), "hint");
    EXPECT_TRUE(boards.cell(EnemyBoard, 4, 4)->effects.empty());
    EXPECT_EQ(mark(EnemyBoard, 5, 5), "hit");
    EXPECT_EQ(boards.cell(EnemyBoard, 5, 5)->effects.count(), 1);
    EXPECT_EQ(boards.cell(EnemyBoard, 5, 5)->effects.items()[0].manager, w.world.fire);
    EXPECT_EQ(mark(OwnBoard, 1, 10), "hit");
    boards.markShot(OwnBoard, 0, 11, true); // outside: nothing, no crash
    // Each side's last shot stays framed on its board, and each is counted.
    const auto over = [&](int board, int row, int column) {
        const Plane* f = boards.lastShotFrame(board);
        const glm::vec3 c = boards.cell(board, row, column)->position;
        return f && f->visible && f->position.x == c.x && f->position.z == c.z && f->position.y > c.y;
    };
    EXPECT_TRUE(over(EnemyBoard, 5, 5));
    EXPECT_TRUE(over(OwnBoard, 1, 10));
    EXPECT_EQ(boards.tally(EnemyBoard).shots, 2);
    EXPECT_EQ(boards.tally(EnemyBoard).hits, 1);
    EXPECT_EQ(boards.tally(EnemyBoard).misses(), 1);
    EXPECT_EQ(boards.tally(OwnBoard).shots, 1);

    boards.resetBoards();
    EXPECT_FALSE(boards.lastShotFrame(EnemyBoard)->visible);
    EXPECT_EQ(boards.tally(EnemyBoard).shots, 0);
    EXPECT_EQ(marked(EnemyBoard, World::FrameMark).size(), 100u);
    EXPECT_EQ(marked(OwnBoard, World::FrameMark).size(), 100u);
    EXPECT_TRUE(boards.cell(EnemyBoard, 5, 5)->effects.empty());
    EXPECT_TRUE(boards.cell(OwnBoard, 1, 10)->effects.empty());
}

TEST_F(BoardsTest, SinkingAOneDeckShipInTheCornerKeepsItsHitMark) {
    s.enemyFleet[6] = Ship{1, 0, {1, 0, 0, 0}, {1, 0, 0, 0}, {11, 0, 0, 0}, 1, {}};
    boards.positionEnemyShipModels();
    boards.markShot(EnemyBoard, 1, 1, true);
    boards.showSunkShip(EnemyBoard, 7);
    EXPECT_EQ(mark(EnemyBoard, 1, 1), "hit");
    EXPECT_EQ(marked(EnemyBoard, "hint"), (std::vector<std::string>{"_a2", "_b1", "_b2"}));
    AnimatedModel* model = w.world.enemyShipModels[6];
    EXPECT_TRUE(model->visible);
    EXPECT_EQ(model->position, glm::vec3(-4.0f, 0.0f, -10.0f));
    EXPECT_TRUE(showsTexture(model, "DATA/shipkill.jpg"));

    boards.resetBoards(); // the next game shows the intact texture again
    EXPECT_FALSE(model->visible);
    EXPECT_TRUE(showsTexture(model, "DATA/ship2.jpg"));
}

TEST_F(BoardsTest, SinkingALongerShipMarksAllAroundIt) {
    // Own ship 4: two decks down column 10 at rows 5 and 6.
    s.ownFleet[3] = Ship{2, 0, {10, 10, 0, 0}, {5, 6, 0, 0}, {11, 11, 0, 0}, 0, {}};
    boards.markShot(OwnBoard, 5, 10, true);
    boards.markShot(OwnBoard, 6, 10, true);
    boards.showSunkShip(OwnBoard, 4);
    // On the own board the decks themselves end as "hint" too.
    EXPECT_EQ(marked(OwnBoard, "hint"),
              (std::vector<std::string>{"d9", "d10", "e9", "e10", "f9", "f10", "g9", "g10"}));
    EXPECT_TRUE(marked(OwnBoard, "hit").empty());
    EXPECT_TRUE(w.world.ownShipModels[3]->visible);

    // Enemy ship 2: three decks along row 10; the middle deck is surrounded by the others.
    s.enemyFleet[1] = Ship{3, 0, {4, 5, 6, 0}, {10, 10, 10, 0}, {11, 11, 11, 0}, 1, {}};
    for (int c = 4; c <= 6; ++c)
        boards.markShot(EnemyBoard, 10, c, true);
    boards.showSunkShip(EnemyBoard, 2);
    EXPECT_TRUE(marked(EnemyBoard, "hit").empty());
    EXPECT_EQ(marked(EnemyBoard, "hint").size(), 10u); // i3..i7 and k3..k7
}

TEST_F(BoardsTest, ModelsFollowTheFleetsAndIgnoreMalformedRecords) {
    s.ownFleet[0] = Ship{4, 0, {2, 2, 2, 2}, {3, 4, 5, 6}, {10, 10, 10, 10}, 0, {}};
    s.enemyFleet[0] = Ship{4, 0, {7, 8, 9, 10}, {10, 10, 10, 10}, {10, 10, 10, 10}, 1, {}};
    // A record from a hostile peer: deck cells far outside the board.
    s.enemyFleet[1] = Ship{9, 0, {-5, 99, 0, 0}, {1000, -3, 0, 0}, {10, 10, 0, 0}, 7, {}};
    boards.positionOwnShipModels();
    boards.positionEnemyShipModels();
    EXPECT_EQ(w.world.ownShipModels[0]->position, glm::vec3(-3.0f, 0.0f, 3.0f));
    EXPECT_FLOAT_EQ(w.world.ownShipModels[0]->rollAngle(), -90.0f);
    EXPECT_EQ(w.world.enemyShipModels[0]->position, glm::vec3(2.0f, 0.0f, -1.0f));
    EXPECT_FLOAT_EQ(w.world.enemyShipModels[0]->rollAngle(), 0.0f);
    EXPECT_EQ(w.world.enemyShipModels[1]->position, glm::vec3(0.0f));
    boards.showSunkShip(EnemyBoard, 2); // marks nothing outside, no crash
    boards.showSunkShip(EnemyBoard, 11);

    boards.hideShipModels(false);
    for (int n = 0; n < 10; ++n) {
        EXPECT_TRUE(w.world.ownShipModels[n]->visible);
        if (n != 1) { // ship 2 was shown as sunk
            EXPECT_FALSE(w.world.enemyShipModels[n]->visible) << n;
        }
    }

    s.enemyFleet[0].sunk = 1;
    w.world.enemyShipModels[1]->visible = false;
    boards.showEnemySurvivors();
    EXPECT_FALSE(w.world.enemyShipModels[0]->visible);
    EXPECT_TRUE(w.world.enemyShipModels[2]->visible);

    boards.hideShipModels(true);
    for (int n = 0; n < 10; ++n)
        EXPECT_FALSE(w.world.ownShipModels[n]->visible || w.world.enemyShipModels[n]->visible);
}

TEST_F(BoardsTest, AnimationStartsTheRockingLoopAtARandomFrame) {
    int reseeds = 0;
    std::vector<int> draws;
    boards.animateShipModels([&] { ++reseeds; },
                             [&](int n) {
                                 draws.push_back(n);
                                 return int(draws.size()) % n;
                             });
    EXPECT_EQ(reseeds, 1);
    EXPECT_EQ(draws, std::vector<int>(20, 24));
    for (AnimatedModel* ship : w.world.ownShipModels) {
        EXPECT_EQ(ship->interval, 200);
        EXPECT_GE(ship->currentFrame(), 1);
        EXPECT_LE(ship->currentFrame(), 24);
    }
    // A smooth switch lands in "walk" at the next frame change.
    for (int i = 0; i < 3; ++i)
        w.world.ownShipModels[0]->doProgress(0.25);
    EXPECT_EQ(w.world.ownShipModels[0]->currentAnimation(), "walk");
}

} // namespace
} // namespace vtx
