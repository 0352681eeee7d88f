#include "ui/LobbyWindow.h"

#include "files/FileIo.h"
#include "game/DataFiles.h"
#include "game/NetExtension.h"
#include "game/NetMessage.h"
#include "net/NetScan.h"
#include "net/protocol/LobbyFormat.h"
#include "ui/ILobbyHost.h"
#include "ui/MessageWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinFont.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
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
    QMessageBox::warning(nullptr, LobbyWindow::tr("Attention"),
                         LobbyWindow::tr("Unable to Initialize Network!"), QMessageBox::Ok);
}

LobbyWindow::ScanSource systemScan() {
    return [] {
        QList<std::pair<QString, QString>> pairs;
        NetScan scan;
        for (const ScannedHost& host : scan.run())
            pairs.append({host.name, host.address});
        return pairs;
    };
}

} // namespace

LobbyWindow::LobbyWindow(ILobbyHost* host, QWidget* mainWindow, ScanSource scan)
    : SkinnedWindow(nullptr), m_host(host), m_scan(scan ? std::move(scan) : systemScan()) {
    buildControls(mainWindow);
}

void LobbyWindow::buildControls(QWidget* mainWindow) {
    setWindowTitle(tr("Network"));
    setFixedSize(306, 184);

    addressLabel = new QLabel(this);
    addressLabel->setGeometry(90, 14, 46, 13);
    QFont ipFont(QStringLiteral("Garamond"));
    ipFont.setStyleHint(QFont::Serif);
    ipFont.setPixelSize(12);
    addressLabel->setFont(ipFont);
    QPalette ipPalette = addressLabel->palette();
    ipPalette.setColor(QPalette::WindowText, Qt::white);
    addressLabel->setPalette(ipPalette);
    addressLabel->setAttribute(Qt::WA_TranslucentBackground);

    gameList = new QListWidget(this);
    // Shorter than the 81 pixels of old: the friend's address field and the
    // buttons' captions sit below, on the panel's light ground.
    gameList->setGeometry(16, 40, 274, 48);
    gameList->setFrameShape(QFrame::NoFrame);
    gameList->setSelectionMode(QAbstractItemView::SingleSelection);
    gameList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The address column is 17 characters wide: a fixed-pitch font keeps the names in line.
    QFont lineFont(QStringLiteral("DejaVu Sans Mono"));
    lineFont.setStyleHint(QFont::Monospace);
    lineFont.setPixelSize(11);
    gameList->setFont(lineFont);

    createButton = makeFaceButton(this, tr(" Create"), 29, 142);
    joinButton = makeFaceButton(this, tr("  Join"), 117, 142);
    cancelButton = makeFaceButton(this, tr("Cancel"), 205, 142);
    connect(createButton, &SkinButton::clicked, this, &LobbyWindow::createClicked);
    connect(joinButton, &SkinButton::clicked, this, &LobbyWindow::joinClicked);
    connect(cancelButton, &SkinButton::clicked, this, &LobbyWindow::cancelClicked);
    // Enter joins the selected game; Tab reaches Create; Esc is Cancel.
    setKeyButtons({joinButton}, cancelButton);
    buildExplanations();

    friendBox = new QComboBox(this);
    friendBox->setGeometry(16, 92, 214, 20);
    friendBox->setEditable(true);
    friendBox->setInsertPolicy(QComboBox::NoInsert);
    friendBox->lineEdit()->setPlaceholderText(tr("Host name or IP address"));
    // Enter in the field adds the computer instead of joining. The box keeps
    // the keyboard focus and hands keys to its edit itself, past any filter
    // of the edit's: both are watched.
    friendBox->installEventFilter(this);
    friendBox->lineEdit()->installEventFilter(this);
    addFriendButton = new QToolButton(this);
    addFriendButton->setGeometry(234, 92, 26, 20);
    addFriendButton->setText(QStringLiteral("+"));
    addFriendButton->setToolTip(tr("Add this computer and ask it for its game"));
    removeFriendButton = new QToolButton(this);
    removeFriendButton->setGeometry(264, 92, 26, 20);
    removeFriendButton->setText(QStringLiteral("\u2212"));
    removeFriendButton->setToolTip(tr("Remove this computer from the list"));
    connect(addFriendButton, &QToolButton::clicked, this, &LobbyWindow::addFriendClicked);
    connect(removeFriendButton, &QToolButton::clicked, this, &LobbyWindow::removeFriendClicked);

    announceTimer = new QTimer(this);
    announceTimer->setInterval(1000);
    connect(announceTimer, &QTimer::timeout, this, &LobbyWindow::announceTimerFired);
    queryTimer = new QTimer(this);
    queryTimer->setInterval(kAskIntervalMs);
    connect(queryTimer, &QTimer::timeout, this, &LobbyWindow::queryTimerFired);

    // 1. Position and large-font caption offsets.
    placeRelativeTo(mainWindow);
    if (!isSmallFonts()) {
        createButton->setXOffset(14);
        joinButton->setXOffset(17);
        cancelButton->setXOffset(16);
        for (SkinButton* b : {createButton, joinButton, cancelButton})
            b->setYOffset(6);
    }
    setOutline(outline306(184));
    setDragAnywhere();

    // 2.-3. The computers known from an earlier run, or the first-run scan.
    const auto file = m_host->startDir() / kClientsFile;
    const FileReadResult read = readFileBytes(file, kMaxClientsBytes);
    if (read.exists && !read.readError) {
        m_model.readClients(read.bytes);
    } else if (read.exists) {
        // There but unreadable: scanning again could not write it either.
        reportNetworkError();
    } else {
        showMessage(50,
                    tr("The game is running for a first time\n"
                       "Please wait while network is checking\n"
                       "It will take 1-2 min..."),
                    false);
        scanAndSaveClients();
        if (MessageWindow* mess = MessageWindow::instance()) mess->hide();
    }

    // 4. The outline.
    fillFriends();
    rebuildWindowRgn();
}

