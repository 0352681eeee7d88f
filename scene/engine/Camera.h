#pragma once
// The eye. It sits at its absolute position and looks at targetObject's absolute position (world +Y
// up) or, without a target, along its absolute Direction with its absolute Up.
//
// Projection: perspective with vertical field of view = 2 * atan(50 / focalLength) (focalLength 50
// gives 90 degrees, 100 about 53; longer is narrower), near plane nearPlane, far plane depthOfView
// (scene units).
//
// targetObject is not owned: clear it (or destroy the camera) before the target goes away.

#include "scene/engine/SceneObject.h"

namespace vtx {

class Camera : public SceneObject {
public:
    float depthOfView = 100.0f;
    float focalLength = 50.0f;
    float nearPlane = 0.1f;
    SceneObject* targetObject = nullptr;

    ObjectKind kind() const override { return ObjectKind::Camera; }

    // Orbits about the target keeping the distance to it: the angle between world up and the
    // target-to-camera direction grows by pitchDeltaDegrees, clamped to 0.025 .. pi - 0.025 radians,
    // then the camera turns about world up (through the target) by -turnDeltaDegrees. Works in
    // absolute space and writes back a position relative to the parent. Does nothing without a target
    // or when the camera sits on the target.
    void orbitTarget(float pitchDeltaDegrees, float turnDeltaDegrees);

    float verticalFovRadians() const;
    glm::mat4 viewMatrix() const;
    glm::mat4 projectionMatrix(float aspect) const;
};

} // namespace vtx
