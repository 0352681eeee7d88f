#include "ui/LobbyWindow.h"
#include "../support/TempDir.h"
#include "GuiTestSupport.h"
#include "game/NetExtension.h"
#include "net/ILobbyHost.h"
#include "net/NetScan.h"
#include "ui/MessageWindow.h"
#include "ui/SkinButton.h"
#include "ui/SkinFont.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <optional>

#include <gtest/gtest.h>

namespace vtx {
namespace {

using Found = QList<ScannedHost>;

// Records every call in order, as "Name argument".
class FakeLobbyHost : public ILobbyHost {
public:
    std::filesystem::path folder;
    QString localIP = QStringLiteral("192.168.1.5");
    QString name = QStringLiteral("Hero");
    QStringList calls;
    QList<std::pair<QString, QByteArray>> sent;

    std::filesystem::path startDir() const override { return folder; }
    QString localIp() const override { return localIP; }
    QString playerName() const override { return name; }
    void setNetMode(bool on) override { calls << QStringLiteral("SetNetMode %1").arg(on); }
    void setNetConnected(bool on) override { calls << QStringLiteral("SetNetConnected %1").arg(on); }
    void setNetRole(NetRole role) override { calls << QStringLiteral("SetNetRole %1").arg(int(role)); }
    void setOpponentIp(const QString& ip) override { calls << QStringLiteral("SetOpponentIP ") + ip; }
    void sendRequest(const QString& host, const QByteArray& text) override {
        sent.append({host, text});
        calls << QStringLiteral("SendRequest ") + host;
    }
    void joinGame(const QString& creatorIP, bool extended) override {
        calls << QStringLiteral("JoinGame %1 %2").arg(creatorIP).arg(extended);
    }
    void startMatch() override {
        calls << QStringLiteral("StartMatch");
        if (duringStart) duringStart();
    }
    std::function<void()> duringStart;
    void setStatus(const QString& text) override { calls << QStringLiteral("SetStatus ") + text; }
    void switchSingleButton(bool on) override { calls << QStringLiteral("SwitchSingleButton %1").arg(on); }
};

// Closes the next application-modal window (message window or message box) and hands back its text.
void closeNextModal(QString* text) {
    QTimer::singleShot(0, [text] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            closeNextModal(text);
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            *text = box->windowTitle() + QLatin1Char('|') + box->text();
        else if (auto* mess = qobject_cast<MessageWindow*>(modal))
            *text = mess->messageText->text();
        modal->close();
    });
}

bool buttonsOn(const LobbyWindow& lobby) {
    return lobby.createButton->isEnabled() && lobby.joinButton->isEnabled() &&
           lobby.createButton->skinFont() == enabledFont() && lobby.joinButton->skinFont() == enabledFont();
}

class LobbyWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::enterRunDir();
        host.folder = dir.path();
        dir.write("clients.cfg", "alpha          192.168.1.7\r\nbeta           10.0.0.3\r\n");
    }

    // Any scan here would be a fault: the file is there.
    static Found noScan() {
        ADD_FAILURE() << "scanned although clients.cfg exists";
        return {};
    }

    test::TempDir dir;
    FakeLobbyHost host;
    MessageWindow mess{nullptr};
};

TEST_F(LobbyWindowTest, FirstRunScansWritesClientsFileAndReadsItBackNextTime) {
    const std::string expected = "me-host        192.168.1.7\r\n"
                                 "a-very-long-com192.168.1.12\r\n"
                                 "nowhere        \r\n"
                                 "gamma          10.0.0.3\r\n";
    std::filesystem::remove(dir.path() / "clients.cfg");
    QString shownDuringScan;
    {
        LobbyWindow lobby(&host, nullptr, [&] {
            if (mess.isVisible()) shownDuringScan = mess.messageText->text();
            return Found{{"me-host", "192.168.1.7"},
                         {"a-very-long-computer-name", "192.168.1.12"},
                         {"nowhere", ""},
                         {"gamma", "10.0.0.3"}};
        });
        // The scan runs from the event loop; the lobby is there meanwhile.
        EXPECT_TRUE(lobby.controller().scanning());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !lobby.controller().scanning(); }, 5000));
        EXPECT_EQ(shownDuringScan,
                  QStringLiteral("The game is running for a first time\n"
                                 "Please wait while network is checking\nIt will take 1-2 min..."));
        EXPECT_FALSE(mess.isVisible());
        EXPECT_EQ(mess.messageText->y(), 50);
        EXPECT_EQ(dir.read("clients.cfg"), expected);
        EXPECT_EQ(lobby.controller().subNets(), QStringList({"192.168.1.255", "10.0.0.255"}));
        EXPECT_EQ(lobby.controller().model().computers().size(), 4u);
    }
    LobbyWindow again(&host, nullptr, noScan);
    EXPECT_EQ(again.controller().subNets(), QStringList({"192.168.1.255", "10.0.0.255"}));
    ASSERT_EQ(again.controller().model().computers().size(), 4u);
    EXPECT_EQ(again.controller().model().computers()[1].name, "a-very-long-com");
    EXPECT_EQ(again.controller().model().computers()[2].name, "nowhere");
    EXPECT_EQ(dir.read("clients.cfg"), expected);
}

