#include "SceneTestSupport.h"
#include "tests/support/MatchSetup.h"

#include "game/CellName.h"
#include "scene/engine/TActor.h"

#include <QImage>
#include <QTemporaryDir>

#include <set>
#include <stdexcept>

namespace vtx {
namespace {

using test::BuiltWorld;

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::enterRunDir()) << "generated data missing"; }
};

bool sameImage(const TGLTextureImage& texture, const char* file) {
    const QImage expected = QImage(QString::fromLatin1(file)).convertToFormat(QImage::Format_RGBA8888);
    return texture.image() && !expected.isNull() &&
           texture.image()->convertToFormat(QImage::Format_RGBA8888) == expected;
}

// The world x/z extent of a model's first frame as it stands in the scene.
struct Extent {
    float minX = 1e9f, maxX = -1e9f, minZ = 1e9f, maxZ = -1e9f;
};
Extent extentOf(const TActor& actor) {
    Extent e;
    const glm::mat4 m = actor.absoluteMatrix();
    for (const glm::vec3& p : actor.mesh()->positions.front()) {
        const glm::vec4 w = m * glm::vec4(p, 1.0f);
        e.minX = std::min(e.minX, w.x), e.maxX = std::max(e.maxX, w.x);
        e.minZ = std::min(e.minZ, w.z), e.maxZ = std::max(e.maxZ, w.z);
    }
    return e;
}

TEST_F(WorldTest, BothStagesGiveTwentyHiddenShipsAtTheOriginAndTwoHundredCells) {
    BuiltWorld w;
    World& world = w.world;
    EXPECT_EQ(test::countKind(*world.ReflectingObjects, ObjectKind::Actor), 22); // 20 ships + 2 trees
    for (int n = 1; n <= 10; ++n) {
        for (TActor* ship : {world.OwnShipModels[n - 1], world.EnemyShipModels[n - 1]}) {
            ASSERT_NE(ship, nullptr);
            EXPECT_FALSE(ship->Visible);
            EXPECT_EQ(ship->Position, glm::vec3(0.0f));
            EXPECT_FLOAT_EQ(ship->PitchAngle(), 90.0f);
            EXPECT_EQ(ship->Scale, glm::vec3(0.03f));
            EXPECT_EQ(ship->AnimationMode, aamLoop);
            EXPECT_EQ(ship->Material.FaceCulling, fcCull);
            EXPECT_TRUE(sameImage(ship->Material.Texture.Image, "DATA/ship2.jpg")) << n;
            bool walk = false;
            for (const auto& a : ship->Animations())
                walk = walk || a.name == "walk";
            EXPECT_TRUE(walk) << "ship " << n << " has no rocking loop";
        }
    }
    // The model follows the ship's length: longer ships are longer models.
    auto length = [](const TActor* a) { return a->mesh()->boundsMax.x - a->mesh()->boundsMin.x; };
    EXPECT_GT(length(world.OwnShipModels[0]), length(world.OwnShipModels[1]));
    EXPECT_GT(length(world.OwnShipModels[1]), length(world.OwnShipModels[3]));
    EXPECT_GT(length(world.OwnShipModels[3]), length(world.OwnShipModels[6]));
    EXPECT_EQ(world.OwnShipModels[4]->meshId() != 0, true);

    EXPECT_EQ(test::countKind(*world.NonReflecting, ObjectKind::Plane), 201); // the sea + 200 cells
    std::set<std::string> names;
    for (int board : {OwnBoard, EnemyBoard})
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                TPlane* plane = w.boards.cell(board, r, c);
                ASSERT_NE(plane, nullptr);
                EXPECT_EQ(plane->Name, cellName(board, r, c));
                EXPECT_EQ(plane->Tag, 0);
                EXPECT_EQ(plane->LibMaterialName, "frame1");
                EXPECT_EQ(plane->MaterialLibrary, &world.GLMaterialLibrary1);
                EXPECT_EQ(plane->Direction(), glm::vec3(0.0f, 1.0f, 0.0f));
                names.insert(plane->Name);
            }
    EXPECT_EQ(names.size(), 200u);
    EXPECT_EQ(w.boards.cell(OwnBoard, 1, 1)->Name, "a1");
    EXPECT_EQ(w.boards.cell(OwnBoard, 1, 1)->Position, glm::vec3(-4.0f, 0.1f, 1.0f));
    EXPECT_EQ(w.boards.cell(EnemyBoard, 1, 1)->Name, "_a1");
    EXPECT_EQ(w.boards.cell(EnemyBoard, 1, 1)->Position, glm::vec3(-4.0f, 0.1f, -10.0f));
    EXPECT_EQ(w.boards.cell(OwnBoard, 10, 10)->Name, "k10");
    EXPECT_EQ(w.boards.cell(OwnBoard, 10, 10)->Position, glm::vec3(5.0f, 0.1f, 10.0f));
    EXPECT_EQ(w.boards.cell(EnemyBoard, 10, 10)->Position, glm::vec3(5.0f, 0.1f, -1.0f));
    EXPECT_EQ(w.boards.HoveredCell, w.boards.cell(OwnBoard, 10, 10));
    EXPECT_EQ(world.OwnCellPositions[0][0], glm::ivec3(-4, 0, 1));
    EXPECT_EQ(world.EnemyCellPositions[0][0], glm::ivec3(-4, 0, -10));
    EXPECT_EQ(world.EnemyCellPositions[9][9], glm::ivec3(5, 0, -1));
}

