#include "scene/engine/SceneObject.h"

#include "scene/engine/MaterialLibrary.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace vtx {

namespace {
constexpr float kEpsilon = 1e-6f;

// Any unit vector perpendicular to `v` (v unit length).
glm::vec3 anyPerpendicular(const glm::vec3& v) {
    const glm::vec3 helper = std::fabs(v.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(0, 0, -1);
    glm::vec3 p = helper - glm::dot(helper, v) * v;
    return glm::normalize(p);
}
} // namespace

float normalizeDegrees(float degrees) {
    float d = std::fmod(degrees, 360.0f);
    if (d > 180.0f)
        d -= 360.0f;
    else if (d < -180.0f)
        d += 360.0f;
    return d;
}

SceneObject::SceneObject() {
    static std::atomic<std::uint64_t> counter{0};
    m_serial = ++counter;
}

SceneObject::~SceneObject() = default;

glm::vec3 SceneObject::right() const {
    return glm::normalize(glm::cross(m_up, m_direction));
}

void SceneObject::setDirection(const glm::vec3& direction) {
    if (glm::length(direction) < kEpsilon) return;
    m_direction = glm::normalize(direction);
    glm::vec3 up = m_up - glm::dot(m_up, m_direction) * m_direction;
    m_up = glm::length(up) < 1e-4f ? anyPerpendicular(m_direction) : glm::normalize(up);
}

void SceneObject::setUp(const glm::vec3& up) {
    if (glm::length(up) < kEpsilon) return;
    m_up = glm::normalize(up);
    glm::vec3 dir = m_direction - glm::dot(m_direction, m_up) * m_up;
    m_direction = glm::length(dir) < 1e-4f ? anyPerpendicular(m_up) : glm::normalize(dir);
}

void SceneObject::rotate(const glm::vec3& axis, float degrees, bool moveDirection, bool moveUp) {
    const glm::mat3 r(glm::rotate(glm::mat4(1.0f), glm::radians(degrees), axis));
    if (moveDirection) m_direction = glm::normalize(r * m_direction);
    if (moveUp) m_up = glm::normalize(r * m_up);
    // Keep the basis exactly orthonormal despite rounding over many small rotations.
    const glm::vec3 right = glm::normalize(glm::cross(m_up, m_direction));
    m_up = glm::normalize(glm::cross(m_direction, right));
}

void SceneObject::setPitchAngle(float degrees) {
    const float delta = degrees - m_pitch;
    m_pitch = normalizeDegrees(degrees);
    // A right-handed rotation about Right turns Up towards Direction; lifting Direction towards Up is
    // the opposite sense.
    rotate(right(), -delta, true, true);
}

void SceneObject::setTurnAngle(float degrees) {
    const float delta = degrees - m_turn;
    m_turn = normalizeDegrees(degrees);
    rotate(m_up, delta, true, false);
}

void SceneObject::setRollAngle(float degrees) {
    const float delta = degrees - m_roll;
    m_roll = normalizeDegrees(degrees);
    rotate(m_direction, delta, false, true);
}

void SceneObject::adopt(std::unique_ptr<SceneObject> child) {
    child->m_parent = this;
    m_children.push_back(std::move(child));
}

bool SceneObject::removeChild(SceneObject* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [child](const auto& owned) { return owned.get() == child; });
    if (it == m_children.end()) return false;
    m_children.erase(it);
    return true;
}

SceneObject* SceneObject::findChild(const std::string& name) const {
    for (const auto& child : m_children) {
        if (child->name == name) return child.get();
        if (SceneObject* found = child->findChild(name)) return found;
    }
    return nullptr;
}

glm::mat4 SceneObject::localMatrix() const {
    const glm::vec3 x = right();
    glm::mat4 m(1.0f);
    m[0] = glm::vec4(x * scale.x, 0.0f);
    m[1] = glm::vec4(m_up * scale.y, 0.0f);
    m[2] = glm::vec4(m_direction * scale.z, 0.0f);
    m[3] = glm::vec4(position, 1.0f);
    return m;
}

glm::mat4 SceneObject::absoluteMatrix() const {
    return m_parent ? m_parent->absoluteMatrix() * localMatrix() : localMatrix();
}

glm::vec3 SceneObject::absolutePosition() const {
    return m_parent ? glm::vec3(m_parent->absoluteMatrix() * glm::vec4(position, 1.0f)) : position;
}

void SceneObject::setAbsolutePosition(const glm::vec3& where) {
    position =
        m_parent ? glm::vec3(glm::inverse(m_parent->absoluteMatrix()) * glm::vec4(where, 1.0f)) : where;
}

const Material& SceneObject::effectiveMaterial() const {
    if (materialLibrary && !libMaterialName.empty()) {
        if (const LibraryMaterial* lib = materialLibrary->materialByName(libMaterialName))
            return lib->material;
    }
    return material;
}

} // namespace vtx
