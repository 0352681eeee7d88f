#include "app/OptionsHost.h"

#include "app/FormParts.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"
#include "audio/VolumeControl.h"
#include "game/Match.h"

namespace vtx {

std::filesystem::path OptionsHost::StartDir() const {
    return m_parts.startDir;
}
void OptionsHost::SetTurnDelay(int seconds) {
    m_match.SetTurnDelay(seconds);
}
void OptionsHost::SetSoundOn(bool on) {
    m_match.SetSoundOn(on);
    if (m_parts.sound) m_parts.sound->setSoundOn(on);
}
void OptionsHost::SetSongIndex(int index) {
    if (m_parts.music) m_parts.music->setSongIndex(index);
}
void OptionsHost::SetWaveVolumeFromLevel(int level) {
    if (m_parts.volume) m_parts.volume->setWaveFromLevel(level);
}
void OptionsHost::SetMidiVolumeFromLevel(int level) {
    if (m_parts.volume) m_parts.volume->setMidiFromLevel(level);
}
void OptionsHost::CaptureVolumes() {
    if (m_parts.volume) m_parts.volume->capture();
}
void OptionsHost::MusicSwitchClicked(bool checked) {
    if (m_parts.music) m_parts.music->bcbEnableMusicClick(checked);
}

} // namespace vtx
