#pragma once
// The node of the retained scene graph: every drawable or grouping object derives from it.
//
// Ownership: a node owns its children (std::unique_ptr); destroying a node destroys its subtree.
// Create children only through addChild<T>(), which returns a non-owning pointer that stays valid
// until the child (or an ancestor) is destroyed or removed with removeChild().
//
// Transform: local matrix = translate(Position) * basis(Right, Up, Direction) * scale(Scale), where
// Right = normalize(Up x Direction) is local X, Up local Y and Direction local Z (defaults: world axes).
// The absolute matrix is the parent's absolute matrix times the local one. Units: scene units; angles
// in degrees.
//
// pitchAngle / turnAngle / rollAngle: writing one rotates the object by the difference to the value
// last written (each starts at 0): pitch about Right (a positive pitch lifts Direction towards Up),
// turn about Up, roll about Direction (right-handed). Reading returns the last written value brought
// into -180..180. So pitchAngle 90 from the default orientation maps a model point (x, y, z) to (x, z, -y).
//
// Visible = false hides the object and its whole subtree from drawing and from picking.
//
// Material: the object's own material; when MaterialLibrary is set and libMaterialName names one of
// its materials, that library material is used instead (looked up at every frame, so renaming takes
// effect at the next frame). The library is not owned and must outlive the object's use of it.
//
// Effects: a value list of fire effects; assigning one object's Effects to another copies the list
// (both refer to the same shared fire manager); an empty list means no fire.
//
// Not thread-safe: use from the GUI thread only.

#include "scene/engine/FireEffect.h"
#include "scene/engine/Material.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vtx {

class MaterialLibrary;
class LibraryMaterial;

// What the renderer does with an object; every concrete kind reports its own.
enum class ObjectKind { Dummy, Camera, Plane, SkyDome, Sprite, Terrain, Actor, Light, HudText };

class SceneObject {
public:
    SceneObject();
    virtual ~SceneObject();
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    // A process-wide unique number of this object (GPU caches key on it).
    std::uint64_t serial() const { return m_serial; }

    // Plain data: read and write freely.
    std::string name;
    int tag = 0;
    glm::vec3 position{0.0f}; // relative to the parent
    glm::vec3 scale{1.0f};
    bool visible = true;
    Material material;
    MaterialLibrary* materialLibrary = nullptr; // not owned
    std::string libMaterialName;
    EffectList effects;

    // Orientation. setDirection keeps Up perpendicular to the new Direction (adjusting Up);
    // setUp keeps Direction perpendicular to the new Up (adjusting Direction). Zero vectors are ignored.
    const glm::vec3& direction() const { return m_direction; }
    const glm::vec3& up() const { return m_up; }
    glm::vec3 right() const;
    void setDirection(const glm::vec3& direction);
    void setUp(const glm::vec3& up);

    float pitchAngle() const { return m_pitch; }
    float turnAngle() const { return m_turn; }
    float rollAngle() const { return m_roll; }
    void setPitchAngle(float degrees);
    void setTurnAngle(float degrees);
    void setRollAngle(float degrees);

    // Tree.
    SceneObject* parent() const { return m_parent; }
    int count() const { return static_cast<int>(m_children.size()); }
    SceneObject* children(int index) const { return m_children.at(static_cast<size_t>(index)).get(); }
    template <class T> T* addChild() {
        auto child = std::make_unique<T>();
        T* raw = child.get();
        adopt(std::move(child));
        return raw;
    }
    // Destroys `child` (and its subtree) when it is a direct child; returns false otherwise.
    bool removeChild(SceneObject* child);
    // Depth-first search of the subtree below this object (not this object itself); nullptr when absent.
    SceneObject* findChild(const std::string& name) const;

    glm::mat4 localMatrix() const;
    glm::mat4 absoluteMatrix() const;
    glm::vec3 absolutePosition() const;
    // Moves the object so that its absolute position becomes `position` (the parent's transform is inverted).
    void setAbsolutePosition(const glm::vec3& position);

    // The material in effect this frame: the library material when named and found, else Material.
    const Material& effectiveMaterial() const;

    virtual ObjectKind kind() const = 0;
    // Picking: only planes, actors, terrain and sprites answer true.
    virtual bool pickable() const { return false; }
    // Advances time-driven state (actor frames); called by the cadencer for every visible-or-not object.
    virtual void doProgress(double /*deltaSeconds*/) {}

private:
    void adopt(std::unique_ptr<SceneObject> child);
    void rotate(const glm::vec3& axis, float degrees, bool moveDirection, bool moveUp);

    std::uint64_t m_serial = 0;
    SceneObject* m_parent = nullptr;
    std::vector<std::unique_ptr<SceneObject>> m_children;
    glm::vec3 m_direction{0.0f, 0.0f, 1.0f};
    glm::vec3 m_up{0.0f, 1.0f, 0.0f};
    float m_pitch = 0.0f, m_turn = 0.0f, m_roll = 0.0f;
};

// Brings an angle in degrees into -180..180.
float normalizeDegrees(float degrees);

} // namespace vtx
