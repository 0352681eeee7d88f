#pragma once
// The drawing surface: a widget that draws Scene through Camera (both set by the owner, not owned; keep
// them alive while the viewer shows them). Needs the 3.3 core default surface format
// (setDefaultSurfaceFormat() before QApplication).
//
// It draws into a native OpenGL window of its own, held in a window container, and swaps that window
// itself. An OpenGL widget would instead draw into a texture that Qt then blends, with the rest of the
// top-level window, into the window's own OpenGL surface at every frame: on a software renderer that
// second pass over every pixel of the window cost as much as drawing the world.
//
// invalidate() requests a redraw (coalesced by Qt). invalidateIfChanged(sceneTime) requests one only
// when the picture can differ from the last one requested (see PictureSignature.h), and paces it
// (see FramePacer.h): called at every cadencer tick with the cadencer's time it redraws a moved
// camera at once, any other change at most every pacer().motionInterval seconds (flames alone on a
// software renderer, and ships rocking at anchor, more seldom still), and lets the viewer rest
// while nothing changes; Qt still redraws on its own when the window is exposed or resized.
// Every frame is drawn whole and swapped: the back buffer's content after a swap, an expose or a
// resize is the window system's, so a frame drawn in part over it could show another moment.
// drawNow() draws the whole picture at once, where shown.
// Mouse presses, moves (tracked also without a button held) and releases are reported with the
// button(s), keyboard modifiers and the pixel position relative to the viewer's top-left, through the
// signals and the optional callbacks. pickObject(x, y) may be called at any time from the GUI thread
// (also inside a mouse handler).

#include "scene/engine/Camera.h"
#include "scene/engine/FramePacer.h"
#include "scene/engine/IObjectPicker.h"
#include "scene/engine/Scene.h"
#include "scene/engine/SceneRenderer.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QOpenGLContext;
class QMouseEvent;

namespace vtx {

class SceneView : public QWidget, public IObjectPicker {
    Q_OBJECT
public:
    explicit SceneView(QWidget* parent = nullptr);
    ~SceneView() override;

    Scene* scene = nullptr;
    Camera* camera = nullptr;
    glm::vec4 backgroundColor{0.0f, 0.0f, 0.0f, 1.0f};
    // Widget pixels per HUD unit: HUD texts are placed and sized in units of the viewer's size at
    // factor 1, so a viewer its window made larger by a factor keeps them where they were relative
    // to the picture and as large (the screen's own scale factor comes on top).
    float hudScale = 1.0f;

    void invalidate();
    void invalidateIfChanged(double sceneTime);
    FramePacer& pacer() { return m_pacer; }
    void drawNow();
    // Frames drawn on the window since construction.
    int framesDrawn() const { return m_framesDrawn; }
    // The scene as the viewer shows it now, drawn once more into an image of the viewer's pixels
    // (null while the viewer has no context yet).
    QImage grabFramebuffer();
    // IObjectPicker: the scene drawn once more into the pick buffer.
    SceneObject* pickObject(int x, int y) override;
    SceneObject* pickObjectThrough(int x, int y, const PickFilter& lookThrough) override;
    // Figures of the last drawn frame.
    RenderStats lastFrameStats() const { return m_renderer.stats(); }

    // The viewer's OpenGL context (null until first shown), and making it current for calls of one's own.
    QOpenGLContext* context() const;
    bool makeCurrent();
    void doneCurrent();

    // Optional callbacks, called before the signals of the same event.
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)> onMouseDown;
    std::function<void(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y)> onMouseMove;
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y)> onMouseUp;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    // A drawn frame was handed to the window system.
    void frameSwapped();

protected:
    // Events sent to the widget itself (the window inside forwards its own here too).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Surface;
    friend class Surface;
    void initializeGL();
    void paintGL();
    void draw(); // a requested frame
    void postDraw();
    void releaseGL();
    RenderTarget target(unsigned int framebuffer) const;
    Surface* m_surface = nullptr; // owned by the container
    QWidget* m_container = nullptr;
    SceneRenderer m_renderer;
    FramePacer m_pacer;
    int m_framesDrawn = 0;
    bool m_drawPosted = false;
};

} // namespace vtx
