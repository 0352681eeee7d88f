#pragma once
// A positional white light at the object's absolute position. The first visible light found in the
// tree lights the scene (diffuse Lambert, per vertex). constAttenuation 1 and spotCutOff 180 (all
// directions) are the only supported settings; other values are kept but drawn the same.

#include "scene/engine/SceneObject.h"

namespace vtx {

class LightSource : public SceneObject {
public:
    float constAttenuation = 1.0f;
    float spotCutOff = 180.0f;
    glm::vec4 diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    ObjectKind kind() const override { return ObjectKind::Light; }
};

} // namespace vtx
