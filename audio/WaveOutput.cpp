#include "audio/WaveOutput.h"

#include <SDL2/SDL_mixer.h>

namespace vtx {

bool WaveOutput::supportsVolume() const {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    return Mix_QuerySpec(&frequency, &format, &channels) != 0;
}

void WaveOutput::attachTo(int channel) {
    Mix_UnregisterAllEffects(channel);
    Mix_RegisterEffect(channel, &WaveOutput::applyGain, nullptr, this);
}

void WaveOutput::applyGain(int, void* stream, int length, void* self) {
    const std::uint32_t volume = static_cast<WaveOutput*>(self)->m_volume.load(std::memory_order_relaxed);
    if (volume == 0xFFFFFFFFu) return;
    const std::int64_t gain[2] = {leftOf(volume), rightOf(volume)};
    auto* samples = static_cast<Sint16*>(stream);
    const int count = length / int(sizeof(Sint16));
    for (int i = 0; i < count; ++i)
        samples[i] = Sint16(samples[i] * gain[i & 1] / 65535);
}

} // namespace vtx
