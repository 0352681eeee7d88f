#include "app/PlayAgain.h"

#include "app/ChatPanel.h"
#include "app/LanHost.h"
#include "app/WindowParts.h"
#include "ui/SkinButton.h"

namespace vtx {

PlayAgain::PlayAgain(SkinButton& singleButton, ChatPanel& chat, LanHost& lan, const WindowParts& parts)
    : m_single(singleButton), m_chat(chat), m_lan(lan), m_parts(parts), m_singleCaption(singleButton.text()),
      m_singleFont(singleButton.captionFont()) {}

bool PlayAgain::singleClicked() {
    if (!m_lan.rematch().possible()) return false;
    m_lan.wantRematch();
    rematchChanged();
    return true;
}

void PlayAgain::menuChosen() {
    m_lan.declineRematch();
}

void PlayAgain::rematchChanged() {
    const NetRematch& rematch = m_lan.rematch();
    const bool possible = rematch.possible();
    if (possible && !m_wasPossible) m_chat.showGameLine(tr("Play again? Ctrl+N or the Play again button."));
    // The opponent's yes to this side's own starts the match: nothing to say.
    if (possible && rematch.peerWants() && !m_peerWanted && !rematch.wanted())
        m_chat.showGameLine(tr("The opponent wants to play again."));
    if (possible && rematch.wanted() && !m_ownWanted && !rematch.peerWants())
        m_chat.showGameLine(tr("Waiting for the opponent's answer..."));
    // Said and done: the next match (or the menu) needs none of them.
    if (!possible && m_wasPossible) m_chat.dropGameLines();
    m_wasPossible = possible;
    m_peerWanted = possible && rematch.peerWants();
    m_ownWanted = possible && rematch.wanted();
    followTheSingleButton();
}

void PlayAgain::rematchDeclined() {
    m_parts.showMessageThen(60, tr("The opponent does not want to play again."), {});
    rematchChanged();
}

void PlayAgain::followTheSingleButton() {
    const bool playAgain = m_lan.rematch().possible();
    if (playAgain == m_playAgainShown) return;
    m_playAgainShown = playAgain;
    // The caption's font as the window set it last (its size follows the
    // window's scale), not the one the button had when this was made.
    if (playAgain) m_singleFont = m_single.captionFont();
    m_single.setText(playAgain ? tr("Play again") : m_singleCaption);
    // As tight as it must be to stay on the button's face.
    if (playAgain)
        m_single.fitCaptionFont(m_singleFont, 70);
    else
        m_single.setCaptionFont(m_singleFont);
    m_single.update();
}

} // namespace vtx
