#pragma once
// The drawing surface: a QOpenGLWidget that draws Scene through Camera (both set by the owner, not
// owned; keep them alive while the viewer shows them). Needs the 3.3 core default surface format
// (setDefaultSurfaceFormat() before QApplication).
//
// Invalidate() requests a redraw (coalesced by Qt). InvalidateIfChanged() requests one only when the
// picture can differ from the last one requested (see PictureSignature.h): called at every cadencer
// tick it redraws while something moves and lets the viewer rest while nothing does; Qt still
// redraws on its own when the window is exposed or resized. Mouse presses, moves (tracked also without a
// button held) and releases are reported with the button(s), keyboard modifiers and the pixel
// position relative to the viewer's top-left, through the signals and the optional callbacks.
// PickObject(x, y) may be called at any time from the GUI thread (also inside a mouse handler).

#include "scene/engine/SceneRenderer.h"
#include "scene/engine/TGLCamera.h"
#include "scene/engine/TGLScene.h"

#include <QOpenGLWidget>

#include <functional>

namespace vtx {

class TGLSceneViewer : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit TGLSceneViewer(QWidget* parent = nullptr);
    ~TGLSceneViewer() override;

    TGLScene* Scene = nullptr;
    TGLCamera* Camera = nullptr;
    glm::vec4 BackgroundColor{0.0f, 0.0f, 0.0f, 1.0f};

    void Invalidate() { update(); }
    void InvalidateIfChanged();
    // Frames drawn since construction (paintGL calls).
    int framesDrawn() const { return m_framesDrawn; }
    // The nearest pickable object drawn within one pixel of (x, y), or nullptr.
    TGLBaseSceneObject* PickObject(int x, int y);
    // The same, looking through the objects lookThrough accepts (e.g. a model floating over the cell
    // the pointer is on).
    TGLBaseSceneObject* PickObjectThrough(int x, int y, const PickFilter& lookThrough);
    // Figures of the last drawn frame.
    RenderStats lastFrameStats() const { return m_renderer.stats(); }

    // Optional callbacks, called before the signals of the same event.
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)> OnMouseDown;
    std::function<void(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)> OnMouseUp;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void releaseGL();
    RenderTarget target() const;
    SceneRenderer m_renderer;
    std::uint64_t m_requestedSignature = 0;
    int m_framesDrawn = 0;
};

} // namespace vtx
