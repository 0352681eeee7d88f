#include "ui/MessageWindow.h"

#include "game/DataFiles.h"
#include "ui/SkinButton.h"
#include "ui/SkinFont.h"

#include <QDebug>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>
#include <utility>

namespace vtx {

namespace {

MessageWindow* g_instance = nullptr;

QFont messageFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    return f;
}

} // namespace

MessageWindow::MessageWindow(QWidget* mainWindow) : SkinnedWindow(nullptr), m_mainWindow(mainWindow) {
    buildControls(mainWindow);
    g_instance = this;
}

MessageWindow::~MessageWindow() {
    if (g_instance == this) g_instance = nullptr;
}

MessageWindow* MessageWindow::instance() {
    return g_instance;
}

void MessageWindow::buildControls(QWidget* mainWindow) {
    setWindowTitle(tr("Message"));
    resize(306, 184);
    setFixedSize(306, 184);

    messageShadow = new QLabel(this);
    messageShadow->setGeometry(15, 65, 273, 56);
    messageShadow->setFont(messageFont());
    messageShadow->setAlignment(Qt::AlignCenter);
    messageShadow->setWordWrap(false);
    messageShadow->setAttribute(Qt::WA_TranslucentBackground);
    {
        QPalette pal = messageShadow->palette();
        pal.setColor(QPalette::WindowText, palette().color(QPalette::Light));
        messageShadow->setPalette(pal);
    }

    messageText = new QLabel(this);
    messageText->setGeometry(16, 64, 273, 56);
    messageText->setFont(messageFont());
    messageText->setAlignment(Qt::AlignCenter);
    messageText->setWordWrap(true);
    messageText->setAttribute(Qt::WA_TranslucentBackground);
    {
        QPalette pal = messageText->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        messageText->setPalette(pal);
    }

    okButton = new SkinButton(this);
    okButton->setGeometry(117, 141, 71, 24);
    okButton->setFaces("71x24");
    okButton->setText(tr("   Ok"));
    okButton->setXOffset(20);
    okButton->setYOffset(7);
    okButton->setSkinFont(enabledFont());
    if (!isSmallFonts()) {
        okButton->setXOffset(18);
        okButton->setYOffset(6);
    }
    connect(okButton, &SkinButton::clicked, this, &MessageWindow::okClicked);
    okButton->setFocusPolicy(Qt::TabFocus);
    // Enter and Esc answer Ok; a message shown without Ok waits for its caller.
    setKeyButtons({okButton}, okButton);

    const auto answerButton = [this](int left, const QString& caption) {
        auto* button = new SkinButton(this);
        button->setGeometry(left, 141, 71, 24);
        button->setFaces("71x24");
        button->setText(caption);
        button->setSkinFont(enabledFont());
        // Centred on the face whatever the language's word.
        button->setXOffset(std::max(4, (71 - QFontMetrics(button->font()).horizontalAdvance(caption)) / 2));
        button->setYOffset(isSmallFonts() ? 7 : 6);
        button->setFocusPolicy(Qt::TabFocus);
        button->hide();
        return button;
    };
    yesButton = answerButton(70, tr("Yes"));
    noButton = answerButton(165, tr("No"));
    connect(yesButton, &SkinButton::clicked, this, [this] { answer(true); });
    connect(noButton, &SkinButton::clicked, this, [this] { answer(false); });

    placeRelativeTo(mainWindow);
    loadPanel(datafiles::kMessagePanel, QSize(306, 184));
    setOutline(outline306(184));
    setDragArea(10, 10, 300, 28);
    rebuildWindowRgn();
}

void MessageWindow::showText(int top, const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    messageText->move(messageText->x(), top);
    messageShadow->move(messageShadow->x(), top + 1);
    messageText->setText(shown);
    messageShadow->setText(shown);
}

void MessageWindow::showMessage(int top, const QString& text, bool modal) {
    dropQuestion();
    showText(top, text);
    if (isVisible()) {
        if (!modal || inModalLoop()) return;
        // Shown without a wait, perhaps without its button: this message
        // must be answerable, and its caller waits for the answer.
        hide();
    }
    m_modal = modal;
    m_notice = false;
    if (modal)
        execModal();
    else {
        setWindowModality(Qt::NonModal);
        show();
    }
}

void MessageWindow::showMessageThen(int top, const QString& text, std::function<void()> then) {
    dropQuestion();
    showText(top, text);
    if (then) m_then.push_back(std::move(then));
    if (isVisible() && (m_modal || m_notice)) return; // it has its Ok button already
    hide();
    m_modal = true;
    m_notice = false;
    showModal();
}

void MessageWindow::showNotice(int top, const QString& text) {
    dropQuestion();
    showText(top, text);
    m_notice = true;
    okButton->setVisible(true);
    // Over the main window, which keeps the keys: the match goes on meanwhile.
    if (!isVisible()) {
        m_modal = false;
        setWindowModality(Qt::NonModal);
        show();
    }
    raise();
}

void MessageWindow::shown() {
    // Over the main window wherever the player has moved or scaled it since.
    placeRelativeTo(m_mainWindow);
    showButtons(asking());
    messageShadow->setText(messageText->text());
}

void MessageWindow::showButtons(bool question) {
    okButton->setVisible(!question && (m_modal || m_notice));
    yesButton->setVisible(question);
    noButton->setVisible(question);
    if (question)
        setKeyButtons({yesButton}, noButton);
    else
        setKeyButtons({okButton}, okButton);
}

void MessageWindow::ask(int top, const QString& text, std::function<void(bool yes)> answerTo) {
    if (isVisible()) {
        // A message that waits for Ok comes first.
        if (inModalLoop() || m_modal || !m_then.empty()) return;
        dropQuestion();
        hide();
    }
    auto previous = std::exchange(m_answer, std::move(answerTo));
    if (previous) previous(false);
    showText(top, text);
    m_modal = false;
    m_notice = false;
    showButtons(true);
    // Over the other windows of the game but without a loop of its own: the
    // game's timers go on, and no click reaches the main window meanwhile.
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow(); // Enter, Esc, Y and N reach the question
    yesButton->setFocus();
}

void MessageWindow::dropQuestion() {
    if (!m_answer) return;
    m_answer = nullptr;
    showButtons(false);
    if (isVisible()) hide();
}

void MessageWindow::answer(bool yes) {
    auto answerTo = std::exchange(m_answer, nullptr);
    hide();
    setWindowModality(Qt::NonModal);
    showButtons(false);
    if (answerTo) answerTo(yes);
}

void MessageWindow::closing() {
    if (m_answer) answer(false); // closed through the system: no
    const std::vector<std::function<void()>> then = std::exchange(m_then, {});
    for (const auto& step : then)
        step();
}

void MessageWindow::keyPressEvent(QKeyEvent* event) {
    if (asking() && (event->modifiers() & ~Qt::KeypadModifier) == 0 &&
        (event->key() == Qt::Key_Y || event->key() == Qt::Key_N)) {
        event->accept();
        answer(event->key() == Qt::Key_Y);
        return;
    }
    SkinnedWindow::keyPressEvent(event);
}

void MessageWindow::okClicked() {
    close();
}

void showMessage(int top, const QString& text, bool modal) {
    if (MessageWindow* window = MessageWindow::instance()) {
        window->showMessage(top, text, modal);
        return;
    }
    qWarning().noquote() << "message:" << text;
}

} // namespace vtx
