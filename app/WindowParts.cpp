#include "app/WindowParts.h"

#include "ui/MessageWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/SkinLineEdit.h"

namespace vtx {

QString WindowParts::playerName() const {
    return options ? options->playerNameEdit->text() : QString();
}

void WindowParts::showMessage(int top, const QString& text, bool modal) const {
    if (messageWindow)
        messageWindow->showMessage(top, text, modal);
    else
        vtx::showMessage(top, text, modal);
}

void WindowParts::showNotice(int top, const QString& text) const {
    if (messageWindow)
        messageWindow->showNotice(top, text);
    else
        vtx::showMessage(top, text, false);
}

void WindowParts::showMessageThen(int top, const QString& text, std::function<void()> then) const {
    if (messageWindow) {
        messageWindow->showMessageThen(top, text, std::move(then));
        return;
    }
    vtx::showMessage(top, text, false);
    if (then) then();
}

} // namespace vtx
