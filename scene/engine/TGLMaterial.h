#pragma once
// How a surface is drawn: colours, an optional texture, blending and face culling.
//
// Colours are RGBA floats in 0..1. Lighting (when the scene has a TGLLightSource): lit colour =
// Emission + Ambient * 0.2 + Diffuse * max(0, N.L), alpha = Diffuse alpha; a scene without a light
// draws every surface with its Diffuse colour plus Emission.
// Texture modes: tmReplace (the default) shows the texel as it is (alpha = texel alpha * Diffuse alpha);
// tmModulate multiplies the texel with the lit colour.
// Blending: bmOpaque (no blending), bmTransparency (src * a + dst * (1 - a)),
// bmAdditive (src * a + dst: black adds nothing, so it vanishes). Blended objects are drawn after the
// opaque ones in tree order; all materials write depth.
// Face culling: fcCull (the default) hides faces seen from behind (counter-clockwise = front);
// fcNoCull draws both sides.
//
// Materials are values: copying one shares its texture image (images are immutable once loaded).

#include "scene/engine/TGLTextureImage.h"

#include <glm/glm.hpp>

namespace vtx {

enum TGLBlendingMode { bmOpaque, bmTransparency, bmAdditive };
enum TGLTextureMode { tmReplace, tmDecal = tmReplace, tmModulate };
enum TGLFaceCulling { fcCull, fcNoCull };

struct TGLFaceProperties {
    glm::vec4 Diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    glm::vec4 Ambient{0.2f, 0.2f, 0.2f, 1.0f};
    glm::vec4 Emission{0.0f, 0.0f, 0.0f, 1.0f};
};

struct TGLTexture {
    // A texture is used when it is not Disabled and its Image holds a picture.
    bool Disabled = false;
    TGLTextureMode TextureMode = tmReplace;
    TGLTextureImage Image;
    bool active() const { return !Disabled && !Image.isEmpty(); }
};

struct TGLMaterial {
    TGLFaceProperties FrontProperties;
    TGLTexture Texture;
    TGLBlendingMode BlendingMode = bmOpaque;
    TGLFaceCulling FaceCulling = fcCull;
};

} // namespace vtx
