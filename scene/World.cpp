#include "scene/World.h"

#include "game/DataFiles.h"
#include "scene/Boards.h"
#include "scene/HudGlyphs.h"
#include "tools/embedded/EmbeddedImages.h"

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

void setOrientation(TGLBaseSceneObject& object, const glm::vec3& direction, const glm::vec3& up) {
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
        TGLLibMaterial* m = GLMaterialLibrary.addMaterial("LibMaterial" + std::to_string(i));
        if (!m->Material.Texture.Image.assignEncoded(embeddedImage(frame)))
            throw std::runtime_error("The picture \"" + frame + "\" inside the program cannot be decoded");
        m->Material.Texture.TextureMode = tmReplace;
    }
    GLMaterialLibrary1.addMaterial("ground");
    GLMaterialLibrary1.addMaterial("details");
    // Board marks on black: additive blending makes the black vanish.
    for (const char* mark : {"hint", "hit", "frame1", "bad"})
        GLMaterialLibrary1.addMaterialFromImage(mark, decodeEmbedded(std::string("cell/") + mark),
                                                bmAdditive);

    GLFire = std::make_shared<TGLFireFXManager>();
    FireParams& p = GLFire->params();
    p.MaxParticles = 128;
    p.ParticleSize = 0.15f;
    p.FireDensity = 0.6f;
    p.FireEvaporation = 0.86f;
    p.ParticleLife = 2.0f;
    p.FireBurst = 1.0f;
    p.FireRadius = 0.1f;
    p.ParticleInterval = 0.04f;
    p.UseInterval = true;
    p.FireDir = {0.0f, 0.2f, 0.0f};
    p.InitialDir = {0.0f, 0.0f, 0.7f};

    BitmapFont1.CharWidth = 30;
    BitmapFont1.CharHeight = 30;
    BitmapFont1.GlyphsIntervalX = 1;
    BitmapFont1.GlyphsIntervalY = 1;
    int glyph = 0;
    for (const hud::GlyphRun& run : hud::GlyphRuns) {
        BitmapFont1.addRange(int(run.first), int(run.last), glyph);
        glyph += int(run.last - run.first) + 1;
    }
    BitmapFont2.CharWidth = 397;
    BitmapFont2.CharHeight = 303;
    BitmapFont2.addRange('A', 'H', 0);
}

