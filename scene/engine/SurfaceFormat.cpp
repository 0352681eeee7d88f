#include "scene/engine/SurfaceFormat.h"

namespace vtx {

QSurfaceFormat engineSurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setSwapInterval(1);
    return format;
}

void setDefaultSurfaceFormat() {
    QSurfaceFormat::setDefaultFormat(engineSurfaceFormat());
}

} // namespace vtx
