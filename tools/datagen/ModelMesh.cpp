#include "tools/datagen/ModelMesh.h"

#include <algorithm>
#include <numbers>

namespace vtx::datagen {

int ModelMesh::addVertex(ModelVec p) {
    m_vertices.push_back(p);
    return static_cast<int>(m_vertices.size()) - 1;
}

int ModelMesh::addTexCoord(double s, double t) {
    const int si = std::clamp(static_cast<int>(std::lround(s)), 0, 255);
    const int ti = std::clamp(static_cast<int>(std::lround(t)), 0, 255);
    const auto [it, inserted] = m_texCoordIndex.try_emplace({si, ti}, static_cast<int>(m_texCoords.size()));
    if (inserted) m_texCoords.push_back({si, ti});
    return it->second;
}

void ModelMesh::addTriangle(std::array<int, 3> vertex, std::array<int, 3> texCoord) {
    m_triangles.push_back({vertex, texCoord});
}

void ModelMesh::addQuad(ModelVec a, ModelVec b, ModelVec c, ModelVec d, const SkinRect& rect) {
    const int va = addVertex(a), vb = addVertex(b), vc = addVertex(c), vd = addVertex(d);
    const int ta = addTexCoord(rect.s(0), rect.t(1)), tb = addTexCoord(rect.s(1), rect.t(1));
    const int tc = addTexCoord(rect.s(1), rect.t(0)), td = addTexCoord(rect.s(0), rect.t(0));
    addTriangle({va, vb, vc}, {ta, tb, tc});
    addTriangle({va, vc, vd}, {ta, tc, td});
}

void ModelMesh::addBox(ModelVec lo, ModelVec hi, const SkinRect& sides, const SkinRect& top, unsigned skip) {
    const ModelVec p000{lo.x, lo.y, lo.z}, p100{hi.x, lo.y, lo.z}, p010{lo.x, hi.y, lo.z},
        p110{hi.x, hi.y, lo.z}, p001{lo.x, lo.y, hi.z}, p101{hi.x, lo.y, hi.z}, p011{lo.x, hi.y, hi.z},
        p111{hi.x, hi.y, hi.z};
    if (!(skip & 1u)) addQuad(p010, p110, p100, p000, top);
    if (!(skip & 2u)) addQuad(p001, p101, p111, p011, top);
    if (!(skip & 4u)) addQuad(p010, p000, p001, p011, sides);
    if (!(skip & 8u)) addQuad(p100, p110, p111, p101, sides);
    if (!(skip & 16u)) addQuad(p000, p100, p101, p001, sides);
    if (!(skip & 32u)) addQuad(p110, p010, p011, p111, sides);
}

void ModelMesh::addFrustum(ModelVec base, ModelVec top, double baseRadius, double topRadius, int segments,
                           const SkinRect& side, bool capBase, bool capTop, const SkinRect& cap,
                           double squash, double jagged) {
    const ModelVec axis = normalized(top - base);
    // Any vector not parallel to the axis gives the two side directions.
    const ModelVec helper = std::abs(axis.z) < 0.9 ? ModelVec{0, 0, 1} : ModelVec{1, 0, 0};
    const ModelVec e1 = normalized(cross(helper, axis));
    const ModelVec e2 = cross(axis, e1);
    auto ring = [&](ModelVec centre, double radius, int i) {
        const double a = 2.0 * std::numbers::pi * i / segments;
        const double r = radius * (1.0 + ((i % 2) ? -jagged : jagged));
        return centre + e1 * (std::cos(a) * r * squash) + e2 * (std::sin(a) * r);
    };
    std::vector<int> lower, upper;
    for (int i = 0; i < segments; ++i) {
        lower.push_back(addVertex(ring(base, baseRadius, i)));
        upper.push_back(addVertex(ring(top, topRadius, i)));
    }
    for (int i = 0; i < segments; ++i) {
        const int j = (i + 1) % segments;
        const double u0 = static_cast<double>(i) / segments, u1 = static_cast<double>(i + 1) / segments;
        const int t00 = addTexCoord(side.s(u0), side.t(1)), t10 = addTexCoord(side.s(u1), side.t(1));
        const int t01 = addTexCoord(side.s(u0), side.t(0)), t11 = addTexCoord(side.s(u1), side.t(0));
        if (topRadius > 0.0) {
            addTriangle({lower[i], lower[j], upper[j]}, {t00, t10, t11});
            addTriangle({lower[i], upper[j], upper[i]}, {t00, t11, t01});
        } else {
            addTriangle({lower[i], lower[j], upper[i]}, {t00, t10, t01});
        }
    }
    auto fan = [&](ModelVec centre, double radius, bool facingAxis) {
        const int c = addVertex(centre);
        const int tc = addTexCoord(cap.s(0.5), cap.t(0.5));
        std::vector<int> rim, rimTex;
        for (int i = 0; i < segments; ++i) {
            const double a = 2.0 * std::numbers::pi * i / segments;
            rim.push_back(addVertex(ring(centre, radius, i)));
            rimTex.push_back(addTexCoord(cap.s(0.5 + 0.5 * std::cos(a)), cap.t(0.5 + 0.5 * std::sin(a))));
        }
        for (int i = 0; i < segments; ++i) {
            const int j = (i + 1) % segments;
            if (facingAxis)
                addTriangle({c, rim[i], rim[j]}, {tc, rimTex[i], rimTex[j]});
            else
                addTriangle({c, rim[j], rim[i]}, {tc, rimTex[j], rimTex[i]});
        }
    };
    if (capBase && baseRadius > 0.0) fan(base, baseRadius, false);
    if (capTop && topRadius > 0.0) fan(top, topRadius, true);
}

} // namespace vtx::datagen
