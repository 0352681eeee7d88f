#pragma once

// Talk and another match in a LAN match with a copy of this version: the
// one-line chat field over the view's bottom edge (T, or the panel's Chat
// button, opens it; Enter sends, Esc closes), the last lines with their
// senders' names in the view's lower part, fading after LineLifeMs, and the
// Single button turned into "Play again" between two matches. Against a
// program that speaks only the plain protocol one line says it cannot chat.
//
// The view is a native GL window: the field and the lines are native
// windows of their own beside it, stacked over it (a plain widget would be
// drawn under the GL picture), opaque, and only as large as their text.
//
// Ownership: owns its widgets (children of the view and of the window);
// refers to the match, the LAN host and the window's parts, which outlive it.
// UI thread only.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFont>
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
class SkinButton;
struct WindowParts;

class ChatPanel {
    Q_DECLARE_TR_FUNCTIONS(ChatPanel)
public:
    static constexpr int ShownLines = 5;
    static constexpr qint64 LineLifeMs = 20000;

    ChatPanel(QWidget& window, QWidget& view, SkinButton& singleButton, Match& match, LanHost& lan,
              const WindowParts& parts);
    ~ChatPanel();

    // A key of the main window: true when it belongs to the chat (for the
    // open field, or T opening it); the battle keys must not see it.
    bool keyPress(const QKeyEvent& event);
    // Single's click: true when it was Play again.
    bool playAgainClicked();
    // The player goes back to the menu (the lobby) instead of another match.
    void menuChosen();

    // From the LAN host.
    void lineReceived(const QString& name, const QString& text);
    void rematchChanged();
    void rematchDeclined();

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
    void followTheSingleButton();

    QWidget& m_view;
    SkinButton& m_single;
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
    QString m_singleCaption;
    QFont m_singleFont;
    bool m_playAgainShown = false;
    bool m_plainTold = false;
    bool m_wasPossible = false;
    bool m_peerWanted = false;
    bool m_ownWanted = false;
};

} // namespace vtx
