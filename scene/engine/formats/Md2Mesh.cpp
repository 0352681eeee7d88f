#include "scene/engine/formats/Md2Mesh.h"

#include <cmath>
#include <unordered_map>

namespace vtx {

Md2Mesh buildMd2Mesh(const Md2Model& model) {
    Md2Mesh mesh;
    // Mesh vertex per distinct (vertex, texcoord) pair, in order of first use.
    std::unordered_map<std::uint32_t, std::uint32_t> pairIndex;
    std::vector<std::uint16_t> sourceVertex; // mesh vertex -> MD2 vertex index
    const auto meshVertex = [&](std::uint16_t v, std::uint16_t st) {
        const std::uint32_t key = (std::uint32_t{v} << 16) | st;
        const auto [it, inserted] =
            pairIndex.try_emplace(key, static_cast<std::uint32_t>(sourceVertex.size()));
        if (inserted) {
            sourceVertex.push_back(v);
            mesh.texCoords.push_back(st < model.texCoords.size() ? model.texCoords[st] : glm::vec2(0.0f));
        }
        return it->second;
    };
    mesh.indices.reserve(model.triangles.size() * 3);
    for (const Md2Triangle& tri : model.triangles) {
        // Stored clockwise seen from outside: emit 0, 2, 1 for counter-clockwise.
        for (const int k : {0, 2, 1})
            mesh.indices.push_back(meshVertex(tri.vertex[k], tri.texCoord[k]));
    }

    bool haveBounds = false;
    const auto grow = [&](const glm::vec3& p) {
        if (!haveBounds) {
            mesh.boundsMin = mesh.boundsMax = p;
            haveBounds = true;
        } else {
            mesh.boundsMin = glm::min(mesh.boundsMin, p);
            mesh.boundsMax = glm::max(mesh.boundsMax, p);
        }
    };

    mesh.positions.reserve(model.frames.size());
    mesh.normals.reserve(model.frames.size());
    std::vector<glm::vec3> vertexNormal;
    for (const Md2Frame& frame : model.frames) {
        const std::vector<glm::vec3>& src = frame.positions;
        // Normals are accumulated per MD2 vertex, not per mesh vertex, so texture seams stay smooth.
        vertexNormal.assign(src.size(), glm::vec3(0.0f));
        for (const Md2Triangle& tri : model.triangles) {
            if (tri.vertex[0] >= src.size() || tri.vertex[1] >= src.size() || tri.vertex[2] >= src.size())
                continue;
            const glm::vec3& a = src[tri.vertex[0]];
            const glm::vec3& b = src[tri.vertex[2]];
            const glm::vec3& c = src[tri.vertex[1]];
            const glm::vec3 face = glm::cross(b - a, c - a); // length = twice the area: area-weighted
            for (const std::uint16_t v : tri.vertex)
                vertexNormal[v] += face;
        }
        std::vector<glm::vec3> positions(sourceVertex.size());
        std::vector<glm::vec3> normals(sourceVertex.size());
        for (std::size_t i = 0; i < sourceVertex.size(); ++i) {
            const std::uint16_t v = sourceVertex[i];
            positions[i] = v < src.size() ? src[v] : glm::vec3(0.0f);
            const glm::vec3 n = v < src.size() ? vertexNormal[v] : glm::vec3(0.0f);
            const float len = glm::length(n);
            normals[i] = (len > 1e-20f && std::isfinite(len)) ? n / len : glm::vec3(0.0f, 0.0f, 1.0f);
            grow(positions[i]);
        }
        if (sourceVertex.empty())
            for (const glm::vec3& p : src)
                grow(p);
        mesh.positions.push_back(std::move(positions));
        mesh.normals.push_back(std::move(normals));
    }
    return mesh;
}

} // namespace vtx
