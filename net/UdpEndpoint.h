#pragma once

// The game's one UDP endpoint: bound to 0.0.0.0:localPort for the program's
// life, sends single datagrams to remoteHost:remotePort, delivers every
// received datagram as onDataReceived on the UI thread.
//
// Delivery contract: datagrams are read as soon as the socket has them and
// handed out one at a time, in arrival order, each from its own posted event.
// So a handler that pumps events (the match start's Delay, a modal message)
// receives the next datagrams inside it, exactly as the event loop would, and
// the endpoint never calls onDataReceived from inside a send.
//
// Errors: sendDatagram throws UdpSocketError ("Invalid stream" for an empty
// buffer, "Host Lookup Canceled" for a host that does not resolve, "Null
// Remote Address" for 0.0.0.0). A failed bind is not thrown: the endpoint
// then receives nothing, its sends still leave from another port, and
// bindError() says why so the game can tell the player once.

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>

class QUdpSocket;

namespace vtx {

class UdpSocketError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class UdpEndpoint : public QObject {
    Q_OBJECT
public:
    // The receive buffer: longer datagrams are cut to it.
    static constexpr int BufferSize = 2048;

    explicit UdpEndpoint(QObject* parent = nullptr);
    ~UdpEndpoint() override;

    QString remoteHost;
    int remotePort = 6868;
    int reportLevel = 1;

    int localPort() const { return m_localPort; }
    // Closes the socket and binds a new one to 0.0.0.0:port, broadcasts allowed.
    void setLocalPort(int port);
    // Empty when the endpoint is bound and listening.
    const QString& bindError() const { return m_bindError; }

    // Sends buffer as one datagram to remoteHost:remotePort.
    void sendDatagram(const QByteArray& buffer);
    // During onDataReceived: the datagram being delivered.
    QByteArray readDatagram() const { return m_current; }

    // (NumberBytes, FromIP "%d.%d.%d.%d", Port in host order).
    std::function<void(int, const QString&, int)> onDataReceived;
    std::function<void()> onDataSend;
    // Status texts of level <= reportLevel.
    std::function<void(const QString&)> onStatus;

    // Dotted text of an IPv4 address, no padding or leading zeros.
    static QString dotted(const QHostAddress& address);

private:
    void readPending();
    void deliverNext();
    void status(int level, const QString& text);

    QUdpSocket* m_socket = nullptr;
    int m_localPort = 0;
    QString m_bindError;
    struct Datagram {
        QByteArray bytes;
        QString from;
        int port = 0;
    };
    std::deque<Datagram> m_queue;
    QByteArray m_current;
};

} // namespace vtx
