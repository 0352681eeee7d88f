#pragma once

// Writes a mesh and its animation frames as a Quake II MD2 file (version 8).
//
// Layout (all little-endian): a 68-byte header of seventeen int32 (magic "IDP2",
// version 8, skin width and height, frame size, the counts of skins, vertices,
// texture coordinates, triangles, GL command words and frames, then the offsets
// of skins, texture coordinates, triangles, frames, GL commands and the end);
// 64-byte skin names; texture coordinates as int16 (s, t) in skin pixels;
// triangles as int16 vertex[3] and texCoord[3], CLOCKWISE seen from outside
// (Quake's order; the mesh builder's counter-clockwise triangles are reversed
// here); frames as float scale[3], float translate[3], char name[16] and one
// 4-byte packed vertex per mesh vertex (x, y, z bytes decoded as
// byte * scale + translate, and a normal index). No GL commands are written:
// their count is 0 and their offset is the end of the file.
//
// The normal index is this generator's own quantisation of the direction into
// 162 cells (9 bands of latitude from +z down, 18 sectors of longitude); readers
// are expected to recompute normals from the geometry.

#include "tools/datagen/ModelMesh.h"

#include <string>
#include <vector>

namespace vtx::datagen {

struct ModelFrame {
    std::string name;                // at most 15 characters
    std::vector<ModelVec> positions; // one per mesh vertex
};

// Throws std::invalid_argument when a frame does not match the mesh or a name is too long.
std::vector<unsigned char> writeMd2(const ModelMesh& mesh, const std::vector<ModelFrame>& frames,
                                    const std::string& skinName, int skinSize = 256);

// The normal cell of a unit direction, 0..161.
int md2NormalIndex(ModelVec normal);

} // namespace vtx::datagen
