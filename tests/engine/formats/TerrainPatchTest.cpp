#include "scene/engine/formats/TerrainPatch.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace vtx {
namespace {

HeightMap bumpyTerrain() {
    HeightMap hds;
    GreyImage image;
    image.width = image.height = 64;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.pixels.push_back(std::uint8_t((x * 37 + y * 91 + x * y * 13) % 251));
    hds.loadFromImage(image);
    return hds;
}

using Point = std::tuple<float, float, float>;

std::set<Point> edgePoints(const TerrainPatch& p, bool alongX, float coordinate) {
    std::set<Point> points;
    for (const glm::vec3& v : p.positions)
        if ((alongX ? v.y : v.x) == coordinate) points.insert({v.x, v.y, v.z});
    return points;
}

// A valid patch: triangles counter-clockwise from +z with positive area adding up to the tile, every
// inner edge shared by exactly two triangles in opposite directions, every other edge on the border.
void expectWatertight(const TerrainPatch& p, float x0, float y0, float size, const std::string& what) {
    ASSERT_EQ(p.indices.size() % 3, 0u) << what;
    ASSERT_EQ(p.normals.size(), p.positions.size()) << what;
    ASSERT_EQ(p.texCoords.size(), p.positions.size()) << what;
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> directed;
    double area = 0;
    for (std::size_t t = 0; t < p.indices.size(); t += 3) {
        const glm::vec3 a = p.positions[p.indices[t]], b = p.positions[p.indices[t + 1]],
                        c = p.positions[p.indices[t + 2]];
        const double twice = double(b.x - a.x) * (c.y - a.y) - double(b.y - a.y) * (c.x - a.x);
        EXPECT_GT(twice, 0.0) << what << ": triangle " << t / 3 << " not counter-clockwise";
        area += twice / 2;
        for (int k = 0; k < 3; ++k)
            ++directed[{p.indices[t + k], p.indices[t + (k + 1) % 3]}];
    }
    EXPECT_DOUBLE_EQ(area, double(size) * size) << what;
    for (const auto& [edge, count] : directed) {
        EXPECT_EQ(count, 1) << what << ": edge used twice in one direction";
        if (directed.count({edge.second, edge.first})) continue;
        const glm::vec3 a = p.positions[edge.first], b = p.positions[edge.second];
        const bool onBorder = (a.x == b.x && (a.x == x0 || a.x == x0 + size)) ||
                              (a.y == b.y && (a.y == y0 || a.y == y0 + size));
        EXPECT_TRUE(onBorder) << what << ": open edge inside the tile (" << a.x << "," << a.y << ")-(" << b.x
                              << "," << b.y << ")";
    }
}

TEST(TerrainPatch, NeighboursOfAnyDetailShareTheirEdgeVertices) {
    HeightMap hds = bumpyTerrain();
    const int tileSize = 16;
    for (int lodA = 0; lodA <= 4; ++lodA)
        for (int lodB = 0; lodB <= 4; ++lodB) {
            const std::string what = "lod " + std::to_string(lodA) + " next to " + std::to_string(lodB);
            // Along x: tile (0, 0) and tile (1, 0) meet at local x = 16.
            TerrainTileKey a{0, 0, lodA, {lodA, lodB, lodA, lodA}};
            TerrainTileKey b{1, 0, lodB, {lodA, lodB, lodB, lodB}};
            const TerrainPatch pa = buildTerrainPatch(hds, tileSize, 8, a);
            const TerrainPatch pb = buildTerrainPatch(hds, tileSize, 8, b);
            expectWatertight(pa, 0, 0, 16, what + " (A)");
            expectWatertight(pb, 16, 0, 16, what + " (B)");
            const std::set<Point> shared = edgePoints(pa, false, 16.0f);
            EXPECT_EQ(shared, edgePoints(pb, false, 16.0f)) << what;
            EXPECT_EQ(shared.size(), std::size_t(16 >> std::max(lodA, lodB)) + 1) << what;
            // Along y, with negative tile indices: tile (-3, -1) above tile (-3, -2) at local y = -16.
            TerrainTileKey c{-3, -2, lodA, {lodA, lodA, lodA, lodB}};
            TerrainTileKey d{-3, -1, lodB, {lodB, lodB, lodA, lodB}};
            const TerrainPatch pc = buildTerrainPatch(hds, tileSize, 8, c);
            const TerrainPatch pd = buildTerrainPatch(hds, tileSize, 8, d);
            expectWatertight(pc, -48, -32, 16, what + " (C)");
            expectWatertight(pd, -48, -16, 16, what + " (D)");
            EXPECT_EQ(edgePoints(pc, true, -16.0f), edgePoints(pd, true, -16.0f)) << what;
        }
}

TEST(TerrainPatch, HeightsNormalsAndTextureFollowTheRaster) {
    HeightMap hds = bumpyTerrain(); // side 64: local (0, 0) is sample (32, 32)
    const TerrainPatch p = buildTerrainPatch(hds, 16, 8, {0, 0, 0, {}});
    ASSERT_EQ(p.positions.size(), 17u * 17u);
    for (std::size_t v = 0; v < p.positions.size(); ++v) {
        const int i = int(p.positions[v].x) + 32, j = int(p.positions[v].y) + 32;
        ASSERT_EQ(p.positions[v].z, float(hds.height(i, j)) - 128.0f);
        const glm::vec3 expected =
            glm::normalize(glm::vec3(float(hds.height(i - 1, j)) - hds.height(i + 1, j),
                                     float(hds.height(i, j - 1)) - hds.height(i, j + 1), 2.0f));
        EXPECT_NEAR(glm::distance(p.normals[v], expected), 0.0f, 1e-5f);
        EXPECT_FLOAT_EQ(p.texCoords[v].x, p.positions[v].x / 128.0f);
    }
    // The same sample seen from a wrapped copy of the terrain four rasters away has the same height
    // and normal; texture coordinates restart every 8 tiles.
    const TerrainPatch far = buildTerrainPatch(hds, 16, 8, {16, -4, 2, {2, 2, 2, 2}});
    const auto at = [](const TerrainPatch& patch, float x, float y) {
        for (std::size_t v = 0; v < patch.positions.size(); ++v)
            if (patch.positions[v].x == x && patch.positions[v].y == y) return v;
        ADD_FAILURE() << "no vertex at " << x << "," << y;
        return std::size_t{0};
    };
    for (const auto& [dx, dy] : {std::pair{0.0f, 0.0f}, {4.0f, 8.0f}, {16.0f, 12.0f}}) {
        const std::size_t near = at(p, dx, dy), farAway = at(far, 256.0f + dx, -64.0f + dy);
        EXPECT_EQ(far.positions[farAway].z, p.positions[near].z);
        EXPECT_EQ(far.normals[farAway], p.normals[near]);
        // local y -64 is half a texture repeat (128 samples) away from 0.
        EXPECT_EQ(far.texCoords[farAway], p.texCoords[near] + glm::vec2(0.0f, 0.5f));
    }
}

TEST(TerrainPatch, CoarsestDetailAndUnusableInput) {
    HeightMap hds = bumpyTerrain();
    const TerrainPatch single = buildTerrainPatch(hds, 16, 8, {2, 3, 99, {99, -5, 0, 4}}); // lods clamped
    EXPECT_EQ(single.positions.size(), 4u);
    EXPECT_EQ(single.indices.size(), 6u);
    expectWatertight(single, 32, 48, 16, "single quad");
    EXPECT_TRUE(buildTerrainPatch(hds, 12, 8, {}).indices.empty()); // not a power of two
    HeightMap empty;
    EXPECT_TRUE(buildTerrainPatch(empty, 16, 8, {}).positions.empty());
}

} // namespace
} // namespace vtx
