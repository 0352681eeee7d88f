#include "SceneTestSupport.h"
#include "tests/support/MatchSetup.h"

#include "scene/engine/AnimatedModel.h"

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

bool sameImage(const TextureImage& texture, const char* file) {
    const QImage expected = QImage(QString::fromLatin1(file)).convertToFormat(QImage::Format_RGBA8888);
    return texture.image() && !expected.isNull() &&
           texture.image()->convertToFormat(QImage::Format_RGBA8888) == expected;
}

// The world x/z extent of a model's first frame as it stands in the scene.
struct Extent {
    float minX = 1e9f, maxX = -1e9f, minZ = 1e9f, maxZ = -1e9f;
};
Extent extentOf(const AnimatedModel& actor) {
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
    EXPECT_EQ(test::countKind(*world.reflectingObjects, ObjectKind::Actor), 22); // 20 ships + 2 trees
    for (int n = 1; n <= 10; ++n) {
        for (AnimatedModel* ship : {world.ownShipModels[n - 1], world.enemyShipModels[n - 1]}) {
            ASSERT_NE(ship, nullptr);
            EXPECT_FALSE(ship->visible);
            EXPECT_EQ(ship->position, glm::vec3(0.0f));
            EXPECT_FLOAT_EQ(ship->pitchAngle(), 90.0f);
            EXPECT_EQ(ship->scale, glm::vec3(0.03f));
            EXPECT_EQ(ship->animationMode, AnimationMode::Loop);
            EXPECT_EQ(ship->material.faceCulling, FaceCulling::Cull);
            EXPECT_TRUE(sameImage(ship->material.texture.image, "DATA/ship2.jpg")) << n;
            bool walk = false;
            for (const auto& a : ship->animations())
                walk = walk || a.name == "walk";
            EXPECT_TRUE(walk) << "ship " << n << " has no rocking loop";
        }
    }
    // The model follows the ship's length: longer ships are longer models.
    auto length = [](const AnimatedModel* a) { return a->mesh()->boundsMax.x - a->mesh()->boundsMin.x; };
    EXPECT_GT(length(world.ownShipModels[0]), length(world.ownShipModels[1]));
    EXPECT_GT(length(world.ownShipModels[1]), length(world.ownShipModels[3]));
    EXPECT_GT(length(world.ownShipModels[3]), length(world.ownShipModels[6]));
    EXPECT_EQ(world.ownShipModels[4]->meshId() != 0, true);

    EXPECT_EQ(test::countKind(*world.nonReflecting, ObjectKind::Plane), 201); // the sea + 200 cells
    std::set<std::string> names;
    for (Board board : {OwnBoard, EnemyBoard})
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 10; ++c) {
                Plane* plane = w.boards.cell(board, r, c);
                ASSERT_NE(plane, nullptr);
                // A picked plane is known as its cell, never by reading its name.
                EXPECT_EQ(w.boards.cellOf(plane), BoardCell::at(board, r, c));
                EXPECT_EQ(plane->name, Boards::planeName(*BoardCell::at(board, r, c)));
                EXPECT_EQ(plane->tag, 0);
                EXPECT_EQ(plane->libMaterialName, World::FrameMark);
                EXPECT_EQ(plane->materialLibrary, &world.materials);
                EXPECT_EQ(plane->direction(), glm::vec3(0.0f, 1.0f, 0.0f));
                names.insert(plane->name);
            }
    EXPECT_EQ(names.size(), 200u);
    EXPECT_FALSE(w.boards.cellOf(world.sea));
    EXPECT_FALSE(w.boards.cellOf(world.ownShipModels[0]));
    EXPECT_FALSE(w.boards.cellOf(nullptr));
    EXPECT_EQ(w.boards.cell(OwnBoard, 1, 1)->name, "a1");
    EXPECT_EQ(w.boards.cell(OwnBoard, 1, 1)->position, glm::vec3(-4.0f, 0.1f, 1.0f));
    EXPECT_EQ(w.boards.cell(EnemyBoard, 1, 1)->name, "_a1");
    EXPECT_EQ(w.boards.cell(EnemyBoard, 1, 1)->position, glm::vec3(-4.0f, 0.1f, -10.0f));
    EXPECT_EQ(w.boards.cell(OwnBoard, 10, 10)->name, "k10");
    EXPECT_EQ(w.boards.cell(OwnBoard, 10, 10)->position, glm::vec3(5.0f, 0.1f, 10.0f));
    EXPECT_EQ(w.boards.cell(EnemyBoard, 10, 10)->position, glm::vec3(5.0f, 0.1f, -1.0f));
    EXPECT_EQ(w.boards.hoveredCell, w.boards.cell(OwnBoard, 10, 10));
    EXPECT_EQ(world.ownCellPositions[0][0], glm::ivec3(-4, 0, 1));
    EXPECT_EQ(world.enemyCellPositions[0][0], glm::ivec3(-4, 0, -10));
    EXPECT_EQ(world.enemyCellPositions[9][9], glm::ivec3(5, 0, -1));
}

