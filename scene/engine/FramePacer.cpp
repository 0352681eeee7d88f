#include "scene/engine/FramePacer.h"

namespace vtx {

bool FramePacer::frameDue(const PictureSignatures& signatures, double now) {
    if (m_known && signatures == m_drawn) return false;
    // A small allowance: ticks of 1/60 s measured by a clock land a hair before the interval.
    const bool stillChanged = !m_known || signatures.still != m_drawn.still;
    if (!stillChanged && now - m_drawnAt < MotionInterval - 0.002) return false;
    m_drawn = signatures;
    m_drawnAt = now;
    m_known = true;
    return true;
}

} // namespace vtx
