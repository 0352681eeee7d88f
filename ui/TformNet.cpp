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
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <exception>
#include <memory>

namespace vtx {

namespace {

// A file of a few hundred computers is a few kilobytes; more is read only up to this.
constexpr std::size_t kMaxClientsBytes = 1024 * 1024;
constexpr int kServerItemHeight = 13;

const char* const kClientsFile = "clients.cfg";

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
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
    lbServers->setGeometry(16, 40, 274, 81);
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

    cbClients = new QListWidget(this);
    cbClients->setGeometry(24, 48, 257, 17);
    cbClients->hide();
    cbSubNets = new QComboBox(this);
    cbSubNets->setGeometry(24, 64, 257, 21);
    cbSubNets->hide();

    NetTimer = new QTimer(this);
    NetTimer->setInterval(1000);
    connect(NetTimer, &QTimer::timeout, this, &TformNet::NetTimerTimer);

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
        for (const ClientEntry& entry : readClientsFile(read.bytes)) {
            cbClients->addItem(QString::fromLatin1(entry.name));
            AnalyzeIP(entry.addressPart);
            const QString address = QString::fromLatin1(entry.address);
            if (!address.isEmpty() && !m_hostTargets.contains(address) &&
                m_hostTargets.size() < MaxHostTargets)
                m_hostTargets.append(address);
        }
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

    // 4. First subnet selected; the outline.
    if (cbSubNets->count() > 0) cbSubNets->setCurrentIndex(0);
    RebuildWindowRgn();
}

void TformNet::Refresh_Clients() {
    std::string file;
    RefreshClients(file);
    if (writeFileAtomic(m_host->StartDir() / kClientsFile, file)) reportNetworkError();
}

void TformNet::RefreshClients(std::string& file) {
    cbClients->clear();
    try {
        FillNetLevel(file);
    } catch (const std::exception&) {
        reportNetworkError();
    }
}

void TformNet::FillNetLevel(std::string& file) {
    QCoreApplication::processEvents();
    for (const auto& [name, address] : m_scan()) {
        const std::string dotted = latin1(address);
        AnalyzeIP(dotted);
        file += clientsFileLine(latin1(name), dotted);
        cbClients->addItem(name);
    }
}

void TformNet::AnalyzeIP(const std::string& address) {
    const std::size_t before = m_subnets.size();
    vtx::AnalyzeIP(address, m_subnets);
    if (m_subnets.size() > before) cbSubNets->addItem(QString::fromStdString(m_subnets.back()));
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
    LoadPanel(datafiles::kMessagePanel, QSize(306, 184));
    QPalette pal = lbServers->palette();
    pal.setColor(QPalette::Base, PanelPixel(12, 40));
    pal.setColor(QPalette::Text, Qt::black);
    lbServers->setPalette(pal);
}

void TformNet::FormClose() {
    lbServers->clear();
    m_serverAddresses.clear();
    NetTimer->stop();
}

void TformNet::MatchStarting() {
    m_matchStarting = true;
    SwitchButton(elbtCancel, false);
}

void TformNet::sbCreateGameClick() {
    switchButtons(false);
    labIP->setText(tr("Waiting for connect..."));
    labIP->adjustSize();
    NetTimer->start();
    m_host->SetNetRole(1);
    m_host->SetStatus(tr("Waiting for Opponent..."));
}

void TformNet::NetTimerTimer() {
    const std::string text = net::taggedPresence(m_host->PlayerName().toLatin1().toStdString());
    const QByteArray presence(text.data(), qsizetype(text.size()));
    for (int i = 0; i < cbSubNets->count(); ++i)
        m_host->SendRequest(cbSubNets->itemText(i), presence);
    const QString self = m_host->LocalIP();
    for (const QString& host : m_hostTargets)
        if (host != self) m_host->SendRequest(host, presence);
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
    const QString target = QString::fromStdString(serverLineAddress(latin1(lbServers->item(row)->text())));
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
    // A line's address is its first 15 characters: so is the key.
    return m_serverAddresses.contains(QString::fromStdString(serverLineAddress(latin1(ip))));
}

void TformNet::AddServer(const QString& fromIP, const QByteArray& presenceText) {
    const std::string_view text(presenceText.constData(), static_cast<std::size_t>(presenceText.size()));
    const std::string line = serverLine(latin1(fromIP), text);
    const bool extended = net::presenceTagged(text);
    if (lbServers->count() >= MaxServers) {
        std::unique_ptr<QListWidgetItem> oldest(lbServers->takeItem(0));
        m_serverAddresses.remove(QString::fromStdString(serverLineAddress(latin1(oldest->text()))));
    }
    auto* item = new QListWidgetItem(QString::fromLatin1(line) + (extended ? ExtendedMark : QString()));
    item->setData(Qt::UserRole, extended);
    if (extended) item->setToolTip(tr("Plays the reliable LAN protocol of Vortalix 3D"));
    item->setSizeHint(QSize(lbServers->width(), kServerItemHeight));
    lbServers->addItem(item);
    m_serverAddresses.insert(QString::fromStdString(serverLineAddress(line)));
    lbServers->setCurrentRow(0);
}

bool TformNet::ServerExtended(int row) const {
    const QListWidgetItem* item = lbServers->item(row);
    return item && item->data(Qt::UserRole).toBool();
}

QStringList TformNet::SubNets() const {
    QStringList list;
    for (int i = 0; i < cbSubNets->count(); ++i)
        list << cbSubNets->itemText(i);
    return list;
}

} // namespace vtx