// A first-time player does not hover for tooltips: the empty list says what
// comes into it, and the two buttons say over them what they do.
void LobbyWindow::buildExplanations() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    emptyListLine = new QLabel(tr("Games created on your network appear here."), this);
    emptyListLine->setGeometry(gameList->geometry().adjusted(10, 0, -10, 0));
    emptyListLine->setAlignment(Qt::AlignCenter);
    emptyListLine->setWordWrap(true);
    emptyListLine->setFont(font);
    emptyListLine->setAttribute(Qt::WA_TransparentForMouseEvents);
    const auto listChanged = [this] { emptyListLine->setVisible(gameList->count() == 0); };
    connect(gameList->model(), &QAbstractItemModel::rowsInserted, this, listChanged);
    connect(gameList->model(), &QAbstractItemModel::rowsRemoved, this, listChanged);
    connect(gameList->model(), &QAbstractItemModel::modelReset, this, listChanged);

    const auto caption = [this](const QString& text, const SkinButton* button) {
        auto* label = new QLabel(text, this);
        // Over the button, on the light ground above its frame, as wide as
        // the gap to the next one allows.
        label->setGeometry(button->x() - 8, 115, button->width() + 16, 14);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label->setStyleSheet(QStringLiteral("color: rgb(52, 52, 60); background: transparent;"));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        return label;
    };
    createCaption = caption(tr("wait for a friend"), createButton);
    joinCaption = caption(tr("play a listed game"), joinButton);
    // One size for both, the largest at which both fit; a little room is
    // kept, since a scaled font is rounded to whole pixels.
    QFont small(QStringLiteral("DejaVu Sans"));
    for (int px = 10; px >= 7; --px) {
        small.setPixelSize(px);
        const QFontMetrics metrics(small);
        if (metrics.horizontalAdvance(createCaption->text()) <= createCaption->width() - 4 &&
            metrics.horizontalAdvance(joinCaption->text()) <= joinCaption->width() - 4)
            break;
    }
    createCaption->setFont(small);
    joinCaption->setFont(small);
}

void LobbyWindow::scanAndSaveClients() {
    scanClients();
    if (writeFileAtomic(m_host->startDir() / kClientsFile, m_model.clientsFile())) reportNetworkError();
}

