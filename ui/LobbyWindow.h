#pragma once

// The LAN lobby window (306 x 184, panel "data\panel2.jpg" reloaded at every
// activation, dragged from any point of its picture). One player presses
// Create and is announced once a second on every subnet of the subnet list;
// the other sees the creator in gameList, selects it and presses Join. The
// empty list says that created games appear there, and a caption over each
// of Create and Join says what it does.
//
// The window shows and asks; its LobbyController (net/) does the work: the
// computer list "clients.cfg" and the first-run scan, the friends' look-ups,
// the presence and its questions, the server list and the join. While the
// first-run scan runs (from the window's creation on) the message window
// says so; a file that cannot be read or written is reported in an
// "Attention" box, and what was found stays in the lists.
//
// The main window shows the lobby with execModal(). However it is closed
// (Join, Cancel, or the main window when a join request arrives), closing
// empties the server list and stops the presence timer. The main window's
// datagram handler fills the list through the controller's hasServer and
// addServer; the list keeps the MaxServers latest creators (a flood of
// presences must not freeze it). A creator whose presence announced the
// extended protocol is marked with ExtendedMark after its name.
//
// A friend by address: the player types a host name or an IPv4 address in
// friendBox and presses addFriendButton (or Enter there; Enter anywhere else
// joins). The name is looked up without blocking the window; an unknown one
// is told in the message window. removeFriendButton removes the computer
// named in the field.
//
// From Join (or the main window's matchStarting on a creator) until the
// lobby closes, Cancel is off: the match is already starting on both sides.

#include "net/LobbyController.h"
#include "net/protocol/LobbyModel.h"
#include "ui/SkinnedWindow.h"

#include <QString>

class QComboBox;
class QLabel;
class QListWidget;
class QToolButton;

namespace vtx {

class SkinButton;

class LobbyWindow : public SkinnedWindow {
    Q_OBJECT
public:
    // host must outlive the window. mainWindow gives the position (may be
    // null). Without a scan source the real network is scanned (NetScan).
    LobbyWindow(ILobbyHost* host, QWidget* mainWindow, LobbyController::ScanSource scan = {});

    QLabel* addressLabel = nullptr;
    QListWidget* gameList = nullptr;
    SkinButton* createButton = nullptr;
    SkinButton* joinButton = nullptr;
    SkinButton* cancelButton = nullptr;
    QComboBox* friendBox = nullptr;
    QToolButton* addFriendButton = nullptr;
    QToolButton* removeFriendButton = nullptr;
    // Shown while gameList is empty: what comes into it.
    QLabel* emptyListLine = nullptr;
    // Over Create and Join: what each does, in a word.
    QLabel* createCaption = nullptr;
    QLabel* joinCaption = nullptr;

    static constexpr int MaxServers = int(LobbyModel::MaxServers);
    static inline const QString ExtendedMark = QStringLiteral("  \u2713");

    LobbyController& controller() { return m_controller; }
    const LobbyController& controller() const { return m_controller; }
    // A match with the lobby's opponent is starting: Cancel is off until the
    // lobby closes.
    void matchStarting();

    // Handlers, public so the game and tests can run them as the controls do.
    void createClicked();
    void joinClicked();
    void cancelClicked();
    void addFriendClicked();
    void removeFriendClicked();

protected:
    void shown() override;
    void closing() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(QWidget* mainWindow);
    void buildExplanations();
    void connectController();
    void switchButtons(bool on);
    void fillFriends();
    // What the controller reports.
    void scanStarted();
    void scanFinished();
    void serverAdded(bool oldestDropped);
    void friendFound(const QString& typed);
    void friendUnknown(const QString& typed);
    void friendRefused(const QString& typed, LobbyController::FriendRefusal why);
    // The line over the empty game list tells what became of the computer typed.
    void tellAboutFriend(const QString& text);
    QString shortName(const QString& typed) const;
    void reportNetworkProblem();

    ILobbyHost* m_host;
    LobbyController m_controller;
    bool m_matchStarting = false;
};

} // namespace vtx
