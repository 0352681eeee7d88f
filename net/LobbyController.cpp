#include "net/LobbyController.h"

#include "files/FileIo.h"
#include "game/NetExtension.h"
#include "net/protocol/LobbyFormat.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace vtx {

namespace {

// A file of a few hundred computers is a few kilobytes; more is read only up to this.
constexpr std::size_t MaxClientsBytes = 1024 * 1024;
const char* const ClientsFile = "clients.cfg";

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

QByteArray presenceQuery() {
    return QByteArray(net::PresenceQuery.data(), qsizetype(net::PresenceQuery.size()));
}

} // namespace

LobbyController::LobbyController(ILobbyHost& host, ScanSource scan, QObject* parent)
    : QObject(parent), m_host(host), m_scanSource(std::move(scan)) {
    announceTimer = new QTimer(this);
    announceTimer->setInterval(AnnounceIntervalMs);
    connect(announceTimer, &QTimer::timeout, this, &LobbyController::announce);
    queryTimer = new QTimer(this);
    queryTimer->setInterval(AskIntervalMs);
    connect(queryTimer, &QTimer::timeout, this, &LobbyController::askForGames);
}

// ------------------------------------------------------------ "clients.cfg"

void LobbyController::loadClients() {
    const FileReadResult read = readFileBytes(m_host.startDir() / ClientsFile, MaxClientsBytes);
    if (read.exists && !read.readError) {
        m_model.readClients(read.bytes);
        emit computersChanged();
        return;
    }
    // There but unreadable: scanning again could not write it either.
    if (read.exists) {
        emit networkProblem();
        return;
    }
    m_scanning = true;
    emit scanStarted();
    if (!m_scanSource) {
        m_scan.start([this](const QList<ScannedHost>& found) { scanDone(found); });
        return;
    }
    QTimer::singleShot(0, this, [this] {
        QList<ScannedHost> found;
        try {
            found = m_scanSource();
        } catch (const std::exception&) {
            emit networkProblem();
        }
        scanDone(found);
    });
}

void LobbyController::scanDone(const QList<ScannedHost>& found) {
    // After a friend the player added meanwhile, which stays.
    for (const ScannedHost& host : found)
        m_model.addComputer(latin1(host.name), latin1(host.address));
    m_scanning = false;
    if (!saveClients()) emit networkProblem();
    emit computersChanged();
    emit scanFinished();
}

bool LobbyController::saveClients() {
    return !writeFileAtomic(m_host.startDir() / ClientsFile, m_model.clientsFile());
}

QStringList LobbyController::subNets() const {
    QStringList list;
    for (const std::string& subnet : m_model.subNets())
        list << QString::fromStdString(subnet);
    return list;
}

// ------------------------------------------------------------ the window's steps

void LobbyController::opened() {
    m_host.setNetMode(true);
    if (announceTimer->isActive()) return;
    askForGames();
    queryTimer->start();
}

void LobbyController::closed() {
    m_model.clearServers();
    m_model.clearAskers();
    announceTimer->stop();
    queryTimer->stop();
}

void LobbyController::create() {
    queryTimer->stop();
    announceTimer->start();
    m_host.setNetRole(NetRole::Creator);
}

void LobbyController::cancel() {
    m_host.switchSingleButton(true);
    m_host.setNetConnected(false);
    m_host.setNetMode(false);
}

void LobbyController::join(int row) {
    m_host.setNetMode(true);
    m_host.setNetRole(NetRole::Joiner);
    const QString target = QString::fromStdString(m_model.servers()[std::size_t(row)].address);
    m_host.joinGame(target, serverExtended(row));
    m_host.setNetConnected(true);
    m_host.setOpponentIp(target);
    m_host.startMatch();
}

// ------------------------------------------------------------ presence

QByteArray LobbyController::presence() const {
    const QString name = m_host.playerName();
    const std::string text = net::taggedPresence(latin1(name), name.toUtf8().toStdString());
    return QByteArray(text.data(), qsizetype(text.size()));
}

void LobbyController::announce() {
    const QByteArray text = presence();
    for (const std::string& subnet : m_model.subNets())
        m_host.sendRequest(QString::fromStdString(subnet), text);
    const std::string self = latin1(m_host.localIp());
    std::vector<std::string> targets = m_model.hostTargets();
    for (const std::string& asker : m_model.askers())
        if (std::find(targets.begin(), targets.end(), asker) == targets.end()) targets.push_back(asker);
    for (const std::string& host : targets)
        if (host != self) m_host.sendRequest(QString::fromStdString(host), text);
}

void LobbyController::askForGames() {
    const std::string self = latin1(m_host.localIp());
    const QByteArray query = presenceQuery();
    for (const std::string& host : m_model.hostTargets())
        if (host != self) m_host.sendRequest(QString::fromStdString(host), query);
}

void LobbyController::presenceAsked(const QString& fromIP) {
    if (announceTimer->isActive() && m_model.addAsker(latin1(fromIP))) m_host.sendRequest(fromIP, presence());
}

// ------------------------------------------------------------ the server list

bool LobbyController::hasServer(const QString& ip) const {
    return m_model.hasServer(latin1(ip));
}

void LobbyController::addServer(const QString& fromIP, const QByteArray& presenceText) {
    const std::string_view text(presenceText.constData(), static_cast<std::size_t>(presenceText.size()));
    emit serverAdded(m_model.addServer(latin1(fromIP), text));
}

bool LobbyController::serverExtended(int row) const {
    return row >= 0 && std::size_t(row) < m_model.servers().size() &&
           m_model.servers()[std::size_t(row)].extended;
}

// ------------------------------------------------------------ friends

void LobbyController::addFriend(const QString& typed) {
    if (typed.isEmpty() || m_lookingUp) return;
    m_lookingUp = true;
    QHostInfo::lookupHost(typed, this, [this, typed](const QHostInfo& info) { friendLookedUp(typed, info); });
}

void LobbyController::friendLookedUp(const QString& typed, const QHostInfo& info) {
    m_lookingUp = false;
    QString address;
    for (const QHostAddress& found : info.addresses())
        if (found.protocol() == QAbstractSocket::IPv4Protocol) {
            address = found.toString();
            break;
        }
    if (address.isEmpty()) {
        emit friendUnknown(typed);
        return;
    }
    emit friendFound(typed);
    if (m_model.addComputer(latin1(typed), latin1(address))) {
        if (!saveClients()) emit clientsNotSaved();
        emit computersChanged();
    }
    m_host.sendRequest(address, announceTimer->isActive() ? presence() : presenceQuery());
}

bool LobbyController::removeFriend(const QString& text) {
    if (!m_model.removeComputer(latin1(text))) return false;
    if (!saveClients()) emit clientsNotSaved();
    emit computersChanged();
    return true;
}

} // namespace vtx
