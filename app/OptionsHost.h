#pragma once

// What the options window asks of the game (IOptionsHost), answered by the
// match, the sound, the music and the device volumes. UI thread only; refers
// to what MainWindow owns, owns nothing.

#include "ui/IOptionsHost.h"

namespace vtx {

class Match;
struct WindowParts;

class OptionsHost final : public IOptionsHost {
public:
    OptionsHost(Match& match, const WindowParts& parts) : m_match(match), m_parts(parts) {}

    std::filesystem::path startDir() const override;
    void setTurnDelay(int seconds) override;
    void setSoundOn(bool on) override;
    void setSongIndex(int index) override;
    void setWaveVolumeFromLevel(int level) override;
    void setMidiVolumeFromLevel(int level) override;
    void captureVolumes() override;
    void musicSwitchClicked(bool checked) override;

private:
    Match& m_match;
    const WindowParts& m_parts;
};

} // namespace vtx
