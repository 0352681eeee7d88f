#pragma once
// The OpenGL context the engine needs: 3.3 core profile, 24-bit depth, 8-bit stencil, RGBA8.
// Call setDefaultSurfaceFormat() in main() BEFORE constructing the QApplication, so every
// viewer (SceneView) gets such a context.

#include <QSurfaceFormat>

namespace vtx {

QSurfaceFormat engineSurfaceFormat();
void setDefaultSurfaceFormat();

} // namespace vtx
