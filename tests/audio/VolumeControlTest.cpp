#include "audio/VolumeControl.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundSystem.h"

#include <SDL2/SDL_mixer.h>

#include "AudioTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace vtx {
namespace {

using test::DiskOutput;
using test::measure;

// Records every access, so the order and the absence of accesses can be checked.
class FakeDevice : public VolumeDevice {
public:
    FakeDevice(std::string name, std::vector<std::string>& log, bool support = true)
        : m_name(std::move(name)), m_log(log), m_support(support) {}
    bool supportsVolume() const override { return m_support; }
    std::uint32_t getVolume() const override {
        m_log.push_back(m_name + " get");
        return m_volume;
    }
    void setVolume(std::uint32_t volume) override {
        m_log.push_back(m_name + " set " + std::to_string(leftOf(volume)) + "/" +
                        std::to_string(rightOf(volume)));
        m_volume = volume;
    }
    std::uint32_t m_volume = 0xFFFFFFFFu;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    bool m_support;
};

class VolumeLogicTest : public ::testing::Test {
protected:
    std::vector<std::string> m_log;
    FakeDevice m_wave{"wave", m_log};
    FakeDevice m_midi{"midi", m_log};
    VolumeControl m_control{m_wave, m_midi};
};

TEST_F(VolumeLogicTest, LevelsSetBothChannelsAndStopAtTheEnds) {
    m_control.setWaveFromLevel(-3);
    EXPECT_EQ(m_wave.m_volume, 0u);
    EXPECT_EQ(m_control.waveVolume(), (VolumeControl::ChannelPair{0, 0}));

    m_control.setWaveFromLevel(3);
    EXPECT_EQ(m_wave.m_volume, VolumeDevice::pack(3000, 3000));
    m_control.setWaveFromLevel(63);
    EXPECT_EQ(m_wave.m_volume, VolumeDevice::pack(60000, 60000)); // never full scale
    // The music device was never touched by the effects level.
    EXPECT_EQ(m_midi.m_volume, 0xFFFFFFFFu);

    m_control.setMidiFromLevel(27);
    EXPECT_EQ(m_midi.m_volume, VolumeDevice::pack(27000, 27000));
    m_control.setMidiFromLevel(63);
    EXPECT_EQ(m_control.midiVolume(), (VolumeControl::ChannelPair{60000, 60000}));
    EXPECT_EQ(m_wave.m_volume, VolumeDevice::pack(60000, 60000));
}

TEST_F(VolumeLogicTest, ApplySetsMidiThenWave) {
    m_control.apply(30, 12);
    EXPECT_EQ(m_log, (std::vector<std::string>{"midi set 30000/30000", "wave set 12000/12000"}));
}

TEST_F(VolumeLogicTest, RestorePutsBackWhatTheLastCaptureFound) {
    m_control.apply(30, 30);
    // Somebody changed the effects output before the options window opened.
    m_wave.m_volume = VolumeDevice::pack(20000, 40000);
    m_control.capture();
    EXPECT_EQ(m_control.savedWaveVolume(), (VolumeControl::ChannelPair{20000, 40000}));
    EXPECT_EQ(m_control.savedMidiVolume(), (VolumeControl::ChannelPair{30000, 30000}));
    m_control.setWaveFromLevel(33);
    m_control.setMidiFromLevel(27);
    m_log.clear();
    m_control.restoreMixerVolumes();
    EXPECT_EQ(m_log, (std::vector<std::string>{"wave set 20000/40000", "midi set 30000/30000"}));
    EXPECT_EQ(m_wave.m_volume, VolumeDevice::pack(20000, 40000));
}

TEST_F(VolumeLogicTest, WithoutCaptureRestoreLeavesTheAppliedLevels) {
    m_control.apply(30, 30);
    m_log.clear();
    m_control.restoreMixerVolumes();
    EXPECT_TRUE(m_log.empty());
    EXPECT_EQ(m_wave.m_volume, VolumeDevice::pack(30000, 30000));
}

TEST(VolumeLogicNoSupport, DeviceWithoutVolumeIsNeverTouched) {
    std::vector<std::string> log;
    FakeDevice wave("wave", log, false);
    FakeDevice midi("midi", log, true);
    VolumeControl control(wave, midi);
    control.setWaveFromLevel(27);
    EXPECT_EQ(control.waveVolume(), (VolumeControl::ChannelPair{27000, 27000}));
    control.capture();
    EXPECT_FALSE(control.savedWaveVolume().has_value());
    control.restoreMixerVolumes();
    EXPECT_EQ(log, (std::vector<std::string>{"midi get", "midi set 65535/65535"}));
    EXPECT_EQ(wave.m_volume, 0xFFFFFFFFu);
}

// The same logic on the real outputs, driven as the options window's buttons
// drive it (a level per press): what is written to the disk device.
class VolumeOutputTest : public ::testing::Test {
protected:
    static constexpr double kBurst = 0.2;
    static constexpr int kAmplitude = 16000;

