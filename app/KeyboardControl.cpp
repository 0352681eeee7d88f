#include "app/KeyboardControl.h"

#include "app/MainWindow.h"
#include "game/Match.h"
#include "scene/Boards.h"
#include "scene/CellCursorMark.h"
#include "scene/World.h"
#include "scene/engine/SceneView.h"
#include "ui/SkinButton.h"

#include <QKeyEvent>
#include <QWindow>

namespace vtx {

namespace {

// The key names the hover texts are made of; Qt looks them up under this
// context when it writes a key sequence in the player's language.
[[maybe_unused]] const char* const kKeyNames[] = {
    QT_TRANSLATE_NOOP("QShortcut", "Ctrl"),
    QT_TRANSLATE_NOOP("QShortcut", "Esc"),
};

// The cells' centres where the view shows them now: the camera may have been
// dragged or have come closer since the last key.
CellCursor::ScreenCells screenCells(MainWindow& window, Boards& boards, Board board) {
    CellCursor::ScreenCells cells{};
    const SceneView* view = window.view;
    const Camera* camera = window.world().camera;
    if (!view || !camera || view->width() <= 0 || view->height() <= 0) return cells;
    const float w = float(view->width());
    const float h = float(view->height());
    const glm::mat4 toClip = camera->projectionMatrix(w / h) * camera->viewMatrix();
    for (int row = 1; row <= GridSize; ++row)
        for (int column = 1; column <= GridSize; ++column) {
            const Plane* cell = boards.cell(board, row, column);
            if (!cell) continue;
            const glm::vec4 clip = toClip * glm::vec4(cell->absolutePosition(), 1.0f);
            if (clip.w <= 1e-4f) continue; // behind the eye
            CellCursor::ScreenPoint& p = cells[std::size_t(row - 1)][std::size_t(column - 1)];
            p.x = (clip.x / clip.w + 1.0f) * 0.5f * w;
            p.y = (1.0f - clip.y / clip.w) * 0.5f * h;
            p.seen = true;
        }
    return cells;
}

} // namespace

KeyboardControl::KeyboardControl(Match& match, Boards& boards, CellCursorMark& mark)
    : m_match(match), m_boards(boards), m_mark(mark), m_cursor(match) {}

void KeyboardControl::attach(MainWindow& window) {
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    addShortcut(window.singleButton, {ctrl(Qt::Key_N)}, [&window] { window.singleClicked(); });
    addShortcut(window.networkButton, {ctrl(Qt::Key_L)}, [&window] { window.networkClicked(); });
    addShortcut(window.fightButton, {QKeySequence(Qt::Key_F)}, [&window] { window.fightClicked(); });
    addShortcut(window.optionsButton, {ctrl(Qt::Key_O)}, [&window] { window.optionsClicked(); });
    addShortcut(window.scoresButton, {ctrl(Qt::Key_H)}, [&window] { window.scoresClicked(); });
    addShortcut(window.exitButton, {ctrl(Qt::Key_Q)}, [&window] { window.exitClicked(); });
    // A stray Esc (meant for a window that has just closed) must not end the
    // program: in the menu it asks first (escapePressed).
    addShortcut(window.exitButton, {QKeySequence(Qt::Key_Escape)}, [&window] { window.escapePressed(); });
    window.exitButton->setToolTip(keysText({QKeySequence(Qt::Key_Escape), ctrl(Qt::Key_Q)}));
    m_cursor.screenCells = [this, &window](Board board) { return screenCells(window, m_boards, board); };
}

bool KeyboardControl::insideView(const QObject* receiver, const QWidget& window) {
    const auto* inner = qobject_cast<const QWindow*>(receiver);
    const QWindow* top = window.windowHandle();
    if (!inner || !top || inner == top) return false;
    for (const QWindow* w = inner->parent(); w; w = w->parent())
        if (w == top) return true;
    return false;
}

QString KeyboardControl::keysText(const QList<QKeySequence>& keys) {
    QStringList names;
    for (const QKeySequence& key : keys)
        names << key.toString(QKeySequence::NativeText);
    return names.join(QStringLiteral(", "));
}

void KeyboardControl::addShortcut(SkinButton* button, const QList<QKeySequence>& keys,
                                  std::function<void()> click) {
    m_shortcuts.append(Shortcut{button, keys, std::move(click)});
    button->setToolTip(keysText(keys));
}

bool KeyboardControl::keyPress(const QKeyEvent& event) {
    const QKeySequence pressed(event.keyCombination());
    for (const Shortcut& s : m_shortcuts) {
        if (!s.keys.contains(pressed)) continue;
        // A switched-off button takes no click, and so no key.
        if (s.button->isEnabled() && s.click) s.click();
        return true;
    }
    if (event.modifiers() & ~Qt::KeypadModifier) return false;
    const bool taken = cursorKey(event.key());
    if (taken) refresh();
    return taken;
}

bool KeyboardControl::cursorKey(int key) {
    using Step = CellCursor::Step;
    switch (key) {
    case Qt::Key_Up:
        return m_cursor.move(Step::Up);
    case Qt::Key_Down:
        return m_cursor.move(Step::Down);
    case Qt::Key_Left:
        return m_cursor.move(Step::Left);
    case Qt::Key_Right:
        return m_cursor.move(Step::Right);
    case Qt::Key_Home:
        return m_cursor.move(Step::FarLeft);
    case Qt::Key_End:
        return m_cursor.move(Step::FarRight);
    case Qt::Key_PageUp:
        return m_cursor.move(Step::FarUp);
    case Qt::Key_PageDown:
        return m_cursor.move(Step::FarDown);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return m_cursor.activate();
    case Qt::Key_Space:
        // While arranging, Space turns the ship (the main window's own rule).
        return m_cursor.boardInPlay() == EnemyBoard && m_cursor.activate();
    case Qt::Key_R:
        return m_cursor.turn();
    default:
        return false;
    }
}

void KeyboardControl::cellHovered(BoardCell cell) {
    m_cursor.follow(cell);
    refresh();
}

void KeyboardControl::refresh() {
    const Board board = m_cursor.boardInPlay();
    const bool used = board == EnemyBoard && m_match.state().usedEnemyCell(m_cursor.row(), m_cursor.column());
    m_mark.setLook(used ? CellCursorMark::UsedCellLook : CellCursorMark::CursorLook);
    m_mark.show(m_cursor.shown(), board, m_cursor.row(), m_cursor.column());
    // The pointer's hover starts from the cursor's cell: moving the mouse
    // back onto the cell it left previews there again, and a hover still
    // waiting for its frame gives way to the key (CellPicker::pickHover).
    if (board != NoBoard && m_cursor.shown())
        if (Plane* cell = m_boards.cell(board, m_cursor.row(), m_cursor.column())) m_boards.hoveredCell = cell;
}

} // namespace vtx