void World::buildTree() {
    TDummyCube& root = Scene.Objects();

    Camera = root.AddChild<TDummyCube>();
    Camera->Name = "Camera";
    Camera->Position = {10.0f, 10.0f, 10.0f};
    GLCamera1 = Camera->AddChild<TGLCamera>();
    GLCamera1->Name = "GLCamera1";
    GLCamera1->Position = CameraOffset;
    GLCamera1->DepthOfView = 1000.0f;
    GLCamera1->FocalLength = CameraFocalLength;

    WorldRoot = root.AddChild<TDummyCube>();
    WorldRoot->Name = "World";

    SkyDome1 = WorldRoot->AddChild<TSkyDome>();
    SkyDome1->Name = "SkyDome1";
    setOrientation(*SkyDome1, {0.0f, 1.0f, 0.0f}, {-0.866025f, 0.0f, 0.5f});
    const glm::vec4 blue = rgb255(112, 147, 219);
    SkyDome1->Bands.push_back(TSkyDomeBand{-90.0f, 0.0f, {0.0f, 0.0f, 0.0f, 1.0f}, blue, 12, 1});
    SkyDome1->Bands.push_back(TSkyDomeBand{0.0f, 90.0f, blue, {1.0f, 1.0f, 1.0f, 1.0f}, 12, 4});
    SkyDome1->bandsChanged();

    Sun = SkyDome1->AddChild<TSprite>();
    Sun->Name = "Sun";
    Sun->Position = {400.0f, 400.0f, 100.0f};
    Sun->Width = 100.0f;
    Sun->Height = 100.0f;
    Sun->Material.BlendingMode = bmAdditive;

    ReflectingObjects = WorldRoot->AddChild<TDummyCube>();
    ReflectingObjects->Name = "ReflectingObjects";
    NonReflecting = WorldRoot->AddChild<TDummyCube>();
    NonReflecting->Name = "NonReflecting";

    Plane1 = NonReflecting->AddChild<TPlane>();
    Plane1->Name = "Plane1";
    Plane1->Tag = 100;
    setOrientation(*Plane1, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, -1.0f});
    Plane1->Width = 500.0f;
    Plane1->Height = 500.0f;
    Plane1->XTiles = 15;
    Plane1->YTiles = 15;
    Plane1->MaterialLibrary = &GLMaterialLibrary;
    Plane1->LibMaterialName = "LibMaterial0";
    GLCamera1->TargetObject = Plane1;

    TerrainRenderer1 = WorldRoot->AddChild<TTerrainRenderer>();
    TerrainRenderer1->Name = "TerrainRenderer1";
    setOrientation(*TerrainRenderer1, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
    TerrainRenderer1->Scale = {2.1f, 2.1f, 0.3f};
    TerrainRenderer1->HeightDataSource = &GLBitmapHDS1;
    TerrainRenderer1->TileSize = 32;
    TerrainRenderer1->QualityDistance = 150.0f;
    TerrainRenderer1->MaterialLibrary = &GLMaterialLibrary1;
    TerrainRenderer1->LibMaterialName = "ground";
    // Ground wholly below sea level within the sea's extent is never seen
    // through the opaque sea: not drawn. Sea and terrain share the origin and
    // turn together, so the sea's square in the terrain's own units is fixed.
    TerrainRenderer1->HiddenBelow = 0.0f;
    const float seaHalf = 0.5f * Plane1->Width / TerrainRenderer1->Scale.x;
    TerrainRenderer1->HiddenArea = {-seaHalf, -seaHalf, seaHalf, seaHalf};

    PlaneFX = WorldRoot->AddChild<TPlane>();
    PlaneFX->Name = "PlaneFX";
    PlaneFX->Position = {0.0f, -10.0f, 0.0f};
    setOrientation(*PlaneFX, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, -1.0f});
    PlaneFX->Effects.addFire(GLFire);
    // The template lies under the opaque sea where no camera sees it: hidden,
    // its flames are not drawn for nothing and do not keep the viewer
    // redrawing an unchanged picture. The cadencer still advances them, so a
    // cell that catches fire burns at once.
    PlaneFX->Visible = false;

    isle1 = WorldRoot->AddChild<TActor>();
    isle1->Name = "isle1";
    isle1->Interval = 100;

    GLLightSource1 = WorldRoot->AddChild<TGLLightSource>();
    GLLightSource1->Name = "GLLightSource1";
    GLLightSource1->Position = {20.0f, 250.0f, 20.0f};
    GLLightSource1->ConstAttenuation = 1.0f;
    GLLightSource1->SpotCutOff = 180.0f;

    HUDText1 = root.AddChild<THUDText>();
    HUDText1->Name = "HUDText1";
    // At the top of the view, where the score window opened after a win
    // does not cover it.
    HUDText1->Position = {40.0f, 24.0f, 0.0f};
    HUDText1->Visible = false;
    HUDText1->BitmapFont = &BitmapFont1;
    // A dark plate under the result: it reads over the boards, fires and sky alike.
    HUDText1->BackColor = {0.02f, 0.04f, 0.08f, 0.78f};
    HUDText1->BackPadding = 14.0f;

    HUDText2 = root.AddChild<THUDText>();
    HUDText2->Name = "HUDText2";
    HUDText2->Position = {100.0f, 120.0f, 0.0f};
    HUDText2->BitmapFont = &BitmapFont2;
    HUDText2->Text = "A";
}

void World::LoadFonts() {
    BitmapFont1.loadGlyphsFromFile(path(datafiles::kMessageFont));
    BitmapFont2.loadGlyphsFromFile(path(datafiles::kLogoFont));
}

void World::SetLogoColor() {
    HUDText2->ModulateColor = {1.0f, 1.0f, 1.0f, 0.7f};
}

void World::BuildScenery(const std::filesystem::path& startDir) {
    MakeTextureDirectory(startDir);
    LoadTerrain();
    LoadTextures();
    SetTerrainTiling();
    AddTrees();
    BuildIsland();
}

void World::MakeTextureDirectory(const std::filesystem::path& startDir) {
    std::error_code ignored;
    std::filesystem::create_directories(startDir / "data" / "Textures" / "VX", ignored);
}

void World::LoadTerrain() {
    GLBitmapHDS1.setMaxPoolSize(8388608);
    GLBitmapHDS1.loadFromFile(path(datafiles::kTerrainHeights));
    TerrainRenderer1->heightDataChanged();
}

