#include "ui/LobbyWindow.h"

#include "game/DataFiles.h"
#include "net/ILobbyHost.h"
#include "net/protocol/LobbyFormat.h"
#include "ui/MessageWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinFont.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QToolButton>

#include <cmath>

namespace vtx {

namespace {

constexpr int kServerItemHeight = 13;

QString firstRunText() {
    return LobbyWindow::tr("The game is running for a first time\n"
                           "Please wait while network is checking\n"
                           "It will take 1-2 min...");
}

} // namespace

LobbyWindow::LobbyWindow(ILobbyHost* host, QWidget* mainWindow, LobbyController::ScanSource scan)
    : SkinnedWindow(nullptr), m_host(host), m_controller(*host, std::move(scan)) {
    buildControls(mainWindow);
    connectController();
    m_controller.loadClients();
    fillFriends();
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
    rebuildWindowRgn();
}

void LobbyWindow::connectController() {
    connect(&m_controller, &LobbyController::scanStarted, this, &LobbyWindow::scanStarted);
    connect(&m_controller, &LobbyController::scanFinished, this, &LobbyWindow::scanFinished);
    connect(&m_controller, &LobbyController::computersChanged, this, &LobbyWindow::fillFriends);
    connect(&m_controller, &LobbyController::serverAdded, this, &LobbyWindow::serverAdded);
    connect(&m_controller, &LobbyController::friendFound, this, &LobbyWindow::friendFound);
    connect(&m_controller, &LobbyController::friendUnknown, this, &LobbyWindow::friendUnknown);
    connect(&m_controller, &LobbyController::friendRefused, this, &LobbyWindow::friendRefused);
    connect(&m_controller, &LobbyController::friendAsked, this,
            [this](const QString& typed) { tellAboutFriend(tr("Asking %1 for its game...").arg(shortName(typed))); });
    connect(&m_controller, &LobbyController::friendSilent, this, [this](const QString& typed) {
        tellAboutFriend(tr("No game answered at %1.\nIt is asked again every 2 seconds.").arg(shortName(typed)));
    });
    connect(&m_controller, &LobbyController::friendAnswered, this,
            [this] { tellAboutFriend(tr("Games created on your network appear here.")); });
    connect(&m_controller, &LobbyController::networkProblem, this, &LobbyWindow::reportNetworkProblem);
    connect(&m_controller, &LobbyController::clientsNotSaved, this,
            [this] { showMessage(40, tr("Unable to save the list of computers!"), true); });
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

// Shown while the first-run scan runs; the window goes on meanwhile.
void LobbyWindow::scanStarted() {
    showMessage(50, firstRunText(), false);
}

void LobbyWindow::scanFinished() {
    // Only the scan's own message: another one may have replaced it meanwhile.
    MessageWindow* mess = MessageWindow::instance();
    if (mess && mess->isVisible() && !mess->modal() && mess->messageText->text() == firstRunText())
        mess->hide();
}

// The box is application-modal but waits for nobody: it may come from a
// continuation of the scan.
void LobbyWindow::reportNetworkProblem() {
    auto* box = new QMessageBox(QMessageBox::Warning, tr("Attention"), tr("Unable to Initialize Network!"),
                                QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}

// The field's list: the computers of "clients.cfg" that have an address.
void LobbyWindow::fillFriends() {
    const QString typed = friendBox->currentText();
    friendBox->clear();
    for (const LobbyModel::Computer& c : m_controller.model().computers())
        if (isHostAddress(c.address)) friendBox->addItem(QString::fromLatin1(c.name));
    friendBox->setCurrentText(typed);
}

void LobbyWindow::switchButtons(bool on) {
    switchButton(joinButton, on);
    switchButton(createButton, on);
}

void LobbyWindow::shown() {
    m_controller.opened();
    switchButtons(true);
    m_matchStarting = false;
    switchButton(cancelButton, true);
    addressLabel->setText(tr("Local IP: %1").arg(m_host->localIp()));
    addressLabel->adjustSize();
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
    m_controller.closed();
}

void LobbyWindow::matchStarting() {
    m_matchStarting = true;
    switchButton(cancelButton, false);
}

void LobbyWindow::createClicked() {
    switchButtons(false);
    addressLabel->setText(tr("Waiting for connect..."));
    addressLabel->adjustSize();
    m_controller.create();
    m_host->setStatus(tr("Waiting for Opponent..."));
}

void LobbyWindow::addFriendClicked() {
    const QString typed = friendBox->currentText().trimmed();
    if (typed.isEmpty() || m_controller.lookingUp()) return;
    addFriendButton->setEnabled(false);
    m_controller.addFriend(typed);
}

void LobbyWindow::friendFound(const QString& typed) {
    addFriendButton->setEnabled(true);
    friendBox->setCurrentText(typed);
}

void LobbyWindow::friendUnknown(const QString& typed) {
    addFriendButton->setEnabled(true);
    tellAboutFriend(tr("Games created on your network appear here."));
    showMessage(40, tr("No computer is known as \"%1\".").arg(typed), true);
}

QString LobbyWindow::shortName(const QString& typed) const {
    // A name of up to 253 letters must leave the sentence room on its line.
    return QFontMetrics(emptyListLine->font()).elidedText(typed, Qt::ElideMiddle, emptyListLine->width() / 2);
}

void LobbyWindow::tellAboutFriend(const QString& text) {
    emptyListLine->setText(text);
}

void LobbyWindow::friendRefused(const QString&, LobbyController::FriendRefusal why) {
    addFriendButton->setEnabled(true);
    tellAboutFriend(tr("Games created on your network appear here."));
    QString reason;
    switch (why) {
    case LobbyController::FriendRefusal::TooLong:
        reason = tr("That is too long for\na computer's name or address.");
        break;
    case LobbyController::FriendRefusal::NotAnAddress:
        reason = tr("That is neither an address\nnor a computer's name.");
        break;
    case LobbyController::FriendRefusal::Ipv6:
        reason = tr("The game plays over IPv4 only:\ntype an address like 192.168.1.7.");
        break;
    case LobbyController::FriendRefusal::Broadcast:
        reason = tr("That address reaches a whole\nnetwork, not one computer.");
        break;
    case LobbyController::FriendRefusal::ThisComputer:
        reason = tr("That is this computer's own address.");
        break;
    }
    showMessage(40, reason, true);
}

void LobbyWindow::removeFriendClicked() {
    if (!m_controller.removeFriend(friendBox->currentText().trimmed())) return;
    friendBox->setCurrentText(QString());
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
    matchStarting();
    // Every new line selects line 0, so a line is selected; should the player have cleared
    // the selection, the first line is the one meant.
    const int row = gameList->currentRow() >= 0 ? gameList->currentRow() : 0;
    // The window outlives the match's start in the game, but not necessarily in tests.
    const QPointer<LobbyWindow> alive(this);
    m_controller.join(row);
    if (!alive) return;
    m_host->setStatus(tr("Waiting for Opponent..."));
    close();
}

void LobbyWindow::cancelClicked() {
    if (m_matchStarting) return;
    m_controller.cancel();
    m_host->setStatus(QString());
    close();
}

void LobbyWindow::serverAdded(bool oldestDropped) {
    if (oldestDropped) delete gameList->takeItem(0);
    const LobbyModel::Server& server = m_controller.model().servers().back();
    auto* item = new QListWidgetItem(QString::fromUtf8(LobbyModel::serverText(server)) +
                                     (server.extended ? ExtendedMark : QString()));
    if (server.extended) item->setToolTip(tr("Plays the reliable LAN protocol of Vortalix 3D"));
    // Taller in a window scaled up, where the list's font is larger.
    item->setSizeHint(QSize(gameList->width(), int(std::lround(kServerItemHeight * scale().factor()))));
    gameList->addItem(item);
    gameList->setCurrentRow(0);
}

} // namespace vtx
