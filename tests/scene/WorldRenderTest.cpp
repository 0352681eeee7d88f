#include "ReferencePicture.h"
#include "SceneTestSupport.h"
#include "ScriptedBattle.h"

#include "files/EmbeddedImages.h"
#include "scene/CameraFx.h"
#include "scene/engine/OffscreenRenderer.h"
#include "tests/support/MatchSetup.h"

#include <QImage>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vtx {
namespace {

// The first view as the window shows it: the world rendered offscreen at the
// viewer's size through the camera at its start.
class WorldRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::enterRunDir()) << "generated data missing";
        QDir().mkpath(QStringLiteral(VTX_BINARY_DIR "/artifacts"));
    }

    test::BuiltWorld w;
    OffscreenRenderer renderer{616, 547};

    QPoint project(const glm::vec3& p) {
        Camera* camera = w.world.camera;
        const glm::vec4 clip =
            camera->projectionMatrix(616.0f / 547.0f) * camera->viewMatrix() * glm::vec4(p, 1.0f);
        const glm::vec3 ndc = glm::vec3(clip) / clip.w;
        return {int((ndc.x + 1.0f) / 2.0f * 616.0f), int((1.0f - ndc.y) / 2.0f * 547.0f)};
    }

    QPolygonF cellQuad(int board, int row, int column) {
        const glm::vec3 c = w.boards.cell(board, row, column)->absolutePosition();
        QPolygonF quad;
        for (auto [dx, dz] : {std::pair{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}})
            quad << projectF(c + glm::vec3(dx, 0.0f, dz));
        return quad;
    }
    static double quadArea(const QPolygonF& q) {
        double a = 0.0;
        for (int i = 0; i < q.size(); ++i) {
            const QPointF p = q[i], n = q[(i + 1) % q.size()];
            a += p.x() * n.y() - n.x() * p.y();
        }
        return std::abs(a) / 2.0;
    }
    // Mean colour (0..255 a channel) of the pixels whose centres lie inside
    // the projected square of a cell, added to sum with their count.
    void addCellColour(const QImage& image, int board, int row, int column, glm::dvec3& sum, int& count) {
        const QPolygonF quad = cellQuad(board, row, column);
        const QRect box = quad.boundingRect().toAlignedRect().intersected(image.rect());
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (quad.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill)) {
                    const QColor p = image.pixelColor(x, y);
                    sum += glm::dvec3(p.red(), p.green(), p.blue());
                    ++count;
                }
    }
    QPointF projectF(const glm::vec3& p) {
        Camera* camera = w.world.camera;
        const glm::vec4 clip =
            camera->projectionMatrix(616.0f / 547.0f) * camera->viewMatrix() * glm::vec4(p, 1.0f);
        const glm::vec3 ndc = glm::vec3(clip) / clip.w;
        return {(ndc.x + 1.0f) / 2.0f * 616.0f, (1.0f - ndc.y) / 2.0f * 547.0f};
    }
    void showCells(bool visible) {
        for (int board : {OwnBoard, EnemyBoard})
            for (int r = 1; r <= 10; ++r)
                for (int c = 1; c <= 10; ++c)
                    w.boards.cell(board, r, c)->visible = visible;
    }

    struct Sizes {
        double enemyMean = 0.0; // square root of the enemy cells' mean area
        double ownMean = 0.0;
        glm::dvec2 smallestRow{}; // the enemy row of the least area: its mean sides
        bool framed = true;       // every corner of both boards inside the viewer
    };
    Sizes cellSizes() {
        Sizes sizes;
        double smallestArea = 1e9;
        for (int board : {EnemyBoard, OwnBoard}) {
            double area = 0.0;
            for (int r = 1; r <= 10; ++r) {
                glm::dvec2 sides{};
                for (int c = 1; c <= 10; ++c) {
                    const QPolygonF q = cellQuad(board, r, c);
                    area += quadArea(q);
                    const auto length = [](QPointF a, QPointF b) {
                        return std::hypot(a.x() - b.x(), a.y() - b.y());
                    };
                    sides += glm::dvec2(length(q[0], q[1]) + length(q[3], q[2]),
                                        length(q[1], q[2]) + length(q[0], q[3])) /
                             20.0;
                    for (const QPointF& p : q)
                        sizes.framed = sizes.framed && QRectF(0, 0, 616, 547).contains(p);
                }
                if (board == EnemyBoard && sides.x * sides.y < smallestArea) {
                    smallestArea = sides.x * sides.y;
                    sizes.smallestRow = sides;
                }
            }
            (board == EnemyBoard ? sizes.enemyMean : sizes.ownMean) = std::sqrt(area / 100.0);
        }
        return sizes;
    }

    static double share(const QImage& image, int rowFrom, int rowTo, bool (*match)(QColor)) {
        int hits = 0, all = 0;
        for (int y = rowFrom; y < rowTo; ++y)
            for (int x = 0; x < image.width(); x += 2, ++all)
                if (match(image.pixelColor(x, y))) ++hits;
        return double(hits) / double(all);
    }
};

