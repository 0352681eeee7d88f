#pragma once

// What the LAN lobby (net/LobbyController and the window that shows it,
// ui/LobbyWindow) needs from the main window. The program's app/LanHost
// implements it; the lobby never owns or deletes it. Everything runs on the
// UI thread.

#include "game/MatchState.h"

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace vtx {

class ILobbyHost {
public:
    virtual ~ILobbyHost() = default;

    // The folder "clients.cfg" lives in.
    virtual std::filesystem::path startDir() const = 0;
    // This computer's dotted IPv4 address (may be empty).
    virtual QString localIp() const = 0;
    // The player's name as the options window holds it now.
    virtual QString playerName() const = 0;

    // The match's network state (netMode, netConnected, netRole, opponentIp).
    virtual void setNetMode(bool on) = 0;
    virtual void setNetConnected(bool on) = 0;
    virtual void setNetRole(NetRole role) = 0;
    virtual void setOpponentIp(const QString& ip) = 0;

    // One text datagram to host, port 6868; nothing is sent for an empty host.
    virtual void sendRequest(const QString& host, const QByteArray& text) = 0;
    // Sends the join request to a creator: the extended one (repeated until
    // answered) when its presence announced the extension, else the plain one.
    virtual void joinGame(const QString& creatorIP, bool extended) = 0;
    // Starts a match exactly as the Single button does, whatever the button's
    // state (the lobby calls it while Single is switched off). It returns at
    // once: the match's start waits on the match's own timer.
    virtual void startMatch() = 0;
    // The main window's status line.
    virtual void setStatus(const QString& text) = 0;
    // Switches the main window's Single button on (white font, enabled) or off.
    virtual void switchSingleButton(bool on) = 0;
};

} // namespace vtx
