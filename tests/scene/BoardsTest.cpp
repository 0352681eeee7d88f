#include "SceneTestSupport.h"
#include "tests/support/MatchSetup.h"

#include "scene/engine/TActor.h"

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
        return boards.cell(board, row, column)->LibMaterialName;
    }
    // The cells of a board carrying a mark, as names.
    std::vector<std::string> marked(int board, const char* which) {
        std::vector<std::string> out;
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c)
                if (mark(board, r, c) == which) out.push_back(boards.cell(board, r, c)->Name);
        return out;
    }
    static bool showsTexture(const TActor* actor, const char* file) {
        const QImage expected = QImage(QString::fromLatin1(file)).convertToFormat(QImage::Format_RGBA8888);
        const QImage* shown = actor->Material.Texture.Image.image();
        return shown && shown->convertToFormat(QImage::Format_RGBA8888) == expected;
    }
};

TEST_F(BoardsTest, PreviewOfTheLongShipStopsAtTheBoardEdge) {
    s.Arranging = true;
    s.ShipToPlace = 1;
    s.PickedRow = 3;
    s.PickedColumn = 8;
    s.PlaceHorizontal = true;
    boards.cell(OwnBoard, 5, 5)->LibMaterialName = "hint"; // an old preview is cleared
    boards.ShowPlacementPreview();
    // A ship that does not fit is previewed in the warning colour.
    EXPECT_EQ(marked(OwnBoard, "bad"), (std::vector<std::string>{"c8", "c9", "c10"}));
    EXPECT_TRUE(marked(OwnBoard, "hint").empty());
    TActor* ship = w.world.OwnShipModels[0];
    EXPECT_EQ(ship->Position, glm::vec3(3.0f, 0.0f, 3.0f)); // on its cells, where a click puts it
    EXPECT_FLOAT_EQ(ship->RollAngle(), 0.0f);

    s.PickedRow = 7;
    s.PickedColumn = 2;
    s.PlaceHorizontal = false;
    boards.ShowPlacementPreview();
    EXPECT_EQ(marked(OwnBoard, "hint"), (std::vector<std::string>{"g2", "h2", "i2", "k2"}));
    EXPECT_TRUE(marked(OwnBoard, "bad").empty());
    EXPECT_FLOAT_EQ(ship->RollAngle(), -90.0f);
    EXPECT_TRUE(marked(EnemyBoard, "hint").empty());

    // Beside a placed ship: in the warning colour too.
    setCell(s.OwnField, 7, 2, CellZone);
    boards.ShowPlacementPreview();
    EXPECT_EQ(marked(OwnBoard, "bad").size(), 4u);

    s.Arranging = false; // no preview outside an arrangement
    s.PickedColumn = 5;
    boards.ShowPlacementPreview();
    EXPECT_EQ(marked(OwnBoard, "bad").size(), 4u);
}

TEST_F(BoardsTest, ShotsMarkCellsAndHitsBurn) {
    boards.MarkShot(EnemyBoard, 4, 4, false);
    boards.MarkShot(EnemyBoard, 5, 5, true);
    boards.MarkShot(OwnBoard, 1, 10, true);
    EXPECT_EQ(mark(EnemyBoard, 4, 4), "hint");
    EXPECT_TRUE(boards.cell(EnemyBoard, 4, 4)->Effects.empty());
    EXPECT_EQ(mark(EnemyBoard, 5, 5), "hit");
    EXPECT_EQ(boards.cell(EnemyBoard, 5, 5)->Effects.Count(), 1);
    EXPECT_EQ(boards.cell(EnemyBoard, 5, 5)->Effects.items()[0].Manager, w.world.GLFire);
    EXPECT_EQ(mark(OwnBoard, 1, 10), "hit");
    boards.MarkShot(OwnBoard, 0, 11, true); // outside: nothing, no crash
    // Each side's last shot stays framed on its board, and each is counted.
    const auto over = [&](int board, int row, int column) {
        const TPlane* f = boards.lastShotFrame(board);
        const glm::vec3 c = boards.cell(board, row, column)->Position;
        return f && f->Visible && f->Position.x == c.x && f->Position.z == c.z && f->Position.y > c.y;
    };
    EXPECT_TRUE(over(EnemyBoard, 5, 5));
    EXPECT_TRUE(over(OwnBoard, 1, 10));
    EXPECT_EQ(boards.tally(EnemyBoard).shots, 2);
    EXPECT_EQ(boards.tally(EnemyBoard).hits, 1);
    EXPECT_EQ(boards.tally(EnemyBoard).misses(), 1);
    EXPECT_EQ(boards.tally(OwnBoard).shots, 1);

    boards.ResetBoards();
    EXPECT_FALSE(boards.lastShotFrame(EnemyBoard)->Visible);
    EXPECT_EQ(boards.tally(EnemyBoard).shots, 0);
    EXPECT_EQ(marked(EnemyBoard, "frame1").size(), 100u);
    EXPECT_EQ(marked(OwnBoard, "frame1").size(), 100u);
    EXPECT_TRUE(boards.cell(EnemyBoard, 5, 5)->Effects.empty());
    EXPECT_TRUE(boards.cell(OwnBoard, 1, 10)->Effects.empty());
}

