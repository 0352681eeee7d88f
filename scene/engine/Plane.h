#pragma once
// A flat rectangle of Width x Height scene units centred on its position, lying in the object's
// local XY plane: its normal (front side) is Direction, its height runs along Up. xTiles / yTiles
// repeat the texture that many times across it. Pickable.

#include "scene/engine/SceneObject.h"

namespace vtx {

class Plane : public SceneObject {
public:
    float width = 1.0f;
    float height = 1.0f;
    int xTiles = 1;
    int yTiles = 1;
    ObjectKind kind() const override { return ObjectKind::Plane; }
    bool pickable() const override { return true; }
};

} // namespace vtx