TEST_F(WorldRenderTest, TheFirstViewFramesBothBoardsOnTheSea) {
    const QImage image = renderer.render(w.world.scene, w.world.camera);
    image.save(QStringLiteral(VTX_BINARY_DIR "/artifacts/scene-first-view.png"));
    auto sea = [](QColor c) { return c.green() > c.red() + 30 && c.blue() > c.red() + 30; };
    EXPECT_GT(share(image, 0, 547, sea), 0.6);

    // Both boards stand in the view, and the pick finds their cells where they are drawn.
    for (int board : {OwnBoard, EnemyBoard})
        for (auto [r, c] :
             {std::pair{1, 1}, std::pair{10, 10}, std::pair{5, 6}, std::pair{1, 10}, std::pair{10, 1}}) {
            Plane* plane = w.boards.cell(board, r, c);
            const QPoint pixel = project(plane->absolutePosition());
            ASSERT_TRUE(QRect(0, 0, 616, 547).contains(pixel)) << plane->name;
            EXPECT_EQ(renderer.pickObject(w.world.scene, w.world.camera, pixel.x(), pixel.y()), plane)
                << plane->name;
        }
    EXPECT_EQ(renderer.pickObject(w.world.scene, w.world.camera, 600, 30), w.world.sea);

    // The enemy board reads at a glance: its cells cover 22 x 22 pixels on
    // average and those of its smallest row 20 x 14 (the mean lengths of a
    // cell's sides along the columns and along the rows). After a long rest
    // of the pointer on either edge strip the camera still frames both
    // boards whole and no enemy row has shrunk below the first view's least.
    const Sizes first = cellSizes();
    std::printf("first view: enemy cell %.1f px squared on average, smallest row %.1f x %.1f; own %.1f\n",
                first.enemyMean, first.smallestRow.x, first.smallestRow.y, first.ownMean);
    EXPECT_GE(first.enemyMean, 22.0);
    EXPECT_GE(first.smallestRow.x, 20.0);
    EXPECT_GE(first.smallestRow.y, 14.0);
    EXPECT_TRUE(first.framed);

    CameraFx fx{w.world, w.match.state(), w.clock};
    test::setUp(w.match).gameInProgress = true;
    for (int strip : {40, 590, 40}) {
        fx.cursorOffsetY = [strip] { return strip; };
        for (int i = 0; i < 200; ++i)
            fx.tickTimerFired();
        const Sizes now = cellSizes();
        std::printf("after a rest at layout y %d: smallest enemy row %.1f x %.1f\n", strip, now.smallestRow.x,
                    now.smallestRow.y);
        EXPECT_TRUE(now.framed) << strip;
        EXPECT_GE(now.smallestRow.x * now.smallestRow.y, first.smallestRow.x * first.smallestRow.y - 0.01)
            << strip;
    }
}

