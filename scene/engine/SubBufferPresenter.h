#pragma once
// Shows a part of a window's back buffer without swapping (GLX_MESA_copy_sub_buffer): the back
// buffer keeps the whole last picture, so the next frame may redraw only what changed in it.
//
// Only where that pays and is sure: a software renderer (where every pixel drawn costs the CPU)
// on a GLX context that offers the extension. Elsewhere available() is false and the viewer
// swaps whole frames as before. GUI thread, the window's context current.

#include "scene/engine/SceneRenderer.h"

class QOpenGLContext;
class QWindow;

namespace vtx {

class SubBufferPresenter {
public:
    // Looks for the extension on the window's current context; call again for a new context.
    void attach(QOpenGLContext& context, QWindow& window);
    bool available() const { return m_copy != nullptr; }
    // Shows `area` (device pixels from the top-left) of a back buffer `height` pixels high.
    void show(const PixelRect& area, int height) const;

private:
    using CopySubBuffer = void (*)(void* display, unsigned long drawable, int x, int y, int width, int height);
    CopySubBuffer m_copy = nullptr;
    void* m_display = nullptr;
    unsigned long m_drawable = 0;
};

} // namespace vtx
