#pragma once

// What the options window needs from the rest of the game. The program's
// app/OptionsHost implements it; the options window never owns or deletes it.

#include <filesystem>

namespace vtx {

class IOptionsHost {
public:
    virtual ~IOptionsHost() = default;

    // The folder "vtx.ini" lives in: the player's folder (files/GameFolders.h).
    virtual std::filesystem::path startDir() const = 0;

    // Close: the computer's pause between shots, in seconds (the window has
    // no control for it and always asks for one second). The turn timer
    // follows unless a manual arrangement or a LAN battle runs it at 5 ms.
    // The manual-arrangement box needs no call: the next Single reads it.
    virtual void setTurnDelay(int seconds) = 0;
    // Close: the flag every sound effect tests.
    virtual void setSoundOn(bool on) = 0;
    // Every reading of the options: the stored "Song" playlist position.
    virtual void setSongIndex(int index) = 0;

    // The level bars' buttons: set the device volume from a level 0..60
    // (value = level x 1000 on both channels).
    virtual void setWaveVolumeFromLevel(int level) = 0;
    virtual void setMidiVolumeFromLevel(int level) = 0;
    // Every activation of the options window, after the settings are read:
    // remember the device volumes to restore at exit.
    virtual void captureVolumes() = 0;
    // The user clicked "Music ON/OFF" (never called when the box is set
    // from the file): switch the music to the box's new state.
    virtual void musicSwitchClicked(bool checked) = 0;
};

} // namespace vtx
