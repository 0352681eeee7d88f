#pragma once
// A scene: the tree of objects under one root (objects()). The scene owns the root and therefore
// every object in it. Viewers, offscreen renderers and the cadencer refer to a scene without owning it;
// keep the scene alive while they use it.

#include "scene/engine/Group.h"

#include <string>

namespace vtx {

class Scene {
public:
    Group& objects() { return m_root; }
    const Group& objects() const { return m_root; }
    // Depth-first search of the whole tree; nullptr when absent.
    SceneObject* findSceneObject(const std::string& name) const { return m_root.findChild(name); }

private:
    Group m_root;
};

} // namespace vtx
