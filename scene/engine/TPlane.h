#pragma once
// A flat rectangle of Width x Height scene units centred on its position, lying in the object's
// local XY plane: its normal (front side) is Direction, its height runs along Up. XTiles / YTiles
// repeat the texture that many times across it. Pickable.

#include "scene/engine/TGLBaseSceneObject.h"

namespace vtx {

class TPlane : public TGLBaseSceneObject {
public:
    float Width = 1.0f;
    float Height = 1.0f;
    int XTiles = 1;
    int YTiles = 1;
    ObjectKind kind() const override { return ObjectKind::Plane; }
    bool pickable() const override { return true; }
};

} // namespace vtx