// A player tells an untouched cell, a miss and a hit apart at a glance on the
// far board of the first view. Measured on the render: the mean colour of all
// pixels of each kind of cell (three RGB means); every two of them lie at
// least 40 apart (Euclidean distance over 0..255 channels), and they differ in
// hue, not only in brightness: the light a miss adds to the sea under it is
// blue above red, the light a hit adds red above blue.
TEST_F(WorldRenderTest, ShotMarksStandOutOnTheFarBoardInTheFirstView) {
    // Ten shots on the enemy board: seven misses and three hits.
    const std::vector<std::array<int, 3>> shots = {{2, 3, 0}, {3, 7, 0}, {5, 2, 0}, {5, 5, 1}, {6, 9, 0},
                                                   {7, 4, 0}, {8, 8, 1}, {9, 1, 0}, {9, 6, 0}, {4, 4, 1}};
    for (const auto& shot : shots)
        w.boards.markShot(EnemyBoard, shot[0], shot[1], shot[2] == 1);
    w.world.logo->visible = false; // no logo during a match
    showCells(false);
    const QImage sea = renderer.render(w.world.scene, w.world.camera);
    showCells(true);
    const QImage image = renderer.render(w.world.scene, w.world.camera);
    image.save(QStringLiteral(VTX_BINARY_DIR "/artifacts/scene-ten-shots.png"));
    // The far board, enlarged four times without smoothing.
    QPolygonF corners;
    for (const glm::vec3& corner : {glm::vec3(-4.5f, 0.1f, -10.5f), glm::vec3(5.5f, 0.1f, -10.5f),
                                    glm::vec3(5.5f, 0.1f, -0.5f), glm::vec3(-4.5f, 0.1f, -0.5f)})
        corners << projectF(corner);
    const QRect board = corners.boundingRect().toAlignedRect().adjusted(-4, -4, 4, 4);
    image.copy(board)
        .scaled(board.size() * 4)
        .save(QStringLiteral(VTX_BINARY_DIR "/artifacts/scene-ten-shots-board.png"));

    glm::dvec3 colour[3]{}, under[3]{};
    int count[3] = {0, 0, 0}, underCount[3] = {0, 0, 0};
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 10; ++c) {
            const std::string& mark = w.boards.cell(EnemyBoard, r, c)->libMaterialName;
            const int kind = mark == World::FrameMark ? 0 : mark == World::HintMark ? 1 : 2;
            addCellColour(image, EnemyBoard, r, c, colour[kind], count[kind]);
            addCellColour(sea, EnemyBoard, r, c, under[kind], underCount[kind]);
        }
    const char* names[3] = {"untouched", "miss", "hit"};
    glm::dvec3 added[3];
    for (int k = 0; k < 3; ++k) {
        ASSERT_GT(count[k], 0);
        colour[k] /= double(count[k]);
        added[k] = colour[k] - under[k] / double(underCount[k]);
        std::printf("%-9s cells: mean colour %3.0f %3.0f %3.0f, added to the sea %+4.0f %+4.0f %+4.0f\n",
                    names[k], colour[k].r, colour[k].g, colour[k].b, added[k].r, added[k].g, added[k].b);
    }
    for (auto [a, b] : {std::pair{0, 1}, std::pair{0, 2}, std::pair{1, 2}}) {
        const double distance = glm::length(colour[a] - colour[b]);
        std::printf("%s vs %s: %.0f apart\n", names[a], names[b], distance);
        EXPECT_GE(distance, 40.0) << names[a] << " vs " << names[b];
    }
    EXPECT_GT(added[1].b, added[1].r + 20.0); // a miss is cold
    EXPECT_GT(added[2].r, added[2].b + 20.0); // a hit is warm
}