TEST_F(BoardsTest, SinkingAOneDeckShipInTheCornerKeepsItsHitMark) {
    s.EnemyFleet[6] = TShipRecord{1, 0, {1, 0, 0, 0}, {1, 0, 0, 0}, {11, 0, 0, 0}, 1, {}};
    boards.PositionEnemyShipModels();
    boards.MarkShot(EnemyBoard, 1, 1, true);
    boards.ShowSunkShip(EnemyBoard, 7);
    EXPECT_EQ(mark(EnemyBoard, 1, 1), "hit");
    EXPECT_EQ(marked(EnemyBoard, "hint"), (std::vector<std::string>{"_a2", "_b1", "_b2"}));
    TActor* model = w.world.EnemyShipModels[6];
    EXPECT_TRUE(model->Visible);
    EXPECT_EQ(model->Position, glm::vec3(-4.0f, 0.0f, -10.0f));
    EXPECT_TRUE(showsTexture(model, "DATA/shipkill.jpg"));

    boards.ResetBoards(); // the next game shows the intact texture again
    EXPECT_FALSE(model->Visible);
    EXPECT_TRUE(showsTexture(model, "DATA/ship2.jpg"));
}

TEST_F(BoardsTest, SinkingALongerShipMarksAllAroundIt) {
    // Own ship 4: two decks down column 10 at rows 5 and 6.
    s.OwnFleet[3] = TShipRecord{2, 0, {10, 10, 0, 0}, {5, 6, 0, 0}, {11, 11, 0, 0}, 0, {}};
    boards.MarkShot(OwnBoard, 5, 10, true);
    boards.MarkShot(OwnBoard, 6, 10, true);
    boards.ShowSunkShip(OwnBoard, 4);
    // On the own board the decks themselves end as "hint" too.
    EXPECT_EQ(marked(OwnBoard, "hint"),
              (std::vector<std::string>{"d9", "d10", "e9", "e10", "f9", "f10", "g9", "g10"}));
    EXPECT_TRUE(marked(OwnBoard, "hit").empty());
    EXPECT_TRUE(w.world.OwnShipModels[3]->Visible);

    // Enemy ship 2: three decks along row 10; the middle deck is surrounded by the others.
    s.EnemyFleet[1] = TShipRecord{3, 0, {4, 5, 6, 0}, {10, 10, 10, 0}, {11, 11, 11, 0}, 1, {}};
    for (int c = 4; c <= 6; ++c)
        boards.MarkShot(EnemyBoard, 10, c, true);
    boards.ShowSunkShip(EnemyBoard, 2);
    EXPECT_TRUE(marked(EnemyBoard, "hit").empty());
    EXPECT_EQ(marked(EnemyBoard, "hint").size(), 10u); // i3..i7 and k3..k7
}

TEST_F(BoardsTest, ModelsFollowTheFleetsAndIgnoreMalformedRecords) {
    s.OwnFleet[0] = TShipRecord{4, 0, {2, 2, 2, 2}, {3, 4, 5, 6}, {10, 10, 10, 10}, 0, {}};
    s.EnemyFleet[0] = TShipRecord{4, 0, {7, 8, 9, 10}, {10, 10, 10, 10}, {10, 10, 10, 10}, 1, {}};
    // A record from a hostile peer: deck cells far outside the board.
    s.EnemyFleet[1] = TShipRecord{9, 0, {-5, 99, 0, 0}, {1000, -3, 0, 0}, {10, 10, 0, 0}, 7, {}};
    boards.PositionOwnShipModels();
    boards.PositionEnemyShipModels();
    EXPECT_EQ(w.world.OwnShipModels[0]->Position, glm::vec3(-3.0f, 0.0f, 3.0f));
    EXPECT_FLOAT_EQ(w.world.OwnShipModels[0]->RollAngle(), -90.0f);
    EXPECT_EQ(w.world.EnemyShipModels[0]->Position, glm::vec3(2.0f, 0.0f, -1.0f));
    EXPECT_FLOAT_EQ(w.world.EnemyShipModels[0]->RollAngle(), 0.0f);
    EXPECT_EQ(w.world.EnemyShipModels[1]->Position, glm::vec3(0.0f));
    boards.ShowSunkShip(EnemyBoard, 2); // marks nothing outside, no crash
    boards.ShowSunkShip(EnemyBoard, 11);

    boards.HideShipModels(false);
    for (int n = 0; n < 10; ++n) {
        EXPECT_TRUE(w.world.OwnShipModels[n]->Visible);
        if (n != 1) { // ship 2 was shown as sunk
            EXPECT_FALSE(w.world.EnemyShipModels[n]->Visible) << n;
        }
    }

    s.EnemyFleet[0].Sunk = 1;
    w.world.EnemyShipModels[1]->Visible = false;
    boards.ShowEnemySurvivors();
    EXPECT_FALSE(w.world.EnemyShipModels[0]->Visible);
    EXPECT_TRUE(w.world.EnemyShipModels[2]->Visible);

    boards.HideShipModels(true);
    for (int n = 0; n < 10; ++n)
        EXPECT_FALSE(w.world.OwnShipModels[n]->Visible || w.world.EnemyShipModels[n]->Visible);
}

TEST_F(BoardsTest, AnimationStartsTheRockingLoopAtARandomFrame) {
    int reseeds = 0;
    std::vector<int> draws;
    boards.AnimateShipModels([&] { ++reseeds; },
                             [&](int n) {
                                 draws.push_back(n);
                                 return int(draws.size()) % n;
                             });
    EXPECT_EQ(reseeds, 1);
    EXPECT_EQ(draws, std::vector<int>(20, 24));
    for (TActor* ship : w.world.OwnShipModels) {
        EXPECT_EQ(ship->Interval, 200);
        EXPECT_GE(ship->CurrentFrame(), 1);
        EXPECT_LE(ship->CurrentFrame(), 24);
    }
    // A smooth switch lands in "walk" at the next frame change.
    for (int i = 0; i < 3; ++i)
        w.world.OwnShipModels[0]->doProgress(0.25);
    EXPECT_EQ(w.world.OwnShipModels[0]->CurrentAnimation(), "walk");
}

} // namespace
} // namespace vtx
