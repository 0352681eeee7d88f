#pragma once

// What the rules ask of the program around the match: the message and score
// windows, the options the player chose, the turn timer, the match's waits
// and quitting. Part of IMatchHost (its contract holds).

#include <cstdint>
#include <optional>
#include <string_view>

namespace vtx {

class PlayerHabit;

class IMatchWindows {
public:
    virtual ~IMatchWindows() = default;

    // --- windows ---
    // top: where the message window stands, in pixels from the main window's
    // top, chosen per message so that it leaves the picture in sight. Modal:
    // shown with its Ok button over the other windows; when the player closes
    // it the host calls Match::messageClosed().
    virtual void showMessage(std::int32_t top, std::string_view text, bool modal) = 0;
    // Shown over the other windows for the player's name; nothing waits for it.
    virtual void showScoreWindowModal() = 0;

    // --- options (read from the options window) ---
    virtual bool manualArrangementChecked() = 0;
    virtual bool musicChecked() = 0;
    // Item index of the level selector: 0 Easy, 1 Normal, 2 Hard, 3 Admiral, -1 none.
    virtual std::int32_t difficultyIndex() = 0;
    virtual void setDifficultyIndex(std::int32_t index) = 0;
    // Integer "Difficulty" of section "Options" of "vortalix.ini" as a level
    // index (-1 for a value outside 0..3); empty when the file or the key is
    // missing, and then the player's own choice stays.
    virtual std::optional<std::int32_t> readVortalixDifficulty() = 0;

    // --- the player's files ---
    // The player's habit grew by a fleet: store it for the next run. A save
    // that fails is the host's to tell; the match goes on either way.
    virtual void saveHabit(const PlayerHabit& habit) = 0;

    // --- the timers ---
    // The turn timer: its current enabled state and interval in ms. Called
    // whenever either changes.
    virtual void setTurnTimer(bool enabled, std::int32_t intervalMs) = 0;
    // The match waits: call Match::runDue() from the event loop once ms
    // milliseconds have passed (earlier calls may still be due before).
    virtual void wakeAfter(std::int32_t ms) = 0;
    // Exit in the menu: minimise, hide the viewer, store the song position,
    // close the main window.
    virtual void quitProgram() = 0;
};

} // namespace vtx
