#include "scene/engine/SceneView.h"

#include "scene/engine/PictureSignature.h"
#include "scene/engine/SurfaceFormat.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLWindow>
#include <QResizeEvent>

#include <cstring>
#include <exception>

namespace vtx {

namespace {
QEvent::Type drawEvent() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}
} // namespace

// The native window the viewer draws into; its input goes to the viewer. Qt draws it when it is
// exposed; the viewer draws it whenever the picture changes.
class SceneView::Surface : public QOpenGLWindow {
public:
    explicit Surface(SceneView& viewer) : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), m_viewer(viewer) {
        setFormat(engineSurfaceFormat());
        // The keyboard stays with the top-level window (its key handling and its activation).
        setFlag(Qt::WindowDoesNotAcceptFocus);
        connect(this, &QOpenGLWindow::frameSwapped, &viewer, &SceneView::frameSwapped);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != drawEvent()) return QOpenGLWindow::event(event);
        m_viewer.m_drawPosted = false;
        m_viewer.draw();
        return true;
    }
    void initializeGL() override { m_viewer.initializeGL(); }
    void paintGL() override { m_viewer.paintGL(); }
    void mousePressEvent(QMouseEvent* event) override { m_viewer.mousePressEvent(event); }
    void mouseMoveEvent(QMouseEvent* event) override { m_viewer.mouseMoveEvent(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { m_viewer.mouseReleaseEvent(event); }

private:
    SceneView& m_viewer;
};

SceneView::SceneView(QWidget* parent) : QWidget(parent) {
    m_surface = new Surface(*this);
    m_container = QWidget::createWindowContainer(m_surface, this);
    m_container->setFocusPolicy(Qt::NoFocus);
    m_container->setGeometry(rect());
    setMouseTracking(true);
}

SceneView::~SceneView() {
    // Release the GPU copies while the context is there, then let the window (and with it the
    // context) go while this object is still whole: the window calls back into it.
    if (QOpenGLContext* gl = context()) disconnect(gl, nullptr, this, nullptr);
    releaseGL();
    delete m_container;
    m_container = nullptr;
    m_surface = nullptr;
}

QOpenGLContext* SceneView::context() const {
    return m_surface->context();
}

bool SceneView::makeCurrent() {
    if (!context()) return false;
    m_surface->makeCurrent();
    return true;
}

void SceneView::doneCurrent() {
    if (context()) m_surface->doneCurrent();
}

void SceneView::releaseGL() {
    if (!m_renderer.initialized() || !makeCurrent()) return;
    m_renderer.releaseGL();
    doneCurrent();
}

void SceneView::initializeGL() {
    // A new context (first show, or the window made again): the old GPU copies belong to the old one.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &SceneView::releaseGL,
            Qt::UniqueConnection);
    // On a graphics card a whole frame costs next to nothing: flames move at the scene's beat there.
    const auto* renderer = reinterpret_cast<const char*>(context()->functions()->glGetString(GL_RENDERER));
    const bool software = !renderer || std::strstr(renderer, "llvmpipe") ||
                          std::strstr(renderer, "softpipe") || std::strstr(renderer, "swrast");
    m_pacer.flameInterval = software ? FramePacer::DefaultDriftInterval : m_pacer.motionInterval;
    try {
        m_renderer.initialize();
    } catch (const std::exception& e) {
        // The log is printed already; the viewer stays blank rather than ending the program.
        qCritical("engine: the viewer cannot draw: %s", e.what());
    }
}

RenderTarget SceneView::target(unsigned int framebuffer) const {
    RenderTarget t;
    t.framebuffer = framebuffer;
    const qreal ratio = m_surface->devicePixelRatio();
    t.width = int(width() * ratio);
    t.height = int(height() * ratio);
    t.pixelRatio = float(ratio) * (hudScale > 0.0f ? hudScale : 1.0f);
    t.background = backgroundColor;
    return t;
}

void SceneView::invalidate() {
    postDraw();
}

void SceneView::postDraw() {
    // Drawn at the event loop's next pass, once however often asked before.
    if (m_drawPosted) return;
    m_drawPosted = true;
    QCoreApplication::postEvent(m_surface, new QEvent(drawEvent()));
}

void SceneView::invalidateIfChanged(double sceneTime) {
    const PictureSignatures signatures = scene ? pictureSignatures(*scene, camera) : PictureSignatures{};
    if (m_pacer.frameDue(signatures, sceneTime)) postDraw();
}

void SceneView::drawNow() {
    draw();
}

void SceneView::draw() {
    if (!m_surface->isExposed() || !makeCurrent()) return;
    paintGL();
    m_surface->context()->swapBuffers(m_surface);
    emit frameSwapped();
}

void SceneView::paintGL() {
    ++m_framesDrawn;
    const RenderTarget t = target(m_surface->defaultFramebufferObject());
    if (!scene) {
        Scene empty;
        m_renderer.render(empty, nullptr, t);
        return;
    }
    m_renderer.render(*scene, camera, t);
}

QImage SceneView::grabFramebuffer() {
    if (!m_renderer.initialized() || !makeCurrent()) return {};
    RenderTarget t = target(0);
    QOpenGLFramebufferObject buffer(QSize(t.width, t.height), QOpenGLFramebufferObject::CombinedDepthStencil);
    t.framebuffer = buffer.handle();
    if (scene) {
        m_renderer.render(*scene, camera, t);
    } else {
        Scene empty;
        m_renderer.render(empty, nullptr, t);
    }
    QImage image = buffer.toImage();
    buffer.release();
    doneCurrent();
    return image;
}

SceneObject* SceneView::pickObject(int x, int y) {
    if (!scene || !camera || !m_renderer.initialized() || !makeCurrent()) return nullptr;
    const qreal ratio = m_surface->devicePixelRatio();
    SceneObject* found = m_renderer.pick(*scene, camera, target(m_surface->defaultFramebufferObject()),
                                         int(x * ratio), int(y * ratio));
    doneCurrent();
    return found;
}

SceneObject* SceneView::pickObjectThrough(int x, int y, const PickFilter& lookThrough) {
    if (!scene || !camera || !m_renderer.initialized() || !makeCurrent()) return nullptr;
    const qreal ratio = m_surface->devicePixelRatio();
    SceneObject* found = m_renderer.pick(*scene, camera, target(m_surface->defaultFramebufferObject()),
                                         int(x * ratio), int(y * ratio), lookThrough);
    doneCurrent();
    return found;
}

void SceneView::resizeEvent(QResizeEvent* event) {
    m_container->setGeometry(QRect(QPoint(0, 0), event->size()));
    QWidget::resizeEvent(event);
}

void SceneView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseDown) onMouseDown(event->button(), event->modifiers(), p.x(), p.y());
    emit mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void SceneView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseMove) onMouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
    emit mouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void SceneView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseUp) onMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    emit mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

} // namespace vtx
