#pragma once

// The LAN lobby (306 x 184, panel "data\panel2.jpg" reloaded at every
// activation, dragged from any point of its picture). One player presses
// Create and is announced once a second on every subnet of the subnet list;
// the other sees the creator in lbServers, selects it and presses Join.
//
// At creation the lobby reads "clients.cfg" from the host's StartDir into
// cbClients (names) and cbSubNets (subnet broadcast addresses). When the file
// is missing (the first run) it scans the local network (NetScan) while the
// message window says so, and writes the file; a failed write is reported in
// an "Attention" box and what was found stays in the lists.
//
// The main window shows the lobby with ExecModal(). However it is closed
// (Join, Cancel, or the main window when a join request arrives), FormClose
// empties the server list and stops the presence timer. The main window's
// datagram handler fills the list through HasServer/AddServer; the list keeps
// the MaxServers latest creators (a flood of presences must not freeze it).
// A creator whose presence announced the extended protocol is marked with
// ExtendedMark after its name.
//
// Presence goes to every subnet of the subnet list and also, addressed to
// each, to the computers listed in "clients.cfg" (HostTargets), so a player
// beyond a router is reached when listed there by hand.
//
// From Join (or the main window's MatchStarting on a creator) until the
// lobby closes, Cancel is off: the match is already starting on both sides.

#include "ui/TSkinnedForm.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QTimer;

namespace vtx {

class ILobbyHost;
class TWispButton;

class TformNet : public TSkinnedForm {
    Q_OBJECT
public:
    // The computers of the first-run scan: (name, dotted address) pairs, the
    // address empty when the name did not resolve.
    using ScanSource = std::function<QList<std::pair<QString, QString>>()>;

    // host must outlive the window. mainWindow gives the position (may be
    // null). Without a scan source the real network is scanned (NetScan).
    TformNet(ILobbyHost* host, QWidget* mainWindow, ScanSource scan = {});

    QLabel* labIP = nullptr;
    QListWidget* lbServers = nullptr;
    TWispButton* elbtCreateGame = nullptr;
    TWispButton* elbtJoinGame = nullptr;
    TWispButton* elbtCancel = nullptr;
    QListWidget* cbClients = nullptr;
    QComboBox* cbSubNets = nullptr;
    QTimer* NetTimer = nullptr;

    static constexpr int MaxServers = 64;
    static constexpr int MaxHostTargets = 256;
    static inline const QString ExtendedMark = QStringLiteral("  \u2713");

    // True when some line of lbServers, cut to 15 characters and trimmed,
    // equals ip.
    bool HasServer(const QString& ip) const;
    // Appends the server line for a presence message and selects line 0;
    // beyond MaxServers lines the oldest goes.
    void AddServer(const QString& fromIP, const QByteArray& presenceText);
    // Whether line row's creator announced the extended protocol.
    bool ServerExtended(int row) const;
    // The subnet broadcast addresses, in list order.
    QStringList SubNets() const;
    // A match with the lobby's opponent is starting: Cancel is off until the
    // lobby closes.
    void MatchStarting();

    // Handlers, public so the game and tests can run them as the controls do.
    void sbCreateGameClick();
    void sbJoinGameClick();
    void sbCancelClick();
    void NetTimerTimer();

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    void FormCreate(QWidget* mainWindow);
    void Refresh_Clients();
    void RefreshClients(std::string& file);
    void FillNetLevel(std::string& file);
    void AnalyzeIP(const std::string& address);
    void switchButtons(bool on);

    ILobbyHost* m_host;
    ScanSource m_scan;
    std::vector<std::string> m_subnets; // what cbSubNets holds
    QStringList m_hostTargets;
    QSet<QString> m_serverAddresses; // the addresses of lbServers' lines
    bool m_matchStarting = false;
};

} // namespace vtx