    void SetUp() override {
        ASSERT_TRUE(m_startDir.isValid());
        QDir(m_startDir.path()).mkdir(QStringLiteral("sounds"));
        test::writeFile(m_startDir.path() + QStringLiteral("/sounds/bomb.mp3"),
                        test::sineWav(kBurst, 440, kAmplitude, kAmplitude));
        m_sound = std::make_unique<SoundSystem>();
        ASSERT_TRUE(m_sound->init());
        m_sound->loadEffects(m_startDir.path());
        m_control = std::make_unique<VolumeControl>(m_sound->waveOutput(), m_sound->midiOutput());
    }

    test::Levels hit() {
        m_output.mark();
        m_sound->play(Sound::Hit);
        return measure(m_output.captureSound(kBurst + 0.1));
    }

    QTemporaryDir m_startDir;
    DiskOutput m_output;
    std::unique_ptr<SoundSystem> m_sound;
    std::unique_ptr<VolumeControl> m_control;
};

TEST_F(VolumeOutputTest, EffectsLevelChangesWhatIsHeard) {
    ASSERT_TRUE(m_sound->waveOutput().supportsVolume());
    m_control->apply(30, 30);
    EXPECT_EQ(m_sound->waveOutput().getVolume(), VolumeDevice::pack(30000, 30000));
    const auto middle = hit();

    m_control->setWaveFromLevel(60);
    ASSERT_EQ(m_sound->waveOutput().getVolume(), VolumeDevice::pack(60000, 60000));
    const auto loud = hit();
    // Level 60 is twice level 30 in amplitude.
    EXPECT_NEAR(std::sqrt(loud.energyLeft / middle.energyLeft), 2.0, 0.05);
    EXPECT_NEAR(loud.peakLeft, kAmplitude * 60000.0 / 65535, kAmplitude / 50);

    m_control->setWaveFromLevel(0);
    m_output.mark();
    m_sound->play(Sound::Hit);
    const auto silent = measure(m_output.captureFor(kBurst + 0.3));
    EXPECT_EQ(silent.peakLeft, 0);
    EXPECT_EQ(silent.peakRight, 0);
}

TEST_F(VolumeOutputTest, CapturedUnevenVolumeIsRestoredAndHeardPerChannel) {
    m_control->apply(30, 30);
    m_sound->waveOutput().setVolume(VolumeDevice::pack(20000, 40000));
    m_control->capture();
    m_control->setWaveFromLevel(33);
    m_control->setWaveFromLevel(36);
    m_control->restoreMixerVolumes();
    EXPECT_EQ(m_sound->waveOutput().getVolume(), VolumeDevice::pack(20000, 40000));
    const auto levels = hit();
    EXPECT_NEAR(std::sqrt(levels.energyRight / levels.energyLeft), 2.0, 0.05);
}

TEST_F(VolumeOutputTest, MusicLevelSetsTheMusicGain) {
    QDir(m_startDir.path()).mkdir(QStringLiteral("Music"));
    m_control->apply(60, 30);
    EXPECT_EQ(m_sound->midiOutput().getVolume(), VolumeDevice::pack(60000, 60000));
    EXPECT_EQ(Mix_VolumeMusic(-1), 117); // 60000 of 65535 on the mixer's 0..128 scale
    m_control->setMidiFromLevel(0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    // Uneven channels are kept as set; the mixer gets their mean.
    m_sound->midiOutput().setVolume(VolumeDevice::pack(20000, 40000));
    EXPECT_EQ(m_sound->midiOutput().getVolume(), VolumeDevice::pack(20000, 40000));
    EXPECT_EQ(Mix_VolumeMusic(-1), 59);
}

TEST_F(VolumeOutputTest, MusicGetsQuieterWithTheMusicLevel) {
    QDir(m_startDir.path()).mkdir(QStringLiteral("Music"));
    test::writeFile(m_startDir.path() + QStringLiteral("/Music/song.mid"), test::singleNoteMidi(2));
    MusicPlayer player(m_startDir.path());
    player.shown();
    auto songEnergy = [&] {
        m_output.mark();
        player.musicToggled(true);
        const auto samples = m_output.captureFor(1.0);
        player.musicToggled(false);
        const auto levels = measure(samples);
        return levels.energyLeft + levels.energyRight;
    };
    m_control->apply(60, 30);
    const double loud = songEnergy();
    m_control->apply(30, 30);
    const double middle = songEnergy();
    m_control->apply(0, 30);
    const double silent = songEnergy();
    ASSERT_GT(loud, 0.0);
    EXPECT_LT(middle, loud * 0.6);
    EXPECT_GT(middle, 0.0);
    // Only the last block of the previous play can still reach the output.
    EXPECT_LT(silent, loud * 0.01);
}

} // namespace
} // namespace vtx
