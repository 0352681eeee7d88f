#pragma once
// A fingerprint of everything that decides the picture of a scene seen through a camera: the camera,
// and for every visible object its place in the tree, transform, material in effect (texture picture,
// colours, blending), the kind's own figures (plane size, actor frames and blend, terrain settings,
// sky bands, HUD text and colour, light colour) and its live fire particles.
//
// Two equal signatures mean the same picture (for the same target size and background), so a viewer
// can skip frames in which nothing moved. A fire with live particles changes the signature at every
// cadencer tick (they move); an idle actor (AnimationMode::None, or hidden) does not. Hidden objects and
// their subtrees do not count. Cheap: one walk of the tree with no allocation; GUI thread only.

#include "scene/engine/Scene.h"

#include <cstdint>

namespace vtx {

class Camera;

std::uint64_t pictureSignature(const Scene& scene, const Camera* camera);

// The same fingerprint in parts: view covers the camera (where it is, where it looks, its lens),
// scene everything in the tree but drift, the animation frames of actors whose animation drifts
// (AnimatedModel::animationDrifts), and flames, where the live fire particles are. A viewer may draw a
// change of view at once, so that the picture follows the hand that drags the camera, pace the
// changes of the scene, and draw a drift or flames that nothing else moved more seldom still.
struct PictureSignatures {
    std::uint64_t view = 0;
    std::uint64_t scene = 0;
    std::uint64_t drift = 0;
    std::uint64_t flames = 0;
    bool operator==(const PictureSignatures&) const = default;
};
PictureSignatures pictureSignatures(const Scene& scene, const Camera* camera);

} // namespace vtx
