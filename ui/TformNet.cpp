#include "ui/TformNet.h"

#include "files/FileIo.h"
#include "game/DataFiles.h"
#include "game/NetExtension.h"
#include "game/NetMessage.h"
#include "net/NetScan.h"
#include "net/protocol/LobbyFormat.h"
#include "ui/ILobbyHost.h"
#include "ui/SkinFont.h"
#include "ui/TFormMess.h"
#include "ui/TWispButton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHostInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <exception>

namespace vtx {

namespace {

// A file of a few hundred computers is a few kilobytes; more is read only up to this.
constexpr std::size_t kMaxClientsBytes = 1024 * 1024;
constexpr int kServerItemHeight = 13;
constexpr int kAskIntervalMs = 2000;

const char* const kClientsFile = "clients.cfg";

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

QByteArray presenceQuery() {
    return QByteArray(net::PresenceQuery.data(), qsizetype(net::PresenceQuery.size()));
}

void reportNetworkError() {
    QMessageBox::warning(nullptr, TformNet::tr("Attention"), TformNet::tr("Unable to Initialize Network!"),
                         QMessageBox::Ok);
}

TformNet::ScanSource systemScan() {
    return [] {
        QList<std::pair<QString, QString>> pairs;
        NetScan scan;
        for (const ScannedHost& host : scan.Run())
            pairs.append({host.name, host.address});
        return pairs;
    };
}

} // namespace

TformNet::TformNet(ILobbyHost* host, QWidget* mainWindow, ScanSource scan)
    : TSkinnedForm(nullptr), m_host(host), m_scan(scan ? std::move(scan) : systemScan()) {
    FormCreate(mainWindow);
}

void TformNet::FormCreate(QWidget* mainWindow) {
    setWindowTitle(tr("Network"));
    setFixedSize(306, 184);

    labIP = new QLabel(this);
    labIP->setGeometry(90, 14, 46, 13);
    QFont ipFont(QStringLiteral("Garamond"));
    ipFont.setStyleHint(QFont::Serif);
    ipFont.setPixelSize(12);
    labIP->setFont(ipFont);
    QPalette ipPalette = labIP->palette();
    ipPalette.setColor(QPalette::WindowText, Qt::white);
    labIP->setPalette(ipPalette);
    labIP->setAttribute(Qt::WA_TranslucentBackground);

    lbServers = new QListWidget(this);
    // Shorter than the 81 pixels of old: the friend's address field sits below.
    lbServers->setGeometry(16, 40, 274, 60);
    lbServers->setFrameShape(QFrame::NoFrame);
    lbServers->setSelectionMode(QAbstractItemView::SingleSelection);
    lbServers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The address column is 17 characters wide: a fixed-pitch font keeps the names in line.
    QFont lineFont(QStringLiteral("DejaVu Sans Mono"));
    lineFont.setStyleHint(QFont::Monospace);
    lineFont.setPixelSize(11);
    lbServers->setFont(lineFont);

    elbtCreateGame = MakeFaceButton(this, tr(" Create"), 29, 142);
    elbtJoinGame = MakeFaceButton(this, tr("  Join"), 117, 142);
    elbtCancel = MakeFaceButton(this, tr("Cancel"), 205, 142);
    connect(elbtCreateGame, &TWispButton::clicked, this, &TformNet::sbCreateGameClick);
    connect(elbtJoinGame, &TWispButton::clicked, this, &TformNet::sbJoinGameClick);
    connect(elbtCancel, &TWispButton::clicked, this, &TformNet::sbCancelClick);
    // Enter joins the selected game; Tab reaches Create; Esc is Cancel.
    SetKeyButtons({elbtJoinGame}, elbtCancel);

    cbFriends = new QComboBox(this);
    cbFriends->setGeometry(16, 104, 214, 20);
    cbFriends->setEditable(true);
    cbFriends->setInsertPolicy(QComboBox::NoInsert);
    cbFriends->lineEdit()->setPlaceholderText(tr("Host name or IP address"));
    // Enter in the field adds the computer instead of joining.
    cbFriends->lineEdit()->installEventFilter(this);
    btAddFriend = new QToolButton(this);
    btAddFriend->setGeometry(234, 104, 26, 20);
    btAddFriend->setText(QStringLiteral("+"));
    btAddFriend->setToolTip(tr("Add this computer and ask it for its game"));
    btRemoveFriend = new QToolButton(this);
    btRemoveFriend->setGeometry(264, 104, 26, 20);
    btRemoveFriend->setText(QStringLiteral("\u2212"));
    btRemoveFriend->setToolTip(tr("Remove this computer from the list"));
    connect(btAddFriend, &QToolButton::clicked, this, &TformNet::btAddFriendClick);
    connect(btRemoveFriend, &QToolButton::clicked, this, &TformNet::btRemoveFriendClick);

    NetTimer = new QTimer(this);
    NetTimer->setInterval(1000);
    connect(NetTimer, &QTimer::timeout, this, &TformNet::NetTimerTimer);
    AskTimer = new QTimer(this);
    AskTimer->setInterval(kAskIntervalMs);
    connect(AskTimer, &QTimer::timeout, this, &TformNet::AskTimerTimer);

    // 1. Position and large-font caption offsets.
    PlaceRelativeTo(mainWindow);
    if (!IsSmallFonts()) {
        elbtCreateGame->SetXOffset(14);
        elbtJoinGame->SetXOffset(17);
        elbtCancel->SetXOffset(16);
        for (TWispButton* b : {elbtCreateGame, elbtJoinGame, elbtCancel})
            b->SetYOffset(6);
    }
    SetOutline(Outline306(184));
    SetDragAnywhere();

    // 2.-3. The computers known from an earlier run, or the first-run scan.
    const auto file = m_host->StartDir() / kClientsFile;
    const FileReadResult read = readFileBytes(file, kMaxClientsBytes);
    if (read.exists && !read.readError) {
        m_model.readClients(read.bytes);
    } else if (read.exists) {
        // There but unreadable: scanning again could not write it either.
        reportNetworkError();
    } else {
        ShowFormMess(50,
                     tr("The game is running for a first time\n"
                        "Please wait while network is checking\n"
                        "It will take 1-2 min..."),
                     false);
        Refresh_Clients();
        if (TFormMess* mess = TFormMess::Instance()) mess->hide();
    }

    // 4. The outline.
    fillFriends();
    RebuildWindowRgn();
}

void TformNet::Refresh_Clients() {
    RefreshClients();
    if (writeFileAtomic(m_host->StartDir() / kClientsFile, m_model.clientsFile())) reportNetworkError();
}

void TformNet::RefreshClients() {
    m_model.readClients({});
    try {
        FillNetLevel();
    } catch (const std::exception&) {
        reportNetworkError();
    }
}

void TformNet::FillNetLevel() {
    QCoreApplication::processEvents();
    for (const auto& [name, address] : m_scan())
        m_model.addComputer(latin1(name), latin1(address));
}

void TformNet::saveClients() {
    if (writeFileAtomic(m_host->StartDir() / kClientsFile, m_model.clientsFile()))
        ShowFormMess(40, tr("Unable to save the list of computers!"), true);
}

// The field's list: the computers of "clients.cfg" that have an address.
void TformNet::fillFriends() {
    const QString typed = cbFriends->currentText();
    cbFriends->clear();
    for (const LobbyModel::Computer& c : m_model.computers())
        if (isHostAddress(c.address)) cbFriends->addItem(QString::fromLatin1(c.name));
    cbFriends->setCurrentText(typed);
}

void TformNet::switchButtons(bool on) {
    SwitchButton(elbtJoinGame, on);
    SwitchButton(elbtCreateGame, on);
}

void TformNet::FormActivate() {
    m_host->SetNetMode(true);
    switchButtons(true);
    m_matchStarting = false;
    SwitchButton(elbtCancel, true);
    labIP->setText(tr("Local IP: %1").arg(m_host->LocalIP()));
    labIP->adjustSize();
    if (!NetTimer->isActive()) {
        AskTimerTimer();
        AskTimer->start();
    }
    LoadPanel(datafiles::kMessagePanel, QSize(306, 184));
    QPalette pal = lbServers->palette();
    pal.setColor(QPalette::Base, PanelPixel(12, 40));
    pal.setColor(QPalette::Text, Qt::black);
    lbServers->setPalette(pal);
}

void TformNet::FormClose() {
    lbServers->clear();
    m_model.clearServers();
    m_model.clearAskers();
    NetTimer->stop();
    AskTimer->stop();
}

void TformNet::MatchStarting() {
    m_matchStarting = true;
    SwitchButton(elbtCancel, false);
}

void TformNet::sbCreateGameClick() {
    switchButtons(false);
    labIP->setText(tr("Waiting for connect..."));
    labIP->adjustSize();
    AskTimer->stop();
    NetTimer->start();
    m_host->SetNetRole(1);
    m_host->SetStatus(tr("Waiting for Opponent..."));
}

// The plain lobby's 14 characters in Latin-1 (a character beyond it shown
// as '?', as ever), the whole name in UTF-8 after the tag.
QByteArray TformNet::presence() const {
    const QString name = m_host->PlayerName();
    const std::string text = net::taggedPresence(latin1(name), name.toUtf8().toStdString());
    return QByteArray(text.data(), qsizetype(text.size()));
}

void TformNet::NetTimerTimer() {
    const QByteArray text = presence();
    for (const std::string& subnet : m_model.subNets())
        m_host->SendRequest(QString::fromStdString(subnet), text);
    const std::string self = latin1(m_host->LocalIP());
    std::vector<std::string> targets = m_model.hostTargets();
    for (const std::string& asker : m_model.askers())
        if (std::find(targets.begin(), targets.end(), asker) == targets.end()) targets.push_back(asker);
    for (const std::string& host : targets)
        if (host != self) m_host->SendRequest(QString::fromStdString(host), text);
}

void TformNet::AskTimerTimer() {
    const std::string self = latin1(m_host->LocalIP());
    const QByteArray query = presenceQuery();
    for (const std::string& host : m_model.hostTargets())
        if (host != self) m_host->SendRequest(QString::fromStdString(host), query);
}

void TformNet::PresenceAsked(const QString& fromIP) {
    if (NetTimer->isActive() && m_model.addAsker(latin1(fromIP))) m_host->SendRequest(fromIP, presence());
}

void TformNet::btAddFriendClick() {
    const QString typed = cbFriends->currentText().trimmed();
    if (typed.isEmpty() || !btAddFriend->isEnabled()) return;
    // One look-up at a time; the window goes on meanwhile.
    btAddFriend->setEnabled(false);
    QHostInfo::lookupHost(typed, this, [this, typed](const QHostInfo& info) { friendFound(typed, info); });
}

void TformNet::friendFound(const QString& typed, const QHostInfo& info) {
    btAddFriend->setEnabled(true);
    QString address;
    for (const QHostAddress& found : info.addresses())
        if (found.protocol() == QAbstractSocket::IPv4Protocol) {
            address = found.toString();
            break;
        }
    if (address.isEmpty()) {
        ShowFormMess(40, tr("No computer is known as \"%1\".").arg(typed), true);
        return;
    }
    if (m_model.addComputer(latin1(typed), latin1(address))) {
        saveClients();
        fillFriends();
    }
    cbFriends->setCurrentText(typed);
    m_host->SendRequest(address, NetTimer->isActive() ? presence() : presenceQuery());
}

void TformNet::btRemoveFriendClick() {
    if (!m_model.removeComputer(latin1(cbFriends->currentText().trimmed()))) return;
    saveClients();
    cbFriends->setCurrentText(QString());
    fillFriends();
}

bool TformNet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbFriends->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btAddFriendClick();
            return true;
        }
    }
    return TSkinnedForm::eventFilter(watched, event);
}

