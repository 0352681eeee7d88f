#pragma once

// What the options window asks of the game (IOptionsHost), answered by the
// match, the sound, the music and the device volumes. UI thread only; refers
// to what TForm1 owns, owns nothing.

#include "ui/IOptionsHost.h"

namespace vtx {

class Match;
struct FormParts;

class OptionsHost final : public IOptionsHost {
public:
    OptionsHost(Match& match, const FormParts& parts) : m_match(match), m_parts(parts) {}

    std::filesystem::path StartDir() const override;
    void SetTurnDelay(int seconds) override;
    void SetSoundOn(bool on) override;
    void SetSongIndex(int index) override;
    void SetWaveVolumeFromLevel(int level) override;
    void SetMidiVolumeFromLevel(int level) override;
    void CaptureVolumes() override;
    void MusicSwitchClicked(bool checked) override;

private:
    Match& m_match;
    const FormParts& m_parts;
};

} // namespace vtx
