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
// Nothing here waits: the scan runs in steps on the UI thread, each from the
// event loop (a timer of no delay), the three sources one step each, then the
// reverse look-ups, each answered by its own callback and all cut off by the
// budget's timer. No forward look-ups (every entry already carries its
// address). The program stays responsive, and no datagram or timer runs
// inside a step.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QHostInfo;

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

class NetScan : public QObject {
public:
    using Done = std::function<void(const QList<ScannedHost>& found)>;

    explicit NetScan(QObject* parent = nullptr);

    // Where the neighbour table and the hosts file are read (tests).
    void setArpTablePath(const QString& path) { m_arpPath = path; }
    void setHostsPath(const QString& path) { m_hostsPath = path; }
    // Replaces the interface query and the host name (tests).
    void setLocalAddresses(const QList<LocalAddress>& addresses);
    void setHostName(const QString& name) { m_hostName = name; }
    // Upper bound of the reverse look-ups together; 0 skips them.
    void setLookupBudgetMs(int ms) { m_lookupBudgetMs = ms; }

    // Starts a scan; done runs once with what was found, from a later turn
    // of the event loop, never from inside start. A scan still under way is
    // dropped: its done never runs. So is one whose NetScan is destroyed.
    void start(Done done);
    bool running() const { return bool(m_done); }

    // This computer's running, non-loopback IPv4 interface addresses.
    static QList<LocalAddress> interfaceAddresses();
    // The complete entries of a /proc/net/arp table: their dotted addresses.
    static QStringList parseArpTable(const QByteArray& text);
    // "address name [aliases]" lines of a hosts file (comments dropped): the
    // IPv4 entries with their first name.
    static QList<ScannedHost> parseHostsFile(const QByteArray& text);

private:
    // Runs step from the event loop, unless the scan is dropped meanwhile.
    void then(void (NetScan::*step)());
    void findThisComputer();
    void findNeighbours();
    void findHostsFileComputers();
    void nameByReverseLookup();
    void lookupAnswered(int index, const QHostInfo& info);
    void finish();
    // Forgets the scan under way: no step or answer of it runs any more.
    void endRun();
    bool onLocalSubnet(const QString& address) const;

    QString m_arpPath;
    QString m_hostsPath;
    bool m_localGiven = false;
    QList<LocalAddress> m_local;
    QString m_hostName;
    int m_lookupBudgetMs = 2000;

    // The scan under way: its number (answers of an older one are dropped),
    // what it found so far and what it still waits for.
    unsigned m_run = 0;
    Done m_done;
    QList<ScannedHost> m_hosts;
    QSet<QString> m_seen;
    QList<ScannedHost> m_known; // the hosts file's entries
    QList<int> m_unnamed;       // indexes into m_hosts of the neighbours to look up
    QList<int> m_lookups;       // their look-up ids
    int m_pending = 0;
    QTimer m_budget;
};

} // namespace vtx
