#pragma once

#include "audio/VolumeDevice.h"

#include <cstdint>
#include <optional>

namespace vtx {

// The two volume levels of the options window and what they do to the
// game's own mixer volumes: the effects ("wave") and the music ("MIDI")
// outputs of SDL_mixer, not the system's.
//
// A level is a bar position 0..60 (the options window's effectsBar for
// effects, musicBar for music; the window steps its bars and they are the
// only store of the levels). A level sets both channels of its output to
// level x 1000 (0..60000; full scale 65535 is never used).
//
// Call order in the program:
//   options window activation (after its settings are read): capture()
//   options window level buttons: setWaveFromLevel / setMidiFromLevel
//   main window activation: apply(musicBar position, effectsBar position)
//   main window close (after the music stopped): restoreMixerVolumes()
// A device without volume support is never read or written; the level
// arithmetic and waveVolume/midiVolume still follow the bars.
//
// Holds references to the two devices (owned by SoundSystem), which must
// outlive it. UI thread only.
class VolumeControl {
public:
    struct ChannelPair {
        std::uint16_t left = 0;
        std::uint16_t right = 0;
        bool operator==(const ChannelPair&) const = default;
    };

    static constexpr int kMinLevel = 0;
    static constexpr int kMaxLevel = 60;
    static constexpr int kValuePerLevel = 1000;

    VolumeControl(VolumeDevice& wave, VolumeDevice& midi);

    void setWaveFromLevel(int level);
    void setMidiFromLevel(int level);

    // Main window activation: MIDI from the music level, then wave from the
    // effects level.
    void apply(int musicLevel, int effectsLevel);
    // Options window activation: keeps each supporting device's volume.
    void capture();
    // Program exit: puts the mixer volumes back as the last capture found
    // them (wave, then MIDI); a device never captured is left as it is.
    void restoreMixerVolumes();

    ChannelPair waveVolume() const { return m_waveVolume; }
    ChannelPair midiVolume() const { return m_midiVolume; }
    std::optional<ChannelPair> savedWaveVolume() const { return m_savedWave; }
    std::optional<ChannelPair> savedMidiVolume() const { return m_savedMidi; }

    static int clampLevel(int level);

private:
    static ChannelPair setFromLevel(VolumeDevice& device, int level);
    static void captureFrom(const VolumeDevice& device, std::optional<ChannelPair>& saved);
    static void restoreTo(VolumeDevice& device, const std::optional<ChannelPair>& saved);

    VolumeDevice& m_wave;
    VolumeDevice& m_midi;
    ChannelPair m_waveVolume;
    ChannelPair m_midiVolume;
    std::optional<ChannelPair> m_savedWave;
    std::optional<ChannelPair> m_savedMidi;
};

} // namespace vtx