TEST_F(WorldTest, ASecondActivationBuildsNothing) {
    BuiltWorld w;
    Plane* a1 = w.boards.cell(OwnBoard, 1, 1);
    AnimatedModel* ship1 = w.world.ownShipModels[0];
    EXPECT_FALSE(w.world.buildActivationStage(w.boards));
    EXPECT_EQ(test::countKind(*w.world.reflectingObjects, ObjectKind::Actor), 22);
    EXPECT_EQ(test::countKind(*w.world.nonReflecting, ObjectKind::Plane), 201);
    EXPECT_EQ(w.boards.cell(OwnBoard, 1, 1), a1);
    EXPECT_EQ(w.world.ownShipModels[0], ship1);
}

TEST_F(WorldTest, StaticSceneryCarriesItsConstants) {
    BuiltWorld w;
    World& world = w.world;
    EXPECT_EQ(world.cameraRig->position, glm::vec3(10.0f));
    EXPECT_EQ(world.camera->targetObject, world.sea);
    EXPECT_EQ(world.sea->tag, 100);
    EXPECT_EQ(world.sea->libMaterialName, World::waterMaterial(0));
    EXPECT_EQ(world.waterMaterials.count(), 32);
    for (int i = 0; i < 32; ++i) {
        const LibraryMaterial* m = world.waterMaterials.materialByName(World::waterMaterial(i));
        ASSERT_NE(m, nullptr) << i;
        EXPECT_EQ(m->material.texture.image.width(), 128);
    }
    for (const char* mark : {World::HintMark, World::HitMark, World::FrameMark}) {
        const LibraryMaterial* m = world.materials.materialByName(mark);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->material.blendingMode, BlendMode::Additive);
        EXPECT_EQ(m->material.texture.image.width(), 64);
    }
    EXPECT_EQ(world.materials.materialByName("ground")->material.texture.textureMode, TextureMode::Modulate);
    EXPECT_FALSE(world.materials.materialByName("ground")->material.texture.image.isEmpty());
    EXPECT_EQ(world.terrain->tilesPerTexture, 8);
    EXPECT_EQ(world.heightMap.maxPoolSize(), 8388608u);
    // The terrain picture's width is not a power of two; the raster is.
    const int side = world.heightMap.size();
    EXPECT_GT(side, 0);
    EXPECT_EQ(side & (side - 1), 0);
    EXPECT_EQ(world.island->position, glm::vec3(-10.0f, 0.0f, -10.0f));
    EXPECT_FLOAT_EQ(world.island->pitchAngle(), 90.0f);
    EXPECT_GT(world.island->frameCount(), 0);
    EXPECT_EQ(world.trees[0]->position, glm::vec3(-8.0f, 1.0f, -11.0f));
    EXPECT_FLOAT_EQ(world.trees[0]->turnAngle(), 45.0f);
    EXPECT_EQ(world.trees[1]->position, glm::vec3(-11.0f, 1.0f, -11.0f));
    EXPECT_FLOAT_EQ(world.logo->modulateColor.a, 0.7f);
    EXPECT_EQ(world.logo->text, "A");
    EXPECT_FALSE(world.resultText->visible);
    EXPECT_FALSE(world.messageFont.glyphs.isEmpty());
    EXPECT_EQ(world.fireTemplate->effects.count(), 1);
    EXPECT_TRUE(world.sea->effects.empty());
    // The sky's zenith is world up; the sun stands above the horizon.
    EXPECT_NEAR(world.sky->direction().y, 1.0f, 1e-5f);
    EXPECT_GT(world.sun->absolutePosition().y, 0.0f);
}

TEST_F(WorldTest, ShipModelsCoverTheirCellsAlongARowOrDownAColumn) {
    BuiltWorld w;
    MatchState& s = test::setUp(w.match);
    // Ship 1 (four decks) along row 2 from column 3; ship 2 (three) down column 9 from row 4.
    s.ownFleet[0] = Ship{4, 0, {3, 4, 5, 6}, {2, 2, 2, 2}, {10, 10, 10, 10}, 1, {}};
    s.ownFleet[1] = Ship{3, 0, {9, 9, 9, 0}, {4, 5, 6, 0}, {10, 10, 10, 0}, 0, {}};
    w.boards.positionOwnShipModels();

    const Extent along = extentOf(*w.world.ownShipModels[0]);
    EXPECT_NEAR(along.minX, 3 - 5 - 0.5f, 0.35f);
    EXPECT_NEAR(along.maxX, 6 - 5 + 0.5f, 0.35f);
    EXPECT_GT(along.minZ, 2 - 0.5f);
    EXPECT_LT(along.maxZ, 2 + 0.5f);

    const Extent down = extentOf(*w.world.ownShipModels[1]);
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
        world.loadFonts();
        FAIL() << "loading from an empty folder succeeded";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("font.bmp"), std::string::npos) << error.what();
    }
    test::ManualClock clock;
    test::SilentHost host;
    Match match(host, clock);
    Boards boards(world, match.state());
    EXPECT_THROW(world.buildActivationStage(boards), std::runtime_error);
    EXPECT_FALSE(world.activationStageBuilt());
}

} // namespace
} // namespace vtx
