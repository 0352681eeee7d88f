#include "net/NetScan.h"

#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

#include <utility>

namespace vtx {

namespace {

// Both files are a few kilobytes; anything far larger is not what we expect.
constexpr qint64 kMaxFileBytes = 1024 * 1024;

QByteArray readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(kMaxFileBytes);
}

bool isUsableIPv4(const QHostAddress& address) {
    return address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback() &&
           !address.isNull() && address != QHostAddress(QHostAddress::AnyIPv4) && !address.isBroadcast() &&
           !address.isMulticast();
}

QList<QByteArray> fields(const QByteArray& line) {
    return line.simplified().split(' ');
}

} // namespace

NetScan::NetScan(QObject* parent)
    : QObject(parent), m_arpPath(QStringLiteral("/proc/net/arp")), m_hostsPath(QStringLiteral("/etc/hosts")),
      m_hostName(QHostInfo::localHostName()) {
    m_budget.setSingleShot(true);
    connect(&m_budget, &QTimer::timeout, this, [this] {
        if (m_done) finish();
    });
}

void NetScan::setLocalAddresses(const QList<LocalAddress>& addresses) {
    m_local = addresses;
    m_localGiven = true;
}

QList<LocalAddress> NetScan::interfaceAddresses() {
    QList<LocalAddress> result;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (!isUsableIPv4(entry.ip())) continue;
            const int prefix = entry.prefixLength();
            result.append({entry.ip().toString(), prefix >= 0 ? prefix : 24});
        }
    }
    return result;
}

QStringList NetScan::parseArpTable(const QByteArray& text) {
    // IP address  HW type  Flags  HW address  Mask  Device; flags 0x0 is an incomplete entry.
    QStringList result;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> f = fields(lines[i]);
        if (f.size() < 4) continue;
        bool ok = false;
        const uint arpFlags = f[2].toUInt(&ok, 16);
        if (!ok || arpFlags == 0 || f[3] == "00:00:00:00:00:00") continue;
        const QHostAddress address(QString::fromLatin1(f[0]));
        if (address.protocol() == QAbstractSocket::IPv4Protocol) result.append(address.toString());
    }
    return result;
}

QList<ScannedHost> NetScan::parseHostsFile(const QByteArray& text) {
    QList<ScannedHost> result;
    for (QByteArray line : text.split('\n')) {
        if (const qsizetype hash = line.indexOf('#'); hash >= 0) line.truncate(hash);
        const QList<QByteArray> f = fields(line);
        if (f.size() < 2) continue;
        const QHostAddress address(QString::fromLatin1(f[0]));
        if (address.protocol() != QAbstractSocket::IPv4Protocol) continue;
        result.append({QString::fromLatin1(f[1]), address.toString()});
    }
    return result;
}

bool NetScan::onLocalSubnet(const QString& text) const {
    const QHostAddress address(text);
    if (!isUsableIPv4(address)) return false;
    for (const LocalAddress& local : m_local)
        if (address.isInSubnet(QHostAddress(local.address), local.prefixLength)) return true;
    return false;
}

void NetScan::start(Done done) {
    endRun();
    m_done = std::move(done);
    m_hosts.clear();
    m_seen.clear();
    m_known.clear();
    m_unnamed.clear();
    m_pending = 0;
    then(&NetScan::findThisComputer);
}

void NetScan::then(void (NetScan::*step)()) {
    QTimer::singleShot(0, this, [this, step, run = m_run] {
        if (run == m_run && m_done) (this->*step)();
    });
}

void NetScan::findThisComputer() {
    if (!m_localGiven) m_local = interfaceAddresses();
    for (const LocalAddress& local : m_local) {
        if (m_seen.contains(local.address)) continue;
        m_seen.insert(local.address);
        m_hosts.append({m_hostName, local.address});
    }
    then(&NetScan::findNeighbours);
}

// Named from the hosts file where it knows them; the others are looked up last.
void NetScan::findNeighbours() {
    m_known = parseHostsFile(readSmallFile(m_hostsPath));
    QHash<QString, QString> nameOf;
    for (const ScannedHost& h : m_known)
        if (!nameOf.contains(h.address)) nameOf.insert(h.address, h.name);
    for (const QString& address : parseArpTable(readSmallFile(m_arpPath))) {
        if (m_seen.contains(address) || !onLocalSubnet(address)) continue;
        m_seen.insert(address);
        const QString name = nameOf.value(address);
        if (name.isEmpty()) m_unnamed.append(static_cast<int>(m_hosts.size()));
        m_hosts.append({name.isEmpty() ? address : name, address});
    }
    then(&NetScan::findHostsFileComputers);
}

void NetScan::findHostsFileComputers() {
    for (const ScannedHost& h : m_known) {
        if (m_seen.contains(h.address) || !onLocalSubnet(h.address)) continue;
        m_seen.insert(h.address);
        m_hosts.append(h);
    }
    then(&NetScan::nameByReverseLookup);
}

// All look-ups run at once; what has not answered when the budget runs out
// keeps its address as its name.
void NetScan::nameByReverseLookup() {
    if (m_unnamed.isEmpty() || m_lookupBudgetMs <= 0) {
        finish();
        return;
    }
    m_pending = static_cast<int>(m_unnamed.size());
    for (int index : m_unnamed)
        m_lookups.append(QHostInfo::lookupHost(m_hosts[index].address, this,
                                               [this, index, run = m_run](const QHostInfo& info) {
                                                   if (run == m_run && m_done) lookupAnswered(index, info);
                                               }));
    m_budget.start(m_lookupBudgetMs);
}

void NetScan::lookupAnswered(int index, const QHostInfo& info) {
    const QString name = info.hostName();
    if (info.error() == QHostInfo::NoError && !name.isEmpty() && name != m_hosts[index].address)
        m_hosts[index].name = name;
    if (--m_pending == 0) finish();
}

void NetScan::endRun() {
    m_budget.stop();
    for (int id : std::as_const(m_lookups))
        QHostInfo::abortHostLookup(id);
    m_lookups.clear();
    ++m_run;
}

void NetScan::finish() {
    // Whatever the continuation starts, this scan is over before it runs.
    endRun();
    const Done done = std::move(m_done);
    m_done = nullptr;
    const QList<ScannedHost> found = std::move(m_hosts);
    m_hosts.clear();
    done(found);
}

} // namespace vtx
