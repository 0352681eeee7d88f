#pragma once

// A triangle mesh being modelled for an MD2 file.
//
// Units are MD2 model units, z up (the ships float at z 0). Texture coordinates
// are pixels of a 256 x 256 skin, (0, 0) the top-left pixel. Triangles are added
// counter-clockwise seen from outside; the MD2 writer turns them into the file's
// own (clockwise) order. Flat faces get vertices of their own so that normals
// computed from the geometry keep hard edges; curved surfaces share vertices.

#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace vtx::datagen {

struct ModelVec {
    double x = 0.0, y = 0.0, z = 0.0;
};

inline ModelVec operator+(ModelVec a, ModelVec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline ModelVec operator-(ModelVec a, ModelVec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline ModelVec operator*(ModelVec a, double k) {
    return {a.x * k, a.y * k, a.z * k};
}
inline double dot(ModelVec a, ModelVec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline ModelVec cross(ModelVec a, ModelVec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(ModelVec a) {
    return std::sqrt(dot(a, a));
}
inline ModelVec normalized(ModelVec a) {
    const double l = length(a);
    return l > 0.0 ? a * (1.0 / l) : ModelVec{0.0, 0.0, 1.0};
}

// A rectangle of the skin, in pixels: a face's (u, v) in 0..1 maps onto it.
struct SkinRect {
    double s0 = 0.0, t0 = 0.0, s1 = 255.0, t1 = 255.0;
    double s(double u) const { return s0 + (s1 - s0) * u; }
    double t(double v) const { return t0 + (t1 - t0) * v; }
};

struct ModelTriangle {
    std::array<int, 3> vertex{};
    std::array<int, 3> texCoord{};
};

class ModelMesh {
public:
    int addVertex(ModelVec p);
    // Rounded to whole pixels and clamped into the skin; equal pairs share one index.
    int addTexCoord(double s, double t);
    // Corners counter-clockwise seen from outside.
    void addTriangle(std::array<int, 3> vertex, std::array<int, 3> texCoord);
    // A flat quad a-b-c-d (counter-clockwise from outside) with its own vertices;
    // (u, v) of the corners are (0,1) (1,1) (1,0) (0,0) of the rect, so a wall
    // given bottom-left, bottom-right, top-right, top-left shows the rect upright.
    void addQuad(ModelVec a, ModelVec b, ModelVec c, ModelVec d, const SkinRect& rect);

    // Axis-aligned box; faces listed in `skip` (bit 0 bottom, 1 top, 2 -x, 3 +x, 4 -y, 5 +y) are left out.
    void addBox(ModelVec min, ModelVec max, const SkinRect& sides, const SkinRect& top, unsigned skip = 1u);
    // A frustum from `base` to `top` along its axis with the two radii; `squash`
    // scales the cross-section along the first side axis (ellipses for funnels).
    // The side wraps the rect's width once around; caps are fans.
    void addFrustum(ModelVec base, ModelVec top, double baseRadius, double topRadius, int segments,
                    const SkinRect& side, bool capBase, bool capTop, const SkinRect& cap, double squash = 1.0,
                    double jagged = 0.0);

    const std::vector<ModelVec>& vertices() const { return m_vertices; }
    std::vector<ModelVec>& vertices() { return m_vertices; }
    const std::vector<std::array<int, 2>>& texCoords() const { return m_texCoords; }
    const std::vector<ModelTriangle>& triangles() const { return m_triangles; }

private:
    std::vector<ModelVec> m_vertices;
    std::vector<std::array<int, 2>> m_texCoords;
    std::vector<ModelTriangle> m_triangles;
    std::map<std::pair<int, int>, int> m_texCoordIndex;
};

} // namespace vtx::datagen
