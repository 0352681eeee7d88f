#pragma once
// A positional white light at the object's absolute position. The first visible light found in the
// tree lights the scene (diffuse Lambert, per vertex). ConstAttenuation 1 and SpotCutOff 180 (all
// directions) are the only supported settings; other values are kept but drawn the same.

#include "scene/engine/TGLBaseSceneObject.h"

namespace vtx {

class TGLLightSource : public TGLBaseSceneObject {
public:
    float ConstAttenuation = 1.0f;
    float SpotCutOff = 180.0f;
    glm::vec4 Diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    ObjectKind kind() const override { return ObjectKind::Light; }
};

} // namespace vtx
