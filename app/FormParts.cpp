#include "app/FormParts.h"

#include "ui/TFlatEdit.h"
#include "ui/TFormMess.h"
#include "ui/TFormOpt.h"

namespace vtx {

QString FormParts::playerName() const {
    return options ? options->edPlayerName->text() : QString();
}

void FormParts::showMessage(int top, const QString& text, bool modal) const {
    if (mess)
        mess->ShowFormMess(top, text, modal);
    else
        vtx::ShowFormMess(top, text, modal);
}

void FormParts::showNotice(int top, const QString& text) const {
    if (mess)
        mess->ShowNotice(top, text);
    else
        vtx::ShowFormMess(top, text, false);
}

void FormParts::showMessageThen(int top, const QString& text, std::function<void()> then) const {
    if (mess) {
        mess->ShowFormMessThen(top, text, std::move(then));
        return;
    }
    vtx::ShowFormMess(top, text, false);
    if (then) then();
}

} // namespace vtx