void World::LoadTextures() {
    TGLLibMaterial* ground = GLMaterialLibrary1.materialByName("ground");
    ground->Material.Texture.Image.LoadFromFile(path(datafiles::kGroundTexture));
    ground->Material.Texture.TextureMode = tmModulate;
    GLMaterialLibrary1.materialByName("details")->Material.Texture.Image.LoadFromFile(
        path(datafiles::kDetailTexture));
    Sun->Material.Texture.Image.LoadFromFile(path(datafiles::kSunFlare));
}

void World::SetTerrainTiling() {
    TerrainRenderer1->TilesPerTexture = 256 / TerrainRenderer1->TileSize;
}

void World::AddTrees() {
    struct TreeSpot {
        glm::vec3 position;
        float turn;
    };
    constexpr std::array<TreeSpot, 2> spots = {TreeSpot{{-8.0f, 1.0f, -11.0f}, 45.0f},
                                               TreeSpot{{-11.0f, 1.0f, -11.0f}, 0.0f}};
    for (std::size_t i = 0; i < spots.size(); ++i) {
        TActor* tree = ReflectingObjects->AddChild<TActor>();
        Trees[i] = tree;
        tree->Name = "Tree" + std::to_string(i + 1);
        tree->Material.FaceCulling = fcNoCull;
        tree->Position = spots[i].position;
        tree->Scale = glm::vec3(ShipScale);
        tree->Material.Texture.Image.LoadFromFile(path(datafiles::kTreeSkin));
        tree->LoadFromFile(path(datafiles::kTreeModel));
        tree->AnimationMode = aamNone;
        tree->setTurnAngle(spots[i].turn);
        tree->setPitchAngle(90.0f);
    }
}

void World::BuildIsland() {
    isle1->Position = {-10.0f, 0.0f, -10.0f};
    isle1->Scale = glm::vec3(0.1f);
    isle1->Material.FaceCulling = fcCull; // a closed hill: its inside is never seen
    isle1->Material.Texture.Image.LoadFromFile(path(datafiles::kIsleSkin));
    isle1->setPitchAngle(90.0f);
    isle1->LoadFromFile(path(datafiles::kIsleModel));
    isle1->AnimationMode = aamNone;
}

bool World::BuildActivationStage(Boards& boards) {
    if (m_activationBuilt) return false;
    FillCellPositions();
    LoadAllModels();
    boards.LoadPlanes();
    m_activationBuilt = true;
    return true;
}

void World::FillCellPositions() {
    for (int row = 1; row <= 10; ++row)
        for (int column = 1; column <= 10; ++column) {
            OwnCellPositions[std::size_t(row - 1)][std::size_t(column - 1)] = {column - 5, 0, row};
            EnemyCellPositions[std::size_t(row - 1)][std::size_t(column - 1)] = {column - 5, 0, row - 11};
        }
}

TActor* World::PlaceActor(std::string_view modelFile) {
    TActor* actor = ReflectingObjects->AddChild<TActor>();
    // Hulls, deckhouses and turrets are closed, their faces wound outwards: the back faces are all
    // hidden, and on a software renderer each of these small triangles costs a block of pixels.
    actor->Material.FaceCulling = fcCull;
    actor->Position = {0.0f, 0.0f, 0.0f};
    actor->Scale = glm::vec3(ShipScale);
    actor->Material.Texture.Image.LoadFromFile(path(datafiles::kShipSkin));
    actor->LoadFromFile(path(modelFile));
    actor->setPitchAngle(90.0f);
    actor->AnimationMode = aamLoop;
    // Rocking at anchor moves a hull's outline by less than half a pixel in an eighth of a second,
    // even in the largest window: drawn that seldom, an idle battle costs the sea's frame rate.
    actor->AnimationDrifts = true;
    actor->Visible = false;
    return actor;
}

std::string_view World::ShipModelFile(int n) {
    if (n == 1) return datafiles::kShipModels[3];
    if (n <= 3) return datafiles::kShipModels[2];
    if (n <= 6) return datafiles::kShipModels[1];
    return datafiles::kShipModels[0];
}

void World::LoadAllModels() {
    for (int n = 1; n <= 10; ++n) {
        OwnShipModels[std::size_t(n - 1)] = PlaceActor(ShipModelFile(n));
        OwnShipModels[std::size_t(n - 1)]->Name = "OwnShip" + std::to_string(n);
    }
    for (int n = 1; n <= 10; ++n) {
        EnemyShipModels[std::size_t(n - 1)] = PlaceActor(ShipModelFile(n));
        EnemyShipModels[std::size_t(n - 1)]->Name = "EnemyShip" + std::to_string(n);
    }
}

} // namespace vtx
