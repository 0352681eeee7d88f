#pragma once
// The inside of SceneRenderer, shared by the files that implement it (include nowhere else):
//   SceneRendererPrograms.cpp  the shader sources, compiling and linking, GL objects made once
//   SceneRendererGpuCache.cpp  GPU copies of pictures, models, terrain tiles and skies, and their caches
//   SceneRendererPasses.cpp    one frame: traversal, the opaque, sky, transparent and fire passes
//   SceneRendererHud.cpp       the texts drawn over the picture
//   SceneRendererPicking.cpp   which object is under a pixel
// The GL context must be current for every member that makes GL calls.

#include "scene/engine/SceneRenderer.h"

#include "scene/engine/AnimatedModel.h"
#include "scene/engine/Camera.h"
#include "scene/engine/Culling.h"
#include "scene/engine/FireSystem.h"
#include "scene/engine/HudText.h"
#include "scene/engine/LightSource.h"
#include "scene/engine/Plane.h"
#include "scene/engine/Sky.h"
#include "scene/engine/Sprite.h"
#include "scene/engine/Terrain.h"
#include "scene/engine/formats/TerrainPatch.h"

#include <QOpenGLExtraFunctions>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace vtx {

constexpr GLsizei kBatchFloats = 18; // per plane instance: model matrix (16) and texture repeat (2)
constexpr std::uint64_t kKeepUnusedFrames = 300; // GPU copies unused this long are dropped
// A flame particle is drawn as a soft blob this many times its nominal size: the blob's fall-off
// leaves a visible core of about the nominal size, and neighbours overlap into one flame.
constexpr float kFlameBlobScale = 3.0f;

struct MeshProgram {
    GLuint id = 0;
    GLint mvp = -1, model = -1, normalMatrix = -1, blend = -1, uvScale = -1, lit = -1, lightPos = -1,
          lightColor = -1, diffuse = -1, ambient = -1, emission = -1, tex = -1, texMode = -1, pickColor = -1,
          viewProj = -1;
};

struct TextureGpu {
    GLuint id = 0;
    std::uint64_t lastUsed = 0;
    bool opaque = false; // every texel's alpha is 1
};

// One vertex buffer per frame: drawing any pair of frames then keeps the same vertex layout (only the
// buffers change), which software rasterisers can reuse without rebuilding their vertex fetch code.
struct ActorGpu {
    // Held while any actor holds the mesh: a ship hidden for a while and shown again (a sinking) finds
    // its copy still there.
    std::weak_ptr<const Md2Mesh> mesh;
    GLuint vao = 0, uvs = 0, indices = 0;
    std::vector<GLuint> frames;
    GLsizei indexCount = 0;
    std::size_t vertexCount = 0;
    int frameCount = 0;
    std::uint64_t lastUsed = 0;
};

struct PatchGpu {
    GLuint vao = 0, vertices = 0, indices = 0;
    GLsizei indexCount = 0;
    std::uint64_t lastUsed = 0;
};

// The far tiles of one terrain in one buffer (vertices moved to their tiles' places), drawn in one
// call; built again only when the set of far tiles changes (the camera moved or the world turned).
struct MergedTerrainGpu {
    GLuint vao = 0, vertices = 0, indices = 0;
    GLsizei indexCount = 0;
    std::uint64_t signature = 0;
    std::uint64_t lastUsed = 0;
};

// A tile's vertices (position, normal, texture coordinate: 8 floats each) and triangles in memory.
struct PatchCpu {
    std::vector<float> vertices;
    std::vector<std::uint32_t> indices;
    std::uint64_t lastUsed = 0;
};

struct SkyGpu {
    GLuint vao = 0, vertices = 0;
    GLsizei count = 0;
    std::uint64_t revision = ~0ull;
    std::uint64_t lastUsed = 0;
};

using PatchKey = std::tuple<std::uint64_t, std::uint64_t, int, int, int, int, int, int, int>;
// A near tile's GPU copy: its patch, and where it lies when the terrain's cover trims it (the same
// patch in another repeat, outside the cover, keeps every triangle).
using PlacedPatchKey = std::tuple<PatchKey, bool, int, int>;