void LobbyWindow::scanClients() {
    m_model.readClients({});
    try {
        addScannedComputers();
    } catch (const std::exception&) {
        reportNetworkError();
    }
}

void LobbyWindow::addScannedComputers() {
    QCoreApplication::processEvents();
    for (const auto& [name, address] : m_scan())
        m_model.addComputer(latin1(name), latin1(address));
}

void LobbyWindow::saveClients() {
    if (writeFileAtomic(m_host->startDir() / kClientsFile, m_model.clientsFile()))
        showMessage(40, tr("Unable to save the list of computers!"), true);
}

// The field's list: the computers of "clients.cfg" that have an address.
void LobbyWindow::fillFriends() {
    const QString typed = friendBox->currentText();
    friendBox->clear();
    for (const LobbyModel::Computer& c : m_model.computers())
        if (isHostAddress(c.address)) friendBox->addItem(QString::fromLatin1(c.name));
    friendBox->setCurrentText(typed);
}

void LobbyWindow::switchButtons(bool on) {
    switchButton(joinButton, on);
    switchButton(createButton, on);
}

void LobbyWindow::shown() {
    m_host->setNetMode(true);
    switchButtons(true);
    m_matchStarting = false;
    switchButton(cancelButton, true);
    addressLabel->setText(tr("Local IP: %1").arg(m_host->localIp()));
    addressLabel->adjustSize();
    if (!announceTimer->isActive()) {
        queryTimerFired();
        queryTimer->start();
    }
    loadPanel(datafiles::kMessagePanel, QSize(306, 184));
    QPalette pal = gameList->palette();
    pal.setColor(QPalette::Base, panelPixel(12, 40));
    pal.setColor(QPalette::Text, Qt::black);
    gameList->setPalette(pal);
    // Dark words on a light list, light ones on a dark list.
    QPalette linePalette = emptyListLine->palette();
    linePalette.setColor(QPalette::WindowText, pal.color(QPalette::Base).lightness() > 128
                                                   ? QColor(72, 72, 72)
                                                   : QColor(200, 200, 200));
    emptyListLine->setPalette(linePalette);
    emptyListLine->setVisible(gameList->count() == 0);
}

void LobbyWindow::closing() {
    gameList->clear();
    m_model.clearServers();
    m_model.clearAskers();
    announceTimer->stop();
    queryTimer->stop();
}

void LobbyWindow::matchStarting() {
    m_matchStarting = true;
    switchButton(cancelButton, false);
}

void LobbyWindow::createClicked() {
    switchButtons(false);
    addressLabel->setText(tr("Waiting for connect..."));
    addressLabel->adjustSize();
    queryTimer->stop();
    announceTimer->start();
    m_host->setNetRole(NetRole::Creator);
    m_host->setStatus(tr("Waiting for Opponent..."));
}

// The plain lobby's 14 characters in Latin-1 (a character beyond it shown
// as '?', as ever), the whole name in UTF-8 after the tag.
QByteArray LobbyWindow::presence() const {
    const QString name = m_host->playerName();
    const std::string text = net::taggedPresence(latin1(name), name.toUtf8().toStdString());
    return QByteArray(text.data(), qsizetype(text.size()));
}

void LobbyWindow::announceTimerFired() {
    const QByteArray text = presence();
    for (const std::string& subnet : m_model.subNets())
        m_host->sendRequest(QString::fromStdString(subnet), text);
    const std::string self = latin1(m_host->localIp());
    std::vector<std::string> targets = m_model.hostTargets();
    for (const std::string& asker : m_model.askers())
        if (std::find(targets.begin(), targets.end(), asker) == targets.end()) targets.push_back(asker);
    for (const std::string& host : targets)
        if (host != self) m_host->sendRequest(QString::fromStdString(host), text);
}

void LobbyWindow::queryTimerFired() {
    const std::string self = latin1(m_host->localIp());
    const QByteArray query = presenceQuery();
    for (const std::string& host : m_model.hostTargets())
        if (host != self) m_host->sendRequest(QString::fromStdString(host), query);
}

void LobbyWindow::presenceAsked(const QString& fromIP) {
    if (announceTimer->isActive() && m_model.addAsker(latin1(fromIP)))
        m_host->sendRequest(fromIP, presence());
}

