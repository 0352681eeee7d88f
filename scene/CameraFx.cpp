#include "scene/CameraFx.h"

#include "scene/World.h"

#include <algorithm>
#include <cmath>

namespace vtx {

CameraFx::CameraFx(World& world, Match& match, IClock& clock)
    : m_world(world), m_match(match), m_clock(clock), m_homeTurn(world.worldRoot->turnAngle()),
      m_homeRoll(world.sky->rollAngle()) {}

void CameraFx::resetCreationState() {
    hudPulseStep = 5;
    seaFrame = 0;
}

void CameraFx::recordIdleStart() {
    lastMouseMoveTick = m_clock.tickMs();
    savedWorldTurn = m_world.worldRoot->turnAngle();
}

void CameraFx::tickTimerFired() {
    const MatchState& s = m_match.state();
    const std::int64_t now = m_clock.tickMs();

    if (s.gameInProgress) {
        // Thinking over a shot is no idleness: the wait counts from the match's end.
        lastMouseMoveTick = now;
    } else if (now > lastMouseMoveTick + IdleAfterMs) {
        m_match.setIdleSpin(true);
    }

    if (s.gameWon || s.gameLost) {
        if (s.hudPulse < 0) hudPulseStep = -hudPulseStep;
        if (s.hudPulse > 100) hudPulseStep = -hudPulseStep;
        // The pulse breathes between full and MessageAlphaLow, never out:
        // the result must read whenever the player looks.
        const float pulse = float(std::clamp(s.hudPulse, 0, 100)) / 100.0f;
        m_world.resultText->modulateColor = {1.0f, 1.0f, 1.0f,
                                             MessageAlphaLow + (1.0f - MessageAlphaLow) * pulse};
        m_match.setHudPulse(s.hudPulse + hudPulseStep);
    }

    if (s.idleSpin) {
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

    if (s.gameInProgress && cursorOffsetY) {
        const int d = cursorOffsetY();
        if (d >= 32 && d <= 50 && rig.x > ScrollMinX) rig.x = std::max(ScrollMinX, rig.x - ScrollStep);
        if (d >= 582 && d <= 600 && rig.x < ScrollMaxX) rig.x = std::min(ScrollMaxX, rig.x + ScrollStep);
    }
}

void CameraFx::inputSeen() {
    const MatchState& s = m_match.state();
    if (s.idleSpin) {
        m_world.worldRoot->setTurnAngle(savedWorldTurn);
        m_world.sky->setRollAngle(savedWorldTurn);
    }
    savedWorldTurn = m_world.worldRoot->turnAngle();
    lastMouseMoveTick = m_clock.tickMs();
    m_match.setIdleSpin(false);
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
    m_match.setIdleSpin(false);
    m_world.worldRoot->setTurnAngle(m_homeTurn);
    m_world.sky->setRollAngle(m_homeRoll);
    recordIdleStart();
    bridgeView();
}

void CameraFx::startShake() {
    shakeActive = true;
    shakeStartTick = m_clock.tickMs();
}

void CameraFx::showWinMessage() {
    m_world.resultText->position.x = 40.0f;
    m_world.resultText->text = "YOU WON THE GAME!";
    m_world.resultText->visible = true;
}

void CameraFx::showLossMessage() {
    m_world.resultText->position.x = 30.0f;
    m_world.resultText->text = "YOU LOST THE GAME!";
    m_world.resultText->visible = true;
}

void CameraFx::hideHudMessage() {
    m_world.resultText->visible = false;
}

void CameraFx::showLogo(bool visible) {
    m_world.logo->visible = visible;
}

} // namespace vtx
