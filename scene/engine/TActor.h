#pragma once
// An animated model from an MD2 file, drawn at its position with its basis and Scale applied to the
// model's vertex coordinates, textured by its Material (texture coordinates from the model's skin).
//
// Animation: the actor shows CurrentFrame blended towards the next frame by the fraction of Interval
// (milliseconds per frame) elapsed; the cadencer advances it. Animations come from the frame names
// (see formats/AnimationNames.h). Right after loading, the current animation spans all frames.
// AnimationMode: aamLoop (default) restarts at the current animation's first frame after its last,
// aamPlayOnce stops on the last, aamNone does not advance.
// SwitchAnimation(name, smooth): smooth = true keeps the current frame and blends into the named
// animation's first frame, which becomes CurrentFrame at the next frame change; smooth = false jumps
// there at once. An unknown name does nothing.

#include "scene/engine/TGLBaseSceneObject.h"
#include "scene/engine/formats/AnimationNames.h"
#include "scene/engine/formats/Md2Mesh.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vtx {

enum TActorAnimationMode { aamNone, aamPlayOnce, aamLoop };

class TActor : public TGLBaseSceneObject {
public:
    // Reads and parses the file and replaces the actor's frames (the old model stays on failure).
    // Backslashes in `path` count as directory separators. Actors loading an unchanged file while
    // another actor still holds its model share that model: one mesh in memory, one meshId, so one
    // GPU copy.
    // Throws std::runtime_error("Cannot open file " + path) when it cannot be opened, and
    // std::runtime_error with the parser's message when the file is malformed.
    void LoadFromFile(const std::string& path);
    // The same from bytes in memory (throws on malformed data).
    void loadFromBytes(std::span<const unsigned char> bytes);

    int Interval = 100; // milliseconds per frame
    TActorAnimationMode AnimationMode = aamLoop;
    // The animation moves the model by well under a pixel in FramePacer::DriftInterval (a ship
    // rocking at anchor): a viewer may draw its changes that seldom (see PictureSignature.h).
    bool AnimationDrifts = false;

    int FrameCount() const;
    int CurrentFrame() const { return m_current; }
    // Shows `frame` (clamped to the model's frames) from now, blending towards its successor.
    void setCurrentFrame(int frame);
    int NextFrame() const { return m_next; }
    // 0..1: how far the picture has blended from CurrentFrame towards NextFrame.
    float frameBlend() const { return m_blend; }
    int StartFrame() const { return m_start; }
    int EndFrame() const { return m_end; }
    const std::string& CurrentAnimation() const { return m_animation; }
    const std::vector<AnimationRange>& Animations() const { return m_animations; }
    void SwitchAnimation(const std::string& name, bool smooth);

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
