#include "app/FormParts.h"

#include "ui/TFormMess.h"

namespace vtx {

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

} // namespace vtx
