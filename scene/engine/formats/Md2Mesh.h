#pragma once

// A GPU-ready form of an MD2 model, ready for upload as vertex arrays; no GL here.
//
// MD2 triangles are stored clockwise seen from outside (Quake convention); the mesh reverses them,
// so `indices` are counter-clockwise seen from outside, the OpenGL default front face.

#include "scene/engine/formats/Md2Model.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

namespace vtx {

// One vertex per distinct (vertex index, texcoord index) pair used by the triangles.
struct Md2Mesh {
    std::vector<glm::vec2> texCoords;              // per mesh vertex
    std::vector<std::uint32_t> indices;            // 3 per triangle, counter-clockwise seen from outside
    std::vector<std::vector<glm::vec3>> positions; // [frame][mesh vertex]
    // [frame][mesh vertex], unit length, computed from the geometry (area-weighted face normals)
    std::vector<std::vector<glm::vec3>> normals;
    glm::vec3 boundsMin{0.0f}, boundsMax{0.0f}; // over all frames
};

// Builds the mesh from a model that parseMd2 accepted (indices in range, frames of equal size).
// Degenerate triangles are kept in `indices` but add nothing to the normals; a vertex touched by no
// non-degenerate face gets the normal (0, 0, 1).
Md2Mesh buildMd2Mesh(const Md2Model& model);

} // namespace vtx
