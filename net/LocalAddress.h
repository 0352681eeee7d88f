#pragma once

// This computer's addresses as the LAN game sees them.

#include <QString>
#include <QStringList>

namespace vtx {

// localIp: the first IPv4 address of the host name that is not a loopback
// address (Debian maps the host name to 127.0.1.1), else the first such
// address of the network interfaces, else "127.0.0.1" (no network at all).
// The host-name lookup is given at most lookupMs; a resolver that hangs must
// not hold up the start of the game.
QString findLocalIP(int lookupMs = 300);

// Every IPv4 address of this computer's interfaces, loopback included: a
// datagram from any of them is one of our own broadcasts coming back.
QStringList localIPv4Addresses();

} // namespace vtx
