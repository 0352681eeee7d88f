#include "ui/TFormMess.h"

#include "game/DataFiles.h"
#include "ui/SkinFont.h"
#include "ui/TWispButton.h"

#include <QDebug>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>
#include <utility>

namespace vtx {

namespace {

TFormMess* g_instance = nullptr;

QFont messageFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    return f;
}

} // namespace

TFormMess::TFormMess(QWidget* mainWindow) : TSkinnedForm(nullptr) {
    FormCreate(mainWindow);
    g_instance = this;
}

TFormMess::~TFormMess() {
    if (g_instance == this) g_instance = nullptr;
}

TFormMess* TFormMess::Instance() {
    return g_instance;
}

void TFormMess::FormCreate(QWidget* mainWindow) {
    setWindowTitle(tr("Message"));
    resize(306, 184);
    setFixedSize(306, 184);

    labMessF2 = new QLabel(this);
    labMessF2->setGeometry(15, 65, 273, 56);
    labMessF2->setFont(messageFont());
    labMessF2->setAlignment(Qt::AlignCenter);
    labMessF2->setWordWrap(false);
    labMessF2->setAttribute(Qt::WA_TranslucentBackground);
    {
        QPalette pal = labMessF2->palette();
        pal.setColor(QPalette::WindowText, palette().color(QPalette::Light));
        labMessF2->setPalette(pal);
    }

    labMessF = new QLabel(this);
    labMessF->setGeometry(16, 64, 273, 56);
    labMessF->setFont(messageFont());
    labMessF->setAlignment(Qt::AlignCenter);
    labMessF->setWordWrap(true);
    labMessF->setAttribute(Qt::WA_TranslucentBackground);
    {
        QPalette pal = labMessF->palette();
        pal.setColor(QPalette::WindowText, Qt::black);
        labMessF->setPalette(pal);
    }

    elbtOk = new TWispButton(this);
    elbtOk->setGeometry(117, 141, 71, 24);
    elbtOk->SetFaces("71x24");
    elbtOk->SetText(tr("   Ok"));
    elbtOk->SetXOffset(20);
    elbtOk->SetYOffset(7);
    elbtOk->SetFont(EnabledFont());
    if (!IsSmallFonts()) {
        elbtOk->SetXOffset(18);
        elbtOk->SetYOffset(6);
    }
    connect(elbtOk, &TWispButton::clicked, this, &TFormMess::elbtOkClick);
    elbtOk->setFocusPolicy(Qt::TabFocus);
    // Enter and Esc answer Ok; a message shown without Ok waits for its caller.
    SetKeyButtons({elbtOk}, elbtOk);

    const auto answerButton = [this](int left, const QString& caption) {
        auto* button = new TWispButton(this);
        button->setGeometry(left, 141, 71, 24);
        button->SetFaces("71x24");
        button->SetText(caption);
        button->SetFont(EnabledFont());
        // Centred on the face whatever the language's word.
        button->SetXOffset(std::max(4, (71 - QFontMetrics(button->font()).horizontalAdvance(caption)) / 2));
        button->SetYOffset(IsSmallFonts() ? 7 : 6);
        button->setFocusPolicy(Qt::TabFocus);
        button->hide();
        return button;
    };
    elbtYes = answerButton(70, tr("Yes"));
    elbtNo = answerButton(165, tr("No"));
    connect(elbtYes, &TWispButton::clicked, this, [this] { answer(true); });
    connect(elbtNo, &TWispButton::clicked, this, [this] { answer(false); });

    PlaceRelativeTo(mainWindow);
    LoadPanel(datafiles::kMessagePanel, QSize(306, 184));
    SetOutline(Outline306(184));
    SetDragArea(10, 10, 300, 28);
    RebuildWindowRgn();
}

void TFormMess::showText(int top, const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    labMessF->move(labMessF->x(), top);
    labMessF2->move(labMessF2->x(), top + 1);
    labMessF->setText(shown);
    labMessF2->setText(shown);
}

void TFormMess::ShowFormMess(int top, const QString& text, bool modal) {
    DropQuestion();
    showText(top, text);
    if (isVisible()) {
        if (!modal || InModalLoop()) return;
        // Shown without a wait, perhaps without its button: this message
        // must be answerable, and its caller waits for the answer.
        hide();
    }
    m_modal = modal;
    m_notice = false;
    if (modal)
        ExecModal();
    else {
        setWindowModality(Qt::NonModal);
        show();
    }
}

void TFormMess::ShowFormMessThen(int top, const QString& text, std::function<void()> then) {
    DropQuestion();
    showText(top, text);
    if (then) m_then.push_back(std::move(then));
    if (isVisible() && (m_modal || m_notice)) return; // it has its Ok button already
    hide();
    m_modal = true;
    m_notice = false;
    ShowModal();
}


void TFormMess::ShowNotice(int top, const QString& text) {
    DropQuestion();
    showText(top, text);
    m_notice = true;
    elbtOk->setVisible(true);
    if (isVisible()) return;
    m_modal = false;
    setWindowModality(Qt::NonModal);
    show();
}

void TFormMess::FormActivate() {
    showButtons(Asking());
    labMessF2->setText(labMessF->text());
}

void TFormMess::showButtons(bool question) {
    elbtOk->setVisible(!question && (m_modal || m_notice));
    elbtYes->setVisible(question);
    elbtNo->setVisible(question);
    if (question)
        SetKeyButtons({elbtYes}, elbtNo);
    else
        SetKeyButtons({elbtOk}, elbtOk);
}

void TFormMess::Ask(int top, const QString& text, std::function<void(bool yes)> answerTo) {
    if (isVisible()) {
        // A message that waits for Ok comes first.
        if (InModalLoop() || m_modal || !m_then.empty()) return;
        DropQuestion();
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
    elbtYes->setFocus();
}

void TFormMess::DropQuestion() {
    if (!m_answer) return;
    m_answer = nullptr;
    showButtons(false);
    if (isVisible()) hide();
}

void TFormMess::answer(bool yes) {
    auto answerTo = std::exchange(m_answer, nullptr);
    hide();
    setWindowModality(Qt::NonModal);
    showButtons(false);
    if (answerTo) answerTo(yes);
}

void TFormMess::FormClose() {
    if (m_answer) answer(false); // closed through the system: no
    const std::vector<std::function<void()>> then = std::exchange(m_then, {});
    for (const auto& step : then)
        step();
}

void TFormMess::keyPressEvent(QKeyEvent* event) {
    if (Asking() && (event->modifiers() & ~Qt::KeypadModifier) == 0 &&
        (event->key() == Qt::Key_Y || event->key() == Qt::Key_N)) {
        event->accept();
        answer(event->key() == Qt::Key_Y);
        return;
    }
    TSkinnedForm::keyPressEvent(event);
}

void TFormMess::elbtOkClick() {
    close();
}

void ShowFormMess(int top, const QString& text, bool modal) {
    if (TFormMess* form = TFormMess::Instance()) {
        form->ShowFormMess(top, text, modal);
        return;
    }
    qWarning().noquote() << "message:" << text;
}

} // namespace vtx
