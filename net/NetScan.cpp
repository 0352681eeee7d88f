#include "net/NetScan.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QSet>
#include <QTimer>

#include <memory>

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

NetScan::NetScan()
    : m_arpPath(QStringLiteral("/proc/net/arp")), m_hostsPath(QStringLiteral("/etc/hosts")),
      m_hostName(QHostInfo::localHostName()) {}

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

QList<ScannedHost> NetScan::run() {
    QList<ScannedHost> hosts;
    QSet<QString> seen;

    // 1. This computer.
    if (!m_localGiven) m_local = interfaceAddresses();
    for (const LocalAddress& local : m_local) {
        if (seen.contains(local.address)) continue;
        seen.insert(local.address);
        hosts.append({m_hostName, local.address});
    }
    QCoreApplication::processEvents();

    // 2. The neighbours, named from the hosts file where it knows them.
    const QList<ScannedHost> known = parseHostsFile(readSmallFile(m_hostsPath));
    QHash<QString, QString> nameOf;
    for (const ScannedHost& h : known)
        if (!nameOf.contains(h.address)) nameOf.insert(h.address, h.name);
    QList<int> unnamed;
    for (const QString& address : parseArpTable(readSmallFile(m_arpPath))) {
        if (seen.contains(address) || !onLocalSubnet(address)) continue;
        seen.insert(address);
        const QString name = nameOf.value(address);
        if (name.isEmpty()) unnamed.append(static_cast<int>(hosts.size()));
        hosts.append({name.isEmpty() ? address : name, address});
    }
    QCoreApplication::processEvents();

    // 3. The hosts file's computers on our subnets.
    for (const ScannedHost& h : known) {
        if (seen.contains(h.address) || !onLocalSubnet(h.address)) continue;
        seen.insert(h.address);
        hosts.append(h);
    }
    QCoreApplication::processEvents();

    nameByReverseLookup(hosts, unnamed);
    return hosts;
}

void NetScan::nameByReverseLookup(QList<ScannedHost>& hosts, const QList<int>& unnamed) const {
    if (unnamed.isEmpty() || m_lookupBudgetMs <= 0) return;
    // All look-ups run at once; answers that come after the budget are dropped with the context.
    QEventLoop loop;
    QObject context; // destroyed first: no answer reaches the loop or the list after we return
    int pending = static_cast<int>(unnamed.size());
    QList<int> ids;
    for (int index : unnamed) {
        const QString address = hosts[index].address;
        ids.append(QHostInfo::lookupHost(address, &context, [&, index, address](const QHostInfo& info) {
            const QString name = info.hostName();
            if (info.error() == QHostInfo::NoError && !name.isEmpty() && name != address)
                hosts[index].name = name;
            if (--pending == 0) loop.quit();
        }));
    }
    QTimer::singleShot(m_lookupBudgetMs, &loop, &QEventLoop::quit);
    if (pending > 0) loop.exec();
    if (pending > 0)
        for (int id : ids)
            QHostInfo::abortHostLookup(id);
}

} // namespace vtx
