#include "audio/MidiOutput.h"

#include <SDL2/SDL_mixer.h>

namespace vtx {

bool MidiOutput::supportsVolume() const {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    return Mix_QuerySpec(&frequency, &format, &channels) != 0;
}

void MidiOutput::setVolume(std::uint32_t volume) {
    m_volume = volume;
    reapply();
}

void MidiOutput::reapply() {
    const std::uint32_t mean = (std::uint32_t(leftOf(m_volume)) + rightOf(m_volume)) / 2;
    // Rounded to the nearest of SDL_mixer's 129 steps.
    Mix_VolumeMusic(int((mean * MIX_MAX_VOLUME + 32767) / 65535));
}

} // namespace vtx
