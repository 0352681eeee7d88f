#pragma once

#include "audio/VolumeDevice.h"

#include <cstdint>

namespace vtx {

// The music output: SDL_mixer's music stream (the songs of MusicPlayer).
// SDL_mixer has one music gain (0..128), so the heard loudness is the mean
// of the left and right volumes; the two 16-bit values are kept as set and
// getVolume returns them unchanged. The game always sets both channels equal.
//
// Owned by SoundSystem; UI thread only. The music gain persists across songs.
class MidiOutput : public VolumeDevice {
public:
    bool supportsVolume() const override;
    std::uint32_t getVolume() const override { return m_volume; }
    void setVolume(std::uint32_t volume) override;

    // Pushes the kept volume to the mixer (after the device has been opened).
    void reapply();

private:
    std::uint32_t m_volume = 0xFFFFFFFFu;
};

} // namespace vtx
