#pragma once

// Frustum culling in clip space, shared by the scene renderer and the terrain.

#include <glm/glm.hpp>

#include <cmath>

namespace vtx {

// True when the box lo..hi (in the space mvp maps to clip space) lies wholly
// outside one of the six clip planes, so nothing of it can be seen. Boxes that
// straddle planes are kept: the test is conservative, never wrong the other way.
inline bool boxOutsideClip(const glm::mat4& mvp, const glm::vec3& lo, const glm::vec3& hi) {
    int outside[6] = {0, 0, 0, 0, 0, 0};
    for (int c = 0; c < 8; ++c) {
        const glm::vec4 p =
            mvp * glm::vec4((c & 1) ? hi.x : lo.x, (c & 2) ? hi.y : lo.y, (c & 4) ? hi.z : lo.z, 1);
        outside[0] += p.x < -p.w;
        outside[1] += p.x > p.w;
        outside[2] += p.y < -p.w;
        outside[3] += p.y > p.w;
        outside[4] += p.z < -p.w;
        outside[5] += p.z > p.w;
    }
    for (int plane : outside)
        if (plane == 8) return true;
    return false;
}

// True when the unit quad (x, y in -0.5..0.5, z = 0) that `model` places covers the whole view of
// `viewProj`: the ray through each corner of the view meets it between the near and the far plane.
// What the quad covers of the view is convex (a convex polygon clipped to the frustum), so four
// covered corners mean every pixel is covered: nothing behind an opaque quad like that can show.
inline bool quadCoversView(const glm::mat4& viewProj, const glm::mat4& model) {
    const glm::mat4 toQuad = glm::inverse(viewProj * model);
    for (int c = 0; c < 4; ++c) {
        const float x = (c & 1) ? 1.0f : -1.0f, y = (c & 2) ? 1.0f : -1.0f;
        glm::vec4 a = toQuad * glm::vec4(x, y, -1.0f, 1.0f), b = toQuad * glm::vec4(x, y, 1.0f, 1.0f);
        if (a.w == 0.0f || b.w == 0.0f) return false;
        const glm::vec3 nearPoint = glm::vec3(a) / a.w, farPoint = glm::vec3(b) / b.w;
        const float dz = farPoint.z - nearPoint.z;
        if (dz == 0.0f) return false;
        const float t = -nearPoint.z / dz;
        if (!(t >= 0.0f && t < 1.0f)) return false;
        const glm::vec3 hit = nearPoint + t * (farPoint - nearPoint);
        if (!(std::abs(hit.x) <= 0.5f && std::abs(hit.y) <= 0.5f)) return false;
    }
    return true;
}

} // namespace vtx
