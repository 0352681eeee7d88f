#include "app/OptionsHost.h"

#include "app/WindowParts.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeControl.h"
#include "game/Match.h"

namespace vtx {

std::filesystem::path OptionsHost::startDir() const {
    return m_parts.startDir;
}
void OptionsHost::setTurnDelay(int seconds) {
    m_match.setTurnDelay(seconds);
}
void OptionsHost::setSoundOn(bool on) {
    m_match.setSoundOn(on);
    if (m_parts.sound) m_parts.sound->setSoundOn(on);
}
void OptionsHost::setSongIndex(int index) {
    if (m_parts.music) m_parts.music->setSongIndex(index);
}
void OptionsHost::setWaveVolumeFromLevel(int level) {
    if (m_parts.volume) m_parts.volume->setWaveFromLevel(level);
}
void OptionsHost::setMidiVolumeFromLevel(int level) {
    if (m_parts.volume) m_parts.volume->setMidiFromLevel(level);
}
void OptionsHost::captureVolumes() {
    if (m_parts.volume) m_parts.volume->capture();
}
void OptionsHost::musicSwitchClicked(bool checked) {
    if (m_parts.music) m_parts.music->musicToggled(checked);
}

} // namespace vtx
