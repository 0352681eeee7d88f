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
        return mVolume;
    }
    void setVolume(std::uint32_t volume) override {
        m_log.push_back(m_name + " set " + std::to_string(leftOf(volume)) + "/" +
                        std::to_string(rightOf(volume)));
        mVolume = volume;
    }
    std::uint32_t mVolume = 0xFFFFFFFFu;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    bool m_support;
};

class VolumeLogicTest : public ::testing::Test {
protected:
    std::vector<std::string> mLog;
    FakeDevice mWave{"wave", mLog};
    FakeDevice mMidi{"midi", mLog};
    VolumeControl mControl{mWave, mMidi};
};

TEST_F(VolumeLogicTest, LevelsSetBothChannelsAndStopAtTheEnds) {
    mControl.setWaveFromLevel(-3);
    EXPECT_EQ(mWave.mVolume, 0u);
    EXPECT_EQ(mControl.waveVolume(), (VolumeControl::ChannelPair{0, 0}));

    mControl.setWaveFromLevel(3);
    EXPECT_EQ(mWave.mVolume, VolumeDevice::pack(3000, 3000));
    mControl.setWaveFromLevel(63);
    EXPECT_EQ(mWave.mVolume, VolumeDevice::pack(60000, 60000)); // never full scale
    // The music device was never touched by the effects level.
    EXPECT_EQ(mMidi.mVolume, 0xFFFFFFFFu);

    mControl.setMidiFromLevel(27);
    EXPECT_EQ(mMidi.mVolume, VolumeDevice::pack(27000, 27000));
    mControl.setMidiFromLevel(63);
    EXPECT_EQ(mControl.midiVolume(), (VolumeControl::ChannelPair{60000, 60000}));
    EXPECT_EQ(mWave.mVolume, VolumeDevice::pack(60000, 60000));
}

TEST_F(VolumeLogicTest, ApplySetsMidiThenWave) {
    mControl.apply(30, 12);
    EXPECT_EQ(mLog, (std::vector<std::string>{"midi set 30000/30000", "wave set 12000/12000"}));
}

TEST_F(VolumeLogicTest, RestorePutsBackWhatTheLastCaptureFound) {
    mControl.apply(30, 30);
    // Somebody changed the effects output before the options window opened.
    mWave.mVolume = VolumeDevice::pack(20000, 40000);
    mControl.capture();
    EXPECT_EQ(mControl.savedWaveVolume(), (VolumeControl::ChannelPair{20000, 40000}));
    EXPECT_EQ(mControl.savedMidiVolume(), (VolumeControl::ChannelPair{30000, 30000}));
    mControl.setWaveFromLevel(33);
    mControl.setMidiFromLevel(27);
    mLog.clear();
    mControl.restoreMixerVolumes();
    EXPECT_EQ(mLog, (std::vector<std::string>{"wave set 20000/40000", "midi set 30000/30000"}));
    EXPECT_EQ(mWave.mVolume, VolumeDevice::pack(20000, 40000));
}

TEST_F(VolumeLogicTest, WithoutCaptureRestoreLeavesTheAppliedLevels) {
    mControl.apply(30, 30);
    mLog.clear();
    mControl.restoreMixerVolumes();
    EXPECT_TRUE(mLog.empty());
    EXPECT_EQ(mWave.mVolume, VolumeDevice::pack(30000, 30000));
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
    EXPECT_EQ(wave.mVolume, 0xFFFFFFFFu);
}

// The same logic on the real outputs, driven as the options window's buttons
// drive it (a level per press): what is written to the disk device.
class VolumeOutputTest : public ::testing::Test {
protected:
    static constexpr double kBurst = 0.2;
    static constexpr int kAmplitude = 16000;

    void SetUp() override {
        ASSERT_TRUE(mStartDir.isValid());
        QDir(mStartDir.path()).mkdir(QStringLiteral("sounds"));
        test::writeFile(mStartDir.path() + QStringLiteral("/sounds/bomb.mp3"),
                        test::sineWav(kBurst, 440, kAmplitude, kAmplitude));
        mSound = std::make_unique<SoundSystem>();
        ASSERT_TRUE(mSound->init());
        mSound->loadEffects(mStartDir.path());
        mControl = std::make_unique<VolumeControl>(mSound->waveOutput(), mSound->midiOutput());
    }