// Tiles this coarse or coarser (beyond the terrain's qualityDistance) are merged into one draw call:
// each has few triangles, and on a software renderer every call costs setup work of its own.
constexpr int kMergeFromLod = 1;

struct DrawItem {
    SceneObject* object = nullptr;
    glm::mat4 model{1.0f};
    const Material* material = nullptr;
};

struct FireItem {
    glm::vec3 position{0.0f};
    FireSystem* manager = nullptr;
};

struct SceneRenderer::Impl : protected QOpenGLExtraFunctions {
    bool ready = false;
    std::uint64_t frame = 0;
    RenderStats stats;

    MeshProgram meshVariants[2][3]; // [instanced][texture mode]
    MeshProgram pickMesh;
    GLuint currentProgram = 0;
    GLuint skyProgram = 0, particleProgram = 0, hudProgram = 0;
    GLint skyMvp = -1, partViewProj = -1, partRight = -1, partUp = -1, hudViewport = -1, hudTex = -1,
          hudModulate = -1, hudSolid = -1;

    GLuint quadVao = 0, quadVbo = 0;
    GLuint batchVao = 0, batchInstances = 0;
    GLuint particleVao = 0, particleCorners = 0, particleInstances = 0;
    GLuint hudVao = 0, hudVbo = 0;
    GLuint nearestSampler = 0;
    GLuint pickFbo = 0, pickColor = 0, pickDepth = 0;
    int pickWidth = 0, pickHeight = 0;

    std::unordered_map<std::uint64_t, TextureGpu> textures;
    std::unordered_map<std::uint64_t, ActorGpu> actors;
    std::map<PlacedPatchKey, PatchGpu> patches;
    std::map<PatchKey, PatchCpu> farPatches;
    std::unordered_map<std::uint64_t, MergedTerrainGpu> mergedTerrains; // by terrain serial
    std::vector<float> mergedVertices;
    std::vector<std::uint32_t> mergedIndices;
    std::vector<const Terrain::VisibleTile*> farTiles;
    std::unordered_map<std::uint64_t, SkyGpu> skies;

    // Per-frame lists, kept to reuse their storage.
    std::vector<DrawItem> skyItems, opaqueItems, blendedItems, hudItems, pickItems;
    const PickFilter* pickLookThrough = nullptr; // set only while a pick runs
    std::vector<FireItem> fireItems;
    struct Batch {
        const Material* material = nullptr;
        std::vector<float> instances;
    };
    std::vector<Batch> batches;
    std::vector<Terrain::VisibleTile> tiles;
    std::vector<float> particleData;
    bool haveLight = false;
    glm::vec3 lightPos{0.0f};
    glm::vec4 lightColor{1.0f};
    glm::mat4 view{1.0f}, projection{1.0f}, viewProj{1.0f};
    glm::vec3 eye{0.0f};
    float farDistance = 100.0f;
    Camera* camera = nullptr;

    // ---- setup ------------------------------------------------------------------------------------

    GLuint compile(GLenum type, const char* source, const char* what, const std::string& defines = "");
    GLuint link(const char* vertex, const char* fragment, const char* what, const std::string& defines = "");
    void locate(MeshProgram& p);
    void initialize();
    void createGL();
    void releaseGL();
    void freeActor(ActorGpu& a);
    void freePatch(PatchGpu& p);
    void freeMerged(MergedTerrainGpu& m);
    void freeSky(SkyGpu& s);
    void collectGarbage();

    // ---- GPU copies -------------------------------------------------------------------------------

