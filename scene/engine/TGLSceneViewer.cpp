#include "scene/engine/TGLSceneViewer.h"

#include "scene/engine/PictureSignature.h"
#include "scene/engine/SurfaceFormat.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLWindow>
#include <QResizeEvent>

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
class TGLSceneViewer::Surface : public QOpenGLWindow {
public:
    explicit Surface(TGLSceneViewer& viewer)
        : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), m_viewer(viewer) {
        setFormat(engineSurfaceFormat());
        // The keyboard stays with the top-level window (its key handling and its activation).
        setFlag(Qt::WindowDoesNotAcceptFocus);
        connect(this, &QOpenGLWindow::frameSwapped, &viewer, &TGLSceneViewer::frameSwapped);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != drawEvent()) return QOpenGLWindow::event(event);
        m_viewer.m_drawPosted = false;
        m_viewer.draw();
        return true;
    }
    void initializeGL() override { m_viewer.initializeGL(); }
    void paintGL() override {
        // Qt swaps after this: what the back buffer holds then is the window system's affair.
        m_viewer.m_backBufferKept = false;
        m_viewer.paintGL();
    }
    void mousePressEvent(QMouseEvent* event) override { m_viewer.mousePressEvent(event); }
    void mouseMoveEvent(QMouseEvent* event) override { m_viewer.mouseMoveEvent(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { m_viewer.mouseReleaseEvent(event); }

private:
    TGLSceneViewer& m_viewer;
};

TGLSceneViewer::TGLSceneViewer(QWidget* parent) : QWidget(parent) {
    m_surface = new Surface(*this);
    m_container = QWidget::createWindowContainer(m_surface, this);
    m_container->setFocusPolicy(Qt::NoFocus);
    m_container->setGeometry(rect());
    setMouseTracking(true);
}

TGLSceneViewer::~TGLSceneViewer() {
    // Release the GPU copies while the context is there, then let the window (and with it the
    // context) go while this object is still whole: the window calls back into it.
    if (QOpenGLContext* gl = context()) disconnect(gl, nullptr, this, nullptr);
    releaseGL();
    delete m_container;
    m_container = nullptr;
    m_surface = nullptr;
}

QOpenGLContext* TGLSceneViewer::context() const {
    return m_surface->context();
}

bool TGLSceneViewer::makeCurrent() {
    if (!context()) return false;
    m_surface->makeCurrent();
    return true;
}

void TGLSceneViewer::doneCurrent() {
    if (context()) m_surface->doneCurrent();
}

void TGLSceneViewer::releaseGL() {
    if (!m_renderer.initialized() || !makeCurrent()) return;
    m_renderer.releaseGL();
    doneCurrent();
}

void TGLSceneViewer::initializeGL() {
    // A new context (first show, or the window made again): the old GPU copies belong to the old one.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &TGLSceneViewer::releaseGL,
            Qt::UniqueConnection);
    m_backBufferKept = false;
    m_presenter.attach(*context(), *m_surface);
    try {
        m_renderer.initialize();
    } catch (const std::exception& e) {
        // The log is printed already; the viewer stays blank rather than ending the program.
        qCritical("engine: the viewer cannot draw: %s", e.what());
    }
}

RenderTarget TGLSceneViewer::target(unsigned int framebuffer) const {
    RenderTarget t;
    t.framebuffer = framebuffer;
    const qreal ratio = m_surface->devicePixelRatio();
    t.width = int(width() * ratio);
    t.height = int(height() * ratio);
    t.pixelRatio = float(ratio) * (HudScale > 0.0f ? HudScale : 1.0f);
    t.background = BackgroundColor;
    return t;
}

void TGLSceneViewer::Invalidate() {
    m_wholeFrameWanted = true;
    postDraw();
}

void TGLSceneViewer::postDraw() {
    // Drawn at the event loop's next pass, once however often asked before.
    if (m_drawPosted) return;
    m_drawPosted = true;
    QCoreApplication::postEvent(m_surface, new QEvent(drawEvent()));
}