TEST_F(LobbyWindowTest, FirstRunWriteFailureIsReportedAndKeepsWhatWasFound) {
    host.folder = dir.path() / "missing-folder";
    QString box;
    closeNextModal(&box);
    LobbyWindow lobby(&host, nullptr, [] { return Found{{"me-host", "192.168.1.7"}}; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box.isEmpty(); }, 5000));
    EXPECT_EQ(box, QStringLiteral("Attention|Unable to Initialize Network!"));
    EXPECT_EQ(lobby.controller().subNets(), QStringList({"192.168.1.255"}));
    EXPECT_EQ(lobby.controller().model().computers().size(), 1u);
}

TEST_F(LobbyWindowTest, OpensWithItsControlsAndJoinWithoutGamesOnlyTellsSo) {
    LobbyWindow lobby(&host, nullptr, noScan);
    EXPECT_EQ(lobby.size(), QSize(306, 184));
    EXPECT_EQ(lobby.gameList->geometry(), QRect(16, 40, 274, 48));
    EXPECT_EQ(lobby.joinButton->geometry(), QRect(117, 142, 71, 24));
    EXPECT_EQ(lobby.createButton->text(), QStringLiteral(" Create"));
    EXPECT_EQ(lobby.joinButton->text(), QStringLiteral("  Join"));
    EXPECT_EQ(lobby.cancelButton->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(lobby.controller().announceTimer->interval(), 1000);
    EXPECT_FALSE(lobby.controller().announceTimer->isActive());
    EXPECT_TRUE(lobby.inDragArea(QPoint(5, 100)));
    EXPECT_FALSE(lobby.windowRegion().contains(QPoint(1, 1))); // a cut top corner
    EXPECT_TRUE(lobby.windowRegion().contains(QPoint(1, 183)));

    lobby.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lobby));
    EXPECT_EQ(host.calls, QStringList({"SetNetMode 1", "SendRequest 192.168.1.7", "SendRequest 10.0.0.3"}));
    EXPECT_EQ(host.sent.value(0).second, QByteArray("SYS$$Present?~VTX1")); // asked for their games
    host.sent.clear();
    EXPECT_EQ(lobby.addressLabel->text(), QStringLiteral("Local IP: 192.168.1.5"));
    EXPECT_TRUE(buttonsOn(lobby));
    EXPECT_TRUE(lobby.panelError().isEmpty()) << lobby.panelError().toStdString();
    EXPECT_EQ(lobby.gameList->palette().color(QPalette::Base), lobby.panelPixel(12, 40));

    QString message;
    closeNextModal(&message);
    QTest::mouseClick(lobby.joinButton, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(message, QStringLiteral("There is no game to Join!"));
    EXPECT_EQ(mess.messageText->y(), 40);
    EXPECT_TRUE(buttonsOn(lobby));
    EXPECT_TRUE(lobby.isVisible());
    EXPECT_TRUE(host.sent.isEmpty());
    lobby.hide();
}

