#include "scene/engine/TGLFireFXManager.h"

namespace vtx {

void TGLFireFXManager::advance(double deltaSeconds) {
    if (Disabled || Paused || deltaSeconds <= 0.0) return;
    // Long stalls (a modal dialog, a breakpoint) would otherwise emit a burst all at once.
    const double step = deltaSeconds > 0.25 ? 0.25 : deltaSeconds;
    m_particles.advance(static_cast<float>(step));
}

} // namespace vtx
