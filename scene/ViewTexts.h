#pragma once

// The texts over the view: the result of a match and its pulse, the banner
// that shares the result's line for a moment (the battle's turn), and the
// menu's logo. What moves the world and the camera is CameraFx's.
//
// The texts come in the player's language: the program translates the
// English ones below (WonText, LostText) and the banner's before it hands
// them here, in capitals, UTF-8, as the HUD's message font draws them.
//
// Ownership: refers to the World's two HUD texts (resultText, logo) and the
// match state, whose gameWon and gameLost start the pulse; all outlive it.
//
// Call order: resetCreationState once with the window, tickTimerFired every
// 100 ms, the rest when the match or the HUD asks. UI thread only.

#include "game/GameText.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vtx {

class World;
struct MatchState;

class ViewTexts {
public:
    static constexpr std::string_view WonText = VTX_TEXT("GameTexts", "YOU WON THE GAME!");
    static constexpr std::string_view LostText = VTX_TEXT("GameTexts", "YOU LOST THE GAME!");
    static constexpr float MessageAlphaLow = 0.6f; // the result at the pulse's low
    static constexpr float ViewerWidth = 616.0f;   // the HUD's pixels across the view

    ViewTexts(World& world, const MatchState& state);

    // Window creation: the pulse starts upwards (it runs 100, 105, 100, 95 ...).
    void resetCreationState();

    void showWinMessage(std::string text);
    void showLossMessage(std::string text);
    // The result goes; the next one starts its pulse from full again.
    void hideResult();
    void showLogo(bool visible);

    // Centred in the result's line, at full strength. The banner's owner keeps
    // it off a result: the line holds one text at a time.
    void showBanner(std::string text);
    void hideBanner();

    // One 100 ms tick: while a match is won or lost the result breathes
    // between full and MessageAlphaLow, never out of sight.
    void tickTimerFired();

private:
    World& m_world;
    const MatchState& m_state;
    std::int32_t m_pulse = 100; // percent of the way from MessageAlphaLow to full, may run 5 past
    std::int32_t m_pulseStep = 5;
};

} // namespace vtx
