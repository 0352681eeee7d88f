#include "net/UdpEndpoint.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace vtx {

UdpEndpoint::UdpEndpoint(QObject* parent) : QObject(parent) {
    status(8, QStringLiteral("Initializing Winsock"));
}

UdpEndpoint::~UdpEndpoint() {
    if (m_socket) m_socket->close();
}

QString UdpEndpoint::dotted(const QHostAddress& address) {
    bool ok = false;
    const quint32 v4 = address.toIPv4Address(&ok); // also takes IPv4-mapped IPv6 addresses
    if (!ok) return address.toString();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(v4 >> 24)
        .arg((v4 >> 16) & 0xff)
        .arg((v4 >> 8) & 0xff)
        .arg(v4 & 0xff);
}

void UdpEndpoint::status(int level, const QString& text) {
    if (reportLevel >= level && onStatus) onStatus(text);
}

void UdpEndpoint::setLocalPort(int port) {
    if (m_socket) {
        m_socket->close();
        m_socket->deleteLater();
    }
    m_queue.clear();
    m_socket = new QUdpSocket(this);
    m_localPort = port;
    // No address sharing: a second copy of the game on this computer must
    // fail to bind (and say so) instead of silently splitting the datagrams.
    if (!m_socket->bind(QHostAddress::AnyIPv4, quint16(port), QAbstractSocket::DontShareAddress)) {
        m_bindError = m_socket->errorString();
        return;
    }
    m_bindError.clear();
    // Qt enables broadcast sends on IPv4 UDP sockets itself; the subnet
    // broadcasts of the lobby rely on that.
    connect(m_socket, &QUdpSocket::readyRead, this, &UdpEndpoint::readPending);
}

void UdpEndpoint::sendDatagram(const QByteArray& buffer) {
    if (buffer.isEmpty()) throw UdpSocketError("Invalid stream");
    QHostAddress address;
    if (!address.setAddress(remoteHost) || address.protocol() != QAbstractSocket::IPv4Protocol) {
        // The game passes dotted addresses only; a name is looked up.
        const QHostInfo info = QHostInfo::fromName(remoteHost);
        address.clear();
        for (const QHostAddress& candidate : info.addresses())
            if (candidate.protocol() == QAbstractSocket::IPv4Protocol) {
                address = candidate;
                break;
            }
        if (address.isNull()) throw UdpSocketError("Host Lookup Canceled");
    }
    if (address == QHostAddress::AnyIPv4) throw UdpSocketError("Null Remote Address");
    status(2, QStringLiteral("Sending Data"));
    // An endpoint that could not bind still sends, from a free port Qt picks;
    // a send the network refuses is not an error of the game.
    if (!m_socket) m_socket = new QUdpSocket(this);
    m_socket->writeDatagram(buffer.left(BufferSize), address, quint16(remotePort));
    if (onDataSend) onDataSend();
}

void UdpEndpoint::readPending() {
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram(BufferSize);
        if (!datagram.isValid()) break;
        m_queue.push_back(Datagram{datagram.data(), dotted(datagram.senderAddress()), datagram.senderPort()});
        // One posted event per datagram: the handler runs outside readyRead,
        // so the socket keeps delivering while a handler pumps events.
        QMetaObject::invokeMethod(this, &UdpEndpoint::deliverNext, Qt::QueuedConnection);
    }
}

void UdpEndpoint::deliverNext() {
    if (m_queue.empty()) return;
    Datagram datagram = std::move(m_queue.front());
    m_queue.pop_front();
    const QByteArray previous = m_current;
    m_current = datagram.bytes;
    if (onDataReceived) onDataReceived(int(datagram.bytes.size()), datagram.from, datagram.port);
    m_current = previous; // a nested delivery inside the handler must not change what it reads
}

} // namespace vtx
