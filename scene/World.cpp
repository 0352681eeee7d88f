#include "scene/World.h"

#include "files/EmbeddedImages.h"
#include "game/DataFiles.h"
#include "game/GameTypes.h"
#include "scene/Boards.h"
#include "scene/HudGlyphs.h"

#include <QImage>

#include <stdexcept>
#include <system_error>

namespace vtx {

namespace {

QImage decodeEmbedded(const std::string& name) {
    const auto bytes = embeddedImage(name);
    QImage image;
    if (bytes.empty() || !image.loadFromData(bytes.data(), int(bytes.size())))
        throw std::runtime_error("The picture \"" + name + "\" inside the program cannot be decoded");
    return image;
}

glm::vec4 rgb255(int r, int g, int b) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, 1.0f};
}

} // namespace

void setOrientation(SceneObject& object, const glm::vec3& direction, const glm::vec3& up) {
    object.setDirection(direction);
    object.setUp(up);
}

World::World(PathResolver resolve) : m_resolve(std::move(resolve)) {
    buildLibraries();
    buildTree();
}

std::string World::path(std::string_view gamePath) const {
    if (m_resolve) return m_resolve(gamePath);
    std::string p(gamePath);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

void World::buildLibraries() {
    // The sea's animation: consecutive frames of light ripples on water.
    // Each frame is decoded when the sea first shows it, not all 32 before
    // the window's first picture.
    for (int i = 0; i < WaterFrames; ++i) {
        const std::string frame = (i < 10 ? "water/0" : "water/") + std::to_string(i);
        LibraryMaterial* m = waterMaterials.addMaterial(waterMaterial(i));
        if (!m->material.texture.image.assignEncoded(embeddedImage(frame)))
            throw std::runtime_error("The picture \"" + frame + "\" inside the program cannot be decoded");
        m->material.texture.textureMode = TextureMode::Replace;
    }
    materials.addMaterial("ground");
    materials.addMaterial("details");
    // Board marks on black: additive blending makes the black vanish.
    for (const char* mark : {HintMark, HitMark, FrameMark, BadMark})
        materials.addMaterialFromImage(mark, decodeEmbedded(std::string("cell/") + mark),
                                       BlendMode::Additive);

    fire = std::make_shared<FireSystem>();
    FireParams& p = fire->params();
    p.maxParticles = 128;
    p.particleSize = 0.15f;
    p.fireDensity = 0.6f;
    p.fireEvaporation = 0.86f;
    p.particleLife = 2.0f;
    p.fireBurst = 1.0f;
    p.fireRadius = 0.1f;
    p.particleInterval = 0.04f;
    p.useInterval = true;
    p.fireDir = {0.0f, 0.2f, 0.0f};
    p.initialDir = {0.0f, 0.0f, 0.7f};

    messageFont.charWidth = 30;
    messageFont.charHeight = 30;
    messageFont.glyphsIntervalX = 1;
    messageFont.glyphsIntervalY = 1;
    int glyph = 0;
    for (const hud::GlyphRun& run : hud::GlyphRuns) {
        messageFont.addRange(int(run.first), int(run.last), glyph);
        glyph += int(run.last - run.first) + 1;
    }
    logoFont.charWidth = 397;
    logoFont.charHeight = 303;
    logoFont.addRange('A', 'H', 0);
}

void World::buildTree() {
    Group& root = scene.objects();

    cameraRig = root.addChild<Group>();
    cameraRig->name = "Camera";
    cameraRig->position = {10.0f, 10.0f, 10.0f};
    camera = cameraRig->addChild<Camera>();
    camera->name = "camera";
    camera->position = CameraOffset;
    camera->depthOfView = 1000.0f;
    camera->focalLength = CameraFocalLength;

    worldRoot = root.addChild<Group>();
    worldRoot->name = "World";

    sky = worldRoot->addChild<Sky>();
    sky->name = "sky";
    setOrientation(*sky, {0.0f, 1.0f, 0.0f}, {-0.866025f, 0.0f, 0.5f});
    const glm::vec4 blue = rgb255(112, 147, 219);
    sky->bands.push_back(SkyBand{-90.0f, 0.0f, {0.0f, 0.0f, 0.0f, 1.0f}, blue, 12, 1});
    sky->bands.push_back(SkyBand{0.0f, 90.0f, blue, {1.0f, 1.0f, 1.0f, 1.0f}, 12, 4});
    sky->bandsChanged();

    sun = sky->addChild<Sprite>();
    sun->name = "Sun";
    sun->position = {400.0f, 400.0f, 100.0f};
    sun->width = 100.0f;
    sun->height = 100.0f;
    sun->material.blendingMode = BlendMode::Additive;

    reflectingObjects = worldRoot->addChild<Group>();
    reflectingObjects->name = "ReflectingObjects";
    nonReflecting = worldRoot->addChild<Group>();
    nonReflecting->name = "NonReflecting";

    sea = nonReflecting->addChild<Plane>();
    sea->name = "sea";
    sea->tag = 100;
    setOrientation(*sea, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, -1.0f});
    sea->width = 500.0f;
    sea->height = 500.0f;
    sea->xTiles = 15;
    sea->yTiles = 15;
    sea->materialLibrary = &waterMaterials;
    sea->libMaterialName = waterMaterial(0);
    camera->targetObject = sea;

    terrain = worldRoot->addChild<Terrain>();
    terrain->name = "terrain";
    setOrientation(*terrain, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
    terrain->scale = {2.1f, 2.1f, 0.3f};
    terrain->heightDataSource = &heightMap;
    terrain->tileSize = 32;
    terrain->qualityDistance = 150.0f;
    terrain->materialLibrary = &materials;
    terrain->libMaterialName = "ground";
    // Ground wholly below sea level within the sea's extent is never seen
    // through the opaque sea: not drawn. Sea and terrain share the origin and
    // turn together, so the sea's square in the terrain's own units is fixed.
    terrain->hiddenBelow = 0.0f;
    const float seaHalf = 0.5f * sea->width / terrain->scale.x;
    terrain->hiddenArea = {-seaHalf, -seaHalf, seaHalf, seaHalf};

    fireTemplate = worldRoot->addChild<Plane>();
    fireTemplate->name = "fireTemplate";
    fireTemplate->position = {0.0f, -10.0f, 0.0f};
    setOrientation(*fireTemplate, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, -1.0f});
    fireTemplate->effects.addFire(fire);
    // The template lies under the opaque sea where no camera sees it: hidden,
    // its flames are not drawn for nothing and do not keep the viewer
    // redrawing an unchanged picture. The cadencer still advances them, so a
    // cell that catches fire burns at once.
    fireTemplate->visible = false;

    island = worldRoot->addChild<AnimatedModel>();
    island->name = "island";
    island->interval = 100;

    sunLight = worldRoot->addChild<LightSource>();
    sunLight->name = "sunLight";
    sunLight->position = {20.0f, 250.0f, 20.0f};
    sunLight->constAttenuation = 1.0f;
    sunLight->spotCutOff = 180.0f;

    resultText = root.addChild<HudText>();
    resultText->name = "resultText";
    // At the top of the view, where the score window opened after a win
    // does not cover it.
    resultText->position = {40.0f, 24.0f, 0.0f};
    resultText->visible = false;
    resultText->bitmapFont = &messageFont;
    // A dark plate under the result: it reads over the boards, fires and sky alike.
    resultText->backColor = {0.02f, 0.04f, 0.08f, 0.78f};
    resultText->backPadding = 14.0f;

    logo = root.addChild<HudText>();
    logo->name = "logo";
    logo->position = {100.0f, 120.0f, 0.0f};
    logo->bitmapFont = &logoFont;
    logo->text = "A";
}

