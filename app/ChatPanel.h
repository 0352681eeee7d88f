#pragma once

// The chat of a LAN match with a copy of this version: the one-line chat
// field over the view's bottom edge (T, or the panel's Chat button, opens it;
// Enter sends, Esc closes), and the last lines with their senders' names in
// the view's lower part, fading after LineLifeMs. The game's own lines stand
// there too, without a name (what PlayAgain says between two matches).
// Against a program that speaks only the plain protocol one line says it
// cannot chat.
//
// The view is a native GL window: the field and the lines are native
// windows of their own beside it, stacked over it (a plain widget would be
// drawn under the GL picture), opaque, and only as large as their text.
//
// Ownership: owns its widgets (children of the window); refers to the view,
// the match, the LAN host and the window's parts, which outlive it.
// UI thread only.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRect>
#include <QString>

#include <deque>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vtx {

class LanHost;
class Match;
struct WindowParts;

class ChatPanel {
    Q_DECLARE_TR_FUNCTIONS(ChatPanel)
public:
    static constexpr int ShownLines = 5;
    static constexpr qint64 LineLifeMs = 20000;

    ChatPanel(QWidget& window, QWidget& view, Match& match, LanHost& lan, const WindowParts& parts);
    ~ChatPanel();

    // A key of the main window: true when it belongs to the chat (for the
    // open field, or T opening it); the battle keys must not see it.
    bool keyPress(const QKeyEvent& event);
    // From the LAN host.
    void lineReceived(const QString& name, const QString& text);
    // A line of the game's own, shown without a name.
    void showGameLine(const QString& text);
    // The game's own lines are gone (what they said is done).
    void dropGameLines();

    // The window's 100 ms tick: the link's state shown, lines faded and gone.
    void refresh();

    bool fieldOpen() const;
    QLineEdit* field() const { return m_field; }
    QPushButton* button() const { return m_button; }
    // The last line shown, "name: text"; empty before the first.
    const QString& lastLine() const { return m_lastLine; }

private:
    struct Line {
        QString name; // empty for the game's own lines
        QString text;
        qint64 shownAt = 0;
    };
    void openField();
    void closeField();
    void sendTyped();
    void addLine(const QString& name, const QString& text);
    void placeWidgets();
    void showLines();

    QWidget& m_view;
    Match& m_match;
    LanHost& m_lan;
    const WindowParts& m_parts;
    QLineEdit* m_field = nullptr;
    QLabel* m_lines = nullptr;
    QPushButton* m_button = nullptr;
    QElapsedTimer m_age;
    std::deque<Line> m_shown;
    QString m_lastLine;
    QString m_shownHtml;
    QRect m_viewPlace;
    bool m_plainTold = false;
};

} // namespace vtx
