#pragma once

// The game's 3D world: the scene tree the main window shows, with every
// constant of its objects, the material libraries, the fonts, the height data
// and the fire manager.
//
// Ownership: World owns the scene (and so every object in it), the two
// material libraries, the two bitmap fonts, the height data and the shared
// fire manager. The raw object pointers below stay valid for the World's life.
// Keep the World alive while a viewer, cadencer or renderer uses Scene.
//
// Build order (the main window drives it):
//   construction          the window definition: the object tree with its
//                         constants, the 32 water frames and the board marks
//                         (materials named below) from the pictures inside
//                         the program. No file is read.
//   window creation       loadFonts, setLogoColor, then buildScenery (texture
//                         folder, terrain, textures, tiling, trees, island).
//   first activation      buildActivationStage(boards): cell positions, the 20
//                         ship models, the 200 cell planes. Runs once; later
//                         calls build nothing and return false.
//
// Files are named as the game names them ("DATA\\ship2.jpg"); the resolver
// given at construction maps such a name onto the file system (default:
// backslashes become slashes). A missing or malformed file throws
// std::runtime_error with the engine's text naming the file, leaving the
// objects built before it in place.
//
// Units: scene units, Y up; angles in degrees. UI thread only.

#include "scene/engine/AnimatedModel.h"
#include "scene/engine/BitmapFont.h"
#include "scene/engine/Camera.h"
#include "scene/engine/FireSystem.h"
#include "scene/engine/Group.h"
#include "scene/engine/HudText.h"
#include "scene/engine/LightSource.h"
#include "scene/engine/MaterialLibrary.h"
#include "scene/engine/Plane.h"
#include "scene/engine/Scene.h"
#include "scene/engine/Sky.h"
#include "scene/engine/Sprite.h"
#include "scene/engine/Terrain.h"
#include "scene/engine/formats/HeightMap.h"

#include <glm/glm.hpp>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace vtx {

class Boards;

// Sets Direction and then Up, so both end up exactly as given even when the
// new Direction is parallel to the old Up.
void setOrientation(SceneObject& object, const glm::vec3& direction, const glm::vec3& up);

class World {
public:
    using PathResolver = std::function<std::string(std::string_view gamePath)>;

    static constexpr int WaterFrames = 32;
    // The materials' names in the scene graph (no player sees them). The
    // sea's frame n (0 .. WaterFrames - 1) in waterMaterials:
    static std::string waterMaterial(int frame) { return "water" + std::to_string(frame); }
    // The board marks in materials, each made from the picture "cell/<name>"
    // inside the program: an untouched cell's frame; a miss, a cell known to
    // be empty or a ship placed where it fits; a hit; a ship that does not fit.
    static constexpr const char* FrameMark = "frame";
    static constexpr const char* HintMark = "hint";
    static constexpr const char* HitMark = "hit";
    static constexpr const char* BadMark = "bad";
    // The first view frames the two boards and little else: a 53 degree
    // vertical view from high over the own board's right-hand side, 65
    // degrees down onto the sea's centre, the two boards lying corner to
    // corner across the viewer, so that every enemy cell covers at least
    // 22 x 22 pixels of the 616 x 547 viewer and the own board's about
    // 25 x 25. The lower view over the own board's side left the enemy's far
    // rows 19 pixels wide and flattened, their frames washed together; a drag
    // still shows the horizon.
    // The camera sits CameraOffset from the rig, which stays at (10, 10, 10)
    // so that the camera floor and the edge scroll keep their heights.
    static constexpr float CameraFocalLength = 100.0f;
    static constexpr glm::vec3 CameraOffset{-0.9f, 10.3f, -7.5f};
    static constexpr float ShipScale = 0.03f;

    explicit World(PathResolver resolve = {});
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The file system path of a game file name.
    std::string path(std::string_view gamePath) const;

    // ------------------------------------------------------- creation stage
    // "DATA\\font.bmp" into messageFont, "DATA\\logo.jpg" into logoFont.
    void loadFonts();
    // The logo's alpha 0.7.
    void setLogoColor();
    // The rest of the static scenery, in order: the texture folder under
    // startDir (result ignored), the terrain's height data, the ground, detail
    // and sun textures, the terrain's texture repeat, the trees, the island.
    void buildScenery(const std::filesystem::path& startDir);
    void makeTextureDirectory(const std::filesystem::path& startDir);
    void loadTerrain();
    void loadTextures();
    void setTerrainTiling();
    void addTrees();
    void buildIsland();

    // ----------------------------------------------------- activation stage
    // Fills the cell positions, builds the ship models and the cell planes.
    // Returns false (and builds nothing) once the stage has been built.
    bool buildActivationStage(Boards& boards);
    bool activationStageBuilt() const { return m_activationBuilt; }
    void fillCellPositions();
    // One hidden ship model at the origin: no culling, Scale 0.03, texture
    // "DATA\\ship2.jpg", the model file, pitchAngle 90, looping.
    AnimatedModel* placeActor(std::string_view modelFile);
    // Own ships 1..10, then enemy ships 1..10, by the model of their length.
    void loadAllModels();
    // The model file of ship n (1..10).
    static std::string_view shipModelFile(int n);

    // ---------------------------------------------------------------- data
    Scene scene;
    MaterialLibrary waterMaterials; // the sea's water frames
    MaterialLibrary materials;      // ground, details and the board marks
    BitmapFont messageFont;         // messages
    BitmapFont logoFont;            // the logo
    HeightMap heightMap;
    std::shared_ptr<FireSystem> fire;

    Group* cameraRig = nullptr; // the camera rig
    Camera* camera = nullptr;
    Group* worldRoot = nullptr; // named "World"; the idle spin turns it
    Sky* sky = nullptr;
    Sprite* sun = nullptr;
    Group* reflectingObjects = nullptr;
    Group* nonReflecting = nullptr;
    Plane* sea = nullptr; // the sea
    Terrain* terrain = nullptr;
    Plane* fireTemplate = nullptr; // the fire template under the sea
    AnimatedModel* island = nullptr;
    LightSource* sunLight = nullptr;
    HudText* resultText = nullptr; // messages
    HudText* logo = nullptr;       // the logo
    std::array<AnimatedModel*, 2> trees{};

    // Ship n of each fleet is element n-1; null before the activation stage.
    std::array<AnimatedModel*, 10> ownShipModels{};
    std::array<AnimatedModel*, 10> enemyShipModels{};
    // [row-1][column-1]: the cell centre at sea level; the one place a cell's
    // position is computed (fillCellPositions), for its plane and its ship.
    // The own board's rows run towards the camera, the enemy's beyond them.
    std::array<std::array<glm::ivec3, 10>, 10> ownCellPositions{};
    std::array<std::array<glm::ivec3, 10>, 10> enemyCellPositions{};

private:
    void buildTree();
    void buildLibraries();

    PathResolver m_resolve;
    bool m_activationBuilt = false;
};

} // namespace vtx