TEST_F(WorldRenderTest, CellEdgesFromAboveDoNotStepAndCloseViewsAreKept) {
    w.world.logo->visible = false;
    Camera* camera = w.world.camera;
    const auto save = [&](const char* name) {
        renderer.render(w.world.scene, camera)
            .save(QStringLiteral(VTX_BINARY_DIR "/artifacts/") + QLatin1String(name) +
                  QStringLiteral(".png"));
    };
    camera->orbitTarget(-90.0f, 0.0f);
    save("scene-above");
    {
        // The cells' squares from above, turned 45 degrees: their outlines
        // must not step along the squares' hard edges. Compared with the same
        // view drawn at twice the size and scaled down (smooth edges), the
        // boards differ little.
        const QImage once = renderer.render(w.world.scene, camera);
        OffscreenRenderer twice(2 * 616, 2 * 547);
        const QImage smooth = twice.render(w.world.scene, camera)
                                  .scaled(616, 547, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Pixels over the squares' edges: where the board plane seen through
        // the pixel's centre lies within 0.06 units (a pixel) of a cell border.
        const glm::mat4 toWorld =
            glm::inverse(camera->projectionMatrix(616.0f / 547.0f) * camera->viewMatrix());
        double difference = 0.0;
        int count = 0;
        for (int y = 0; y < once.height(); ++y)
            for (int x = 0; x < once.width(); ++x) {
                const glm::vec2 ndc((x + 0.5f) / 616.0f * 2.0f - 1.0f, 1.0f - (y + 0.5f) / 547.0f * 2.0f);
                glm::vec4 nearPoint = toWorld * glm::vec4(ndc, -1.0f, 1.0f);
                glm::vec4 farPoint = toWorld * glm::vec4(ndc, 1.0f, 1.0f);
                const glm::vec3 a = glm::vec3(nearPoint) / nearPoint.w, b = glm::vec3(farPoint) / farPoint.w;
                const glm::vec3 p = a + (b - a) * ((0.1f - a.y) / (b.y - a.y));
                if (p.x < -4.6f || p.x > 5.6f || p.z < -10.6f || p.z > 10.6f) continue;
                const float fx = std::abs(p.x + 0.5f - std::round(p.x + 0.5f));
                const float fz = std::abs(p.z + 0.5f - std::round(p.z + 0.5f));
                if (std::min(fx, fz) > 0.06f) continue;
                difference +=
                    std::abs(once.pixelColor(x, y).lightness() - smooth.pixelColor(x, y).lightness());
                ++count;
            }
        ASSERT_GT(count, 1000);
        std::printf("cell edges from above against their smooth picture: %.2f levels per pixel\n",
                    difference / count);
        // An outline reaching the squares' edges made about 14.5 here.
        EXPECT_LT(difference / count, 7.0);
    }
    camera->orbitTarget(0.0f, 45.0f);
    save("scene-above-square");
    // Close views: the camera rig moved, aimed at a marker.
    Group* aim = w.world.scene.objects().addChild<Group>();
    camera->targetObject = aim;
    const auto look = [&](const glm::vec3& from, const glm::vec3& at, const char* name) {
        w.world.cameraRig->position = from;
        camera->position = {0.0f, 0.0f, 0.0f};
        aim->position = at;
        save(name);
    };
    look({-5.5f, 2.2f, -6.0f}, {-10.0f, 1.2f, -10.5f}, "scene-island");
    look({0.0f, 12.0f, -60.0f}, {0.0f, 20.0f, -160.0f}, "scene-mountains");
    look({60.0f, 4.0f, 60.0f}, {130.0f, 6.0f, 130.0f}, "scene-shore");
}

// Twenty ships from four model files: four meshes in memory and on the GPU,
// kept there while hidden ships wait, so a sinking shows a ship without
// copying anything to the GPU.
TEST_F(WorldRenderTest, OneModelFileIsOneGpuMeshAndASinkingUploadsNothing) {
    test::ScriptedBattle battle;
    battle.buildWorld(w.startDir.path().toStdString());
    battle.playBattle();
    const World& world = battle.world;
    EXPECT_EQ(world.ownShipModels[6]->mesh(), world.enemyShipModels[9]->mesh());
    EXPECT_EQ(world.ownShipModels[6]->meshId(), world.enemyShipModels[9]->meshId());
    EXPECT_NE(world.ownShipModels[0]->meshId(), world.ownShipModels[1]->meshId());

    OffscreenRenderer small(96, 96);
    small.renderFrame(battle.world.scene, battle.world.camera);
    // Four ship files, the tree and the island.
    EXPECT_EQ(small.lastFrameStats().gpuMeshes, 6);
    for (int i = 0; i < 400; ++i)
        small.renderFrame(battle.world.scene, battle.world.camera);
    battle.boards.showSunkShip(EnemyBoard, 4);
    small.renderFrame(battle.world.scene, battle.world.camera);
    EXPECT_EQ(small.lastFrameStats().meshUploads, 0);
    EXPECT_EQ(small.lastFrameStats().textureUploads, 0);
    EXPECT_EQ(small.lastFrameStats().gpuMeshes, 6);
}

// The pictures the player sees must survive every change to the renderer: the
// first view and the world after a scripted battle, against the references.
TEST_F(WorldRenderTest, TheFirstViewAndABattleLookAsTheReferencesDo) {
    const QString reference = QStringLiteral(VTX_SOURCE_DIR "/tests/scene/reference/");
    const QByteArray fingerprint = test::dataFingerprint(QStringLiteral("DATA"), [](int i) {
        static const char* marks[] = {"cell/hint", "cell/hit", "cell/frame"};
        const std::string name = i < World::WaterFrames ? (i < 10 ? "water/0" : "water/") + std::to_string(i)
                                 : i < World::WaterFrames + 3 ? marks[i - World::WaterFrames]
                                                              : "";
        const auto bytes = embeddedImage(name);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    });

    QImage pictures[2];
    pictures[0] = renderer.render(w.world.scene, w.world.camera);
    {
        test::ScriptedBattle battle;
        battle.buildWorld(w.startDir.path().toStdString());
        battle.playBattle();
        for (int i = 0; i < 40; ++i)
            battle.tick();
        pictures[1] = renderer.render(battle.world.scene, battle.world.camera);
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
