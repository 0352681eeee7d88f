#include "scene/engine/FramePacer.h"

namespace vtx {

bool FramePacer::frameDue(const PictureSignatures& signatures, double now) {
    if (m_known && signatures == m_drawn) return false;
    const bool viewChanged = !m_known || signatures.view != m_drawn.view;
    const bool sceneChanged = !m_known || signatures.scene != m_drawn.scene;
    // A small allowance: ticks measured by a clock land a hair before the time they were meant for.
    constexpr double allowance = 0.002;
    if (!viewChanged && now < m_nextDue - allowance) return false;
    const double wait = signatures.flames != m_drawn.flames ? flameInterval : driftInterval;
    if (!viewChanged && !sceneChanged && now < m_lastDrawn + wait - allowance) return false;
    // The next scene frame keeps to a steady beat (24 a second from 60 ticks: every 2nd or 3rd
    // tick) unless the beat was lost for longer than one interval.
    m_nextDue =
        !viewChanged && now - m_nextDue < motionInterval ? m_nextDue + motionInterval : now + motionInterval;
    m_drawn = signatures;
    m_lastDrawn = now;
    m_known = true;
    return true;
}

} // namespace vtx