void World::loadFonts() {
    messageFont.loadGlyphsFromFile(path(datafiles::kMessageFont));
    logoFont.loadGlyphsFromFile(path(datafiles::kLogoFont));
}

void World::setLogoColor() {
    logo->modulateColor = {1.0f, 1.0f, 1.0f, 0.7f};
}

void World::buildScenery(const std::filesystem::path& startDir) {
    makeTextureDirectory(startDir);
    loadTerrain();
    loadTextures();
    setTerrainTiling();
    addTrees();
    buildIsland();
}

void World::makeTextureDirectory(const std::filesystem::path& startDir) {
    std::error_code ignored;
    std::filesystem::create_directories(startDir / "data" / "Textures" / "VX", ignored);
}

void World::loadTerrain() {
    heightMap.setMaxPoolSize(8388608);
    heightMap.loadFromFile(path(datafiles::kTerrainHeights));
    terrain->heightDataChanged();
}

void World::loadTextures() {
    LibraryMaterial* ground = materials.materialByName("ground");
    ground->material.texture.image.loadFromFile(path(datafiles::kGroundTexture));
    ground->material.texture.textureMode = TextureMode::Modulate;
    materials.materialByName("details")->material.texture.image.loadFromFile(path(datafiles::kDetailTexture));
    sun->material.texture.image.loadFromFile(path(datafiles::kSunFlare));
}

