#include "net/LocalAddress.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace vtx {

namespace {

bool usable(const QHostAddress& address) {
    return address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback() && !address.isNull();
}

// getaddrinfo on a thread of its own, waited for at most ms. A lookup that
// outlives the wait finishes in the background and is forgotten.
QString hostNameAddress(const QString& name, int ms) {
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        QString address;
    };
    auto shared = std::make_shared<Shared>();
    const std::string host = name.toStdString();
    std::thread([shared, host] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo* list = nullptr;
        QString found;
        if (getaddrinfo(host.c_str(), nullptr, &hints, &list) == 0) {
            for (addrinfo* a = list; a; a = a->ai_next) {
                const QHostAddress address(a->ai_addr);
                if (usable(address)) {
                    found = address.toString();
                    break;
                }
            }
            freeaddrinfo(list);
        }
        std::lock_guard lock(shared->mutex);
        shared->address = found;
        shared->finished = true;
        shared->done.notify_all();
    }).detach();
    std::unique_lock lock(shared->mutex);
    shared->done.wait_for(lock, std::chrono::milliseconds(ms), [&] { return shared->finished; });
    return shared->address;
}

} // namespace

QString findLocalIP(int lookupMs) {
    const QString byName = hostNameAddress(QHostInfo::localHostName(), lookupMs);
    if (!byName.isEmpty()) return byName;
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (usable(address)) return address.toString();
    return QStringLiteral("127.0.0.1");
}

QStringList localIPv4Addresses() {
    QStringList out;
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol) out << address.toString();
    return out;
}

} // namespace vtx
