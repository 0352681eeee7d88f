#pragma once

// Everything a match does to the world outside the rules: the boards and ship
// models, the on-screen texts, the sounds, the status line, the menu buttons,
// the turn timer, the message and score windows, the options it reads, the
// music, message pumping, quitting and the LAN. The main window implements it;
// tests implement it with a recording fake.
//
// Contract:
// - Every call comes from the one UI thread, from inside a Match handler.
// - Calls are requests; none of them may call back into the Match, except
//   those that pump messages (Delay, AnimateShipModels, a modal ShowFormMess,
//   ShowScoreWindowModal), during which the host may deliver queued clicks,
//   keys, timer ticks and datagrams to the Match exactly as its message loop
//   would.
// - The Match keeps the authoritative state (flags, grids, fleets, button
//   states, Timer1 state). Display calls carry what the display needs or the
//   host reads it from Match::state() at the time of the call.
// - Board numbers are EnemyBoard (1) and OwnBoard (2); rows/columns are 1..10.
//   Ship numbers are 1..10. A fleet may come from the network: the host must
//   not trust its records either (use deckAt from TShipRecord.h).

#include "game/SoundEffect.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vtx {

enum class MenuButton { Single, Network, Fight, Options, Scores };

class IMatchHost {
public:
    virtual ~IMatchHost() = default;

    // --- boards and ship models ---
    // New single game: hide all 20 models, restore their textures, clear every
    // mark and fire of both boards.
    virtual void ResetBoards() = 0;
    // A shot marked on a cell: hit = fire and "hit" mark, miss = "hint" mark.
    virtual void MarkShot(std::int32_t board, std::int32_t row, std::int32_t column, bool hit) = 0;
    // Ship n of that board sank: show its model with the sunk texture and mark
    // the cells around it. The rules request the sunk sound and the shake
    // separately (PlaySound(Sound::Sunk), StartShake()).
    virtual void ShowSunkShip(std::int32_t board, std::int32_t n) = 0;
    virtual void StartShake() = 0;
    // Show the enemy ships not sunk on their first deck cell (the player lost).
    virtual void ShowEnemySurvivors() = 0;
    // Put the ten own models on OwnFleet's ships; the enemy models on
    // EnemyFleet's ships, hidden.
    virtual void PositionOwnShipModels() = 0;
    virtual void PositionEnemyShipModels() = 0;
    // all = true: hide all 20 models; all = false: show the ten own models.
    virtual void HideShipModels(bool all) = 0;
    virtual void AnimateShipModels() = 0;
    // Redraw the preview of ship ShipToPlace at (PickedRow, PickedColumn) with
    // orientation PlaceHorizontal.
    virtual void ShowPlacementPreview() = 0;
    // Manual arrangement: make own model n visible / put it at sea level on a cell.
    virtual void ShowShipModel(std::int32_t n) = 0;
    virtual void PutShipModelAt(std::int32_t n, std::int32_t row, std::int32_t column) = 0;

    // --- on-screen texts and effects ---
    // Show "YOU WON THE GAME!" / "YOU LOST THE GAME!" (the Match has already
    // set GameWon / GameLost).
    virtual void ShowWinMessage() = 0;
    virtual void ShowLossMessage() = 0;
    virtual void HideHudMessage() = 0;
    virtual void ShowLogo(bool visible) = 0;
    virtual void EnableScrollTimer() = 0;
    // The idle wait starts again from now, as at the window's activation:
    // the world spins only after the idle time without a mouse move.
    virtual void RestartIdleWait() {}

    // --- sound: a request; the host plays it only while Match::state().SoundOn ---
    virtual void PlaySound(Sound sound) = 0;

    // --- status line and menu ---
    virtual void SetStatus(std::string_view text) = 0;
    // whiteFont false: grey font; a disabled button may keep the white font.
    virtual void SetButton(MenuButton button, bool enabled, bool whiteFont) = 0;
    // Turn timer Timer1: its current enabled state and interval in ms. Called
    // whenever either changes.
    virtual void SetTimer1(bool enabled, std::int32_t intervalMs) = 0;

    // --- windows ---
    virtual void ShowFormMess(std::int32_t top, std::string_view text, bool modal) = 0;
    virtual void ShowScoreWindowModal() = 0;

    // --- options (read from the options window) ---
    virtual bool manualArrangementChecked() = 0;
    virtual bool musicChecked() = 0;
    // Item index of the level selector: 0 Easy, 1 Normal, 2 Hard, -1 none.
    virtual std::int32_t difficultyIndex() = 0;
    virtual void setDifficultyIndex(std::int32_t index) = 0;
    // Integer "Difficulty" of section "Options" of "vortalix.ini" as a level
    // index (-1 for a value outside 0..2); empty when the file or the key is
    // missing, and then the player's own choice stays.
    virtual std::optional<std::int32_t> readVortalixDifficulty() = 0;

    // --- music ---
    virtual void StartNextSong() = 0;
    // End of a match: MusicState := 1, stop, and close an open song.
    virtual void StopMusic() = 0;

    // --- message loop ---
    // Wait at least ms milliseconds while processing pending window messages
    // (at least one pass).
    virtual void Delay(std::int32_t ms) = 0;
    // Exit in the menu: minimise, hide the viewer, store the song position,
    // close the main window.
    virtual void QuitProgram() = 0;

    // --- LAN (to OpponentIP) ---
    virtual void SendShot(std::int32_t row, std::int32_t column) = 0; // "SYS$$Move:" message
    virtual void SendLeave() = 0;                                     // "SYS$$Exit:"
    // The four datagrams "SYS$$Info:", fleet block of OwnFleet, "SYS$$Field:",
    // grid block of OwnField (FleetBlock.h). The Match sets FleetSent after it.
    virtual void SendFleet() = 0;
};

} // namespace vtx
