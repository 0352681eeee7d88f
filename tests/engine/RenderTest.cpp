// Offscreen rendering and picking: small scenes drawn into a framebuffer and checked pixel by pixel.

#include "tests/engine/EngineTestSupport.h"

#include "scene/engine/AnimatedModel.h"
#include "scene/engine/FireSystem.h"
#include "scene/engine/FrameClock.h"
#include "scene/engine/Group.h"
#include "scene/engine/HudText.h"
#include "scene/engine/LightSource.h"
#include "scene/engine/MaterialLibrary.h"
#include "scene/engine/OffscreenRenderer.h"
#include "scene/engine/Plane.h"
#include "scene/engine/Sky.h"
#include "scene/engine/Sprite.h"
#include "scene/engine/Terrain.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstddef>
#include <span>
#include <stdexcept>

namespace vtx {
namespace {

using enginetest::near;

constexpr int kSize = 64;

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        renderer = std::make_unique<OffscreenRenderer>(kSize, kSize);
        renderer->backgroundColor = {0.0f, 0.0f, 1.0f, 1.0f};
        target = scene.objects().addChild<Group>();
        camera = scene.objects().addChild<Camera>();
        camera->position = {0.0f, 0.0f, 5.0f};
        camera->targetObject = target;
        camera->depthOfView = 100.0f;
        // A narrow lens (about 44 degrees), so the small test planes fill a good part of the picture.
        camera->focalLength = 125.0f;
    }

    Plane* addPlane(const glm::vec4& color, float z = 0.0f, float size = 1.0f) {
        auto* plane = scene.objects().addChild<Plane>();
        plane->position = {0.0f, 0.0f, z};
        plane->width = plane->height = size;
        plane->material.frontProperties.diffuse = color;
        return plane;
    }

    QImage draw() { return renderer->render(scene, camera); }
    QRgb centre() { return draw().pixel(kSize / 2, kSize / 2); }

    static QImage solid(QColor color, int size = 8) {
        QImage image(size, size, QImage::Format_RGBA8888);
        image.fill(color);
        return image;
    }

    Scene scene;
    Group* target = nullptr;
    Camera* camera = nullptr;
    std::unique_ptr<OffscreenRenderer> renderer;
};

TEST_F(RenderTest, PlaneFacingTheCameraIsDrawnWithItsColourAndTheRestIsBackground) {
    addPlane({1, 0, 0, 1});
    const QImage image = draw();
    EXPECT_TRUE(near(image.pixel(kSize / 2, kSize / 2), 255, 0, 0));
    EXPECT_TRUE(near(image.pixel(1, 1), 0, 0, 255));
}

TEST_F(RenderTest, CulledBackFaceIsNotDrawnUnlessCullingIsOff) {
    Plane* plane = addPlane({1, 0, 0, 1});
    plane->setDirection({0, 0, -1}); // now facing away from the camera
    EXPECT_TRUE(near(centre(), 0, 0, 255));
    plane->material.faceCulling = FaceCulling::NoCull;
    EXPECT_TRUE(near(centre(), 255, 0, 0));
}

TEST_F(RenderTest, HiddenObjectAndItsSubtreeAreNeitherDrawnNorPicked) {
    Plane* plane = addPlane({1, 0, 0, 1});
    auto* child = plane->addChild<Plane>();
    child->position = {0.0f, 0.0f, 1.0f};
    child->material.frontProperties.diffuse = {0, 1, 0, 1};
    EXPECT_TRUE(near(centre(), 0, 255, 0));
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, kSize / 2), child);

    plane->visible = false;
    EXPECT_TRUE(near(centre(), 0, 0, 255));
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, kSize / 2), nullptr);
}

TEST_F(RenderTest, PickingReturnsTheNearerOfOverlappingObjectsAndNothingOnEmptySky) {
    // Tree order puts the far plane last, so depth, not drawing order, must decide.
    Plane* nearPlane = addPlane({0, 1, 0, 1}, 1.0f, 0.5f);
    Plane* farPlane = addPlane({1, 0, 0, 1}, 0.0f, 2.0f);
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, kSize / 2), nearPlane);
    EXPECT_EQ(renderer->pickObject(scene, camera, 20, kSize / 2), farPlane); // beside the small one
    EXPECT_EQ(renderer->pickObject(scene, camera, 1, 1), nullptr);
    // The pick must not disturb the picture.
    EXPECT_TRUE(near(centre(), 0, 255, 0));
}

