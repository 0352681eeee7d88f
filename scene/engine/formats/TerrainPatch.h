#pragma once

// Geometry of one terrain tile, built on the CPU from height data; the GL side uploads it.

#include "scene/engine/formats/HeightMap.h"

#include <glm/glm.hpp>

#include <array>
#include <cstdint>
#include <vector>

namespace vtx {

// Geometry of one terrain tile in the terrain's LOCAL coordinates: x, y = sample position relative to the
// raster centre (sample (i, j) at (i - side/2, j - side/2)), z = height - 128. Texture coordinates repeat
// once every `tilesPerTexture` tiles. The tile is sampled every 2^lod samples; an edge whose neighbour
// is coarser is stitched (fan/skirt-free) so adjacent tiles of different LOD share every edge vertex: no
// cracks.
struct TerrainPatch {
    std::vector<glm::vec3> positions, normals;
    std::vector<glm::vec2> texCoords;
    std::vector<std::uint32_t> indices; // triangles, counter-clockwise seen from +z
};

struct TerrainTileKey {
    int tileX = 0, tileY = 0;
    int lod = 0;
    std::array<int, 4> neighbourLod{}; // -x, +x, -y, +y
};

// tileX/tileY index tiles of `tileSize` samples from the raster centre (tile (0,0) starts at local (0,0));
// any integer (wraps). Positions are NOT wrapped: tile (tileX, tileY) lies at local
// (tileX * tileSize .. (tileX + 1) * tileSize), so the terrain repeats in space; heights are read wrapped.
// tileSize must be a power of two from 1 to 4096; lod and neighbourLod are clamped to 0 .. log2(tileSize).
// Stitching: the border ring of cells is triangulated between each tile edge, whose vertices are spaced
// by the coarser of the two detail levels, and the inner grid; the shared edge therefore has the same
// vertices on both sides, with the same heights read from the same samples.
// Normals come from central differences of the raster (independent of lod), so they match across tile
// borders; they are unit vectors in the UNSCALED local frame (one sample = one unit in x, y, z): the
// renderer transforms them with the inverse transpose of its model matrix (Scale is not uniform).
// Heights are read through hds.tile(), so the height source's tile cache holds recently built tiles.
// An empty patch comes back when hds holds no raster or tileSize is out of range.
TerrainPatch buildTerrainPatch(HeightMap& hds, int tileSize, int tilesPerTexture, const TerrainTileKey& key);

} // namespace vtx
