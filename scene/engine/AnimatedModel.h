#pragma once
// An animated model from an MD2 file, drawn at its position with its basis and Scale applied to the
// model's vertex coordinates, textured by its Material (texture coordinates from the model's skin).
//
// Animation: the actor shows currentFrame blended towards the next frame by the fraction of Interval
// (milliseconds per frame) elapsed; the cadencer advances it. Animations come from the frame names
// (see formats/AnimationNames.h). Right after loading, the current animation spans all frames.
// AnimationMode: AnimationMode::Loop (default) restarts at the current animation's first frame after its
// last, AnimationMode::PlayOnce stops on the last, AnimationMode::None does not advance.
// switchAnimation(name, smooth): smooth = true keeps the current frame and blends into the named
// animation's first frame, which becomes currentFrame at the next frame change; smooth = false jumps
// there at once. An unknown name does nothing.

#include "scene/engine/SceneObject.h"
#include "scene/engine/formats/AnimationNames.h"
#include "scene/engine/formats/Md2Mesh.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vtx {

enum class AnimationMode { None, PlayOnce, Loop };

class AnimatedModel : public SceneObject {
public:
    // Reads and parses the file and replaces the actor's frames (the old model stays on failure).
    // Backslashes in `path` count as directory separators. Actors loading an unchanged file while
    // another actor still holds its model share that model: one mesh in memory, one meshId, so one
    // GPU copy.
    // Throws std::runtime_error("Cannot open file " + path) when it cannot be opened, and
    // std::runtime_error with the parser's message when the file is malformed.
    void loadFromFile(const std::string& path);
    // The same from bytes in memory (throws on malformed data).
    void loadFromBytes(std::span<const unsigned char> bytes);

    int interval = 100; // milliseconds per frame
    AnimationMode animationMode = AnimationMode::Loop;
    // The animation moves the model by well under a pixel in FramePacer::driftInterval (a ship
    // rocking at anchor): a viewer may draw its changes that seldom (see PictureSignature.h).
    bool animationDrifts = false;

    int frameCount() const;
    int currentFrame() const { return m_current; }
    // Shows `frame` (clamped to the model's frames) from now, blending towards its successor.
    void setCurrentFrame(int frame);
    int nextFrame() const { return m_next; }
    // 0..1: how far the picture has blended from currentFrame towards nextFrame.
    float frameBlend() const { return m_blend; }
    int startFrame() const { return m_start; }
    int endFrame() const { return m_end; }
    const std::string& currentAnimation() const { return m_animation; }
    const std::vector<AnimationRange>& animations() const { return m_animations; }
    void switchAnimation(const std::string& name, bool smooth);

    // The GPU-ready mesh (nullptr before loading) and a unique number per loaded model (shared by the
    // actors sharing the model).
    const std::shared_ptr<const Md2Mesh>& mesh() const { return m_mesh; }
    std::uint64_t meshId() const { return m_meshId; }

    ObjectKind kind() const override { return ObjectKind::Actor; }
    bool pickable() const override { return true; }
    void doProgress(double deltaSeconds) override;

private:
    int successor(int frame) const;
    void adopt(std::shared_ptr<const Md2Mesh> mesh, std::uint64_t meshId,
               std::vector<AnimationRange> animations);

    std::shared_ptr<const Md2Mesh> m_mesh;
    std::uint64_t m_meshId = 0;
    std::vector<AnimationRange> m_animations;
    std::string m_animation;
    int m_start = 0, m_end = 0;
    int m_current = 0, m_next = 0;
    float m_blend = 0.0f;
};

} // namespace vtx
