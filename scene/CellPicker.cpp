#include "scene/CellPicker.h"

#include "scene/Boards.h"
#include "scene/World.h"

#include <algorithm>
#include <cstdlib>

namespace vtx {

CellPicker::CellPicker(World& world, Boards& boards, Match& match)
    : m_world(world), m_boards(boards), m_match(match) {}

bool CellPicker::hovering() const {
    return m_match.state().HoverPicking || (hoverWanted && hoverWanted());
}

bool CellPicker::isCell(const TGLBaseSceneObject* object) const {
    return object && object->kind() == ObjectKind::Plane && object->Tag == 0;
}

TGLBaseSceneObject* CellPicker::pickAt(int x, int y) {
    // While a fleet is arranged by hand, the ship being placed floats over the
    // cell under the pointer and, seen from above, hides it: the pick looks
    // through the own ship models then, so every visible cell can be hovered
    // and clicked. During a battle a model still covers its cell.
    if (m_match.state().Arranging && pickThrough) {
        const auto& own = m_world.OwnShipModels;
        return pickThrough(x, y, [&own](const TGLBaseSceneObject& object) {
            return std::find(own.begin(), own.end(), &object) != own.end();
        });
    }
    return pick ? pick(x, y) : nullptr;
}

void CellPicker::PointerMoved(int x, int y) {
    const MatchState& s = m_match.state();
    // After a match the boards stop answering; the camera still turns.
    if (!hovering() || s.GameWon || s.GameLost) return;
    m_hoverPending = true;
    m_hoverX = x;
    m_hoverY = y;
}

void CellPicker::PickHover() {
    if (!m_hoverPending) return;
    m_hoverPending = false;
    const MatchState& s = m_match.state();
    if (!hovering() || s.GameWon || s.GameLost) return;
    TGLBaseSceneObject* object = pickAt(m_hoverX, m_hoverY);
    if (isCell(object) && object != m_boards.HoveredCell) {
        if (s.Arranging) m_match.CellHover(object->Name);
        m_boards.HoveredCell = static_cast<TPlane*>(object);
        if (cellHovered) cellHovered(object->Name);
    }
}

void CellPicker::Click(MouseButton button, int x, int y) {
    PickHover();
    TGLBaseSceneObject* object = pickAt(x, y);
    if (!isCell(object)) return;
    if (button == MouseButton::Right && m_match.state().Arranging) {
        m_rightPending = true;
        m_rightX = x;
        m_rightY = y;
        m_rightCell = object->Name;
        return;
    }
    m_match.CellMouseDown(object->Name, button);
}

void CellPicker::Release(MouseButton button, int x, int y) {
    if (button != MouseButton::Right || !m_rightPending) return;
    m_rightPending = false;
    if (std::abs(x - m_rightX) + std::abs(y - m_rightY) > ClickSlop || !m_match.state().Arranging) return;
    m_match.CellMouseDown(m_rightCell, MouseButton::Right);
}

} // namespace vtx