TEST_F(WorldTest, ASecondActivationBuildsNothing) {
    BuiltWorld w;
    TPlane* a1 = w.boards.cell(OwnBoard, 1, 1);
    TActor* ship1 = w.world.OwnShipModels[0];
    EXPECT_FALSE(w.world.BuildActivationStage(w.boards));
    EXPECT_EQ(test::countKind(*w.world.ReflectingObjects, ObjectKind::Actor), 22);
    EXPECT_EQ(test::countKind(*w.world.NonReflecting, ObjectKind::Plane), 201);
    EXPECT_EQ(w.boards.cell(OwnBoard, 1, 1), a1);
    EXPECT_EQ(w.world.OwnShipModels[0], ship1);
}

TEST_F(WorldTest, StaticSceneryCarriesItsConstants) {
    BuiltWorld w;
    World& world = w.world;
    EXPECT_EQ(world.Camera->Position, glm::vec3(10.0f));
    EXPECT_EQ(world.GLCamera1->TargetObject, world.Plane1);
    EXPECT_EQ(world.Plane1->Tag, 100);
    EXPECT_EQ(world.Plane1->LibMaterialName, "LibMaterial0");
    EXPECT_EQ(world.GLMaterialLibrary.Count(), 32);
    for (int i = 0; i < 32; ++i) {
        const TGLLibMaterial* m = world.GLMaterialLibrary.materialByName("LibMaterial" + std::to_string(i));
        ASSERT_NE(m, nullptr) << i;
        EXPECT_EQ(m->Material.Texture.Image.width(), 128);
    }
    for (const char* mark : {"hint", "hit", "frame1"}) {
        const TGLLibMaterial* m = world.GLMaterialLibrary1.materialByName(mark);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->Material.BlendingMode, bmAdditive);
        EXPECT_EQ(m->Material.Texture.Image.width(), 64);
    }
    EXPECT_EQ(world.GLMaterialLibrary1.materialByName("ground")->Material.Texture.TextureMode, tmModulate);
    EXPECT_FALSE(world.GLMaterialLibrary1.materialByName("ground")->Material.Texture.Image.isEmpty());
    EXPECT_EQ(world.TerrainRenderer1->TilesPerTexture, 8);
    EXPECT_EQ(world.GLBitmapHDS1.MaxPoolSize(), 8388608u);
    // The terrain picture's width is not a power of two; the raster is.
    const int side = world.GLBitmapHDS1.size();
    EXPECT_GT(side, 0);
    EXPECT_EQ(side & (side - 1), 0);
    EXPECT_EQ(world.isle1->Position, glm::vec3(-10.0f, 0.0f, -10.0f));
    EXPECT_FLOAT_EQ(world.isle1->PitchAngle(), 90.0f);
    EXPECT_GT(world.isle1->FrameCount(), 0);
    EXPECT_EQ(world.Trees[0]->Position, glm::vec3(-8.0f, 1.0f, -11.0f));
    EXPECT_FLOAT_EQ(world.Trees[0]->TurnAngle(), 45.0f);
    EXPECT_EQ(world.Trees[1]->Position, glm::vec3(-11.0f, 1.0f, -11.0f));
    EXPECT_FLOAT_EQ(world.HUDText2->ModulateColor.a, 0.7f);
    EXPECT_EQ(world.HUDText2->Text, "A");
    EXPECT_FALSE(world.HUDText1->Visible);
    EXPECT_FALSE(world.BitmapFont1.Glyphs.isEmpty());
    EXPECT_EQ(world.PlaneFX->Effects.Count(), 1);
    EXPECT_TRUE(world.Plane1->Effects.empty());
    // The sky's zenith is world up; the sun stands above the horizon.
    EXPECT_NEAR(world.SkyDome1->Direction().y, 1.0f, 1e-5f);
    EXPECT_GT(world.Sun->AbsolutePosition().y, 0.0f);
}

TEST_F(WorldTest, ShipModelsCoverTheirCellsAlongARowOrDownAColumn) {
    BuiltWorld w;
    MatchState& s = test::setUp(w.match);
    // Ship 1 (four decks) along row 2 from column 3; ship 2 (three) down column 9 from row 4.
    s.OwnFleet[0] = TShipRecord{4, 0, {3, 4, 5, 6}, {2, 2, 2, 2}, {10, 10, 10, 10}, 1, {}};
    s.OwnFleet[1] = TShipRecord{3, 0, {9, 9, 9, 0}, {4, 5, 6, 0}, {10, 10, 10, 0}, 0, {}};
    w.boards.PositionOwnShipModels();

    const Extent along = extentOf(*w.world.OwnShipModels[0]);
    EXPECT_NEAR(along.minX, 3 - 5 - 0.5f, 0.35f);
    EXPECT_NEAR(along.maxX, 6 - 5 + 0.5f, 0.35f);
    EXPECT_GT(along.minZ, 2 - 0.5f);
    EXPECT_LT(along.maxZ, 2 + 0.5f);

    const Extent down = extentOf(*w.world.OwnShipModels[1]);
    EXPECT_NEAR(down.minZ, 4 - 0.5f, 0.35f);
    EXPECT_NEAR(down.maxZ, 6 + 0.5f, 0.35f);
    EXPECT_GT(down.minX, 9 - 5 - 0.5f);
    EXPECT_LT(down.maxX, 9 - 5 + 0.5f);
}

TEST_F(WorldTest, AMissingDataFileNamesTheFile) {
    QTemporaryDir empty;
    ASSERT_TRUE(QDir::setCurrent(empty.path()));
    World world;
    try {
        world.LoadFonts();
        FAIL() << "loading from an empty folder succeeded";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("font.bmp"), std::string::npos) << error.what();
    }
    test::ManualClock clock;
    test::SilentHost host;
    Match match(host, clock);
    Boards boards(world, match.state());
    EXPECT_THROW(world.BuildActivationStage(boards), std::runtime_error);
    EXPECT_FALSE(world.ActivationStageBuilt());
}

} // namespace
} // namespace vtx