TEST_F(RenderTest, PickingReachesOnePixelAroundThePointButNoFurther) {
    Plane* plane = addPlane({1, 0, 0, 1}, 0.0f, 0.5f);
    const QImage image = draw();
    int lastRed = -1; // rightmost red column on the centre row
    for (int x = 0; x < kSize; ++x)
        if (near(image.pixel(x, kSize / 2), 255, 0, 0)) lastRed = x;
    ASSERT_GT(lastRed, kSize / 2);
    ASSERT_LT(lastRed, kSize - 3);
    EXPECT_EQ(renderer->pickObject(scene, camera, lastRed + 1, kSize / 2), plane);
    EXPECT_EQ(renderer->pickObject(scene, camera, lastRed + 2, kSize / 2), nullptr);
}

TEST_F(RenderTest, PickingWorksAtTheEdgesWhereTheSquareIsClipped) {
    Plane* plane = addPlane({1, 0, 0, 1}, 0.0f, 10.0f);
    EXPECT_EQ(renderer->pickObject(scene, camera, 0, 0), plane);
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize - 1, kSize - 1), plane);
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize, kSize / 2), plane); // the square still reaches in
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize + 1, kSize / 2), nullptr);
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, -1), plane);
}

TEST_F(RenderTest, OnlyPickableKindsArePicked) {
    auto* dome = scene.objects().addChild<Sky>();
    dome->bands.push_back({});
    auto* hud = scene.objects().addChild<HudText>();
    hud->text = "A";
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, kSize / 2), nullptr);
    auto* sprite = scene.objects().addChild<Sprite>();
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, kSize / 2), sprite);
}

TEST_F(RenderTest, AdditiveBlendingAddsLightAndBlackVanishes) {
    addPlane({0, 0.5f, 0, 1}, 0.0f, 2.0f);
    Plane* overlay = addPlane({1, 1, 1, 1}, 1.0f, 0.5f);
    overlay->material.blendingMode = BlendMode::Additive;
    overlay->material.texture.image.assign(solid(Qt::black));
    EXPECT_TRUE(near(centre(), 0, 128, 0, 8));

    overlay->material.texture.image.assign(solid(QColor(255, 0, 0)));
    EXPECT_TRUE(near(centre(), 255, 128, 0, 8));
}

TEST_F(RenderTest, TransparencyMixesByAlpha) {
    addPlane({0, 0, 0, 1}, 0.0f, 2.0f);
    Plane* overlay = addPlane({1, 1, 1, 0.5f}, 1.0f, 0.5f);
    overlay->material.blendingMode = BlendMode::Transparency;
    EXPECT_TRUE(near(centre(), 128, 128, 128, 8));
    // The target's alpha stays 1 whatever an opaque draw's colour or texel alpha: a window with
    // alpha below 1 shows the desktop through.
    overlay->material.blendingMode = BlendMode::Opaque;
    EXPECT_EQ(qAlpha(centre()), 255);
    overlay->material.frontProperties.diffuse.a = 1.0f;
    overlay->material.texture.image.assign(solid(QColor(255, 0, 0, 100)));
    EXPECT_EQ(qAlpha(centre()), 255);
}