void World::setTerrainTiling() {
    terrain->tilesPerTexture = 256 / terrain->tileSize;
}

void World::addTrees() {
    struct TreeSpot {
        glm::vec3 position;
        float turn;
    };
    constexpr std::array<TreeSpot, 2> spots = {TreeSpot{{-8.0f, 1.0f, -11.0f}, 45.0f},
                                               TreeSpot{{-11.0f, 1.0f, -11.0f}, 0.0f}};
    for (std::size_t i = 0; i < spots.size(); ++i) {
        AnimatedModel* tree = reflectingObjects->addChild<AnimatedModel>();
        trees[i] = tree;
        tree->name = "Tree" + std::to_string(i + 1);
        tree->material.faceCulling = FaceCulling::NoCull;
        tree->position = spots[i].position;
        tree->scale = glm::vec3(ShipScale);
        tree->material.texture.image.loadFromFile(path(datafiles::kTreeSkin));
        tree->loadFromFile(path(datafiles::kTreeModel));
        tree->animationMode = AnimationMode::None;
        tree->setTurnAngle(spots[i].turn);
        tree->setPitchAngle(90.0f);
    }
}

void World::buildIsland() {
    island->position = {-10.0f, 0.0f, -10.0f};
    island->scale = glm::vec3(0.1f);
    island->material.faceCulling = FaceCulling::Cull; // a closed hill: its inside is never seen
    island->material.texture.image.loadFromFile(path(datafiles::kIsleSkin));
    island->setPitchAngle(90.0f);
    island->loadFromFile(path(datafiles::kIsleModel));
    island->animationMode = AnimationMode::None;
}

bool World::buildActivationStage(Boards& boards) {
    if (m_activationBuilt) return false;
    fillCellPositions();
    loadAllModels();
    boards.loadPlanes();
    m_activationBuilt = true;
    return true;
}

void World::fillCellPositions() {
    for (int row = 1; row <= 10; ++row)
        for (int column = 1; column <= 10; ++column) {
            ownCellPositions[std::size_t(row - 1)][std::size_t(column - 1)] = {column - 5, 0, row};
            enemyCellPositions[std::size_t(row - 1)][std::size_t(column - 1)] = {column - 5, 0, row - 11};
        }
}

AnimatedModel* World::placeActor(std::string_view modelFile) {
    AnimatedModel* actor = reflectingObjects->addChild<AnimatedModel>();
    // Hulls, deckhouses and turrets are closed, their faces wound outwards: the back faces are all
    // hidden, and on a software renderer each of these small triangles costs a block of pixels.
    actor->material.faceCulling = FaceCulling::Cull;
    actor->position = {0.0f, 0.0f, 0.0f};
    actor->scale = glm::vec3(ShipScale);
    actor->material.texture.image.loadFromFile(path(datafiles::kShipSkin));
    actor->loadFromFile(path(modelFile));
    actor->setPitchAngle(90.0f);
    actor->animationMode = AnimationMode::Loop;
    // Rocking at anchor moves a hull's outline by less than half a pixel in an eighth of a second,
    // even in the largest window: drawn that seldom, an idle battle costs the sea's frame rate.
    actor->animationDrifts = true;
    actor->visible = false;
    return actor;
}

std::string_view World::shipModelFile(int n) {
    // Model k carries k decks: the fleet's make-up decides, not the ship's number.
    return datafiles::kShipModels[std::size_t(ShipSizes[std::size_t(n - 1)] - 1)];
}

void World::loadAllModels() {
    for (int n = 1; n <= 10; ++n) {
        ownShipModels[std::size_t(n - 1)] = placeActor(shipModelFile(n));
        ownShipModels[std::size_t(n - 1)]->name = "OwnShip" + std::to_string(n);
    }
    for (int n = 1; n <= 10; ++n) {
        enemyShipModels[std::size_t(n - 1)] = placeActor(shipModelFile(n));
        enemyShipModels[std::size_t(n - 1)]->name = "EnemyShip" + std::to_string(n);
    }
}

} // namespace vtx
