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
    m_lookupTimer = new QTimer(this);
    m_lookupTimer->setSingleShot(true);
    m_lookupTimer->setInterval(LookupWaitMs);
    connect(m_lookupTimer, &QTimer::timeout, this, &LobbyController::lookupTimedOut);
    m_answerTimer = new QTimer(this);
    m_answerTimer->setSingleShot(true);
    m_answerTimer->setInterval(AnswerWaitMs);
    connect(m_answerTimer, &QTimer::timeout, this, &LobbyController::answerTimedOut);
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
    m_answerTimer->stop();
    m_askedAddresses.clear();
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
    // Only the address asked speaks for the computer typed.
    if (m_askedAddresses.contains(fromIP)) {
        m_answerTimer->stop();
        m_askedAddresses.clear();
        emit friendAnswered(m_asked);
    }
}

bool LobbyController::serverExtended(int row) const {
    return row >= 0 && std::size_t(row) < m_model.servers().size() &&
           m_model.servers()[std::size_t(row)].extended;
}

// ------------------------------------------------------------ friends

std::optional<LobbyController::FriendRefusal> LobbyController::refusal(const QString& typed) const {
    if (typed.size() > MaxFriendLength) return FriendRefusal::TooLong;
    QHostAddress address;
    if (typed.contains(QLatin1Char(':'))) {
        return address.setAddress(typed) ? std::optional(FriendRefusal::Ipv6)
                                         : std::optional(FriendRefusal::NotAnAddress);
    }
    bool digitsAndDots = true;
    for (const QChar c : typed) {
        const bool nameChar = (c.unicode() < 128 && c.isLetterOrNumber()) || c == QLatin1Char('-') ||
                              c == QLatin1Char('.') || c == QLatin1Char('_');
        if (!nameChar) return FriendRefusal::NotAnAddress;
        if (!c.isDigit() && c != QLatin1Char('.')) digitsAndDots = false;
    }
    if (typed.startsWith(QLatin1Char('.')) || typed.contains(QStringLiteral(".."))) return FriendRefusal::NotAnAddress;
    // Digits and dots are an address or nothing: the resolver would read
    // "10.1" as 10.0.0.1, which nobody typing it means.
    if (!digitsAndDots) return std::nullopt;
    if (!address.setAddress(typed) || typed.count(QLatin1Char('.')) != 3 || address.isNull() ||
        address == QHostAddress(QHostAddress::AnyIPv4) || address.isMulticast())
        return FriendRefusal::NotAnAddress;
    if (address == QHostAddress(QHostAddress::Broadcast) || subNets().contains(address.toString()))
        return FriendRefusal::Broadcast;
    if (address.toString() == m_host.localIp()) return FriendRefusal::ThisComputer;
    return std::nullopt;
}

void LobbyController::addFriend(const QString& typed) {
    if (typed.isEmpty() || m_lookingUp) return;
    if (const std::optional<FriendRefusal> why = refusal(typed)) {
        emit friendRefused(typed, *why);
        return;
    }
    m_lookingUp = true;
    m_asked = typed;
    m_askedAddresses.clear();
    m_answerTimer->stop();
    emit friendAsked(typed);
    const QHostAddress literal(typed);
    if (literal.protocol() == QAbstractSocket::IPv4Protocol) {
        friendLookedUp(typed, {literal});
        return;
    }
    m_lookupTimer->start();
    m_lookupId = QHostInfo::lookupHost(typed, this, [this, typed](const QHostInfo& info) {
        if (!m_lookingUp || info.lookupId() != m_lookupId) return; // given up on already
        m_lookupTimer->stop();
        friendLookedUp(typed, info.addresses());
    });
}

void LobbyController::lookupTimedOut() {
    if (!m_lookingUp) return;
    QHostInfo::abortHostLookup(m_lookupId);
    m_lookupId = -1;
    m_lookingUp = false;
    emit friendUnknown(m_asked);
}

void LobbyController::friendLookedUp(const QString& typed, const QList<QHostAddress>& found) {
    m_lookingUp = false;
    m_lookupId = -1;
    QStringList addresses;
    for (const QHostAddress& address : found) {
        if (address.protocol() != QAbstractSocket::IPv4Protocol) continue;
        const QString text = address.toString();
        if (!addresses.contains(text)) addresses << text;
    }
    if (addresses.isEmpty()) {
        emit friendUnknown(typed);
        return;
    }
    if (addresses == QStringList{m_host.localIp()}) {
        emit friendRefused(typed, FriendRefusal::ThisComputer);
        return;
    }
    addresses.removeAll(m_host.localIp());
    emit friendFound(typed);
    bool added = false;
    for (const QString& address : addresses)
        added = m_model.addComputer(latin1(typed), latin1(address)) || added;
    if (added) {
        if (!saveClients()) emit clientsNotSaved();
        emit computersChanged();
    }
    const bool creating = announceTimer->isActive();
    for (const QString& address : addresses)
        m_host.sendRequest(address, creating ? presence() : presenceQuery());
    // A creating side waits for joiners, not for answers.
    if (creating) return;
    m_askedAddresses = addresses;
    for (const QString& address : addresses)
        if (hasServer(address)) m_askedAddresses.clear(); // listed already: it has answered
    if (m_askedAddresses.isEmpty())
        emit friendAnswered(typed);
    else
        m_answerTimer->start();
}

void LobbyController::answerTimedOut() {
    if (m_askedAddresses.isEmpty()) return;
    m_askedAddresses.clear();
    emit friendSilent(m_asked);
}

bool LobbyController::removeFriend(const QString& text) {
    if (!m_model.removeComputer(latin1(text))) return false;
    if (!saveClients()) emit clientsNotSaved();
    emit computersChanged();
    return true;
}

} // namespace vtx
