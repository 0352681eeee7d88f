#pragma once
// A scene: the tree of objects under one root (Objects()). The scene owns the root and therefore
// every object in it. Viewers, offscreen renderers and the cadencer refer to a scene without owning it;
// keep the scene alive while they use it.

#include "scene/engine/TDummyCube.h"

#include <string>

namespace vtx {

class TGLScene {
public:
    TDummyCube& Objects() { return m_root; }
    const TDummyCube& Objects() const { return m_root; }
    // Depth-first search of the whole tree; nullptr when absent.
    TGLBaseSceneObject* FindSceneObject(const std::string& name) const { return m_root.FindChild(name); }

private:
    TDummyCube m_root;
};

} // namespace vtx