TEST_F(LobbyWindowTest, CreateAnnouncesOnEverySubnetUntilCancel) {
    LobbyWindow lobby(&host, nullptr, noScan);
    QTimer::singleShot(0, [&] {
        host.sent.clear(); // the open lobby's questions
        host.calls.clear();
        QTest::mouseClick(lobby.createButton, Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_FALSE(lobby.controller().queryTimer->isActive());
        EXPECT_FALSE(lobby.createButton->isEnabled());
        EXPECT_FALSE(lobby.joinButton->isEnabled());
        EXPECT_EQ(lobby.joinButton->skinFont(), disabledFont());
        EXPECT_EQ(lobby.addressLabel->text(), QStringLiteral("Waiting for connect..."));
        EXPECT_TRUE(lobby.controller().announceTimer->isActive());
        test::saveShot(&lobby, QStringLiteral("lobby-creating.png"));
        // Two ticks of the presence timer, then Esc, the key of Cancel, ends the modal lobby.
        EXPECT_TRUE(QTest::qWaitFor([&] { return host.sent.size() >= 8; }, 10000));
        QTest::keyClick(&lobby, Qt::Key_Escape);
    });
    lobby.execModal();

    EXPECT_FALSE(lobby.isVisible());
    EXPECT_FALSE(lobby.controller().announceTimer->isActive());
    ASSERT_GE(host.sent.size(), 8);
    // The name field a plain lobby shows, then the extension's tag; each
    // subnet, then each computer of "clients.cfg" by its own address.
    const QByteArray presence("SYS$$Present: Hero          ~VTX1Hero");
    const QStringList targets = {"192.168.1.255", "10.0.0.255", "192.168.1.7", "10.0.0.3"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(host.sent[i], std::make_pair(targets[i % 4], presence)) << i;
    EXPECT_EQ(host.calls.mid(0, 2), QStringList({"SetNetRole 1", "SetStatus Waiting for Opponent..."}));
    EXPECT_EQ(host.calls.mid(host.calls.size() - 4),
              QStringList({"SwitchSingleButton 1", "SetNetConnected 0", "SetNetMode 0", "SetStatus "}));
}

TEST_F(LobbyWindowTest, JoinAsksTheSelectedCreatorAndStartsTheMatch) {
    LobbyWindow lobby(&host, nullptr, noScan);
    lobby.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lobby));
    EXPECT_FALSE(lobby.controller().hasServer(QStringLiteral("10.0.0.3")));
    lobby.controller().addServer(QStringLiteral("192.168.1.7"), "SYS$$Present: Alice");
    lobby.controller().addServer(QStringLiteral("10.0.0.3"), "SYS$$Present:    Bob with a long name");
    EXPECT_TRUE(lobby.controller().hasServer(QStringLiteral("10.0.0.3")));
    EXPECT_FALSE(lobby.controller().hasServer(QStringLiteral("10.0.0.")));
    ASSERT_EQ(lobby.gameList->count(), 2);
    EXPECT_EQ(lobby.gameList->item(1)->text(), QStringLiteral("10.0.0.3         Bob with a"));
    EXPECT_EQ(lobby.gameList->currentRow(), 0);
    QApplication::processEvents(); // the list lays its lines out later
    test::saveShot(&lobby, QStringLiteral("lobby-servers.png"));

    host.calls.clear();
    lobby.gameList->setCurrentRow(1);
    // While the match starts, Cancel would strand the opponent: it is off.
    bool cancelOff = false;
    host.duringStart = [&] {
        cancelOff = !lobby.cancelButton->isEnabled();
        QTest::mouseClick(lobby.cancelButton, Qt::LeftButton, {}, QPoint(10, 10));
    };
    QTest::mouseClick(lobby.joinButton, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(cancelOff);
    EXPECT_EQ(host.calls,
              QStringList({"SetNetMode 1", "SetNetRole 2", "JoinGame 10.0.0.3 0", "SetNetConnected 1",
                           "SetOpponentIP 10.0.0.3", "StartMatch", "SetStatus Waiting for Opponent..."}));
    EXPECT_FALSE(lobby.isVisible());
    EXPECT_EQ(lobby.gameList->count(), 0);

    // A creator that announced the extension is marked and joined with it;
    // a flood of creators keeps only the latest lines.
    host.duringStart = nullptr;
    lobby.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lobby));
    EXPECT_TRUE(lobby.cancelButton->isEnabled());
    for (int i = 0; i < LobbyWindow::MaxServers + 6; ++i)
        lobby.controller().addServer(QStringLiteral("10.1.%1.%2").arg(i / 200).arg(i % 200 + 1),
                                     "SYS$$Present: Plain");
    lobby.controller().addServer(QStringLiteral("10.9.9.9"),
                                 QByteArray::fromStdString(net::taggedPresence("Carol")));
    ASSERT_EQ(lobby.gameList->count(), LobbyWindow::MaxServers);
    EXPECT_FALSE(lobby.controller().hasServer(QStringLiteral("10.1.0.7")));
    EXPECT_TRUE(lobby.controller().hasServer(QStringLiteral("10.1.0.8")));
    EXPECT_EQ(lobby.gameList->item(LobbyWindow::MaxServers - 1)->text(),
              QStringLiteral("10.9.9.9         Carol") + LobbyWindow::ExtendedMark);
    host.calls.clear();
    lobby.gameList->setCurrentRow(LobbyWindow::MaxServers - 1);
    QTest::mouseClick(lobby.joinButton, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(host.calls.value(2), QStringLiteral("JoinGame 10.9.9.9 1"));
}

