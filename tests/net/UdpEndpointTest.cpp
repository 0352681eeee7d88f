// The UDP endpoint on the loopback interface: delivery with the sender's
// dotted address, in order, also inside a handler that pumps events; the send
// errors; a second endpoint on a taken port says so.

#include "net/TNMUDP.h"

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
    TNMUDP endpoint;
    endpoint.SetLocalPort(freePort());
    ASSERT_TRUE(endpoint.BindError().isEmpty()) << endpoint.BindError().toStdString();
    std::vector<std::string> got;
    QString from;
    endpoint.OnDataReceived = [&](int n, const QString& ip, int) {
        const QByteArray bytes = endpoint.ReadDatagram();
        EXPECT_EQ(n, bytes.size());
        got.push_back(bytes.toStdString());
        from = ip;
        // The first handler pumps, as the match start's Delay does: the next
        // datagrams arrive inside it, and it still reads its own bytes after.
        if (got.size() == 1) {
            pumpUntil([&] { return got.size() == 3; });
            EXPECT_EQ(endpoint.ReadDatagram(), QByteArray("one"));
        }
    };
    endpoint.RemoteHost = QStringLiteral("127.0.0.1");
    endpoint.RemotePort = endpoint.LocalPort();
    for (const char* text : {"one", "two", "three"})
        endpoint.SendDatagram(QByteArray(text));
    ASSERT_TRUE(pumpUntil([&] { return got.size() == 3; }));
    EXPECT_EQ(got, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(from, QStringLiteral("127.0.0.1"));
}

TEST(UdpEndpoint, RefusesBadSendsAndReportsATakenPort) {
    TNMUDP endpoint;
    endpoint.SetLocalPort(freePort());
    endpoint.RemotePort = endpoint.LocalPort();
    endpoint.RemoteHost = QStringLiteral("127.0.0.1");
    const auto error = [&](const QByteArray& bytes) {
        try {
            endpoint.SendDatagram(bytes);
        } catch (const UDPSockError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(error({}), "Invalid stream");
    endpoint.RemoteHost = QStringLiteral("0.0.0.0");
    EXPECT_EQ(error("x"), "Null Remote Address");

    TNMUDP second;
    second.SetLocalPort(endpoint.LocalPort());
    EXPECT_FALSE(second.BindError().isEmpty());
    EXPECT_EQ(TNMUDP::dotted(QHostAddress(QStringLiteral("10.0.0.5"))), QStringLiteral("10.0.0.5"));
}

} // namespace
} // namespace vtx
