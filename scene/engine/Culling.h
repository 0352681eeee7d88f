#pragma once

// Frustum culling in clip space, shared by the scene renderer and the terrain.

#include <glm/glm.hpp>

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

} // namespace vtx
