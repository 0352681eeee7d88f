#include "scene/engine/FireSystem.h"

namespace vtx {

void FireSystem::advance(double deltaSeconds) {
    if (disabled || paused || deltaSeconds <= 0.0) return;
    // Long stalls (a modal dialog, a breakpoint) would otherwise emit a burst all at once.
    const double step = deltaSeconds > 0.25 ? 0.25 : deltaSeconds;
    m_particles.advance(static_cast<float>(step));
}

} // namespace vtx