TEST_F(RenderTest, TextureFileLoadedAtRunTimeShowsAtTheNextFrame) {
    QTemporaryDir dir;
    const std::string red = dir.filePath("red.png").toStdString();
    const std::string green = dir.filePath("green.jpg").toStdString();
    ASSERT_TRUE(solid(QColor(255, 0, 0)).save(QString::fromStdString(red)));
    ASSERT_TRUE(
        solid(QColor(0, 255, 0)).convertToFormat(QImage::Format_RGB32).save(QString::fromStdString(green)));

    Plane* plane = addPlane({1, 1, 1, 1});
    plane->material.texture.image.loadFromFile(red);
    EXPECT_TRUE(near(centre(), 255, 0, 0));
    // The game writes its file names with backslashes.
    const QString dirPath = dir.path();
    plane->material.texture.image.loadFromFile((dirPath + "\\green.jpg").toStdString());
    EXPECT_TRUE(near(centre(), 0, 255, 0));
    plane->material.texture.image.loadFromFile(red);
    plane->material.texture.image.loadFromFile(green);
    EXPECT_TRUE(near(centre(), 0, 255, 0));

    const std::string missing = dir.filePath("missing.jpg").toStdString();
    try {
        plane->material.texture.image.loadFromFile(missing);
        FAIL() << "a missing picture must fail";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Could not open file: " + missing);
    }
    EXPECT_TRUE(near(centre(), 0, 255, 0)); // the old picture stays
}

TEST(TextureImageTest, LoadsOfAnUnchangedFileShareOnePictureAndAChangedFileIsReadAgain) {
    QTemporaryDir dir;
    const QString path = dir.filePath("skin.png");
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path));
    TextureImage a, b;
    a.loadFromFile(path.toStdString());
    b.loadFromFile(path.toStdString());
    EXPECT_EQ(a.id(), b.id());

    QImage green(8, 8, QImage::Format_RGB32); // another size, so the file's size changes too
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(path));
    TextureImage c;
    c.loadFromFile(path.toStdString());
    EXPECT_NE(c.id(), a.id());
    EXPECT_EQ(c.width(), 8);
    EXPECT_EQ(QColor(c.image()->pixel(0, 0)), QColor(Qt::green));
    EXPECT_EQ(a.width(), 4); // earlier holders keep what they loaded

    // A picture taken encoded knows its size at once and shows its pixels when asked; bytes that are
    // no picture leave the previous one.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(green.save(&buffer, "PNG"));
    const auto bytes = std::as_bytes(std::span(png.constData(), std::size_t(png.size())));
    const std::span<const unsigned char> encoded(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                 bytes.size());
    TextureImage lazy;
    ASSERT_TRUE(lazy.assignEncoded(encoded));
    EXPECT_EQ(lazy.width(), 8);
    EXPECT_NE(lazy.id(), 0u);
    EXPECT_EQ(QColor(lazy.image()->pixel(7, 7)), QColor(Qt::green));
    const std::uint64_t id = lazy.id();
    EXPECT_FALSE(lazy.assignEncoded(encoded.first(8)));
    EXPECT_EQ(lazy.id(), id);
}

TEST_F(RenderTest, ModulateMultipliesTextureWithTheLitColourAndDisabledTextureShowsTheColour) {
    Plane* plane = addPlane({0.5f, 1, 1, 1});
    plane->material.texture.image.assign(solid(QColor(255, 255, 0)));
    plane->material.texture.textureMode = TextureMode::Modulate;
    EXPECT_TRUE(near(centre(), 128, 255, 0, 8));
    plane->material.texture.disabled = true;
    EXPECT_TRUE(near(centre(), 128, 255, 255, 8));
}

TEST_F(RenderTest, LibraryMaterialOverridesOwnMaterialAndANewNameShowsAtTheNextFrame) {
    MaterialLibrary library;
    library.addMaterialFromImage("red", solid(QColor(255, 0, 0)));
    library.addMaterialFromImage("green", solid(QColor(0, 255, 0)));
    Plane* plane = addPlane({1, 1, 1, 1});
    plane->materialLibrary = &library;
    plane->libMaterialName = "red";
    EXPECT_TRUE(near(centre(), 255, 0, 0));
    plane->libMaterialName = "green";
    EXPECT_TRUE(near(centre(), 0, 255, 0));
    plane->libMaterialName = "absent"; // falls back to the object's own material
    EXPECT_TRUE(near(centre(), 255, 255, 255, 50));
}

