#pragma once

#include "audio/VolumeDevice.h"

#include <cstdint>
#include <optional>

namespace vtx {

// The two volume levels of the options window and what they do to the
// effects ("wave") and music ("MIDI") outputs.
//
// A level is a bar position 0..60 in steps of 3; the bars (the options
// window's ProgressBar2 for effects, ProgressBar1 for music) are the only
// store of the levels, so the button handlers take the current position and
// return the new one for the window to show. A level sets both channels of
// its device to level x 1000 (0..60000; full scale 65535 is never used).
//
// Call order in the program:
//   options window activation (after its settings are read): capture()
//   options window buttons: btSoundLowClick(pos) ... btMusicHighClick(pos)
//   main window activation: apply(ProgressBar1 position, ProgressBar2 position)
//   main window close (after the music stopped): restore()
// A device without volume support is never read or written; the level
// arithmetic and WaveVolume/MidiVolume still follow the bars.
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
    static constexpr int kLevelStep = 3;
    static constexpr int kInitialLevel = 30;
    static constexpr int kValuePerLevel = 1000;

    VolumeControl(VolumeDevice& wave, VolumeDevice& midi);

    // Effects level buttons (ProgressBar2) and music level buttons
    // (ProgressBar1): return the new, clamped bar position.
    int btSoundLowClick(int position);
    int btSoundHighClick(int position);
    int btMusicLowClick(int position);
    int btMusicHighClick(int position);

    void setWaveFromLevel(int level);
    void setMidiFromLevel(int level);

    // Main window activation: MIDI from the music level, then wave from the
    // effects level.
    void apply(int musicLevel, int effectsLevel);
    // Options window activation: keeps each supporting device's volume.
    void capture();
    // Program exit: puts back what the last capture found (wave, then MIDI);
    // a device never captured is left as it is.
    void restore();

    ChannelPair WaveVolume() const { return m_waveVolume; }
    ChannelPair MidiVolume() const { return m_midiVolume; }
    std::optional<ChannelPair> SavedWaveVolume() const { return m_savedWave; }
    std::optional<ChannelPair> SavedMidiVolume() const { return m_savedMidi; }

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
