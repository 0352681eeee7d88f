#pragma once

#include "audio/VolumeDevice.h"

#include <atomic>
#include <cstdint>

namespace vtx {

// The effects output: a left and a right gain applied to every effect channel
// of SoundSystem (the music is not touched). The gain is a per-channel mixer
// effect that scales the samples by volume / 65535, so 0 is silent and a
// change is heard at once, also on an effect that is already sounding.
//
// Owned by SoundSystem. setVolume/getVolume on the UI thread; applyGain runs
// on SDL's audio thread and only reads the atomic volume.
class WaveOutput : public VolumeDevice {
public:
    bool supportsVolume() const override;
    std::uint32_t getVolume() const override { return m_volume.load(); }
    void setVolume(std::uint32_t volume) override { m_volume.store(volume); }

    // Attaches the gain to a mixer channel. SDL_mixer drops a channel's
    // effects whenever it stops playing, so this is called before each play.
    void attachTo(int channel);

private:
    // Mix_EffectFunc_t; the stream is signed 16-bit interleaved stereo in
    // native byte order, the format SoundSystem opens the device with.
    static void applyGain(int channel, void* stream, int length, void* self);

    std::atomic<std::uint32_t> m_volume{0xFFFFFFFFu};
};

} // namespace vtx
