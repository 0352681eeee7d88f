#include "audio/VolumeControl.h"

#include <algorithm>

namespace vtx {

VolumeControl::VolumeControl(VolumeDevice& wave, VolumeDevice& midi) : m_wave(wave), m_midi(midi) {}

int VolumeControl::clampLevel(int level) {
    return std::clamp(level, kMinLevel, kMaxLevel);
}

VolumeControl::ChannelPair VolumeControl::setFromLevel(VolumeDevice& device, int level) {
    const auto value = std::uint16_t(clampLevel(level) * kValuePerLevel);
    if (device.supportsVolume()) device.setVolume(VolumeDevice::pack(value, value));
    return {value, value};
}

void VolumeControl::setWaveFromLevel(int level) {
    m_waveVolume = setFromLevel(m_wave, level);
}

void VolumeControl::setMidiFromLevel(int level) {
    m_midiVolume = setFromLevel(m_midi, level);
}

void VolumeControl::apply(int musicLevel, int effectsLevel) {
    setMidiFromLevel(musicLevel);
    setWaveFromLevel(effectsLevel);
}

void VolumeControl::captureFrom(const VolumeDevice& device, std::optional<ChannelPair>& saved) {
    if (!device.supportsVolume()) return;
    const std::uint32_t volume = device.getVolume();
    saved = ChannelPair{VolumeDevice::leftOf(volume), VolumeDevice::rightOf(volume)};
}

void VolumeControl::restoreTo(VolumeDevice& device, const std::optional<ChannelPair>& saved) {
    if (saved && device.supportsVolume()) device.setVolume(VolumeDevice::pack(saved->left, saved->right));
}

void VolumeControl::capture() {
    captureFrom(m_wave, m_savedWave);
    captureFrom(m_midi, m_savedMidi);
}

void VolumeControl::restoreMixerVolumes() {
    restoreTo(m_wave, m_savedWave);
    restoreTo(m_midi, m_savedMidi);
}

} // namespace vtx
