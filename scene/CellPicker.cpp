#include "scene/CellPicker.h"

#include "scene/Boards.h"
#include "scene/World.h"

#include <algorithm>
#include <cstdlib>

namespace vtx {

CellPicker::CellPicker(World& world, Boards& boards, Match& match)
    : m_world(world), m_boards(boards), m_match(match) {}

bool CellPicker::hovering() const {
    return m_match.state().hoverPicking || (hoverWanted && hoverWanted());
}

bool CellPicker::isCell(const SceneObject* object) const {
    return object && object->kind() == ObjectKind::Plane && object->tag == 0;
}

SceneObject* CellPicker::pickAt(int x, int y) {
    // While a fleet is arranged by hand, the ship being placed floats over the
    // cell under the pointer and, seen from above, hides it: the pick looks
    // through the own ship models then, so every visible cell can be hovered
    // and clicked. During a battle a model still covers its cell.
    if (m_match.state().arranging && pickThrough) {
        const auto& own = m_world.ownShipModels;
        return pickThrough(x, y, [&own](const SceneObject& object) {
            return std::find(own.begin(), own.end(), &object) != own.end();
        });
    }
    return pick ? pick(x, y) : nullptr;
}

void CellPicker::pointerMoved(int x, int y) {
    const MatchState& s = m_match.state();
    // After a match the boards stop answering; the camera still turns.
    if (!hovering() || s.gameWon || s.gameLost) return;
    m_hoverPending = true;
    m_hoverX = x;
    m_hoverY = y;
}

void CellPicker::pickHover() {
    if (!m_hoverPending) return;
    m_hoverPending = false;
    const MatchState& s = m_match.state();
    if (!hovering() || s.gameWon || s.gameLost) return;
    SceneObject* object = pickAt(m_hoverX, m_hoverY);
    if (isCell(object) && object != m_boards.hoveredCell) {
        if (s.arranging) m_match.cellHover(object->name);
        m_boards.hoveredCell = static_cast<Plane*>(object);
        if (cellHovered) cellHovered(object->name);
    }
}

void CellPicker::click(MouseButton button, int x, int y) {
    pickHover();
    SceneObject* object = pickAt(x, y);
    if (!isCell(object)) return;
    if (button == MouseButton::Right && m_match.state().arranging) {
        m_rightPending = true;
        m_rightX = x;
        m_rightY = y;
        m_rightCell = object->name;
        return;
    }
    m_match.cellMouseDown(object->name, button);
}

void CellPicker::release(MouseButton button, int x, int y) {
    if (button != MouseButton::Right || !m_rightPending) return;
    m_rightPending = false;
    if (std::abs(x - m_rightX) + std::abs(y - m_rightY) > ClickSlop || !m_match.state().arranging) return;
    m_match.cellMouseDown(m_rightCell, MouseButton::Right);
}

} // namespace vtx
