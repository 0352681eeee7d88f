#pragma once

// Another match after a LAN match with a copy of this version, as the player
// sees it: between the two matches the Single button says "Play again" (its
// click, or Ctrl+N, is this side's yes), the chat's lines say what either
// side asked, and the opponent's no is told in the message window. Going to
// the lobby instead is this side's no. The state machine itself is the
// game's (NetRematch); this follows it.
//
// Ownership: refers to the Single button, the chat panel, the LAN host and
// the window's parts, which outlive it. UI thread only.

#include <QCoreApplication>
#include <QFont>
#include <QString>

namespace vtx {

class ChatPanel;
class LanHost;
class SkinButton;
struct WindowParts;

class PlayAgain {
    Q_DECLARE_TR_FUNCTIONS(PlayAgain)
public:
    PlayAgain(SkinButton& singleButton, ChatPanel& chat, LanHost& lan, const WindowParts& parts);

    // Single's click: true when it was Play again.
    bool singleClicked();
    // The player goes back to the menu (the lobby) instead of another match.
    void menuChosen();

    // From the LAN host.
    void rematchChanged();
    void rematchDeclined();

private:
    void followTheSingleButton();

    SkinButton& m_single;
    ChatPanel& m_chat;
    LanHost& m_lan;
    const WindowParts& m_parts;
    QString m_singleCaption;
    QFont m_singleFont;
    bool m_playAgainShown = false;
    bool m_wasPossible = false;
    bool m_peerWanted = false;
    bool m_ownWanted = false;
};

} // namespace vtx