    GLuint texture(const TextureImage& image);
    const TextureGpu& textureEntry(const TextureImage& image);
    // The target's alpha is 1 and stays so: an opaque draw that writes alpha 1 need not mask it.
    bool alphaIsOne = false;
    ActorGpu* actorMesh(const AnimatedModel& actor);
    static PatchKey patchKey(const Terrain& terrain, const Terrain::VisibleTile& tile);
    static PatchCpu buildPatch(const Terrain& terrain, const Terrain::VisibleTile& tile);
    const PatchCpu& farPatch(const Terrain& terrain, const Terrain::VisibleTile& tile);
    // trim: leave out the triangles under the terrain's cover (see Terrain::coverHidesFrom).
    PatchGpu* terrainPatch(Terrain& terrain, const Terrain::VisibleTile& tile, bool trim);
    // Appends the patch's triangles (indices from `base`) to `out`, leaving out those under the
    // terrain's cover when `trim` is set.
    static void appendTriangles(const Terrain& terrain, const PatchCpu& patch, const glm::vec3& offset,
                                bool trim, std::uint32_t base, std::vector<std::uint32_t>& out);
    SkyGpu& skyMesh(Sky& dome);

    // ---- traversal --------------------------------------------------------------------------------

    void collect(SceneObject& object, const glm::mat4& parent, bool forPick);
    void beginFrame(Scene& scene, Camera* cam, const RenderTarget& target, bool forPick);
    void setCommonState(const RenderTarget& target);

    // ---- drawing ----------------------------------------------------------------------------------

    void useProgram(GLuint id);
    const MeshProgram& applyMaterial(const Material& material, bool pickPass, bool instanced);
    void setTransform(const MeshProgram& p, const glm::mat4& model);
    void drawItem(const DrawItem& item, bool pickPass);
    void drawActor(const MeshProgram& p, const AnimatedModel& actor, const glm::mat4& model);
    void drawTerrain(const MeshProgram& p, Terrain& terrain, const glm::mat4& model, bool pickPass);
    void drawMergedTiles(const MeshProgram& p, Terrain& terrain, const glm::mat4& model, bool trim);
    void drawSkies();
    bool opaquePlaneFillsView() const;
    void setLighting(const MeshProgram& p);
    void drawMeshes(std::vector<DrawItem>& items, bool planesFirst);
    std::vector<const DrawItem*> deferredItems;

    void addToBatch(const DrawItem& item);
    void drawBatches();
    void drawFires();

    // The glyph quads of a text in pixels relative to its top-left corner, laid out again only when
    // the text, the font or its picture changed.
    struct HudLayout {
        std::string text;
        const BitmapFont* font = nullptr;
        std::uint64_t glyphs = 0;
        std::array<int, 4> cell{};
        std::vector<FontRange> ranges;
        glm::vec2 position{0.0f};
        std::vector<float> vertices;
        std::array<float, 4> bounds{}; // of the whole glyph quads, for the plate behind them
        bool hasGlyphs = false;
        std::uint64_t lastUsed = 0;
    };
    std::unordered_map<std::uint64_t, HudLayout> hudLayouts;
    // Per large glyph (picture id, glyph rectangle): the rows of 8-texel tiles it shows, merged
    // into runs x, y, w, h relative to the glyph. Kept while the program runs: few, and the
    // picture's pixels may have gone once the driver holds its copy.
    std::map<std::pair<std::uint64_t, std::array<int, 4>>, std::vector<std::array<int, 4>>> glyphRuns;

    const std::vector<std::array<int, 4>>& visibleRuns(const TextureImage& picture,
                                                       const std::array<int, 4>& source);

    const HudLayout& hudLayout(const HudText& hud);
    void drawHud(const RenderTarget& target);
    void render(Scene& scene, Camera* cam, const RenderTarget& target);
    void drawFrame(const RenderTarget& target, bool draws);
    bool outsideView(const DrawItem& item) const;

    void ensurePickBuffer(int width, int height);
    // Attributes 0..2 of the bound vertex array from the bound buffer: position,
    // normal, texture coordinate, 8 floats a vertex. still: attributes 3 and 4
    // (the next frame's position and normal that actors blend towards) are
    // constant zero, for meshes that do not move.
    void setVertexLayout(bool still);
    SceneObject* pick(Scene& scene, Camera* cam, const RenderTarget& target, int x, int y,
                      const PickFilter* lookThrough = nullptr);
};

} // namespace vtx