TEST_F(LobbyWindowTest, AFriendTypedByAddressIsAskedKeptAndRemoved) {
    LobbyWindow lobby(&host, nullptr, noScan);
    lobby.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lobby));
    host.sent.clear();
    // An unknown name is told, and nothing is kept.
    QString message;
    closeNextModal(&message);
    // Typed where the keyboard is: the box, which hands keys to its edit.
    lobby.friendBox->setFocus();
    ASSERT_EQ(lobby.focusWidget(), lobby.friendBox);
    QTest::keyClicks(lobby.friendBox, QStringLiteral("no-such-host.invalid"));
    QTest::keyClick(lobby.friendBox, Qt::Key_Return); // adds; does not join
    ASSERT_TRUE(QTest::qWaitFor([&] { return !message.isEmpty(); }, 20000));
    EXPECT_EQ(message, QStringLiteral("No computer is known as \"no-such-host.invalid\"."));
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_TRUE(lobby.isVisible());

    // A name that resolves is asked at once and written to the file.
    lobby.friendBox->setCurrentText(QStringLiteral("localhost"));
    QTest::mouseClick(lobby.addFriendButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !host.sent.isEmpty(); }, 20000));
    EXPECT_EQ(host.sent[0], std::make_pair(QStringLiteral("127.0.0.1"), QByteArray("SYS$$Present?~VTX1")));
    EXPECT_EQ(dir.read("clients.cfg"),
              "alpha          192.168.1.7\r\nbeta           10.0.0.3\r\nlocalhost      127.0.0.1\r\n");
    // Its game is listed when it answers, with the name as its player wrote it.
    lobby.controller().addServer(QStringLiteral("127.0.0.1"), QByteArray::fromStdString(net::taggedPresence(
                                                                  "?????", "\u0410\u043d\u043d\u0430")));
    EXPECT_EQ(lobby.gameList->item(0)->text(),
              QStringLiteral("127.0.0.1        \u0410\u043d\u043d\u0430") + LobbyWindow::ExtendedMark);
    QApplication::processEvents();
    test::saveShot(&lobby, QStringLiteral("lobby-friend.png"));

    QTest::mouseClick(lobby.removeFriendButton, Qt::LeftButton);
    EXPECT_EQ(dir.read("clients.cfg"), "alpha          192.168.1.7\r\nbeta           10.0.0.3\r\n");
    lobby.hide();
}

