#include "app/KeyboardControl.h"

#include "app/MainWindow.h"
#include "game/CellName.h"
#include "game/Match.h"
#include "scene/Boards.h"
#include "scene/CellCursorMark.h"
#include "ui/SkinButton.h"

#include <QKeyEvent>

namespace vtx {

namespace {

// The key names the hover texts are made of; Qt looks them up under this
// context when it writes a key sequence in the player's language.
[[maybe_unused]] const char* const kKeyNames[] = {
    QT_TRANSLATE_NOOP("QShortcut", "Ctrl"),
    QT_TRANSLATE_NOOP("QShortcut", "Esc"),
};

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
    addShortcut(window.exitButton, {QKeySequence(Qt::Key_Escape), ctrl(Qt::Key_Q)},
                [&window] { window.exitClicked(); });
    // The pointer is picked outside an arrangement only while a board is in
    // play: in the player's turn its enemy cell is framed.
    window.picker().hoverWanted = [this] { return m_cursor.boardInPlay() != 0; };
    window.picker().cellHovered = [this](std::string_view name) { cellHovered(name); };
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
        return m_cursor.move(Step::FirstColumn);
    case Qt::Key_End:
        return m_cursor.move(Step::LastColumn);
    case Qt::Key_PageUp:
        return m_cursor.move(Step::FirstRow);
    case Qt::Key_PageDown:
        return m_cursor.move(Step::LastRow);
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

void KeyboardControl::cellHovered(std::string_view name) {
    m_cursor.follow(name);
    refresh();
}

void KeyboardControl::refresh() {
    const std::int32_t board = m_cursor.boardInPlay();
    m_mark.show(m_cursor.shown(), board, m_cursor.row(), m_cursor.column());
    // The pointer's hover starts from the cursor's cell: moving the mouse
    // back onto the cell it left previews there again.
    if (board == OwnBoard && m_cursor.shown())
        m_boards.hoveredCell = m_boards.cell(OwnBoard, m_cursor.row(), m_cursor.column());
}

} // namespace vtx
