#include "scene/engine/Sky.h"

#include <glm/gtc/constants.hpp>

#include <algorithm>
#include <cmath>

namespace vtx {

std::vector<Sky::Vertex> Sky::buildMesh() const {
    std::vector<Vertex> out;
    const auto point = [](float elevationDeg, float azimuthRad) {
        const float e = glm::radians(std::clamp(elevationDeg, -90.0f, 90.0f));
        return glm::vec3(std::cos(e) * std::cos(azimuthRad), std::cos(e) * std::sin(azimuthRad), std::sin(e));
    };
    for (const SkyBand& band : bands) {
        const int slices = std::clamp(band.slices, 3, 256);
        const int stacks = std::clamp(band.stacks, 1, 256);
        for (int st = 0; st < stacks; ++st) {
            const float t0 = float(st) / float(stacks), t1 = float(st + 1) / float(stacks);
            const float e0 = band.startAngle + (band.stopAngle - band.startAngle) * t0;
            const float e1 = band.startAngle + (band.stopAngle - band.startAngle) * t1;
            const glm::vec4 c0 = glm::mix(band.startColor, band.stopColor, t0);
            const glm::vec4 c1 = glm::mix(band.startColor, band.stopColor, t1);
            for (int sl = 0; sl < slices; ++sl) {
                const float a0 = glm::two_pi<float>() * float(sl) / float(slices);
                const float a1 = glm::two_pi<float>() * float(sl + 1) / float(slices);
                const Vertex v00{point(e0, a0), c0}, v01{point(e0, a1), c0};
                const Vertex v10{point(e1, a0), c1}, v11{point(e1, a1), c1};
                out.insert(out.end(), {v00, v01, v11, v00, v11, v10});
            }
        }
    }
    return out;
}

} // namespace vtx