void TformNet::sbJoinGameClick() {
    if (lbServers->count() == 0) {
        ShowFormMess(40, tr("There is no game to Join!"), true);
        return;
    }
    switchButtons(false);
    m_host->SetNetMode(true);
    m_host->SetNetRole(2);
    // Every new line selects line 0, so a line is selected; should the player have cleared
    // the selection, the first line is the one meant.
    const int row = lbServers->currentRow() >= 0 ? lbServers->currentRow() : 0;
    const QString target = QString::fromStdString(m_model.servers()[std::size_t(row)].address);
    m_host->JoinGame(target, ServerExtended(row));
    m_host->SetNetConnected(true);
    m_host->SetOpponentIP(target);
    MatchStarting();
    // Starting the match pumps events; the window outlives it in the game, but not necessarily in tests.
    const QPointer<TformNet> alive(this);
    m_host->StartMatch();
    if (!alive) return;
    m_host->SetStatus(tr("Waiting for Opponent..."));
    close();
}

void TformNet::sbCancelClick() {
    if (m_matchStarting) return;
    m_host->SwitchSingleButton(true);
    m_host->SetNetConnected(false);
    m_host->SetNetMode(false);
    m_host->SetStatus(QString());
    close();
}

bool TformNet::HasServer(const QString& ip) const {
    return m_model.hasServer(latin1(ip));
}

void TformNet::AddServer(const QString& fromIP, const QByteArray& presenceText) {
    const std::string_view text(presenceText.constData(), static_cast<std::size_t>(presenceText.size()));
    if (m_model.addServer(latin1(fromIP), text)) delete lbServers->takeItem(0);
    const LobbyModel::Server& server = m_model.servers().back();
    auto* item = new QListWidgetItem(QString::fromUtf8(LobbyModel::serverText(server)) +
                                     (server.extended ? ExtendedMark : QString()));
    if (server.extended) item->setToolTip(tr("Plays the reliable LAN protocol of Vortalix 3D"));
    // Taller in a window scaled up, where the list's font is larger.
    item->setSizeHint(QSize(lbServers->width(), int(std::lround(kServerItemHeight * Scale().factor()))));
    lbServers->addItem(item);
    lbServers->setCurrentRow(0);
}

bool TformNet::ServerExtended(int row) const {
    return row >= 0 && std::size_t(row) < m_model.servers().size() &&
           m_model.servers()[std::size_t(row)].extended;
}

QStringList TformNet::SubNets() const {
    QStringList list;
    for (const std::string& subnet : m_model.subNets())
        list << QString::fromStdString(subnet);
    return list;
}

} // namespace vtx
