#include "scene/engine/formats/TerrainPatch.h"

#include <algorithm>

namespace vtx {

namespace {

int log2Exact(int v) {
    int l = 0;
    while ((1 << l) < v)
        ++l;
    return l;
}

std::int64_t wrap64(std::int64_t v, std::int64_t m) {
    const std::int64_t r = v % m;
    return r < 0 ? r + m : r;
}

} // namespace

TerrainPatch buildTerrainPatch(HeightMap& hds, int tileSize, int tilesPerTexture, const TerrainTileKey& key) {
    TerrainPatch patch;
    const int side = hds.size();
    if (side <= 0 || tileSize <= 0 || tileSize > 4096 || (tileSize & (tileSize - 1)) != 0) return patch;
    const int maxLod = log2Exact(tileSize);
    const int lod = std::clamp(key.lod, 0, maxLod);
    const int step = 1 << lod;
    const int n = tileSize / step; // cells per side at this tile's own detail

    // Cells (at our step) between two edge vertices on each edge: a coarser neighbour dictates its spacing.
    std::array<int, 4> edgeStep{};
    for (int e = 0; e < 4; ++e) {
        const int nl = std::clamp(key.neighbourLod[e], 0, maxLod);
        edgeStep[e] = nl > lod ? (1 << (nl - lod)) : 1;
    }

    // Heights with a one-sample border for the central differences, through the height source's cache.
    const std::int64_t originX =
        std::int64_t{key.tileX} * tileSize; // local coordinates of sample (0, 0) of the tile
    const std::int64_t originY = std::int64_t{key.tileY} * tileSize;
    const int samples = tileSize + 3;
    const auto heights = hds.tile(static_cast<int>(wrap64(originX + side / 2 - 1, side)),
                                  static_cast<int>(wrap64(originY + side / 2 - 1, side)), samples);
    const auto h = [&](int sx, int sy) { // sx, sy: samples from the tile's origin, -1 .. tileSize + 1
        return static_cast<float>(heights->heights[std::size_t(sy + 1) * samples + std::size_t(sx + 1)]);
    };

    const int tpt = std::max(1, tilesPerTexture);
    const float texSpan = float(tileSize) * float(tpt);
    const float texOriginX = float(wrap64(key.tileX, tpt) * tileSize);
    const float texOriginY = float(wrap64(key.tileY, tpt) * tileSize);

    std::vector<std::int32_t> vertexOf(std::size_t(n + 1) * std::size_t(n + 1), -1);
    const auto vertex = [&](int i, int j) -> std::uint32_t { // grid point in cells of this tile's step
        std::int32_t& slot = vertexOf[std::size_t(j) * (n + 1) + std::size_t(i)];
        if (slot < 0) {
            const int sx = i * step, sy = j * step;
            slot = static_cast<std::int32_t>(patch.positions.size());
            patch.positions.emplace_back(float(originX + sx), float(originY + sy), h(sx, sy) - 128.0f);
            const float dx = h(sx + 1, sy) - h(sx - 1, sy);
            const float dy = h(sx, sy + 1) - h(sx, sy - 1);
            patch.normals.push_back(glm::normalize(glm::vec3(-dx, -dy, 2.0f)));
            patch.texCoords.emplace_back((texOriginX + float(sx)) / texSpan,
                                         (texOriginY + float(sy)) / texSpan);
        }
        return static_cast<std::uint32_t>(slot);
    };
    struct GridPoint {
        int i, j;
    };
    const auto triangle = [&](GridPoint a, GridPoint b, GridPoint c) {
        const long cross = long(b.i - a.i) * (c.j - a.j) - long(b.j - a.j) * (c.i - a.i);
        if (cross == 0) return;
        if (cross < 0) std::swap(b, c); // counter-clockwise seen from +z
        patch.indices.push_back(vertex(a.i, a.j));
        patch.indices.push_back(vertex(b.i, b.j));
        patch.indices.push_back(vertex(c.i, c.j));
    };

    if (n == 1) {
        triangle({0, 0}, {1, 0}, {1, 1});
        triangle({0, 0}, {1, 1}, {0, 1});
        return patch;
    }

    // Interior: regular quads over the inner square (cells 1 .. n-2).
    for (int j = 1; j + 1 < n; ++j)
        for (int i = 1; i + 1 < n; ++i) {
            triangle({i, j}, {i + 1, j}, {i + 1, j + 1});
            triangle({i, j}, {i + 1, j + 1}, {i, j + 1});
        }

    // Border: four trapezoids between each tile edge (vertices every edgeStep cells, corner to corner)
    // and the inner square's side (every cell, from 1 to n-1), zipped together. They meet on the
    // diagonals from the corners to the inner square's corners, so they tile the border ring exactly.
    for (int e = 0; e < 4; ++e) {
        const auto outerPoint = [&](int t) -> GridPoint {
            switch (e) {
            case 0:
                return {0, t};
            case 1:
                return {n, t};
            case 2:
                return {t, 0};
            default:
                return {t, n};
            }
        };
        const auto innerPoint = [&](int t) -> GridPoint {
            switch (e) {
            case 0:
                return {1, t};
            case 1:
                return {n - 1, t};
            case 2:
                return {t, 1};
            default:
                return {t, n - 1};
            }
        };
        const int m = std::min(edgeStep[e], n);
        int outerT = 0, innerT = 1;
        while (outerT < n || innerT < n - 1) {
            const bool outerCanAdvance = outerT < n;
            const bool innerCanAdvance = innerT < n - 1;
            // Advance the chain whose next edge has the lower midpoint: keeps the triangles well shaped.
            if (outerCanAdvance && (!innerCanAdvance || 2 * outerT + m <= 2 * innerT + 1)) {
                triangle(outerPoint(outerT), outerPoint(outerT + m), innerPoint(innerT));
                outerT += m;
            } else {
                triangle(outerPoint(outerT), innerPoint(innerT + 1), innerPoint(innerT));
                ++innerT;
            }
        }
    }
    return patch;
}

} // namespace vtx
