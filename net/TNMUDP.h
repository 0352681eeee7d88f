#pragma once

// The game's one UDP endpoint: bound to 0.0.0.0:LocalPort for the program's
// life, sends single datagrams to RemoteHost:RemotePort, delivers every
// received datagram as OnDataReceived on the UI thread.
//
// Delivery contract: datagrams are read as soon as the socket has them and
// handed out one at a time, in arrival order, each from its own posted event.
// So a handler that pumps events (the match start's Delay, a modal message)
// receives the next datagrams inside it, exactly as the event loop would, and
// the endpoint never calls OnDataReceived from inside a send.
//
// Errors: SendDatagram throws UDPSockError ("Invalid stream" for an empty
// buffer, "Host Lookup Canceled" for a host that does not resolve, "Null
// Remote Address" for 0.0.0.0). A failed bind is not thrown: the endpoint
// then receives nothing, its sends still leave from another port, and
// BindError() says why so the game can tell the player once.

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

class UDPSockError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TNMUDP : public QObject {
    Q_OBJECT
public:
    // The receive buffer: longer datagrams are cut to it.
    static constexpr int BufferSize = 2048;

    explicit TNMUDP(QObject* parent = nullptr);
    ~TNMUDP() override;

    QString RemoteHost;
    int RemotePort = 6868;
    int ReportLevel = 1;

    int LocalPort() const { return m_localPort; }
    // Closes the socket and binds a new one to 0.0.0.0:port, broadcasts allowed.
    void SetLocalPort(int port);
    // Empty when the endpoint is bound and listening.
    const QString& BindError() const { return m_bindError; }

    // Sends buffer as one datagram to RemoteHost:RemotePort.
    void SendDatagram(const QByteArray& buffer);
    // During OnDataReceived: the datagram being delivered.
    QByteArray ReadDatagram() const { return m_current; }

    // (NumberBytes, FromIP "%d.%d.%d.%d", Port in host order).
    std::function<void(int, const QString&, int)> OnDataReceived;
    std::function<void()> OnDataSend;
    // Status texts of level <= ReportLevel.
    std::function<void(const QString&)> OnStatus;

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
