#pragma once
// A height-field surface fed by a HeightMap. In the terrain's local frame sample (i, j) of the
// raster lies at (i - side/2, j - side/2) and height h at z = h - 128, one sample per local unit; the
// raster repeats without end. Usually oriented with Direction (0,1,0), Up (0,0,1) and Scale
// (sx, sx, sz) so local z becomes world height.
//
// Drawing: square tiles of tileSize samples (a power of two) are drawn around the camera out to
// viewDistance world units (0 = the camera's depthOfView), skipping tiles outside the view. Tiles
// nearer than qualityDistance (world units, horizontal) get every sample; beyond it each doubling
// of the distance halves the sampling, and edges next to coarser tiles are stitched (no cracks).
// The texture repeats once every tilesPerTexture tiles. Pickable.
//
// heightDataSource is not owned and must outlive the terrain; after loading a new picture into it
// call heightDataChanged() so cached tiles are rebuilt.

#include "scene/engine/SceneObject.h"
#include "scene/engine/formats/HeightMap.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace vtx {

class Terrain : public SceneObject {
public:
    HeightMap* heightDataSource = nullptr;
    int tileSize = 16;
    int tilesPerTexture = 1;
    float qualityDistance = 0.0f;
    float viewDistance = 0.0f;
    // An occlusion hint: tiles whose every sample lies below this local height (z = sample - 128) are not
    // drawn, e.g. 0 when an opaque sea plane at the terrain's z = 0 covers them. Off by default. Saves
    // rasterising hidden ground, the largest cost of a software renderer looking down at the sea.
    float hiddenBelow = -std::numeric_limits<float>::infinity();
    // Where hiddenBelow holds, in local units (x0, y0, x1, y1; the repeats of the raster count by their
    // own place): only tiles wholly inside are skipped, e.g. the sea plane's extent, so seabeds far
    // beyond the sea's edge, seen through gaps in the mountains, are still drawn. Everywhere by default.
    glm::vec4 hiddenArea{-std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity()};

    // Whether that cover hides what lies under it from a camera at `cameraWorld`: the camera is above
    // hiddenBelow and inside hiddenArea. The area being convex, the cover then lies between the eye and
    // every point under it, so its hidden ground need not be drawn at all (not even to fail the depth
    // test, which on a software renderer costs nearly as much as drawing it).
    bool coverHidesFrom(const glm::vec3& cameraWorld) const;
    // True when the triangle (local coordinates, moved to its repeat's place) lies wholly below
    // hiddenBelow and inside hiddenArea.
    bool underCover(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c) const {
        const auto inside = [this](const glm::vec3& v) {
            return v.z < hiddenBelow && v.x >= hiddenArea.x && v.y >= hiddenArea.y && v.x <= hiddenArea.z &&
                   v.y <= hiddenArea.w;
        };
        return inside(a) && inside(b) && inside(c);
    }

    void heightDataChanged() { ++m_revision; }
    // Changes whenever the cached geometry must be rebuilt (data, tile size, texture repeat or the cover).
    std::uint64_t revision() const;

    ObjectKind kind() const override { return ObjectKind::Terrain; }
    bool pickable() const override { return true; }

    // A tile to draw this frame: wrapped tile key and the local offset to translate the patch by.
    struct VisibleTile {
        int keyTileX = 0, keyTileY = 0;
        int lod = 0;
        std::array<int, 4> neighbourLod{};
        glm::vec3 offset{0.0f};
        float distance = 0.0f; // from the camera to the tile's centre, local units (for ordering)
    };
    // Fills `out` (cleared first) with the tiles to draw for a camera at `cameraWorld` with view-projection
    // `viewProjection`; `farDistance` is the camera's depthOfView. Nearest first, so the depth test
    // rejects what nearer mountains hide before it is shaded. Reuses `out`'s storage.
    void selectTiles(const glm::vec3& cameraWorld, const glm::mat4& viewProjection, float farDistance,
                     std::vector<VisibleTile>& out);
    int lodCount() const;

private:
    void refreshHeightRanges();
    std::uint64_t m_revision = 0;
    std::uint64_t m_rangesRevision = ~0ull;
    int m_tilesPerSide = 0;
    std::vector<glm::vec2> m_heightRange; // per raster tile: min and max local z
};

} // namespace vtx