void LobbyWindow::addFriendClicked() {
    const QString typed = friendBox->currentText().trimmed();
    if (typed.isEmpty() || !addFriendButton->isEnabled()) return;
    // One look-up at a time; the window goes on meanwhile.
    addFriendButton->setEnabled(false);
    QHostInfo::lookupHost(typed, this, [this, typed](const QHostInfo& info) { friendFound(typed, info); });
}

void LobbyWindow::friendFound(const QString& typed, const QHostInfo& info) {
    addFriendButton->setEnabled(true);
    QString address;
    for (const QHostAddress& found : info.addresses())
        if (found.protocol() == QAbstractSocket::IPv4Protocol) {
            address = found.toString();
            break;
        }
    if (address.isEmpty()) {
        showMessage(40, tr("No computer is known as \"%1\".").arg(typed), true);
        return;
    }
    if (m_model.addComputer(latin1(typed), latin1(address))) {
        saveClients();
        fillFriends();
    }
    friendBox->setCurrentText(typed);
    m_host->sendRequest(address, announceTimer->isActive() ? presence() : presenceQuery());
}

void LobbyWindow::removeFriendClicked() {
    if (!m_model.removeComputer(latin1(friendBox->currentText().trimmed()))) return;
    saveClients();
    friendBox->setCurrentText(QString());
    fillFriends();
}

bool LobbyWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == friendBox || watched == friendBox->lineEdit()) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addFriendClicked();
            return true;
        }
    }
    return SkinnedWindow::eventFilter(watched, event);
}

void LobbyWindow::joinClicked() {
    if (gameList->count() == 0) {
        showMessage(40, tr("There is no game to Join!"), true);
        return;
    }
    switchButtons(false);
    m_host->setNetMode(true);
    m_host->setNetRole(NetRole::Joiner);
    // Every new line selects line 0, so a line is selected; should the player have cleared
    // the selection, the first line is the one meant.
    const int row = gameList->currentRow() >= 0 ? gameList->currentRow() : 0;
    const QString target = QString::fromStdString(m_model.servers()[std::size_t(row)].address);
    m_host->joinGame(target, serverExtended(row));
    m_host->setNetConnected(true);
    m_host->setOpponentIp(target);
    matchStarting();
    // Starting the match pumps events; the window outlives it in the game, but not necessarily in tests.
    const QPointer<LobbyWindow> alive(this);
    m_host->startMatch();
    if (!alive) return;
    m_host->setStatus(tr("Waiting for Opponent..."));
    close();
}

void LobbyWindow::cancelClicked() {
    if (m_matchStarting) return;
    m_host->switchSingleButton(true);
    m_host->setNetConnected(false);
    m_host->setNetMode(false);
    m_host->setStatus(QString());
    close();
}

bool LobbyWindow::hasServer(const QString& ip) const {
    return m_model.hasServer(latin1(ip));
}

void LobbyWindow::addServer(const QString& fromIP, const QByteArray& presenceText) {
    const std::string_view text(presenceText.constData(), static_cast<std::size_t>(presenceText.size()));
    if (m_model.addServer(latin1(fromIP), text)) delete gameList->takeItem(0);
    const LobbyModel::Server& server = m_model.servers().back();
    auto* item = new QListWidgetItem(QString::fromUtf8(LobbyModel::serverText(server)) +
                                     (server.extended ? ExtendedMark : QString()));
    if (server.extended) item->setToolTip(tr("Plays the reliable LAN protocol of Vortalix 3D"));
    // Taller in a window scaled up, where the list's font is larger.
    item->setSizeHint(QSize(gameList->width(), int(std::lround(kServerItemHeight * scale().factor()))));
    gameList->addItem(item);
    gameList->setCurrentRow(0);
}

bool LobbyWindow::serverExtended(int row) const {
    return row >= 0 && std::size_t(row) < m_model.servers().size() &&
           m_model.servers()[std::size_t(row)].extended;
}

QStringList LobbyWindow::subNets() const {
    QStringList list;
    for (const std::string& subnet : m_model.subNets())
        list << QString::fromStdString(subnet);
    return list;
}

} // namespace vtx
