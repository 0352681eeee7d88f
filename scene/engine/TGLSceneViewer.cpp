#include "scene/engine/TGLSceneViewer.h"

#include "scene/engine/PictureSignature.h"
#include "scene/engine/SurfaceFormat.h"

#include <QMouseEvent>
#include <QOpenGLContext>

#include <exception>

namespace vtx {

TGLSceneViewer::TGLSceneViewer(QWidget* parent) : QOpenGLWidget(parent)
{
    // Asked for explicitly, so the viewer works even when main() forgot the default format.
    setFormat(engineSurfaceFormat());
    setMouseTracking(true);
}

TGLSceneViewer::~TGLSceneViewer()
{
    // The base class destroys the context after this object's members are gone: release now and stop
    // listening, so its aboutToBeDestroyed does not reach a half-destroyed viewer.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
    releaseGL();
}

void TGLSceneViewer::releaseGL()
{
    if (!m_renderer.initialized() || !context())
        return;
    makeCurrent();
    m_renderer.releaseGL();
    doneCurrent();
}

void TGLSceneViewer::initializeGL()
{
    // A new context (first show or re-parenting): the old GPU copies belong to the old one.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &TGLSceneViewer::releaseGL, Qt::UniqueConnection);
    try {
        m_renderer.initialize();
    } catch (const std::exception& e) {
        // The log is printed already; the viewer stays blank rather than ending the program.
        qCritical("engine: the viewer cannot draw: %s", e.what());
    }
}

RenderTarget TGLSceneViewer::target() const
{
    RenderTarget t;
    t.framebuffer = defaultFramebufferObject();
    const qreal ratio = devicePixelRatioF();
    t.width = int(width() * ratio);
    t.height = int(height() * ratio);
    t.pixelRatio = float(ratio);
    t.background = BackgroundColor;
    return t;
}

void TGLSceneViewer::InvalidateIfChanged()
{
    const std::uint64_t signature = Scene ? pictureSignature(*Scene, Camera) : 0;
    if (signature == m_requestedSignature)
        return;
    m_requestedSignature = signature;
    update();
}

void TGLSceneViewer::paintGL()
{
    ++m_framesDrawn;
    if (!Scene) {
        RenderTarget t = target();
        TGLScene empty;
        m_renderer.render(empty, nullptr, t);
        return;
    }
    m_renderer.render(*Scene, Camera, target());
}

TGLBaseSceneObject* TGLSceneViewer::PickObject(int x, int y)
{
    if (!Scene || !Camera || !m_renderer.initialized())
        return nullptr;
    makeCurrent();
    const qreal ratio = devicePixelRatioF();
    TGLBaseSceneObject* found = m_renderer.pick(*Scene, Camera, target(), int(x * ratio), int(y * ratio));
    doneCurrent();
    return found;
}

TGLBaseSceneObject* TGLSceneViewer::PickObjectThrough(int x, int y, const PickFilter& lookThrough)
{
    if (!Scene || !Camera || !m_renderer.initialized())
        return nullptr;
    makeCurrent();
    const qreal ratio = devicePixelRatioF();
    TGLBaseSceneObject* found =
        m_renderer.pick(*Scene, Camera, target(), int(x * ratio), int(y * ratio), lookThrough);
    doneCurrent();
    return found;
}

void TGLSceneViewer::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
    emit mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TGLSceneViewer::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
    emit mouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void TGLSceneViewer::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    emit mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

} // namespace vtx
