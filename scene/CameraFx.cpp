#include "scene/CameraFx.h"

#include "scene/World.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

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

    {
        Camera& camera = *m_world.camera;
        const bool fitted = m_fitted && camera.position == m_fittedOffset;
        glm::vec3& dragged = fitted ? m_draggedOffset : camera.position;
        if (dragged.y < CameraFloor) {
            dragged.y = CameraReset;
            if (fitted) fitToBoards();
        }
    }

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
        const float scrolledFrom = rig.x;
        const int d = cursorOffsetY();
        if (d >= 32 && d <= 50 && rig.x > ScrollMinX) rig.x = std::max(ScrollMinX, rig.x - ScrollStep);
        if (d >= 582 && d <= 600 && rig.x < ScrollMaxX) rig.x = std::min(ScrollMaxX, rig.x + ScrollStep);
        if (rig.x != scrolledFrom) fitToBoards();
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
        // The drag and its floor go by the camera as dragged, not as fitted.
        Camera& camera = *m_world.camera;
        const bool fitted = m_fitted && camera.position == m_fittedOffset;
        const glm::vec3 dragged = fitted ? m_draggedOffset : camera.position;
        if (dragged.y >= CameraReset || mouseY < y) {
            camera.position = dragged;
            camera.orbitTarget(float(mouseY - y), float(mouseX - x));
            fitToBoards();
        }
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

namespace {

// The four outer corners of a board at the cells' height, in the world
// root's space (cell centres at x = column - 5, z = row on the own board and
// row - 11 on the enemy board).
std::array<glm::vec3, 4> boardCorners(bool own) {
    const float z0 = own ? 0.5f : -10.5f;
    const float y = 0.1f;
    return {glm::vec3{-4.5f, y, z0}, glm::vec3{5.5f, y, z0}, glm::vec3{-4.5f, y, z0 + 10.0f},
            glm::vec3{5.5f, y, z0 + 10.0f}};
}

} // namespace

void CameraFx::fitToBoards() {
    Camera* camera = m_world.camera;
    if (!camera || !camera->targetObject) return;
    if (!m_fitted || camera->position != m_fittedOffset) m_draggedOffset = camera->position;
    camera->position = m_draggedOffset;
    const glm::vec3 target = camera->targetObject->absolutePosition();
    const glm::vec3 away = camera->absolutePosition() - target;
    const float dragged = glm::length(away);
    m_fitted = true;
    m_fittedOffset = camera->position;
    if (dragged < 1e-3f) return;

    const glm::mat4 root = m_world.worldRoot->absoluteMatrix();
    std::vector<glm::vec3> corners;
    const glm::vec3 own = glm::vec3(root * glm::vec4(0.5f, 0.1f, 5.5f, 1.0f));
    const glm::vec3 enemy = glm::vec3(root * glm::vec4(0.5f, 0.1f, -5.5f, 1.0f));
    const glm::vec3 eye = camera->absolutePosition();
    const bool ownNearer = glm::length(own - eye) <= glm::length(enemy - eye);
    const bool bothBoards = m_world.cameraRig->position.x >= ScrollMaxX - 1e-3f;
    for (const bool board : {true, false}) {
        if (!bothBoards && board != ownNearer) continue;
        for (const glm::vec3& c : boardCorners(board))
            corners.push_back(glm::vec3(root * glm::vec4(c, 1.0f)));
    }
    const float aspect = viewAspect ? viewAspect() : DefaultAspect;
    // A hair inside the edges, so that the outer frames' lines show whole.
    constexpr float Inside = 0.985f;
    const auto fits = [&](float distance) {
        camera->position = m_draggedOffset + away * (distance / dragged - 1.0f);
        const glm::mat4 toClip = camera->projectionMatrix(aspect) * camera->viewMatrix();
        for (const glm::vec3& c : corners) {
            const glm::vec4 clip = toClip * glm::vec4(c, 1.0f);
            if (clip.w <= 1e-4f || std::abs(clip.x) > Inside * clip.w || std::abs(clip.y) > Inside * clip.w)
                return false;
        }
        return true;
    };
    if (fits(dragged)) {
        camera->position = m_draggedOffset;
        return;
    }
    // Farther is wholly inside once the boards fill less than the view; the
    // far plane lies far beyond any distance this needs.
    float near = dragged;
    float far = dragged * 2.0f;
    for (int i = 0; i < 8 && !fits(far); ++i) {
        near = far;
        far *= 2.0f;
    }
    for (int i = 0; i < 24; ++i) {
        const float mid = 0.5f * (near + far);
        (fits(mid) ? far : near) = mid;
    }
    fits(far);
    m_fittedOffset = camera->position;
}

void CameraFx::startShake() {
    shakeActive = true;
    shakeStartTick = m_clock.tickMs();
}

} // namespace vtx
