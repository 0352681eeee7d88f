#include "scene/CameraFx.h"

#include "scene/World.h"

#include <algorithm>
#include <cmath>

namespace vtx {

CameraFx::CameraFx(World& world, const MatchState& state, IClock& clock)
    : m_world(world), m_state(state), m_clock(clock), m_homeTurn(world.worldRoot->turnAngle()),
      m_homeRoll(world.sky->rollAngle()) {}

void CameraFx::resetCreationState() {
    seaFrame = 0;
}

void CameraFx::recordIdleStart() {
    lastMouseMoveTick = m_clock.tickMs();
    savedWorldTurn = m_world.worldRoot->turnAngle();
}

void CameraFx::restartIdleWait() {
    idleSpin = false;
    recordIdleStart();
}

void CameraFx::tickTimerFired() {
    const MatchState& s = m_state;
    const std::int64_t now = m_clock.tickMs();

    if (s.gameInProgress || watching) {
        // Thinking over a shot is no idleness: the wait counts from the match's end.
        lastMouseMoveTick = now;
    } else if (now > lastMouseMoveTick + IdleAfterMs) {
        idleSpin = true;
    }

    if (idleSpin) {
        m_world.worldRoot->setTurnAngle(m_world.worldRoot->turnAngle() + SpinStep);
        m_world.sky->setRollAngle(m_world.sky->rollAngle() + SpinStep);
    }

    if (m_world.camera->position.y < CameraFloor) m_world.camera->position.y = CameraReset;

    m_world.sea->libMaterialName = World::waterMaterial(seaFrame);
    seaFrame = seaFrame >= World::WaterFrames - 1 ? 0 : seaFrame + 1;

    glm::vec3& rig = m_world.cameraRig->position;
    if (shakeActive && now > shakeStartTick + ShakeMs) {
        shakeActive = false;
        rig.x = shakeSavedX;
        rig.z = shakeSavedZ;
    } else if (shakeActive) {
        const float dx = float(randomBelow ? randomBelow(10) : 0) / 100.0f;
        const float dz = float(randomBelow ? randomBelow(10) : 0) / 100.0f;
        if (shakeToggle) {
            rig.x += dx;
            rig.z -= dz;
        } else {
            rig.x -= dx;
            rig.z += dz;
        }
        shakeToggle = !shakeToggle;
    } else {
        shakeSavedX = rig.x;
        shakeSavedZ = rig.z;
    }

    if ((s.gameInProgress || watching) && cursorOffsetY) {
        const int d = cursorOffsetY();
        if (d >= 32 && d <= 50 && rig.x > ScrollMinX) rig.x = std::max(ScrollMinX, rig.x - ScrollStep);
        if (d >= 582 && d <= 600 && rig.x < ScrollMaxX) rig.x = std::min(ScrollMaxX, rig.x + ScrollStep);
    }
}

void CameraFx::inputSeen() {
    if (idleSpin) {
        m_world.worldRoot->setTurnAngle(savedWorldTurn);
        m_world.sky->setRollAngle(savedWorldTurn);
    }
    savedWorldTurn = m_world.worldRoot->turnAngle();
    lastMouseMoveTick = m_clock.tickMs();
    idleSpin = false;
}

void CameraFx::viewMouseMoved(bool buttonOrModifierHeld, int x, int y) {
    // After a match too a move stops the idle spin and lets the player turn
    // the camera over the last picture (the boards stop answering: CellPicker).
    inputSeen();

    if (rightButtonHeld && rightButtonHeld() && buttonOrModifierHeld) {
        if (m_world.camera->position.y >= CameraReset || mouseY < y)
            m_world.camera->orbitTarget(float(mouseY - y), float(mouseX - x));
        mouseX = x;
        mouseY = y;
    }
}

void CameraFx::viewMousePressed(int x, int y) {
    mouseX = x;
    mouseY = y;
}

double CameraFx::heading() const {
    const glm::vec3 forward = m_world.sea->absolutePosition() - m_world.camera->absolutePosition();
    // Looking along -Z is north; the idle spin turns the world, north with it.
    const double degrees = glm::degrees(std::atan2(double(forward.x), double(-forward.z)));
    return degrees + double(m_world.worldRoot->turnAngle());
}

void CameraFx::bridgeView() {
    m_world.cameraRig->position = {10.0f, 10.0f, 10.0f};
    m_world.camera->position = World::CameraOffset;
    shakeActive = false;
    shakeSavedX = m_world.cameraRig->position.x;
    shakeSavedZ = m_world.cameraRig->position.z;
}

void CameraFx::firstView() {
    idleSpin = false;
    m_world.worldRoot->setTurnAngle(m_homeTurn);
    m_world.sky->setRollAngle(m_homeRoll);
    recordIdleStart();
    bridgeView();
}

void CameraFx::startShake() {
    shakeActive = true;
    shakeStartTick = m_clock.tickMs();
}

} // namespace vtx
