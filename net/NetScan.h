#pragma once

// The first-run scan of the local network: the computers the lobby writes to
// "clients.cfg", from which its subnet list follows.
//
// Found, in this order, each address once:
//   1. this computer: every IPv4 address of its running interfaces (loopback
//      left out), named with the host name;
//   2. the neighbours the system already knows (the neighbour table,
//      /proc/net/arp; incomplete entries left out);
//   3. the hosts of the hosts file (/etc/hosts) whose address lies on a
//      subnet of this computer's interfaces.
// Neighbours and hosts off the local subnets and loopback addresses are left
// out. A neighbour takes its name from the hosts file; one without a name
// there is looked up in reverse, all at once and for at most the look-up
// budget, and keeps its address as its name when no answer came in time.
//
// Nothing here waits for long: no forward look-ups (every entry already
// carries its address), pending events are processed between the steps and
// during the reverse look-ups, so the program stays responsive (and may
// deliver datagrams and timer ticks inside Run).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vtx {

struct ScannedHost {
    QString name;
    QString address; // dotted IPv4
    bool operator==(const ScannedHost&) const = default;
};

// One IPv4 address of this computer with the prefix length of its subnet.
struct LocalAddress {
    QString address;
    int prefixLength = 24;
};

class NetScan {
public:
    NetScan();

    // Where the neighbour table and the hosts file are read (tests).
    void setArpTablePath(const QString& path) { m_arpPath = path; }
    void setHostsPath(const QString& path) { m_hostsPath = path; }
    // Replaces the interface query and the host name (tests).
    void setLocalAddresses(const QList<LocalAddress>& addresses);
    void setHostName(const QString& name) { m_hostName = name; }
    // Upper bound of the reverse look-ups together; 0 skips them.
    void setLookupBudgetMs(int ms) { m_lookupBudgetMs = ms; }

    QList<ScannedHost> run();

    // This computer's running, non-loopback IPv4 interface addresses.
    static QList<LocalAddress> interfaceAddresses();
    // The complete entries of a /proc/net/arp table: their dotted addresses.
    static QStringList parseArpTable(const QByteArray& text);
    // "address name [aliases]" lines of a hosts file (comments dropped): the
    // IPv4 entries with their first name.
    static QList<ScannedHost> parseHostsFile(const QByteArray& text);

private:
    bool onLocalSubnet(const QString& address) const;
    void nameByReverseLookup(QList<ScannedHost>& hosts, const QList<int>& unnamed) const;

    QString m_arpPath;
    QString m_hostsPath;
    bool m_localGiven = false;
    QList<LocalAddress> m_local;
    QString m_hostName;
    int m_lookupBudgetMs = 2000;
};

} // namespace vtx
