#include "app/ChatPanel.h"

#include "app/LanHost.h"
#include "app/WindowParts.h"
#include "game/Match.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <functional>

namespace vtx {

namespace {

// Dark as the result's plate, so the lines read over sea and sky alike.
constexpr const char* PlateStyle = "background: rgb(6, 12, 22); color: rgb(235, 230, 210);"
                                   "border: 1px solid rgb(90, 80, 60); padding: 2px 6px;";
constexpr qint64 FadeMs = 3000;

QWidget* overGl(QWidget* widget) {
    // A window of its own, so it stacks over the GL picture; the window
    // around it stays as it is.
    widget->setAttribute(Qt::WA_DontCreateNativeAncestors);
    widget->setAttribute(Qt::WA_NativeWindow);
    widget->hide();
    return widget;
}

// Enter and Esc end with the field: a key the field ignored would travel on
// to the window and fire a shot or leave the match.
class FieldKeys final : public QObject {
public:
    FieldKeys(QObject* parent, std::function<void()> enter, std::function<void()> escape)
        : QObject(parent), m_enter(std::move(enter)), m_escape(std::move(escape)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_enter();
            return true;
        }
        if (key == Qt::Key_Escape) {
            m_escape();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_enter;
    std::function<void()> m_escape;
};

} // namespace

ChatPanel::ChatPanel(QWidget& window, QWidget& view, Match& match, LanHost& lan, const WindowParts& parts)
    : m_view(view), m_match(match), m_lan(lan), m_parts(parts) {
    m_field = static_cast<QLineEdit*>(overGl(new QLineEdit(&window)));
    m_field->setObjectName(QStringLiteral("chatField"));
    m_field->setStyleSheet(QString::fromLatin1(PlateStyle));
    // Bytes are cut on sending; this only keeps a pasted book out of the field.
    m_field->setMaxLength(400);
    m_field->setPlaceholderText(tr("Chat: Enter sends, Esc closes"));
    m_field->installEventFilter(new FieldKeys(
        m_field, [this] { sendTyped(); }, [this] { closeField(); }));

    m_lines = static_cast<QLabel*>(overGl(new QLabel(&window)));
    m_lines->setObjectName(QStringLiteral("chatLines"));
    m_lines->setTextFormat(Qt::RichText);
    m_lines->setStyleSheet(QString::fromLatin1(PlateStyle));
    m_lines->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_button = new QPushButton(tr("Chat"), &window);
    m_button->setObjectName(QStringLiteral("chatButton"));
    m_button->setGeometry(650, 525, 71, 18); // below the menu plate's frame line
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(QStringLiteral("T"));
    m_button->setEnabled(false);
    m_button->setStyleSheet(
        QStringLiteral("QPushButton { background: rgb(20, 30, 45); color: rgb(235, 230, 210); border: 1px "
                       "solid rgb(150, 130, 80);"
                       " border-radius: 3px; }"
                       "QPushButton:hover { border-color: rgb(235, 210, 140); }"
                       "QPushButton:disabled { color: rgb(110, 110, 110); border-color: rgb(80, 75, 60); }"));
    QObject::connect(m_button, &QPushButton::clicked, m_button, [this] { openField(); });

    // Always inside the view's place: the window's outline takes in every
    // child's rectangle, hidden or not.
    placeWidgets();
    m_lines->setGeometry(m_field->geometry());

    m_age.start();
}

ChatPanel::~ChatPanel() = default;

bool ChatPanel::fieldOpen() const {
    return m_field->isVisible();
}

bool ChatPanel::keyPress(const QKeyEvent& event) {
    if (fieldOpen()) {
        if (!m_field->hasFocus()) m_field->setFocus();
        return true;
    }
    if (event.key() != Qt::Key_T || (event.modifiers() & ~Qt::KeypadModifier)) return false;
    const MatchState& s = m_match.state();
    if (m_lan.chat().canSend()) {
        openField();
        return true;
    }
    if (s.netConnected && !m_lan.channel().extended()) {
        addLine({}, tr("The opponent's program cannot chat."));
        return true;
    }
    return false;
}

void ChatPanel::openField() {
    if (!m_lan.chat().canSend()) return;
    placeWidgets();
    m_field->show();
    m_field->raise();
    m_field->activateWindow();
    m_field->setFocus();
}

void ChatPanel::closeField() {
    m_field->clear();
    m_field->hide();
    m_view.window()->setFocus();
}

void ChatPanel::sendTyped() {
    const std::string name = m_parts.playerName().toStdString();
    const auto sent = m_lan.sendChat(name, m_field->text().toStdString());
    // Refused (nothing to send, or five lines this second): the text stays.
    if (!sent) return;
    addLine(m_parts.playerName().trimmed().isEmpty() ? QStringLiteral("?") : m_parts.playerName().trimmed(),
            QString::fromStdString(*sent));
    closeField();
}

void ChatPanel::lineReceived(const QString& name, const QString& text) {
    addLine(name, text);
}

void ChatPanel::addLine(const QString& name, const QString& text) {
    m_shown.push_back({name, text, m_age.elapsed()});
    while (m_shown.size() > std::size_t(ShownLines))
        m_shown.pop_front();
    if (!name.isEmpty()) m_lastLine = name + QStringLiteral(": ") + text;
    showLines();
}

void ChatPanel::showGameLine(const QString& text) {
    addLine({}, text);
}

void ChatPanel::dropGameLines() {
    std::erase_if(m_shown, [](const Line& line) { return line.name.isEmpty(); });
    showLines();
}

void ChatPanel::refresh() {
    const bool extended = m_lan.channel().extended();
    const bool canSend = m_lan.chat().canSend();
    const MatchState& s = m_match.state();
    m_button->setEnabled(canSend);
    if (fieldOpen() && !canSend) closeField();
    // Said once a plain match: the opponent would never see a line.
    if (s.netConnected && !extended && !m_plainTold) addLine({}, tr("The opponent's program cannot chat."));
    m_plainTold = s.netConnected && !extended;
    // The window was scaled: the lines and the field follow the view.
    if (m_view.geometry() != m_viewPlace) {
        m_viewPlace = m_view.geometry();
        m_shownHtml.clear();
        if (fieldOpen()) placeWidgets();
    }
    showLines();
}

void ChatPanel::placeWidgets() {
    QFont font = m_field->font();
    font.setPixelSize(std::clamp(m_view.height() / 36, 11, 28));
    m_field->setFont(font);
    m_lines->setFont(font);
    const int fieldHeight = QFontMetrics(font).height() + 8;
    // Siblings of the view, in the window's pixels.
    const QPoint at = m_view.geometry().topLeft();
    m_field->setGeometry(at.x(), at.y() + m_view.height() - fieldHeight, m_view.width(), fieldHeight);
}

void ChatPanel::showLines() {
    const qint64 now = m_age.elapsed();
    while (!m_shown.empty() && now - m_shown.front().shownAt >= LineLifeMs)
        m_shown.pop_front();
    QStringList rows;
    for (const Line& line : m_shown) {
        const qint64 left = LineLifeMs - (now - line.shownAt);
        // Fading: the text sinks into its plate over the last seconds.
        const int alpha = left >= FadeMs ? 255 : int(255 * left / FadeMs);
        const QString colour = QStringLiteral("rgba(235,230,210,%1)").arg(alpha);
        QString row = QStringLiteral("<span style=\"color:%1\">").arg(colour);
        if (!line.name.isEmpty())
            row += QStringLiteral("<b>") + line.name.toHtmlEscaped() + QStringLiteral(":</b> ");
        row += line.text.toHtmlEscaped() + QStringLiteral("</span>");
        rows << row;
    }
    const QString html = rows.join(QStringLiteral("<br>"));
    if (html == m_shownHtml && !m_shownHtml.isEmpty() == m_lines->isVisible()) return;
    m_shownHtml = html;
    if (rows.isEmpty()) {
        m_lines->hide();
        return;
    }
    placeWidgets();
    m_lines->setText(html);
    m_lines->setMaximumWidth(m_view.width() - 16);
    m_lines->setWordWrap(false);
    m_lines->adjustSize();
    const int width = std::min(m_lines->sizeHint().width(), m_view.width() - 16);
    const int height = m_lines->sizeHint().height();
    // Above the field's place, whether it is open or not: the field never
    // covers a line, and the lines stay below the boards' middle.
    const QPoint at = m_view.geometry().topLeft();
    const int bottom = at.y() + m_view.height() - m_field->height() - 4;
    m_lines->setGeometry(at.x() + 8, bottom - height, width, height);
    m_lines->show();
    m_lines->raise();
}

} // namespace vtx
