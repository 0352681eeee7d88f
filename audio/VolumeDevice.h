#pragma once

#include <cstdint>

namespace vtx {

// One output whose loudness the game sets: the effects output or the music
// output. A device volume is 32 bits holding two 16-bit channel volumes:
// low word = left, high word = right; 0 is silent, 65535 full scale.
//
// Implementations are called on the UI thread only. A device that does not
// support volume (no audio open) must not be read or written by callers:
// check supportsVolume() before each getVolume/setVolume.
class VolumeDevice {
public:
    virtual ~VolumeDevice() = default;

    // True when the device's volume can be read and written now.
    virtual bool supportsVolume() const = 0;
    // The last volume set (or full scale if never set), as the packed 32 bits.
    virtual std::uint32_t getVolume() const = 0;
    // Takes effect at once, also on what is already sounding.
    virtual void setVolume(std::uint32_t volume) = 0;

    static constexpr std::uint32_t pack(std::uint16_t left, std::uint16_t right) {
        return std::uint32_t(left) | (std::uint32_t(right) << 16);
    }
    static constexpr std::uint16_t leftOf(std::uint32_t volume) { return std::uint16_t(volume & 0xFFFFu); }
    static constexpr std::uint16_t rightOf(std::uint32_t volume) { return std::uint16_t(volume >> 16); }
};

} // namespace vtx
