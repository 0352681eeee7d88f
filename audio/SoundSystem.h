#pragma once

#include "audio/MidiOutput.h"
#include "audio/WaveOutput.h"
#include "game/SoundEffect.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <cstdint>

struct Mix_Chunk;
struct SDL_version;

namespace vtx {

// The sound layer: SDL2_mixer opened on the default output at 44100 Hz,
// signed 16-bit stereo, with one dedicated mixer channel per effect so that
// a request restarts that effect from its beginning and mixes with the others.
//
// Start-up, in this order (main window creation):
//   1. versionMismatchMessage(): non-empty -> show it in a plain box, quit.
//   2. init(): false -> show initFailedText() once; soundOn() is now false.
//   3. record startDir, then loadEffects(startDir) (also after a failed init:
//      the handles simply stay 0).
// Effects at game events: request(effect) plays when soundOn() is true;
// play(effect) plays unconditionally. Both are silent for a 0 handle or
// without an open device, and never report an error.
//
// Exactly one instance may exist at a time (SDL_mixer is process-global).
// Everything is called on the UI thread. The destructor closes the device:
// destroy the MusicPlayer first (declare it after the SoundSystem).
// waveOutput() and midiOutput() are the two volume devices for VolumeControl;
// they live as long as this object.
class SoundSystem {
public:
    SoundSystem();
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Empty when the linked SDL2_mixer has the major.minor version this
    // program was built against; otherwise the text to show before quitting,
    // e.g. "SDL2_mixer version 2.6.2 was not loaded".
    static QString versionMismatchMessage();
    static QString versionMismatchMessage(const SDL_version& linked, const SDL_version& expected);
    static QString initFailedText() {
        return QCoreApplication::translate("vtx::SoundSystem", "Can't initialize digital sound system");
    }

    // Sets soundOn true, then opens the default output; on failure soundOn
    // becomes false and false is returned. Calling it again while open is a no-op.
    bool init();
    bool isOpen() const { return m_open; }

    // Loads each sound's file, "<startDir>/sounds/" + soundFile(sound)
    // (startDir without a trailing '/'). Missing or unreadable files, or no
    // open device, leave that handle 0. Replaces earlier loads.
    void loadEffects(const QString& startDir);
    // Non-zero when the effect is loaded; 1..kSoundCount by sound.
    std::uint32_t handle(Sound effect) const;

    void play(Sound effect);
    void request(Sound effect) {
        if (m_soundOn) play(effect);
    }

    // The game's "effects on" flag; the options window's Close sets it.
    bool soundOn() const { return m_soundOn; }
    void setSoundOn(bool on) { m_soundOn = on; }

    WaveOutput& waveOutput() { return m_wave; }
    MidiOutput& midiOutput() { return m_midi; }

    // The music stream shares this device; MusicPlayer uses this counter to
    // tell whether the device it loaded a song on is still the open one.
    static int openGeneration();

    static constexpr int kFrequency = 44100;

private:
    void freeEffects();

    bool m_soundOn = true;
    bool m_open = false;
    bool m_sdlAudioInitialised = false;
    std::array<Mix_Chunk*, kSoundCount> m_chunks{};
    WaveOutput m_wave;
    MidiOutput m_midi;
};

} // namespace vtx