// An address nobody serves: told at once that it is asked, told after the
// wait that nothing answered there; an answer from elsewhere is not its
// answer. Texts that can name no other computer are refused with the reason.
TEST_F(LobbyWindowTest, AnAddressNobodyServesIsAskedAndToldSilent) {
    LobbyWindow lobby(&host, nullptr, noScan);
    lobby.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lobby));
    host.sent.clear();
    lobby.friendBox->setFocus();
    QTest::keyClicks(lobby.friendBox, QStringLiteral("192.0.2.44"));
    QTest::keyClick(lobby.friendBox, Qt::Key_Return);
    EXPECT_EQ(lobby.emptyListLine->text(), QStringLiteral("Asking 192.0.2.44 for its game..."));
    ASSERT_FALSE(host.sent.isEmpty());
    EXPECT_EQ(host.sent[0], std::make_pair(QStringLiteral("192.0.2.44"), QByteArray("SYS$$Present?~VTX1")));
    lobby.controller().addServer(QStringLiteral("192.0.2.45"),
                                 QByteArray::fromStdString(net::taggedPresence("Other", "Other")));
    EXPECT_TRUE(lobby.emptyListLine->text().startsWith(QStringLiteral("Asking")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return lobby.emptyListLine->text().startsWith(QStringLiteral("No game answered at 192.0.2.44.")); },
        LobbyController::AnswerWaitMs + 3000));
    EXPECT_TRUE(lobby.controller().model().hostTargets().size() == 3u); // asked on with the others

    const std::pair<const char*, const char*> refused[] = {
        {"fe80::1", "The game plays over IPv4 only:\ntype an address like 192.168.1.7."},
        {"192.168.1.255", "That address reaches a whole\nnetwork, not one computer."},
        {"192.168.1.5", "That is this computer's own address."},
        {"10.1", "That is neither an address\nnor a computer's name."},
    };
    for (const auto& [typed, reason] : refused) {
        QString message;
        closeNextModal(&message);
        host.sent.clear();
        lobby.friendBox->setCurrentText(QString::fromLatin1(typed));
        QTest::mouseClick(lobby.addFriendButton, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !message.isEmpty(); }, 5000)) << typed;
        EXPECT_EQ(message, QString::fromUtf8(reason));
        EXPECT_TRUE(host.sent.isEmpty()) << typed;
    }
    lobby.hide();
}

// The scan's steps run from the event loop: this waits for its answer.
QList<ScannedHost> scanned(NetScan& scan) {
    std::optional<QList<ScannedHost>> found;
    scan.start([&](const QList<ScannedHost>& hosts) { found = hosts; });
    EXPECT_FALSE(found); // never from inside start
    EXPECT_TRUE(QTest::qWaitFor([&] { return found.has_value(); }, 5000));
    return found.value_or(QList<ScannedHost>{});
}

TEST(NetScanTest, FindsThisComputerAndKnownNeighboursOnItsSubnets) {
    test::TempDir dir;
    dir.write("arp", "IP address       HW type     Flags       HW address            Mask     Device\n"
                     "192.168.1.1      0x1         0x2         00:11:22:33:44:55     *        eth0\n"
                     "192.168.1.20     0x1         0x0         00:00:00:00:00:00     *        eth0\n"
                     "192.168.1.30     0x1         0x2         00:11:22:33:44:66     *        eth0\n"
                     "192.168.1.5      0x1         0x2         00:11:22:33:44:77     *        eth0\n"
                     "10.1.1.1         0x1         0x2         00:11:22:33:44:88     *        tun0\n");
    dir.write("hosts", "127.0.0.1 localhost\n127.0.1.1\tme-host\n::1 ip6-localhost\n"
                       "192.168.1.30 printer  # the office printer\n"
                       "192.168.1.40\tpeer peer.lan\n"
                       "# 192.168.1.50 gone\n"
                       "172.16.0.9 faraway\n"
                       "192.168.1.30 printer-again\n");
    NetScan scan;
    scan.setArpTablePath(QString::fromStdString((dir.path() / "arp").string()));
    scan.setHostsPath(QString::fromStdString((dir.path() / "hosts").string()));
    scan.setLocalAddresses({{QStringLiteral("192.168.1.5"), 24}});
    scan.setHostName(QStringLiteral("me-host"));
    scan.setLookupBudgetMs(0);
    EXPECT_EQ(scanned(scan), (QList<ScannedHost>{{"me-host", "192.168.1.5"},
                                                 {"192.168.1.1", "192.168.1.1"},
                                                 {"printer", "192.168.1.30"},
                                                 {"peer", "192.168.1.40"}}));

    // Without the files only this computer is found.
    scan.setArpTablePath(QString::fromStdString((dir.path() / "none").string()));
    scan.setHostsPath(QString::fromStdString((dir.path() / "none").string()));
    EXPECT_EQ(scanned(scan), (QList<ScannedHost>{{"me-host", "192.168.1.5"}}));
}

} // namespace
} // namespace vtx
