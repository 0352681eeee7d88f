#include "scene/engine/Camera.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <cmath>

namespace vtx {

namespace {
constexpr float kPolarMargin = 0.025f;
}

void Camera::orbitTarget(float pitchDeltaDegrees, float turnDeltaDegrees) {
    if (!targetObject) return;
    const glm::vec3 target = targetObject->absolutePosition();
    const glm::vec3 offset = absolutePosition() - target;
    const float distance = glm::length(offset);
    if (distance < 1e-6f) return;
    const float pi = glm::pi<float>();
    float polar = std::acos(std::clamp(offset.y / distance, -1.0f, 1.0f));
    float azimuth = std::atan2(offset.x, offset.z);
    polar = std::clamp(polar + glm::radians(pitchDeltaDegrees), kPolarMargin, pi - kPolarMargin);
    // A right-handed turn about +Y by angle a adds a to atan2(x, z).
    azimuth += glm::radians(-turnDeltaDegrees);
    const glm::vec3 direction(std::sin(polar) * std::sin(azimuth), std::cos(polar),
                              std::sin(polar) * std::cos(azimuth));
    setAbsolutePosition(target + direction * distance);
}

float Camera::verticalFovRadians() const {
    const float focal = focalLength > 0.01f ? focalLength : 0.01f;
    return 2.0f * std::atan(50.0f / focal);
}

glm::mat4 Camera::viewMatrix() const {
    const glm::mat4 absolute = absoluteMatrix();
    const glm::vec3 eye(absolute[3]);
    if (targetObject) {
        const glm::vec3 target = targetObject->absolutePosition();
        glm::vec3 forward = target - eye;
        if (glm::length(forward) > 1e-6f) {
            forward = glm::normalize(forward);
            const glm::vec3 up = std::fabs(forward.y) > 0.9999f ? glm::vec3(0, 0, -1) : glm::vec3(0, 1, 0);
            return glm::lookAt(eye, target, up);
        }
    }
    const glm::vec3 forward = glm::normalize(glm::vec3(absolute[2]));
    const glm::vec3 up = glm::normalize(glm::vec3(absolute[1]));
    return glm::lookAt(eye, eye + forward, up);
}

glm::mat4 Camera::projectionMatrix(float aspect) const {
    const float nearDistance = std::max(nearPlane, 1e-4f);
    const float farDistance = std::max(depthOfView, nearDistance * 2.0f);
    return glm::perspective(verticalFovRadians(), aspect > 0.0f ? aspect : 1.0f, nearDistance, farDistance);
}

} // namespace vtx
