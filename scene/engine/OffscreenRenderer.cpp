#include "scene/engine/OffscreenRenderer.h"

#include "scene/engine/SurfaceFormat.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

#include <stdexcept>

namespace vtx {

OffscreenRenderer::OffscreenRenderer(int width, int height)
    : m_width(width > 0 ? width : 1), m_height(height > 0 ? height : 1) {
    const QSurfaceFormat format = engineSurfaceFormat();
    m_surface = std::make_unique<QOffscreenSurface>();
    m_surface->setFormat(format);
    m_surface->create();
    m_context = std::make_unique<QOpenGLContext>();
    m_context->setFormat(format);
    if (!m_context->create() || !m_context->makeCurrent(m_surface.get()))
        throw std::runtime_error("cannot create an OpenGL context");
    const QSurfaceFormat actual = m_context->format();
    if (actual.majorVersion() * 10 + actual.minorVersion() < 33)
        throw std::runtime_error("OpenGL 3.3 core is not available");
    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
    fboFormat.setInternalTextureFormat(GL_RGBA8);
    m_fbo = std::make_unique<QOpenGLFramebufferObject>(m_width, m_height, fboFormat);
    m_renderer.initialize();
}

OffscreenRenderer::~OffscreenRenderer() {
    if (m_context && m_context->makeCurrent(m_surface.get())) {
        m_renderer.releaseGL();
        m_fbo.reset();
        m_context->doneCurrent();
    }
}

RenderTarget OffscreenRenderer::target() const {
    RenderTarget t;
    t.framebuffer = m_fbo->handle();
    t.width = m_width;
    t.height = m_height;
    t.pixelRatio = hudScale > 0.0f ? hudScale : 1.0f;
    t.background = backgroundColor;
    return t;
}

void OffscreenRenderer::renderFrame(Scene& scene, Camera* camera) {
    m_context->makeCurrent(m_surface.get());
    m_renderer.render(scene, camera, target());
    m_context->extraFunctions()->glFinish();
}

QImage OffscreenRenderer::render(Scene& scene, Camera* camera) {
    m_context->makeCurrent(m_surface.get());
    m_renderer.render(scene, camera, target());
    return m_fbo->toImage(true);
}

SceneObject* OffscreenRenderer::pickObject(Scene& scene, Camera* camera, int x, int y) {
    m_context->makeCurrent(m_surface.get());
    return m_renderer.pick(scene, camera, target(), x, y);
}

} // namespace vtx
