#pragma once
// Drives the scene in time. Each tick measures the real time elapsed since the previous one
// (std::chrono::steady_clock), advances every actor's animation and every fire manager referenced
// from Scene (each manager once per tick, hidden objects included) and then calls onProgress(deltaTime,
// newTime) and emits progressed(): seconds since the previous tick and since the cadencer started.
//
// Ticks come from a precise Qt timer (default every 16 ms, about the display's refresh) on the GUI
// thread while Enabled; the thread sleeps in between. progress(dt) runs one tick by hand with a
// chosen dt (tests, offscreen benchmarks), whether Enabled or not.
// Scene is not owned.

#include "scene/engine/Scene.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace vtx {

class FireSystem;

class FrameClock : public QObject {
    Q_OBJECT
public:
    explicit FrameClock(QObject* parent = nullptr);

    Scene* scene = nullptr;
    std::function<void(double deltaTime, double newTime)> onProgress;

    bool enabled() const { return m_timer.isActive(); }
    void setEnabled(bool enabled);

    // One tick advancing by deltaSeconds (negative values count as 0).
    void progress(double deltaSeconds);
    // Seconds advanced since the start.
    double currentTime() const { return m_time; }

signals:
    void progressed(double deltaTime, double newTime);

private:
    void tick();
    void advanceTree(SceneObject& object, double dt);

    QTimer m_timer;
    std::chrono::steady_clock::time_point m_last;
    double m_time = 0.0;
    std::uint64_t m_tick = 0;
};

} // namespace vtx
