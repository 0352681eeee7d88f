#pragma once

// The game's message window (306 x 184, panel "data\panel2.jpg"), shown
// through showMessage for every game message.
//
// showMessage(top, text, modal): messageText at top, its shadow messageShadow at
// top + 1 (one pixel left); lines are separated by CR LF. When the window is
// hidden it is shown, modally (returning after Ok or close, with the Ok
// button) or not (returning at once, without Ok; the caller hides it when its
// work is done). When it is already visible only the text and positions
// change, except that a modal message over one shown without a wait becomes
// modal itself, with its Ok button: a player can always close a message.
//
// Dragging: presses with 10 < x < 300 and 10 < y < 28.

#include "ui/SkinnedWindow.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QLabel;

namespace vtx {

class SkinButton;

class MessageWindow : public SkinnedWindow {
    Q_OBJECT
public:
    // Builds the window (buildControls). mainWindow gives the position: each
    // time the window is shown it is centred over it. It may be null (then the
    // window stays where Qt puts it).
    explicit MessageWindow(QWidget* mainWindow = nullptr);
    ~MessageWindow() override;

    void showMessage(int top, const QString& text, bool modal);
    // A modal message that does not wait: shown with its Ok button over the
    // other windows, it returns at once, and then runs when the player has
    // closed it (after the continuations of messages it replaced).
    void showMessageThen(int top, const QString& text, std::function<void()> then);
    // A message nobody will hide (a failed send in the middle of a match):
    // shown at once, without a modal wait, with its Ok button.
    void showNotice(int top, const QString& text);

    // A yes or no question, shown at once without a wait (no event loop of
    // its own: nothing runs in the middle of a caller). Yes, Enter or Y
    // answers true; No, Esc, N or closing the window answers false. The
    // answer is given once, after the window has hidden. Over a question
    // still open the new one replaces it and the old one is answered no.
    void ask(int top, const QString& text, std::function<void(bool yes)> answer);
    bool asking() const { return bool(m_answer); }
    // Takes a question away unanswered (its caller has no more use for it).
    void dropQuestion();

    // The message window that the free showMessage uses: the most recently
    // created one still alive.
    static MessageWindow* instance();

    QLabel* messageShadow = nullptr;
    QLabel* messageText = nullptr;
    SkinButton* okButton = nullptr;
    SkinButton* yesButton = nullptr;
    SkinButton* noButton = nullptr;

    bool modal() const { return m_modal; }

protected:
    void shown() override;
    void closing() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls(QWidget* mainWindow);
    void okClicked();
    void answer(bool yes);
    void showButtons(bool question);

    void showText(int top, const QString& text);

    QPointer<QWidget> m_mainWindow;
    bool m_modal = false;
    bool m_notice = false;
    std::function<void(bool)> m_answer;
    std::vector<std::function<void()>> m_then;
};

// The shared routine: shows text in the game's message window. Without a
// message window (never in the game) the text goes to the debug log.
void showMessage(int top, const QString& text, bool modal);

} // namespace vtx
