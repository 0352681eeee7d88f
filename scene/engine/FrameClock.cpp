#include "scene/engine/FrameClock.h"

#include "scene/engine/FireSystem.h"

namespace vtx {

FrameClock::FrameClock(QObject* parent) : QObject(parent) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(16);
    connect(&m_timer, &QTimer::timeout, this, &FrameClock::tick);
}

void FrameClock::setEnabled(bool enabled) {
    if (enabled == m_timer.isActive()) return;
    if (enabled) {
        m_last = std::chrono::steady_clock::now();
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

void FrameClock::tick() {
    const auto now = std::chrono::steady_clock::now();
    const double dt = std::chrono::duration<double>(now - m_last).count();
    m_last = now;
    progress(dt);
}

void FrameClock::advanceTree(SceneObject& object, double dt) {
    object.doProgress(dt);
    for (const FireEffect& fire : object.effects.items())
        if (fire.manager && fire.manager->lastTick != m_tick) {
            fire.manager->lastTick = m_tick;
            fire.manager->advance(dt);
        }
    for (int i = 0; i < object.count(); ++i)
        advanceTree(*object.children(i), dt);
}

void FrameClock::progress(double deltaSeconds) {
    const double dt = deltaSeconds > 0.0 ? deltaSeconds : 0.0;
    ++m_tick;
    if (scene) advanceTree(scene->objects(), dt);
    m_time += dt;
    if (onProgress) onProgress(dt, m_time);
    emit progressed(dt, m_time);
}

} // namespace vtx