void TGLSceneViewer::InvalidateIfChanged(double sceneTime) {
    const PictureSignatures signatures = Scene ? pictureSignatures(*Scene, Camera) : PictureSignatures{};
    if (!m_pacer.frameDue(signatures, sceneTime)) return;
    if (m_pacer.flamesOnly())
        postDraw();
    else
        Invalidate();
}

void TGLSceneViewer::DrawNow() {
    m_wholeFrameWanted = true;
    draw();
}

void TGLSceneViewer::draw() {
    if (!m_surface->isExposed() || !makeCurrent()) return;
    const bool whole = m_wholeFrameWanted || !m_backBufferKept || !Scene;
    m_wholeFrameWanted = false;
    if (!m_presenter.available()) {
        paintGL();
        m_surface->context()->swapBuffers(m_surface);
    } else {
        const RenderTarget t = target(m_surface->defaultFramebufferObject());
        std::vector<PixelRect> shown{{0, 0, t.width, t.height}};
        if (whole) {
            paintGL();
        } else {
            shown = m_renderer.redrawFlames(*Scene, Camera, t);
            if (!shown.empty()) ++m_framesDrawn, ++m_partFramesDrawn;
        }
        for (const PixelRect& area : shown)
            m_presenter.show(area, t.height);
        m_backBufferKept = true;
    }
    emit frameSwapped();
}

void TGLSceneViewer::paintGL() {
    ++m_framesDrawn;
    const RenderTarget t = target(m_surface->defaultFramebufferObject());
    if (!Scene) {
        TGLScene empty;
        m_renderer.render(empty, nullptr, t);
        return;
    }
    m_renderer.render(*Scene, Camera, t);
}

QImage TGLSceneViewer::grabFramebuffer() {
    if (!m_renderer.initialized() || !makeCurrent()) return {};
    RenderTarget t = target(0);
    QOpenGLFramebufferObject buffer(QSize(t.width, t.height), QOpenGLFramebufferObject::CombinedDepthStencil);
    t.framebuffer = buffer.handle();
    if (Scene) {
        m_renderer.render(*Scene, Camera, t);
    } else {
        TGLScene empty;
        m_renderer.render(empty, nullptr, t);
    }
    QImage image = buffer.toImage();
    buffer.release();
    doneCurrent();
    return image;
}

TGLBaseSceneObject* TGLSceneViewer::PickObject(int x, int y) {
    if (!Scene || !Camera || !m_renderer.initialized() || !makeCurrent()) return nullptr;
    const qreal ratio = m_surface->devicePixelRatio();
    TGLBaseSceneObject* found = m_renderer.pick(*Scene, Camera, target(m_surface->defaultFramebufferObject()),
                                                int(x * ratio), int(y * ratio));
    doneCurrent();
    return found;
}

TGLBaseSceneObject* TGLSceneViewer::PickObjectThrough(int x, int y, const PickFilter& lookThrough) {
    if (!Scene || !Camera || !m_renderer.initialized() || !makeCurrent()) return nullptr;
    const qreal ratio = m_surface->devicePixelRatio();
    TGLBaseSceneObject* found = m_renderer.pick(*Scene, Camera, target(m_surface->defaultFramebufferObject()),
                                                int(x * ratio), int(y * ratio), lookThrough);
    doneCurrent();
    return found;
}

void TGLSceneViewer::resizeEvent(QResizeEvent* event) {
    m_container->setGeometry(QRect(QPoint(0, 0), event->size()));
    m_backBufferKept = false;
    QWidget::resizeEvent(event);
}

void TGLSceneViewer::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseDown) OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
    emit mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TGLSceneViewer::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseMove) OnMouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
    emit mouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void TGLSceneViewer::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseUp) OnMouseUp(event->button(), event->modifiers(), p.x(), p.y());
    emit mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

} // namespace vtx
