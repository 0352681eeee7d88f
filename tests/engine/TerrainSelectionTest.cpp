// Which terrain tiles are drawn, and at what detail: the rules that keep the surface crack-free and
// the work bounded, checked without a GL context.

#include "scene/engine/Terrain.h"

#include <glm/gtc/matrix_transform.hpp>

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <utility>

namespace vtx {
namespace {

class TerrainSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        GreyImage grey;
        grey.width = grey.height = 128;
        grey.pixels.assign(128 * 128, 200);
        // One low corner tile: samples of raster tile (0, 0) from the centre stay below 128.
        for (int y = 64; y <= 80; ++y)
            for (int x = 64; x <= 80; ++x)
                grey.pixels[std::size_t(y) * 128 + std::size_t(x)] = 100;
        hds.loadFromImage(grey);
        terrain.heightDataSource = &hds;
        terrain.tileSize = 16;
        terrain.qualityDistance = 40.0f;
        terrain.setDirection({0, 1, 0});
        terrain.setUp({0, 0, 1});
    }

    std::vector<Terrain::VisibleTile> select(const glm::vec3& eye, const glm::vec3& at, float far) {
        const glm::mat4 viewProj =
            glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, far) * glm::lookAt(eye, at, glm::vec3(0, 1, 0));
        std::vector<Terrain::VisibleTile> tiles;
        terrain.selectTiles(eye, viewProj, far, tiles);
        return tiles;
    }

    HeightMap hds;
    Terrain terrain;
};

TEST_F(TerrainSelectionTest, NeighboursAgreeOnEachOthersDetailAndDetailFallsWithDistance) {
    const auto tiles = select({0, 150, 0}, {400, 0, 10}, 600.0f);
    ASSERT_GT(tiles.size(), 20u);
    std::map<std::pair<int, int>, int> lodAt;
    const auto place = [](const Terrain::VisibleTile& t) {
        // The tile's own place in the repeating terrain: wrapped key plus the offset (in tiles of 16).
        return std::make_pair(t.keyTileX + int(t.offset.x) / 16, t.keyTileY + int(t.offset.y) / 16);
    };
    int maxLod = 0;
    for (const auto& t : tiles) {
        lodAt[place(t)] = t.lod;
        maxLod = std::max(maxLod, t.lod);
    }
    EXPECT_GE(maxLod, 2);
    const int dx[4] = {-1, 1, 0, 0}, dy[4] = {0, 0, -1, 1};
    for (const auto& t : tiles)
        for (int side = 0; side < 4; ++side) {
            const auto [x, y] = place(t);
            auto neighbour = lodAt.find({x + dx[side], y + dy[side]});
            if (neighbour == lodAt.end()) continue;
            EXPECT_EQ(t.neighbourLod[side], neighbour->second);
            EXPECT_LE(std::abs(t.lod - neighbour->second), 1);
        }
    // Keys stay within the raster (8 x 8 tiles of 16), so repeats share cached patches.
    for (const auto& t : tiles) {
        EXPECT_GE(t.keyTileX, -4);
        EXPECT_LT(t.keyTileX, 4);
    }
}

TEST_F(TerrainSelectionTest, TilesBehindTheCameraOrBeyondTheViewDistanceAreSkipped) {
    const auto ahead = select({0, 100, 0}, {0, 0, 200}, 300.0f);
    ASSERT_FALSE(ahead.empty());
    for (const auto& t : ahead) {
        // Terrain local y runs along world +Z here (Up = +Z): nothing far behind the eye.
        const float y = float((t.keyTileY * 16) + t.offset.y);
        EXPECT_GT(y + 16.0f, -120.0f);
        EXPECT_LT(y, 300.0f);
    }
    terrain.viewDistance = 50.0f;
    EXPECT_LT(select({0, 100, 0}, {0, 0, 200}, 300.0f).size(), ahead.size());
}

TEST_F(TerrainSelectionTest, AnOverlongViewDistanceStillDrawsTheGroundAroundTheCamera) {
    const glm::vec3 eye(8, 200, 8), at(8, 0, 9);
    const auto underCamera = [](const std::vector<Terrain::VisibleTile>& tiles) {
        for (const auto& t : tiles)
            if (t.keyTileX == 0 && t.keyTileY == 0 && t.offset == glm::vec3(0.0f)) return true;
        return false;
    };
    const std::size_t sane = select(eye, at, 1000.0f).size();
    for (const float distance : {1e6f, 1e30f, std::numeric_limits<float>::infinity()}) {
        terrain.viewDistance = distance;
        const auto tiles = select(eye, at, 1000.0f);
        EXPECT_TRUE(underCamera(tiles)) << distance;
        EXPECT_GE(tiles.size(), sane) << distance;
    }
    // A camera at no finite place sees no terrain rather than garbage.
    terrain.viewDistance = 0.0f;
    EXPECT_TRUE(select({std::numeric_limits<float>::quiet_NaN(), 200, 8}, at, 1000.0f).empty());
}

TEST_F(TerrainSelectionTest, HiddenBelowSkipsTilesLyingWhollyUnderIt) {
    const auto count = [](const std::vector<Terrain::VisibleTile>& tiles, int x, int y) {
        int n = 0;
        for (const auto& t : tiles)
            n += t.keyTileX == x && t.keyTileY == y;
        return n;
    };
    const glm::vec3 eye(8, 200, 8), at(8, 0, 9);
    EXPECT_GT(count(select(eye, at, 1000.0f), 0, 0), 0);
    terrain.hiddenBelow = 0.0f;
    const auto tiles = select(eye, at, 1000.0f);
    EXPECT_EQ(count(tiles, 0, 0), 0);
    EXPECT_GT(count(tiles, 1, 0), 0);

    // Ground under the cover may be left out only for an eye above the cover, inside its area, and
    // only triangles wholly under it and inside.
    terrain.hiddenArea = {-50, -50, 50, 50};
    EXPECT_TRUE(terrain.coverHidesFrom(eye));
    EXPECT_FALSE(terrain.coverHidesFrom({8, -5, 8}));
    EXPECT_FALSE(terrain.coverHidesFrom({80, 200, 8}));
    EXPECT_TRUE(terrain.underCover({0, 0, -1}, {10, 0, -1}, {0, 10, -2}));
    EXPECT_FALSE(terrain.underCover({0, 0, -1}, {60, 0, -1}, {0, 10, -2}));
    EXPECT_FALSE(terrain.underCover({0, 0, -1}, {10, 0, 1}, {0, 10, -2}));
}

} // namespace
} // namespace vtx
