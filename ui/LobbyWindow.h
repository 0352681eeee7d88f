#pragma once

// The LAN lobby (306 x 184, panel "data\panel2.jpg" reloaded at every
// activation, dragged from any point of its picture). One player presses
// Create and is announced once a second on every subnet of the subnet list;
// the other sees the creator in gameList, selects it and presses Join. The
// empty list says that created games appear there, and a caption over each
// of Create and Join says what it does.
//
// At creation the lobby reads "clients.cfg" from the host's startDir into its
// model (LobbyModel: the computers, and the subnet broadcast addresses that
// follow from them). When the file is missing (the first run) it scans the
// local network (NetScan) while the message window says so, and writes the
// file; a failed write is reported in an "Attention" box and what was found
// stays in the lists.
//
// The main window shows the lobby with execModal(). However it is closed
// (Join, Cancel, or the main window when a join request arrives), closing
// empties the server list and stops the presence timer. The main window's
// datagram handler fills the list through hasServer/addServer; the list keeps
// the MaxServers latest creators (a flood of presences must not freeze it).
// A creator whose presence announced the extended protocol is marked with
// ExtendedMark after its name.
//
// Presence goes to every subnet of the subnet list and also, addressed to
// each, to the computers listed in "clients.cfg" and to those that asked for
// it, so a player beyond a router is reached.
//
// A friend by address: the player types a host name or an IPv4 address in
// friendBox and presses addFriendButton (or Enter there; Enter anywhere else
// joins). The name is looked up without blocking the window; an unknown one
// is told in the message window.
// A found computer is added to "clients.cfg" (its own line format) and asked
// for its presence at once (the presence query), and again every 2 seconds
// while the lobby is open and not creating, so its game is listed as soon as
// it answers. removeFriendButton removes the computer named in the field.
//
// From Join (or the main window's matchStarting on a creator) until the
// lobby closes, Cancel is off: the match is already starting on both sides.

#include "net/protocol/LobbyModel.h"
#include "ui/SkinnedWindow.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QHostInfo;
class QLabel;
class QListWidget;
class QTimer;
class QToolButton;

namespace vtx {

class ILobbyHost;
class SkinButton;

class LobbyWindow : public SkinnedWindow {
    Q_OBJECT
public:
    // The computers of the first-run scan: (name, dotted address) pairs, the
    // address empty when the name did not resolve.
    using ScanSource = std::function<QList<std::pair<QString, QString>>()>;

    // host must outlive the window. mainWindow gives the position (may be
    // null). Without a scan source the real network is scanned (NetScan).
    LobbyWindow(ILobbyHost* host, QWidget* mainWindow, ScanSource scan = {});

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
    QTimer* announceTimer = nullptr;
    // Asks the computers of the list for their presence while the lobby is
    // open and not creating.
    QTimer* queryTimer = nullptr;

    static constexpr int MaxServers = int(LobbyModel::MaxServers);
    static inline const QString ExtendedMark = QStringLiteral("  \u2713");

    // True when some line of gameList, cut to 15 characters and trimmed,
    // equals ip.
    bool hasServer(const QString& ip) const;
    // Appends the server line for a presence message and selects line 0;
    // beyond MaxServers lines the oldest goes.
    void addServer(const QString& fromIP, const QByteArray& presenceText);
    // Whether line row's creator announced the extended protocol.
    bool serverExtended(int row) const;
    // The subnet broadcast addresses, in list order.
    QStringList subNets() const;
    const LobbyModel& model() const { return m_model; }
    // A match with the lobby's opponent is starting: Cancel is off until the
    // lobby closes.
    void matchStarting();
    // A lobby of this version at fromIP asked for this side's presence: a
    // creating lobby answers at once and announces itself there from now on.
    void presenceAsked(const QString& fromIP);

    // Handlers, public so the game and tests can run them as the controls do.
    void createClicked();
    void joinClicked();
    void cancelClicked();
    void announceTimerFired();
    void queryTimerFired();
    void addFriendClicked();
    void removeFriendClicked();

protected:
    void shown() override;
    void closing() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(QWidget* mainWindow);
    void buildExplanations();
    void scanAndSaveClients();
    void scanClients();
    void addScannedComputers();
    void switchButtons(bool on);
    QByteArray presence() const;
    void friendFound(const QString& typed, const QHostInfo& info);
    void saveClients();
    void fillFriends();

    ILobbyHost* m_host;
    ScanSource m_scan;
    LobbyModel m_model;
    bool m_matchStarting = false;
};

} // namespace vtx
