// The UDP endpoint on the loopback interface: delivery with the sender's
// dotted address, in order, also inside a handler that pumps events; the send
// errors; a second endpoint on a taken port says so.

#include "net/UdpEndpoint.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vtx {
namespace {

// A port nobody else on this machine is likely to use, picked by the system.
int freePort() {
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0);
    return probe.localPort();
}

bool pumpUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST(UdpEndpoint, DeliversInOrderWithTheSenderAlsoInsideAPumpingHandler) {
    UdpEndpoint endpoint;
    endpoint.setLocalPort(freePort());
    ASSERT_TRUE(endpoint.bindError().isEmpty()) << endpoint.bindError().toStdString();
    std::vector<std::string> got;
    QString from;
    endpoint.onDataReceived = [&](int n, const QString& ip, int) {
        const QByteArray bytes = endpoint.readDatagram();
        EXPECT_EQ(n, bytes.size());
        got.push_back(bytes.toStdString());
        from = ip;
        // The first handler pumps, as the match start's Delay does: the next
        // datagrams arrive inside it, and it still reads its own bytes after.
        if (got.size() == 1) {
            pumpUntil([&] { return got.size() == 3; });
            EXPECT_EQ(endpoint.readDatagram(), QByteArray("one"));
        }
    };
    endpoint.remoteHost = QStringLiteral("127.0.0.1");
    endpoint.remotePort = endpoint.localPort();
    for (const char* text : {"one", "two", "three"})
        endpoint.sendDatagram(QByteArray(text));
    ASSERT_TRUE(pumpUntil([&] { return got.size() == 3; }));
    EXPECT_EQ(got, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(from, QStringLiteral("127.0.0.1"));
}

TEST(UdpEndpoint, RefusesBadSendsAndReportsATakenPort) {
    UdpEndpoint endpoint;
    endpoint.setLocalPort(freePort());
    endpoint.remotePort = endpoint.localPort();
    endpoint.remoteHost = QStringLiteral("127.0.0.1");
    const auto error = [&](const QByteArray& bytes) {
        try {
            endpoint.sendDatagram(bytes);
        } catch (const UdpSocketError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(error({}), "Invalid stream");
    endpoint.remoteHost = QStringLiteral("0.0.0.0");
    EXPECT_EQ(error("x"), "Null Remote Address");

    UdpEndpoint second;
    second.setLocalPort(endpoint.localPort());
    EXPECT_FALSE(second.bindError().isEmpty());
    EXPECT_EQ(UdpEndpoint::dotted(QHostAddress(QStringLiteral("10.0.0.5"))), QStringLiteral("10.0.0.5"));
}

} // namespace
} // namespace vtx
