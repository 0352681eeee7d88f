#include "scene/engine/TGLCadencer.h"

#include "scene/engine/TGLFireFXManager.h"

namespace vtx {

TGLCadencer::TGLCadencer(QObject* parent) : QObject(parent) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(16);
    connect(&m_timer, &QTimer::timeout, this, &TGLCadencer::tick);
}

void TGLCadencer::setEnabled(bool enabled) {
    if (enabled == m_timer.isActive()) return;
    if (enabled) {
        m_last = std::chrono::steady_clock::now();
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

void TGLCadencer::tick() {
    const auto now = std::chrono::steady_clock::now();
    const double dt = std::chrono::duration<double>(now - m_last).count();
    m_last = now;
    progress(dt);
}

void TGLCadencer::advanceTree(TGLBaseSceneObject& object, double dt) {
    object.doProgress(dt);
    for (const TGLBFireFX& fire : object.Effects.items())
        if (fire.Manager && fire.Manager->lastTick != m_tick) {
            fire.Manager->lastTick = m_tick;
            fire.Manager->advance(dt);
        }
    for (int i = 0; i < object.Count(); ++i)
        advanceTree(*object.Children(i), dt);
}

void TGLCadencer::progress(double deltaSeconds) {
    const double dt = deltaSeconds > 0.0 ? deltaSeconds : 0.0;
    ++m_tick;
    if (Scene) advanceTree(Scene->Objects(), dt);
    m_time += dt;
    if (OnProgress) OnProgress(dt, m_time);
    emit progressed(dt, m_time);
}

} // namespace vtx
