#include "scene/CameraFx.h"

#include "scene/World.h"

#include <algorithm>
#include <cmath>

namespace vtx {

CameraFx::CameraFx(World& world, Match& match, IClock& clock)
    : m_world(world), m_match(match), m_clock(clock), m_homeTurn(world.WorldRoot->TurnAngle()),
      m_homeRoll(world.SkyDome1->RollAngle()) {}

void CameraFx::ResetCreationState() {
    HudPulseStep = 5;
    SeaFrame = 0;
}

void CameraFx::RecordIdleStart() {
    LastMouseMoveTick = m_clock.tickMs();
    SavedWorldTurn = m_world.WorldRoot->TurnAngle();
}

void CameraFx::timerScrollTimer() {
    const MatchState& s = m_match.state();
    const std::int64_t now = m_clock.tickMs();

    if (s.GameInProgress) {
        // Thinking over a shot is no idleness: the wait counts from the match's end.
        LastMouseMoveTick = now;
    } else if (now > LastMouseMoveTick + IdleAfterMs) {
        m_match.SetIdleSpin(true);
    }

    if (s.GameWon || s.GameLost) {
        if (s.HudPulse < 0) HudPulseStep = -HudPulseStep;
        if (s.HudPulse > 100) HudPulseStep = -HudPulseStep;
        // The pulse breathes between full and MessageAlphaLow, never out:
        // the result must read whenever the player looks.
        const float pulse = float(std::clamp(s.HudPulse, 0, 100)) / 100.0f;
        m_world.HUDText1->ModulateColor = {1.0f, 1.0f, 1.0f,
                                           MessageAlphaLow + (1.0f - MessageAlphaLow) * pulse};
        m_match.SetHudPulse(s.HudPulse + HudPulseStep);
    }

    if (s.IdleSpin) {
        m_world.WorldRoot->setTurnAngle(m_world.WorldRoot->TurnAngle() + SpinStep);
        m_world.SkyDome1->setRollAngle(m_world.SkyDome1->RollAngle() + SpinStep);
    }

    if (m_world.GLCamera1->Position.y < CameraFloor) m_world.GLCamera1->Position.y = CameraReset;

    m_world.Plane1->LibMaterialName = "LibMaterial" + std::to_string(SeaFrame);
    SeaFrame = SeaFrame >= World::WaterFrames - 1 ? 0 : SeaFrame + 1;

    glm::vec3& rig = m_world.Camera->Position;
    if (ShakeActive && now > ShakeStartTick + ShakeMs) {
        ShakeActive = false;
        rig.x = ShakeSavedX;
        rig.z = ShakeSavedZ;
    } else if (ShakeActive) {
        const float dx = float(randomBelow ? randomBelow(10) : 0) / 100.0f;
        const float dz = float(randomBelow ? randomBelow(10) : 0) / 100.0f;
        if (ShakeToggle) {
            rig.x += dx;
            rig.z -= dz;
        } else {
            rig.x -= dx;
            rig.z += dz;
        }
        ShakeToggle = !ShakeToggle;
    } else {
        ShakeSavedX = rig.x;
        ShakeSavedZ = rig.z;
    }

    if (s.GameInProgress && cursorOffsetY) {
        const int d = cursorOffsetY();
        if (d >= 32 && d <= 50 && rig.x > ScrollMinX) rig.x = std::max(ScrollMinX, rig.x - ScrollStep);
        if (d >= 582 && d <= 600 && rig.x < ScrollMaxX) rig.x = std::min(ScrollMaxX, rig.x + ScrollStep);
    }
}

void CameraFx::InputSeen() {
    const MatchState& s = m_match.state();
    if (s.IdleSpin) {
        m_world.WorldRoot->setTurnAngle(SavedWorldTurn);
        m_world.SkyDome1->setRollAngle(SavedWorldTurn);
    }
    SavedWorldTurn = m_world.WorldRoot->TurnAngle();
    LastMouseMoveTick = m_clock.tickMs();
    m_match.SetIdleSpin(false);
}

void CameraFx::GLSceneViewer1MouseMove(bool buttonOrModifierHeld, int x, int y) {
    // After a match too a move stops the idle spin and lets the player turn
    // the camera over the last picture (the boards stop answering: CellPicker).
    InputSeen();

    if (rightButtonHeld && rightButtonHeld() && buttonOrModifierHeld) {
        if (m_world.GLCamera1->Position.y >= CameraReset || MouseY < y)
            m_world.GLCamera1->OrbitTarget(float(MouseY - y), float(MouseX - x));
        MouseX = x;
        MouseY = y;
    }
}

void CameraFx::GLSceneViewer1MouseDown(int x, int y) {
    MouseX = x;
    MouseY = y;
}

double CameraFx::Heading() const {
    const glm::vec3 forward = m_world.Plane1->AbsolutePosition() - m_world.GLCamera1->AbsolutePosition();
    // Looking along -Z is north; the idle spin turns the world, north with it.
    const double degrees = glm::degrees(std::atan2(double(forward.x), double(-forward.z)));
    return degrees + double(m_world.WorldRoot->TurnAngle());
}

void CameraFx::BridgeView() {
    m_world.Camera->Position = {10.0f, 10.0f, 10.0f};
    m_world.GLCamera1->Position = World::CameraOffset;
    ShakeActive = false;
    ShakeSavedX = m_world.Camera->Position.x;
    ShakeSavedZ = m_world.Camera->Position.z;
}

void CameraFx::FirstView() {
    m_match.SetIdleSpin(false);
    m_world.WorldRoot->setTurnAngle(m_homeTurn);
    m_world.SkyDome1->setRollAngle(m_homeRoll);
    RecordIdleStart();
    BridgeView();
}

void CameraFx::StartShake() {
    ShakeActive = true;
    ShakeStartTick = m_clock.tickMs();
}

void CameraFx::ShowWinMessage() {
    m_world.HUDText1->Position.x = 40.0f;
    m_world.HUDText1->Text = "YOU WON THE GAME!";
    m_world.HUDText1->Visible = true;
}

void CameraFx::ShowLossMessage() {
    m_world.HUDText1->Position.x = 30.0f;
    m_world.HUDText1->Text = "YOU LOST THE GAME!";
    m_world.HUDText1->Visible = true;
}

void CameraFx::HideHudMessage() {
    m_world.HUDText1->Visible = false;
}

void CameraFx::ShowLogo(bool visible) {
    m_world.HUDText2->Visible = visible;
}

} // namespace vtx
