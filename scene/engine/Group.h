#pragma once
// An invisible grouping node: moving or turning it moves its subtree. Also the scene's root.

#include "scene/engine/SceneObject.h"

namespace vtx {

class Group : public SceneObject {
public:
    ObjectKind kind() const override { return ObjectKind::Dummy; }
};

} // namespace vtx
