#include "scene/CellPicker.h"

#include "game/CellCursor.h"
#include "scene/Boards.h"
#include "scene/World.h"
#include "scene/engine/IObjectPicker.h"

#include <algorithm>
#include <cstdlib>

namespace vtx {

CellPicker::CellPicker(World& world, Boards& boards, const MatchState& state)
    : m_world(world), m_boards(boards), m_state(state) {}

bool CellPicker::hovering() const {
    // Outside an arrangement the pointer is picked only while a board is in
    // play: in the player's turn the keyboard's cursor frames its enemy cell.
    return m_state.hoverPicking || boardInPlay(m_state) != NoBoard;
}

SceneObject* CellPicker::pickAt(int x, int y) {
    if (!m_view) return nullptr;
    // While a fleet is arranged by hand, the ship being placed floats over the
    // cell under the pointer and, seen from above, hides it: the pick looks
    // through the own ship models then, so every visible cell can be hovered
    // and clicked. During a battle a model still covers its cell.
    if (m_state.arranging) {
        const auto& own = m_world.ownShipModels;
        return m_view->pickObjectThrough(x, y, [&own](const SceneObject& object) {
            return std::find(own.begin(), own.end(), &object) != own.end();
        });
    }
    return m_view->pickObject(x, y);
}

void CellPicker::pointerMoved(int x, int y) {
    // After a match the boards stop answering; the camera still turns.
    if (!hovering() || m_state.gameWon || m_state.gameLost) return;
    // A move to where the pointer already was (one the system makes up when
    // a window closes or the focus changes) is no move of the player's.
    if (m_pointerKnown && x == m_pointerX && y == m_pointerY) return;
    m_pointerKnown = true;
    m_pointerX = x;
    m_pointerY = y;
    m_hoverPending = true;
    m_hoverX = x;
    m_hoverY = y;
    m_hoverFrom = m_boards.hoveredCell;
}

std::optional<BoardCell> CellPicker::pickHover() {
    if (!m_hoverPending) return std::nullopt;
    m_hoverPending = false;
    if (!hovering() || m_state.gameWon || m_state.gameLost) return std::nullopt;
    // A key moved the cursor after this move and before its frame: the key's
    // cell stands, or one arrow would seem to jump to the pointer.
    if (m_boards.hoveredCell != m_hoverFrom) return std::nullopt;
    const auto cell = m_boards.cellOf(pickAt(m_hoverX, m_hoverY));
    if (!cell) return std::nullopt;
    Plane* plane = m_boards.cell(*cell);
    if (plane == m_boards.hoveredCell) return std::nullopt;
    m_boards.hoveredCell = plane;
    return cell;
}

std::optional<BoardCell> CellPicker::pressed(MouseButton button, int x, int y) {
    const auto cell = m_boards.cellOf(pickAt(x, y));
    if (!cell) return std::nullopt;
    if (button == MouseButton::Right && m_state.arranging) {
        m_rightPending = true;
        m_rightX = x;
        m_rightY = y;
        m_rightCell = cell;
        return std::nullopt;
    }
    return cell;
}

std::optional<BoardCell> CellPicker::released(MouseButton button, int x, int y) {
    if (button != MouseButton::Right || !m_rightPending) return std::nullopt;
    m_rightPending = false;
    if (std::abs(x - m_rightX) + std::abs(y - m_rightY) > ClickSlop || !m_state.arranging)
        return std::nullopt;
    return m_rightCell;
}

} // namespace vtx
