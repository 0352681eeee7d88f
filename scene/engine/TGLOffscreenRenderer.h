#pragma once
// Renders scenes without a window: its own QOffscreenSurface, OpenGL 3.3 core context and a
// framebuffer of width x height pixels (colour + 24-bit depth). For tests, benchmarks and screenshots.
// Needs a QGuiApplication (or QApplication); construct and use it on the GUI thread. The constructor
// throws std::runtime_error when no 3.3 core context can be made.
//
// The scene and camera passed in are not owned.

#include "scene/engine/SceneRenderer.h"
#include "scene/engine/TGLCamera.h"
#include "scene/engine/TGLScene.h"

#include <QImage>

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace vtx {

class TGLOffscreenRenderer {
public:
    TGLOffscreenRenderer(int width, int height);
    ~TGLOffscreenRenderer();
    TGLOffscreenRenderer(const TGLOffscreenRenderer&) = delete;
    TGLOffscreenRenderer& operator=(const TGLOffscreenRenderer&) = delete;

    glm::vec4 BackgroundColor{0.0f, 0.0f, 0.0f, 1.0f};
    // Pixels per HUD unit, as TGLSceneViewer::HudScale: a view rendered at a window's larger size
    // keeps its texts where and as large as they are relative to the picture.
    float HudScale = 1.0f;
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Draws one frame and waits until the GPU has finished it (no read-back).
    void renderFrame(TGLScene& scene, TGLCamera* camera);
    // Draws again only where flames moved since the last frame (SceneRenderer::redrawFlames) and
    // waits until it is finished; returns the pixels redrawn.
    std::vector<PixelRect> redrawFlames(TGLScene& scene, TGLCamera* camera);
    // Draws one frame and returns it (top row first, ARGB32).
    QImage render(TGLScene& scene, TGLCamera* camera);
    // The nearest pickable object drawn within one pixel of (x, y) (pixels from the top-left), or nullptr.
    TGLBaseSceneObject* PickObject(TGLScene& scene, TGLCamera* camera, int x, int y);
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
