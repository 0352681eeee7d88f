#pragma once
// Renders scenes without a window: its own QOffscreenSurface, OpenGL 3.3 core context and a
// framebuffer of width x height pixels (colour + 24-bit depth). For tests, benchmarks and screenshots.
// Needs a QGuiApplication (or QApplication); construct and use it on the GUI thread. The constructor
// throws std::runtime_error when no 3.3 core context can be made.
//
// The scene and camera passed in are not owned.

#include "scene/engine/Camera.h"
#include "scene/engine/Scene.h"
#include "scene/engine/SceneRenderer.h"

#include <QImage>

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace vtx {

class OffscreenRenderer {
public:
    OffscreenRenderer(int width, int height);
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    glm::vec4 backgroundColor{0.0f, 0.0f, 0.0f, 1.0f};
    // Pixels per HUD unit, as SceneView::hudScale: a view rendered at a window's larger size
    // keeps its texts where and as large as they are relative to the picture.
    float hudScale = 1.0f;
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Draws one frame and waits until the GPU has finished it (no read-back).
    void renderFrame(Scene& scene, Camera* camera);
    // Draws one frame and returns it (top row first, ARGB32).
    QImage render(Scene& scene, Camera* camera);
    // The nearest pickable object drawn within one pixel of (x, y) (pixels from the top-left), or nullptr.
    SceneObject* pickObject(Scene& scene, Camera* camera, int x, int y);
    RenderStats lastFrameStats() const { return m_renderer.stats(); }

private:
    RenderTarget target() const;
    int m_width, m_height;
    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
    SceneRenderer m_renderer;
};

} // namespace vtx
