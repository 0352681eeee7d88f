#include "scene/engine/Terrain.h"

#include "scene/engine/Culling.h"
#include "scene/engine/Fnv1a.h"

#include <algorithm>
#include <cmath>

namespace vtx {

namespace {
bool isPowerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}
int wrapIndex(int v, int n) {
    return ((v % n) + n) % n;
}

} // namespace

std::uint64_t Terrain::revision() const {
    Fnv1a h;
    h.add(m_revision), h.add(tileSize), h.add(tilesPerTexture), h.add(heightDataSource);
    // Tiles under the cover are trimmed from the cached geometry.
    h.add(hiddenBelow), h.add(hiddenArea);
    return h.value();
}

int Terrain::lodCount() const {
    int count = 1;
    for (int s = tileSize; s > 1; s /= 2)
        ++count;
    return count;
}

void Terrain::refreshHeightRanges() {
    const std::uint64_t rev = revision();
    if (m_rangesRevision == rev) return;
    m_rangesRevision = rev;
    const int side = heightDataSource->size();
    m_tilesPerSide = std::max(1, side / tileSize);
    m_heightRange.assign(size_t(m_tilesPerSide) * size_t(m_tilesPerSide), glm::vec2(0.0f));
    const int half = side / 2;
    for (int ty = 0; ty < m_tilesPerSide; ++ty)
        for (int tx = 0; tx < m_tilesPerSide; ++tx) {
            int lo = 255, hi = 0;
            // Include the shared far edge: a tile's last row and column belong to it too.
            for (int j = 0; j <= tileSize; ++j)
                for (int i = 0; i <= tileSize; ++i) {
                    const int h =
                        heightDataSource->height(half + tx * tileSize + i, half + ty * tileSize + j);
                    lo = std::min(lo, h);
                    hi = std::max(hi, h);
                }
            m_heightRange[size_t(ty) * size_t(m_tilesPerSide) + size_t(tx)] =
                glm::vec2(float(lo) - 128.0f, float(hi) - 128.0f);
        }
}

bool Terrain::coverHidesFrom(const glm::vec3& cameraWorld) const {
    if (!(hiddenBelow > -std::numeric_limits<float>::infinity())) return false;
    const glm::vec3 eye(glm::inverse(absoluteMatrix()) * glm::vec4(cameraWorld, 1.0f));
    return eye.z > hiddenBelow && eye.x > hiddenArea.x && eye.y > hiddenArea.y && eye.x < hiddenArea.z &&
           eye.y < hiddenArea.w;
}

void Terrain::selectTiles(const glm::vec3& cameraWorld, const glm::mat4& viewProjection, float farDistance,
                          std::vector<VisibleTile>& out) {
    out.clear();
    if (!heightDataSource || heightDataSource->size() <= 0 || !isPowerOfTwo(tileSize)) return;
    refreshHeightRanges();
    const glm::mat4 model = absoluteMatrix();
    const glm::mat4 mvp = viewProjection * model;
    const glm::vec3 camLocal(glm::inverse(model) * glm::vec4(cameraWorld, 1.0f));
    // World units per local unit in the height field's plane (x and y scale of the absolute matrix).
    const float unitX = glm::length(glm::vec3(model[0])), unitY = glm::length(glm::vec3(model[1]));
    const float unit = std::max(1e-6f, 0.5f * (unitX + unitY));
    const float viewReach = viewDistance > 0.0f ? viewDistance : farDistance;
    const float radiusLocal = std::max(0.0f, viewReach) / unit;
    const int maxLod = lodCount() - 1;
    const float quality = std::max(qualityDistance, 1e-3f);
    const float t = float(tileSize);

    const auto lodOf = [&](int tx, int ty) {
        const float cx = (float(tx) + 0.5f) * t - camLocal.x, cy = (float(ty) + 0.5f) * t - camLocal.y;
        const float d = std::sqrt(cx * cx + cy * cy) * unit;
        if (d < quality) return 0;
        return std::min(maxLod, 1 + int(std::floor(std::log2(d / quality))));
    };

    // A camera this far out (or at no finite place) is over no tile whose index fits an int.
    constexpr float kFarthestCamera = 1e9f;
    if (!(std::abs(camLocal.x) < kFarthestCamera && std::abs(camLocal.y) < kFarthestCamera)) return;
    // Tiles within the radius of the camera's own tile. Enough for any sane view distance; a
    // pathological one is capped around the camera rather than stalling the frame.
    constexpr double kMaxReach = 48.0;
    const int reach = int(std::min(kMaxReach, std::ceil(double(radiusLocal) / double(tileSize))));
    const int camTx = int(std::floor(camLocal.x / t)), camTy = int(std::floor(camLocal.y / t));
    for (int ty = camTy - reach; ty <= camTy + reach; ++ty)
        for (int tx = camTx - reach; tx <= camTx + reach; ++tx) {
            // Nearest point of the tile to the camera, for the radius test.
            const float nx = std::clamp(camLocal.x, float(tx) * t, float(tx + 1) * t) - camLocal.x;
            const float ny = std::clamp(camLocal.y, float(ty) * t, float(ty + 1) * t) - camLocal.y;
            if (nx * nx + ny * ny > radiusLocal * radiusLocal) continue;
            const int wx = wrapIndex(tx, m_tilesPerSide), wy = wrapIndex(ty, m_tilesPerSide);
            const glm::vec2 range = m_heightRange[size_t(wy) * size_t(m_tilesPerSide) + size_t(wx)];
            if (range.y < hiddenBelow && float(tx) * t >= hiddenArea.x && float(ty) * t >= hiddenArea.y &&
                float(tx + 1) * t <= hiddenArea.z && float(ty + 1) * t <= hiddenArea.w)
                continue;
            const glm::vec3 lo(float(tx) * t, float(ty) * t, range.x);
            const glm::vec3 hi(float(tx + 1) * t, float(ty + 1) * t, range.y);
            if (boxOutsideClip(mvp, lo, hi)) continue;
            VisibleTile tile;
            // Key tiles by their place in the raster so repeats share one cached patch; the patch is
            // built for the raster-relative tile (wrapped index, shifted into -n/2 .. n/2 - 1).
            const int half = m_tilesPerSide / 2;
            tile.keyTileX = wx - (wx >= half ? m_tilesPerSide : 0);
            tile.keyTileY = wy - (wy >= half ? m_tilesPerSide : 0);
            tile.lod = lodOf(tx, ty);
            tile.neighbourLod = {lodOf(tx - 1, ty), lodOf(tx + 1, ty), lodOf(tx, ty - 1), lodOf(tx, ty + 1)};
            tile.offset = glm::vec3(float(tx - tile.keyTileX) * t, float(ty - tile.keyTileY) * t, 0.0f);
            tile.distance =
                glm::length(glm::vec2((float(tx) + 0.5f) * t, (float(ty) + 0.5f) * t) - glm::vec2(camLocal));
            out.push_back(tile);
        }
    std::sort(out.begin(), out.end(),
              [](const VisibleTile& a, const VisibleTile& b) { return a.distance < b.distance; });
}

} // namespace vtx
