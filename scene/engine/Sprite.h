#pragma once
// A textured quad of Width x Height scene units centred on its absolute position, always facing the
// camera (screen-aligned; the object's own rotation is ignored, its Scale x/y multiply the size).
// Usually with an additive material. Writes depth like any material. Pickable.

#include "scene/engine/SceneObject.h"

namespace vtx {

class Sprite : public SceneObject {
public:
    float width = 1.0f;
    float height = 1.0f;
    ObjectKind kind() const override { return ObjectKind::Sprite; }
    bool pickable() const override { return true; }
};

} // namespace vtx