TEST_F(RenderTest, LightSourceShadesByTheAngleToTheLight) {
    Plane* plane = addPlane({1, 1, 1, 1}, 0.0f, 4.0f);
    plane->material.frontProperties.ambient = {0, 0, 0, 1};
    auto* light = scene.objects().addChild<LightSource>();
    light->position = {0.0f, 0.0f, 1000.0f};
    const int facing = qRed(centre());
    light->position = {0.0f, 1000.0f, 0.01f}; // grazing
    const int grazing = qRed(centre());
    EXPECT_GT(facing, 230);
    EXPECT_LT(grazing, 40);
}

TEST_F(RenderTest, HudTextIsDrawnInPixelsAndFadesWithModulateAlpha) {
    // A 2-glyph font picture: glyph 0 white, glyph 1 black.
    QImage glyphs(16, 8, QImage::Format_RGBA8888);
    glyphs.fill(Qt::black);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            glyphs.setPixel(x, y, qRgb(255, 255, 255));
    BitmapFont font;
    font.glyphs.assign(glyphs);
    font.charWidth = 8;
    font.charHeight = 8;
    font.addRange('A', 'B', 0);
    auto* hud = scene.objects().addChild<HudText>();
    hud->bitmapFont = &font;
    hud->text = "AB";
    hud->position = {10.0f, 20.0f, 0.0f};
    renderer->backgroundColor = {0, 0, 0, 1};

    QImage image = draw();
    EXPECT_TRUE(near(image.pixel(13, 23), 255, 255, 255, 4)); // inside "A"
    EXPECT_TRUE(near(image.pixel(21, 23), 0, 0, 0, 4));       // "B": black glyph adds nothing
    EXPECT_TRUE(near(image.pixel(9, 23), 0, 0, 0, 4));        // left of the text
    EXPECT_TRUE(near(image.pixel(13, 19), 0, 0, 0, 4));       // above the text

    hud->modulateColor = {1, 0, 0, 0.5f};
    image = draw();
    EXPECT_TRUE(near(image.pixel(13, 23), 128, 0, 0, 6));
    hud->modulateColor = {1, 1, 1, 0};
    image = draw();
    EXPECT_TRUE(near(image.pixel(13, 23), 0, 0, 0, 4));

    // A new text or place shows at the next frame.
    hud->modulateColor = {1, 1, 1, 1};
    hud->text = "BA";
    image = draw();
    EXPECT_TRUE(near(image.pixel(13, 23), 0, 0, 0, 4));
    EXPECT_TRUE(near(image.pixel(21, 23), 255, 255, 255, 4));
    hud->position = {30.0f, 40.0f, 0.0f};
    image = draw();
    EXPECT_TRUE(near(image.pixel(21, 23), 0, 0, 0, 4));
    EXPECT_TRUE(near(image.pixel(41, 43), 255, 255, 255, 4));
}

TEST_F(RenderTest, FireDrawsBrightFlamesAroundEveryBurningObjectUntilTheListIsEmptied) {
    renderer->backgroundColor = {0, 0, 0, 1};
    auto manager = std::make_shared<FireSystem>();
    manager->params().particleSize = 0.5f;
    auto* left = scene.objects().addChild<Group>();
    left->position = {-1.0f, 0.0f, 0.0f};
    left->effects.addFire(manager);
    auto* right = scene.objects().addChild<Group>();
    right->position = {1.0f, 0.0f, 0.0f};
    right->effects = left->effects;

    FrameClock cadencer;
    cadencer.scene = &scene;
    for (int i = 0; i < 30; ++i)
        cadencer.progress(0.02);
    ASSERT_FALSE(manager->particles().particles().empty());

    const auto brightIn = [](const QImage& image, int x0, int x1) {
        int bright = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = x0; x < x1; ++x)
                bright += qRed(image.pixel(x, y)) > 100;
        return bright;
    };
    QImage image = draw();
    EXPECT_GT(brightIn(image, 0, kSize / 2), 10);
    EXPECT_GT(brightIn(image, kSize / 2, kSize), 10);

    right->effects = EffectList{};
    image = draw();
    EXPECT_GT(brightIn(image, 0, kSize / 2), 10);
    EXPECT_EQ(brightIn(image, kSize / 2 + 4, kSize), 0);
}

