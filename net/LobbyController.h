#pragma once

// What the LAN lobby does, without a window: the window (ui/LobbyWindow)
// shows it and asks, this does the work, and a test drives it alone.
//
//   - "clients.cfg" in the host's startDir: read by loadClients into the
//     LobbyModel (the computers, and the subnet broadcast addresses that
//     follow from them). When the file is missing (the first run) the local
//     network is scanned (NetScan, in steps from the event loop: the lobby
//     stays usable meanwhile) and the file written with what was found. A
//     file that is there but unreadable, or one the scan cannot write, is a
//     networkProblem; what was found stays in the lists.
//   - A friend by name or address (addFriend): a text that can name no other
//     computer is refused at once with its reason (friendRefused); otherwise
//     friendAsked says at once that the computer is being asked. A name is
//     looked up without blocking, one at a time, for at most LookupWaitMs
//     (friendUnknown after). Every IPv4 address found is added to the file
//     and asked for its presence (the presence query), or sent the presence
//     while creating. Only an answer from an address asked counts:
//     friendAnswered, or friendSilent when none came within AnswerWaitMs;
//     the address is asked on with the others of the list either way.
//     removeFriend takes computers out of the file again.
//   - While the lobby is open and not creating, the computers of the list
//     are asked for their presence every AskIntervalMs (queryTimer), so a
//     game beyond a router is listed as soon as it answers.
//   - Create: the presence every AnnounceIntervalMs (announceTimer) to each
//     subnet of the list and, addressed to each, to the computers of the
//     list and to those that asked for it (presenceAsked). The plain lobby's
//     14 characters of the name in Latin-1 (a character beyond it shown as
//     '?'), the whole name in UTF-8 after the tag.
//   - The creators heard, from the main window's datagram handler
//     (hasServer, addServer): at most LobbyModel::MaxServers, the latest.
//   - Join: the match's network state set for the chosen creator, the join
//     request sent (the extended one when its presence carried the tag) and
//     the match started.
//
// Everything runs on the UI thread and returns at once; what takes time (the
// scan, a look-up) reports through a signal from the event loop.

#include "net/ILobbyHost.h"
#include "net/NetScan.h"
#include "net/protocol/LobbyModel.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QTimer;

namespace vtx {

class LobbyController : public QObject {
    Q_OBJECT
public:
    static constexpr int AnnounceIntervalMs = 1000;
    static constexpr int AskIntervalMs = 2000;
    static constexpr int LookupWaitMs = 5000;
    static constexpr int AnswerWaitMs = 5000;
    // A DNS name's longest text form.
    static constexpr int MaxFriendLength = 253;
    enum class FriendRefusal { TooLong, NotAnAddress, Ipv6, Broadcast, ThisComputer };
    // The computers of a first-run scan, found at once (tests); without one
    // the real network is scanned (NetScan).
    using ScanSource = std::function<QList<ScannedHost>()>;

    // host must outlive the controller.
    explicit LobbyController(ILobbyHost& host, ScanSource scan = {}, QObject* parent = nullptr);

    // Reads "clients.cfg", or starts the first-run scan when there is none.
    // Once, after the window has connected the signals.
    void loadClients();
    bool scanning() const { return m_scanning; }

    const LobbyModel& model() const { return m_model; }
    // The subnet broadcast addresses, in list order.
    QStringList subNets() const;

    // The window opened: network mode, and the computers of the list are
    // asked for their games unless this side creates one.
    void opened();
    // The window closed, however: the server list and the askers are
    // forgotten, the timers stop.
    void closed();
    // This side creates a game and announces it.
    void create();
    // Back to the menu: network mode off, the Single button on.
    void cancel();
    // Joins the creator of server line row (which must exist) and starts the match.
    void join(int row);

    // Whether a creator with the address ip is listed.
    bool hasServer(const QString& ip) const;
    // Lists the creator of a presence message; serverAdded follows.
    void addServer(const QString& fromIP, const QByteArray& presenceText);
    // Whether line row's creator announced the extended protocol.
    bool serverExtended(int row) const;
    // A lobby of this version at fromIP asked for this side's presence: a
    // creating lobby answers at once and announces itself there from now on.
    void presenceAsked(const QString& fromIP);

    // Looks typed up (a host name or a dotted address): friendRefused at
    // once, or friendAsked at once and then friendFound or friendUnknown.
    // Nothing happens for an empty text or while another look-up is under way.
    void addFriend(const QString& typed);
    // Why typed can name no other computer to ask, if it cannot.
    std::optional<FriendRefusal> refusal(const QString& typed) const;
    bool lookingUp() const { return m_lookingUp; }
    // Removes every computer of the list named or addressed so; false when
    // there was none.
    bool removeFriend(const QString& text);

    // The timers' work, public so a test can run it as the timers do.
    void announce();
    void askForGames();

    QTimer* announceTimer = nullptr;
    QTimer* queryTimer = nullptr;

signals:
    // The first-run scan began / ended (its computers are in the model then).
    void scanStarted();
    void scanFinished();
    // The computers of the list changed.
    void computersChanged();
    // A creator was appended to the server list; beyond MaxServers the
    // first line went (oldestDropped).
    void serverAdded(bool oldestDropped);
    void friendRefused(const QString& typed, vtx::LobbyController::FriendRefusal why);
    void friendAsked(const QString& typed);
    void friendFound(const QString& typed);
    void friendUnknown(const QString& typed);
    // A game answered from an address typed was asked at / none did in AnswerWaitMs.
    void friendAnswered(const QString& typed);
    void friendSilent(const QString& typed);
    // "clients.cfg" is there but unreadable, or the scan could not write it.
    void networkProblem();
    // A friend added or removed could not be saved in "clients.cfg".
    void clientsNotSaved();

private:
    void scanDone(const QList<ScannedHost>& found);
    void friendLookedUp(const QString& typed, const QList<QHostAddress>& found);
    void lookupTimedOut();
    void answerTimedOut();
    bool saveClients();
    QByteArray presence() const;

    ILobbyHost& m_host;
    ScanSource m_scanSource;
    NetScan m_scan;
    LobbyModel m_model;
    bool m_scanning = false;
    bool m_lookingUp = false;
    int m_lookupId = -1;
    QString m_asked;             // the text the player typed last
    QStringList m_askedAddresses; // its addresses, until one answers
    QTimer* m_lookupTimer = nullptr;
    QTimer* m_answerTimer = nullptr;
};

} // namespace vtx
