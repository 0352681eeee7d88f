#pragma once
// An invisible grouping node: moving or turning it moves its subtree. Also the scene's root.

#include "scene/engine/TGLBaseSceneObject.h"

namespace vtx {

class TDummyCube : public TGLBaseSceneObject {
public:
    ObjectKind kind() const override { return ObjectKind::Dummy; }
};

} // namespace vtx
