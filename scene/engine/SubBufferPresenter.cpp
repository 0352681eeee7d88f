#include "scene/engine/SubBufferPresenter.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <QtGui/qopenglcontext_platform.h>

#include <cstring>

namespace vtx {

void SubBufferPresenter::attach(QOpenGLContext& context, QWindow& window) {
    m_copy = nullptr;
#if QT_CONFIG(xcb) && QT_CONFIG(xcb_glx_plugin)
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display() || !context.nativeInterface<QNativeInterface::QGLXContext>()) return;
    // On a graphics card a whole frame costs next to nothing and a swap keeps to the display's beat.
    const auto* renderer = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    if (!renderer || !(std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe") ||
                       std::strstr(renderer, "swrast")))
        return;
    using QueryExtensions = const char* (*)(void* display, int screen);
    const auto query = reinterpret_cast<QueryExtensions>(context.getProcAddress("glXQueryExtensionsString"));
    const char* extensions = query ? query(x11->display(), 0) : nullptr;
    if (!extensions || !std::strstr(extensions, "GLX_MESA_copy_sub_buffer")) return;
    m_display = x11->display();
    m_drawable = static_cast<unsigned long>(window.winId());
    m_copy = reinterpret_cast<CopySubBuffer>(context.getProcAddress("glXCopySubBufferMESA"));
#else
    (void)context;
    (void)window;
#endif
}

void SubBufferPresenter::show(const PixelRect& area, int height) const {
    if (!m_copy || area.empty()) return;
    m_copy(m_display, m_drawable, area.x, height - area.y - area.height, area.width, area.height);
}

} // namespace vtx
