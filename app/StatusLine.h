#pragma once

// The main window's status line: the match's (or the lobby's) last text,
// with the LAN link's own text standing over it while the link is in trouble
// ("Waiting for the opponent's computer..."), and the match's again after.

#include <QString>

#include <functional>
#include <optional>
#include <string_view>

class QLabel;

namespace vtx {

class StatusLine {
public:
    QLabel* label = nullptr;
    // The link's text while it has one (the LAN channel's statusText).
    std::function<std::optional<std::string_view>()> linkText;

    void setMatchText(const QString& text);
    // Shows what stands now; only a changed text touches the label.
    void refresh();

private:
    QString m_matchText;
};

} // namespace vtx