    test::Levels hit() {
        mOutput.mark();
        mSound->play(Sound::Hit);
        return measure(mOutput.captureSound(kBurst + 0.1));
    }

    QTemporaryDir mStartDir;
    DiskOutput mOutput;
    std::unique_ptr<SoundSystem> mSound;
    std::unique_ptr<VolumeControl> mControl;
};

TEST_F(VolumeOutputTest, EffectsLevelChangesWhatIsHeard) {
    ASSERT_TRUE(mSound->waveOutput().supportsVolume());
    mControl->apply(30, 30);
    EXPECT_EQ(mSound->waveOutput().getVolume(), VolumeDevice::pack(30000, 30000));
    const auto middle = hit();

    mControl->setWaveFromLevel(60);
    ASSERT_EQ(mSound->waveOutput().getVolume(), VolumeDevice::pack(60000, 60000));
    const auto loud = hit();
    // Level 60 is twice level 30 in amplitude.
    EXPECT_NEAR(std::sqrt(loud.energyLeft / middle.energyLeft), 2.0, 0.05);
    EXPECT_NEAR(loud.peakLeft, kAmplitude * 60000.0 / 65535, kAmplitude / 50);

    mControl->setWaveFromLevel(0);
    mOutput.mark();
    mSound->play(Sound::Hit);
    const auto silent = measure(mOutput.captureFor(kBurst + 0.3));
    EXPECT_EQ(silent.peakLeft, 0);
    EXPECT_EQ(silent.peakRight, 0);
}

TEST_F(VolumeOutputTest, CapturedUnevenVolumeIsRestoredAndHeardPerChannel) {
    mControl->apply(30, 30);
    mSound->waveOutput().setVolume(VolumeDevice::pack(20000, 40000));
    mControl->capture();
    mControl->setWaveFromLevel(33);
    mControl->setWaveFromLevel(36);
    mControl->restoreMixerVolumes();
    EXPECT_EQ(mSound->waveOutput().getVolume(), VolumeDevice::pack(20000, 40000));
    const auto levels = hit();
    EXPECT_NEAR(std::sqrt(levels.energyRight / levels.energyLeft), 2.0, 0.05);
}

TEST_F(VolumeOutputTest, MusicLevelSetsTheMusicGain) {
    QDir(mStartDir.path()).mkdir(QStringLiteral("Music"));
    mControl->apply(60, 30);
    EXPECT_EQ(mSound->midiOutput().getVolume(), VolumeDevice::pack(60000, 60000));
    EXPECT_EQ(Mix_VolumeMusic(-1), 117); // 60000 of 65535 on the mixer's 0..128 scale
    mControl->setMidiFromLevel(0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    // Uneven channels are kept as set; the mixer gets their mean.
    mSound->midiOutput().setVolume(VolumeDevice::pack(20000, 40000));
    EXPECT_EQ(mSound->midiOutput().getVolume(), VolumeDevice::pack(20000, 40000));
    EXPECT_EQ(Mix_VolumeMusic(-1), 59);
}

TEST_F(VolumeOutputTest, MusicGetsQuieterWithTheMusicLevel) {
    QDir(mStartDir.path()).mkdir(QStringLiteral("Music"));
    test::writeFile(mStartDir.path() + QStringLiteral("/Music/song.mid"), test::singleNoteMidi(2));
    MusicPlayer player(mStartDir.path());
    player.shown();
    auto songEnergy = [&] {
        mOutput.mark();
        player.musicToggled(true);
        const auto samples = mOutput.captureFor(1.0);
        player.musicToggled(false);
        const auto levels = measure(samples);
        return levels.energyLeft + levels.energyRight;
    };
    mControl->apply(60, 30);
    const double loud = songEnergy();
    mControl->apply(30, 30);
    const double middle = songEnergy();
    mControl->apply(0, 30);
    const double silent = songEnergy();
    ASSERT_GT(loud, 0.0);
    EXPECT_LT(middle, loud * 0.6);
    EXPECT_GT(middle, 0.0);
    // Only the last block of the previous play can still reach the output.
    EXPECT_LT(silent, loud * 0.01);
}

} // namespace
} // namespace vtx
