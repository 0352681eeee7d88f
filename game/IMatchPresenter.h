#pragma once

// What the rules ask of the presentation around the boards: the on-screen
// texts, the sounds and the music, the status line and the menu buttons.
// Part of IMatchHost (its contract holds).

#include "game/GameText.h"
#include "game/SoundEffect.h"

#include <string_view>

namespace vtx {

enum class MenuButton { Single, Network, Fight, Options, Scores };

class IMatchPresenter {
public:
    virtual ~IMatchPresenter() = default;

    // --- on-screen texts and the world's idle motion ---
    // Show "YOU WON THE GAME!" / "YOU LOST THE GAME!" (the Match has already
    // set gameWon / gameLost); it pulses until hideHudMessage.
    virtual void showWinMessage() = 0;
    virtual void showLossMessage() = 0;
    // A new match: the result goes, and the next one pulses from full again.
    virtual void hideHudMessage() = 0;
    virtual void showLogo(bool visible) = 0;
    virtual void enableTickTimer() = 0;
    // The idle wait starts again from now, as at the window's activation: a
    // spinning world stops, and spins again only after the idle time without
    // a mouse move.
    virtual void restartIdleWait() {}

    // --- sound: a request; the presenter plays it only while Match::state().soundOn ---
    virtual void playSound(Sound sound) = 0;
    virtual void startNextSong() = 0;
    // End of a match: musicState := 1, stop, and close an open song.
    virtual void stopMusic() = 0;

    // --- status line and menu ---
    virtual void setStatus(std::string_view text) = 0;
    // A text with a count ("%n ship(s) left.", see game/GameText.h): the
    // presenter chooses the plural form; by default the English one.
    virtual void setCountedStatus(std::string_view text, std::int32_t count) {
        setStatus(englishCounted(text, count));
    }
    // whiteFont false: grey font; a disabled button may keep the white font.
    virtual void setButton(MenuButton button, bool enabled, bool whiteFont) = 0;
};

} // namespace vtx
