#pragma once
// How a surface is drawn: colours, an optional texture, blending and face culling.
//
// Colours are RGBA floats in 0..1. Lighting (when the scene has a LightSource): lit colour =
// Emission + Ambient * 0.2 + Diffuse * max(0, N.L), alpha = Diffuse alpha; a scene without a light
// draws every surface with its Diffuse colour plus Emission.
// Texture modes: TextureMode::Replace (the default) shows the texel as it is (alpha = texel alpha * Diffuse
// alpha); TextureMode::Modulate multiplies the texel with the lit colour. Blending: BlendMode::Opaque (no
// blending), BlendMode::Transparency (src * a + dst * (1 - a)), BlendMode::Additive (src * a + dst: black
// adds nothing, so it vanishes). Blended objects are drawn after the opaque ones in tree order; all materials
// write depth. Face culling: FaceCulling::Cull (the default) hides faces seen from behind (counter-clockwise
// = front); FaceCulling::NoCull draws both sides.
//
// Materials are values: copying one shares its texture image (images are immutable once loaded).

#include "scene/engine/TextureImage.h"

#include <glm/glm.hpp>

namespace vtx {

enum class BlendMode { Opaque, Transparency, Additive };
enum class TextureMode { Replace, Decal = Replace, Modulate };
enum class FaceCulling { Cull, NoCull };

struct FaceProperties {
    glm::vec4 diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    glm::vec4 ambient{0.2f, 0.2f, 0.2f, 1.0f};
    glm::vec4 emission{0.0f, 0.0f, 0.0f, 1.0f};
};

struct Texture {
    // A texture is used when it is not Disabled and its Image holds a picture.
    bool disabled = false;
    TextureMode textureMode = TextureMode::Replace;
    TextureImage image;
    bool active() const { return !disabled && !image.isEmpty(); }
};

struct Material {
    FaceProperties frontProperties;
    Texture texture;
    BlendMode blendingMode = BlendMode::Opaque;
    FaceCulling faceCulling = FaceCulling::Cull;
};

} // namespace vtx