TEST_F(RenderTest, SpriteFacesTheCameraFromAnySide) {
    auto* sprite = scene.objects().addChild<Sprite>();
    sprite->material.frontProperties.diffuse = {1, 0, 0, 1};
    sprite->setTurnAngle(120.0f); // its own orientation does not matter
    EXPECT_TRUE(near(centre(), 255, 0, 0));
    camera->position = {5.0f, 0.0f, 0.0f};
    EXPECT_TRUE(near(centre(), 255, 0, 0));
}

TEST_F(RenderTest, SkyDomeFillsTheBackgroundWithItsBandsAndTurnsWithTheCamera) {
    auto* dome = scene.objects().addChild<Sky>();
    dome->setDirection({0, 1, 0});
    dome->setUp({0, 0, -1});
    dome->bands.push_back({-90, 0, {1, 0, 0, 1}, {1, 0, 0, 1}, 12, 1});
    dome->bands.push_back({0, 90, {0, 1, 0, 1}, {0, 1, 0, 1}, 12, 1});
    dome->bandsChanged();
    addPlane({1, 1, 1, 1}, -50.0f, 10.0f); // far behind the dome's radius: the dome must not hide it
    QImage image = draw();
    EXPECT_EQ(renderer->lastFrameStats().drawCalls, 2);
    EXPECT_TRUE(near(image.pixel(kSize / 2, 5), 0, 255, 0));         // above the horizon
    EXPECT_TRUE(near(image.pixel(kSize / 2, kSize - 5), 255, 0, 0)); // below it
    EXPECT_TRUE(near(image.pixel(kSize / 2, kSize / 2), 255, 255, 255));
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, 5), nullptr);
    // A plane filling the whole view hides the sky: its pass is left out.
    addPlane({1, 1, 0, 1}, -40.0f, 1000.0f);
    image = draw();
    for (const QPoint corner : {QPoint(0, 0), QPoint(kSize - 1, kSize - 1)})
        EXPECT_TRUE(near(image.pixel(corner), 255, 255, 0));
    EXPECT_EQ(renderer->lastFrameStats().drawCalls, 2); // the two planes
}

TEST_F(RenderTest, ActorIsDrawnAtItsFrameAndPicked) {
    auto model = enginetest::quadModel({"stand01", "stand02"});
    // Frame 1 lies 10 units further along the model's z: with the model scaled by 1/255 the quad
    // spans 1 x 1 at frame 0.
    const auto bytes = enginetest::writeMd2(model);
    auto* actor = scene.objects().addChild<AnimatedModel>();
    actor->loadFromBytes(bytes);
    actor->scale = glm::vec3(1.0f / 255.0f);
    actor->position = {-0.5f, -0.5f, 0.0f};
    actor->material.frontProperties.diffuse = {0, 1, 0, 1};
    EXPECT_TRUE(near(centre(), 0, 255, 0));
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, kSize / 2), actor);
    actor->position.x = 2.0f;
    EXPECT_TRUE(near(centre(), 0, 0, 255));
}

TEST_F(RenderTest, TerrainIsDrawnAroundTheCameraAndPicked) {
    GreyImage grey;
    grey.width = grey.height = 64;
    grey.pixels.assign(64 * 64, 200);
    HeightMap hds;
    hds.loadFromImage(grey);
    auto* terrain = scene.objects().addChild<Terrain>();
    terrain->heightDataSource = &hds;
    terrain->tileSize = 16;
    terrain->qualityDistance = 50.0f;
    terrain->setDirection({0, 1, 0});
    terrain->setUp({0, 0, 1});
    terrain->material.frontProperties.diffuse = {1, 1, 0, 1};
    // Height 200 stands 72 units up; look down at it from above, far beyond one raster (it repeats).
    camera->position = {300.0f, 150.0f, 300.0f};
    target->position = {300.0f, 0.0f, 290.0f};
    EXPECT_TRUE(near(centre(), 255, 255, 0));
    EXPECT_EQ(renderer->pickObject(scene, camera, kSize / 2, kSize / 2), terrain);
    EXPECT_GT(renderer->lastFrameStats().terrainTiles, 0);
}

} // namespace
} // namespace vtx
