#pragma once
// A sky of colour bands drawn around the camera, behind everything (it never occludes and is not
// pickable). The dome's Direction points to the zenith; a band runs from startAngle to stopAngle,
// elevations in degrees (-90..90) measured from the plane perpendicular to Direction, its colour
// interpolated from startColor to stopColor, split into Slices around and Stacks up. Turning the dome
// (e.g. rollAngle about its zenith) turns the bands. Children (a sun sprite) are ordinary objects
// placed in the dome's local frame.

#include "scene/engine/SceneObject.h"

#include <cstdint>
#include <vector>

namespace vtx {

struct SkyBand {
    float startAngle = 0.0f;
    float stopAngle = 90.0f;
    glm::vec4 startColor{0.0f, 0.0f, 0.0f, 1.0f};
    glm::vec4 stopColor{1.0f, 1.0f, 1.0f, 1.0f};
    int slices = 12;
    int stacks = 1;
};

class Sky : public SceneObject {
public:
    // Edit freely; call bandsChanged() afterwards so the mesh is rebuilt at the next frame.
    std::vector<SkyBand> bands;
    void bandsChanged() { ++m_revision; }
    std::uint64_t revision() const { return m_revision + bands.size(); }

    ObjectKind kind() const override { return ObjectKind::SkyDome; }

    // Triangles of the bands on the unit sphere in the dome's local frame (z = zenith): 3 vertices each,
    // position + colour per vertex.
    struct Vertex {
        glm::vec3 position;
        glm::vec4 color;
    };
    std::vector<Vertex> buildMesh() const;

private:
    std::uint64_t m_revision = 0;
};

} // namespace vtx
