#include "app/StatusLine.h"

#include "app/GameTexts.h"

#include <QLabel>

namespace vtx {

void StatusLine::setMatchText(const QString& text) {
    m_matchText = text;
    refresh();
}

void StatusLine::refresh() {
    if (!label) return;
    const auto link = linkText ? linkText() : std::nullopt;
    const QString text = link ? gameText(*link) : m_matchText;
    if (label->text() != text) label->setText(text);
}

} // namespace vtx
