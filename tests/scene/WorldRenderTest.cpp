#include "ReferencePicture.h"
#include "SceneTestSupport.h"
#include "ScriptedBattle.h"

#include "scene/engine/TGLOffscreenRenderer.h"
#include "tools/embedded/EmbeddedImages.h"

#include <QImage>

#include <cstdio>

namespace vtx {
namespace {

// The first view as the window shows it: the world rendered offscreen at the
// viewer's size through the camera at its start.
class WorldRenderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::enterRunDir()) << "generated data missing"; }

    test::BuiltWorld w;
    TGLOffscreenRenderer renderer{616, 547};

    QPoint project(const glm::vec3& p) {
        TGLCamera* camera = w.world.GLCamera1;
        const glm::vec4 clip =
            camera->projectionMatrix(616.0f / 547.0f) * camera->viewMatrix() * glm::vec4(p, 1.0f);
        const glm::vec3 ndc = glm::vec3(clip) / clip.w;
        return {int((ndc.x + 1.0f) / 2.0f * 616.0f), int((1.0f - ndc.y) / 2.0f * 547.0f)};
    }

    static double share(const QImage& image, int rowFrom, int rowTo, bool (*match)(QColor)) {
        int hits = 0, all = 0;
        for (int y = rowFrom; y < rowTo; ++y)
            for (int x = 0; x < image.width(); x += 2, ++all)
                if (match(image.pixelColor(x, y))) ++hits;
        return double(hits) / double(all);
    }
};

TEST_F(WorldRenderTest, TheFirstViewShowsSkyMountainsAndSeaAroundTheBoards) {
    const QImage image = renderer.render(w.world.Scene, w.world.GLCamera1);
    image.save(QStringLiteral(VTX_BINARY_DIR "/artifacts/scene-first-view.png"));
    auto sky = [](QColor c) { return c.blue() > c.red() + 40 && c.blue() > 150; };
    auto snowOrRock = [](QColor c) {
        return std::abs(c.red() - c.blue()) < 40 && std::abs(c.red() - c.green()) < 40;
    };
    auto sea = [](QColor c) { return c.green() > c.red() + 30 && c.blue() > c.red() + 30; };
    // The horizon lies in the upper part of the view: sky and mountains above, the sea below.
    EXPECT_GT(share(image, 0, 15, sky) + share(image, 0, 15, snowOrRock), 0.8);
    EXPECT_GT(share(image, 0, 120, snowOrRock), 0.1);
    EXPECT_GT(share(image, 300, 547, sea), 0.6);

    // Both boards stand in the view, and the pick finds their cells where they are drawn.
    for (int board : {OwnBoard, EnemyBoard})
        for (auto [r, c] : {std::pair{1, 1}, std::pair{10, 10}, std::pair{5, 6}}) {
            TPlane* plane = w.boards.cell(board, r, c);
            const QPoint pixel = project(plane->AbsolutePosition());
            ASSERT_TRUE(QRect(0, 0, 616, 547).contains(pixel)) << plane->Name;
            EXPECT_EQ(renderer.PickObject(w.world.Scene, w.world.GLCamera1, pixel.x(), pixel.y()), plane)
                << plane->Name;
        }
    EXPECT_EQ(renderer.PickObject(w.world.Scene, w.world.GLCamera1, 308, 500), w.world.Plane1);
}

// Twenty ships from four model files: four meshes in memory and on the GPU,
// kept there while hidden ships wait, so a sinking shows a ship without
// copying anything to the GPU.
TEST_F(WorldRenderTest, OneModelFileIsOneGpuMeshAndASinkingUploadsNothing) {
    test::ScriptedBattle battle;
    battle.buildWorld(w.startDir.path().toStdString());
    battle.playBattle();
    const World& world = battle.world;
    EXPECT_EQ(world.OwnShipModels[6]->mesh(), world.EnemyShipModels[9]->mesh());
    EXPECT_EQ(world.OwnShipModels[6]->meshId(), world.EnemyShipModels[9]->meshId());
    EXPECT_NE(world.OwnShipModels[0]->meshId(), world.OwnShipModels[1]->meshId());

    TGLOffscreenRenderer small(96, 96);
    small.renderFrame(battle.world.Scene, battle.world.GLCamera1);
    // Four ship files, the tree and the island.
    EXPECT_EQ(small.lastFrameStats().gpuMeshes, 6);
    for (int i = 0; i < 400; ++i)
        small.renderFrame(battle.world.Scene, battle.world.GLCamera1);
    battle.boards.ShowSunkShip(EnemyBoard, 4);
    small.renderFrame(battle.world.Scene, battle.world.GLCamera1);
    EXPECT_EQ(small.lastFrameStats().meshUploads, 0);
    EXPECT_EQ(small.lastFrameStats().textureUploads, 0);
    EXPECT_EQ(small.lastFrameStats().gpuMeshes, 6);
}

// The pictures the player sees must survive every change to the renderer: the
// first view and the world after a scripted battle, against the references.
TEST_F(WorldRenderTest, TheFirstViewAndABattleLookAsTheReferencesDo) {
    const QString reference = QStringLiteral(VTX_SOURCE_DIR "/tests/scene/reference/");
    const QByteArray fingerprint = test::dataFingerprint(QStringLiteral("DATA"), [](int i) {
        static const char* marks[] = {"cell/hint", "cell/hit", "cell/frame1"};
        const std::string name = i < World::WaterFrames ? (i < 10 ? "water/0" : "water/") + std::to_string(i)
                                 : i < World::WaterFrames + 3 ? marks[i - World::WaterFrames]
                                                              : "";
        const auto bytes = embeddedImage(name);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    });

    QImage pictures[2];
    pictures[0] = renderer.render(w.world.Scene, w.world.GLCamera1);
    {
        test::ScriptedBattle battle;
        battle.buildWorld(w.startDir.path().toStdString());
        battle.playBattle();
        for (int i = 0; i < 40; ++i)
            battle.tick();
        pictures[1] = renderer.render(battle.world.Scene, battle.world.GLCamera1);
    }
    const char* names[] = {"first-view", "battle"};

    if (qEnvironmentVariableIsSet("VTX_UPDATE_REFERENCES")) {
        QDir().mkpath(reference);
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(pictures[i].save(reference + names[i] + ".png"));
        QFile stamp(reference + "data-fingerprint.txt");
        ASSERT_TRUE(stamp.open(QIODevice::WriteOnly | QIODevice::Truncate));
        stamp.write(fingerprint + '\n');
        return;
    }
    QFile stamp(reference + "data-fingerprint.txt");
    ASSERT_TRUE(stamp.open(QIODevice::ReadOnly)) << "no reference pictures";
    if (stamp.readAll().trimmed() != fingerprint)
        GTEST_SKIP() << "the generated data changed since the references were rendered; "
                        "render them anew with VTX_UPDATE_REFERENCES=1";
    for (int i = 0; i < 2; ++i) {
        const QString artifact = QStringLiteral(VTX_BINARY_DIR "/artifacts/reference-") + names[i];
        pictures[i].save(artifact + ".png");
        QImage diff;
        const auto result = test::comparePictures(pictures[i], QImage(reference + names[i] + ".png"), &diff);
        diff.save(artifact + "-diff.png");
        std::printf("%s: %d of %d pixels beyond rounding\n", names[i], result.differing, result.pixels);
        EXPECT_TRUE(result.matches())
            << names[i] << ": " << result.differing << " pixels differ, " << result.solidBlocks
            << " solid 3 x 3 blocks (see " << artifact.toStdString() << "-diff.png)";
    }
}

} // namespace
} // namespace vtx
