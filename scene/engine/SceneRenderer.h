#pragma once
// Draws a Scene through a camera into the framebuffer of the CURRENT OpenGL 3.3 core context, and
// picks objects there. One SceneRenderer per context: it owns the shaders and the GPU copies of
// meshes and textures (created on first use, dropped when unused for a while).
//
// Call order: initialize() once with the context current; then render()/pick() (context current);
// releaseGL() with the context current before the context goes away (the destructor makes no GL calls).
// SceneView and OffscreenRenderer do all of this; use SceneRenderer directly only for a context
// of your own.
//
// Each frame sets all the GL state it relies on (the context may be shared with Qt's own drawing).
// Pass order: opaque objects, sky domes (at the far plane, only where nothing opaque was drawn),
// blended objects in tree order (planes of one opaque or additive material batched), fire particles
// (additive, depth-tested, no depth write), HUD texts.

#include "scene/engine/Scene.h"

#include <QOpenGLExtraFunctions>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vtx {

class Camera;

struct RenderStats {
    int drawCalls = 0;
    long long triangles = 0;
    int meshUploads = 0;    // model meshes copied to the GPU during the frame
    int textureUploads = 0; // pictures copied to the GPU during the frame
    int gpuMeshes = 0;      // model meshes held on the GPU after the frame
    int terrainTiles = 0;
    int particles = 0;
};

// Says which pickable objects a pick looks through (true: not drawn into the pick, so what lies behind
// them is found).
using PickFilter = std::function<bool(const SceneObject&)>;

struct RenderTarget {
    unsigned int framebuffer = 0; // GL framebuffer object name to draw into
    int width = 0, height = 0;    // pixels
    // Pixels per viewer unit (the screen's scale factor). HUD texts are placed
    // and sized in viewer units, so they keep their place and size relative to
    // the viewer whatever the factor.
    float pixelRatio = 1.0f;
    glm::vec4 background{0.0f, 0.0f, 0.0f, 1.0f};
};

class SceneRenderer {
public:
    SceneRenderer();
    ~SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // Compiles and links the shaders; throws std::runtime_error with the log on failure.
    void initialize();
    bool initialized() const;
    void releaseGL();

    // Draws the scene; a null camera only clears.
    void render(Scene& scene, Camera* camera, const RenderTarget& target);
    // The nearest pickable object drawn within one pixel of (x, y) (pixels from the target's top-left):
    // the 3 x 3 square around it. nullptr when nothing is there. Leaves target.framebuffer bound.
    SceneObject* pick(Scene& scene, Camera* camera, const RenderTarget& target, int x, int y);
    // The same, looking through the objects lookThrough accepts.
    SceneObject* pick(Scene& scene, Camera* camera, const RenderTarget& target, int x, int y,
                      const PickFilter& lookThrough);

    const RenderStats& stats() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

} // namespace vtx
