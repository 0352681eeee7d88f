#include "audio/SoundSystem.h"

#include "AudioTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <SDL2/SDL_mixer.h>

#include <gtest/gtest.h>

#ifdef VTX_HAVE_LAME
#include <lame/lame.h>
#endif

#include <cmath>
#include <memory>
#include <vector>

namespace vtx {
namespace {

using test::DiskOutput;
using test::measure;

constexpr double kBurst = 0.25;
constexpr int kAmplitude = 8000;

// A start folder with the five effect files. Hit sounds only on the left,
// miss only on the right, so a mix of the two is visible in the output.
class SoundSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_startDir.isValid());
        QDir(m_startDir.path()).mkdir(QStringLiteral("sounds"));
        writeSound("bomb.mp3", test::sineWav(kBurst, 440, kAmplitude, 0));
        writeSound("water.mp3", test::sineWav(kBurst, 660, 0, kAmplitude));
        writeSound("wbomb.mp3", test::sineWav(kBurst, 330, kAmplitude, kAmplitude));
        writeSound("won.wav", test::sineWav(kBurst, 550, kAmplitude, kAmplitude));
        writeSound("lost.wav", test::sineWav(kBurst, 220, kAmplitude, kAmplitude));
    }

    void writeSound(const char* name, const QByteArray& bytes) {
        test::writeFile(m_startDir.path() + QStringLiteral("/sounds/") + QLatin1String(name), bytes);
    }

    void start() {
        m_sound = std::make_unique<SoundSystem>();
        ASSERT_TRUE(m_sound->init());
        m_sound->loadEffects(m_startDir.path());
    }

    QTemporaryDir m_startDir;
    DiskOutput m_output;
    std::unique_ptr<SoundSystem> m_sound;
};

TEST_F(SoundSystemTest, LoadsTheFiveEffectsOnceWithDistinctHandles) {
    start();
    EXPECT_TRUE(m_sound->isOpen());
    EXPECT_TRUE(m_sound->soundOn());
    for (Sound effect : {Sound::Hit, Sound::Miss, Sound::Sunk, Sound::Won, Sound::Lost})
        EXPECT_EQ(m_sound->handle(effect), std::uint32_t(int(effect) + 1));
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_NE(Mix_QuerySpec(&frequency, &format, &channels), 0);
    EXPECT_EQ(frequency, 44100);
    EXPECT_EQ(format, AUDIO_S16SYS);
    EXPECT_EQ(channels, 2);
}

TEST_F(SoundSystemTest, HitRequestIsHeard) {
    start();
    m_output.mark();
    m_sound->request(Sound::Hit);
    const auto levels = measure(m_output.captureSound(kBurst + 0.1));
    // Full volume passes the file's samples unchanged.
    EXPECT_NEAR(levels.peakLeft, kAmplitude, kAmplitude / 50);
    EXPECT_EQ(levels.peakRight, 0);
}

TEST_F(SoundSystemTest, HitThenMissSoundTogether) {
    start();
    m_output.mark();
    m_sound->request(Sound::Hit);
    m_sound->request(Sound::Miss);
    const auto levels = measure(m_output.captureSound(kBurst + 0.1));
    EXPECT_GT(levels.peakLeft, kAmplitude * 9 / 10);
    EXPECT_GT(levels.peakRight, kAmplitude * 9 / 10);
    // Both effects sound at the same time for most of their length.
    EXPECT_GT(levels.bothSounding, qint64(kBurst * test::kRate / 2));
}

TEST_F(SoundSystemTest, RepeatedRequestRestartsInsteadOfDoubling) {
    start();
    m_output.mark();
    // A hit is requested twice for one shot: it must be heard once, from its start.
    m_sound->request(Sound::Hit);
    m_sound->request(Sound::Hit);
    m_sound->request(Sound::Hit);
    const auto levels = measure(m_output.captureSound(kBurst + 0.1));
    EXPECT_GT(levels.peakLeft, kAmplitude * 9 / 10);
    EXPECT_LE(levels.peakLeft, kAmplitude + kAmplitude / 50);
}

TEST_F(SoundSystemTest, NothingIsHeardWhileSoundIsOff) {
    start();
    m_sound->setSoundOn(false);
    m_output.mark();
    m_sound->request(Sound::Hit);
    m_sound->request(Sound::Sunk);
    const auto levels = measure(m_output.captureFor(kBurst + 0.3));
    EXPECT_EQ(levels.peakLeft, 0);
    EXPECT_EQ(levels.peakRight, 0);

    // Switched on again, the same request plays.
    m_sound->setSoundOn(true);
    m_output.mark();
    m_sound->request(Sound::Hit);
    EXPECT_GT(measure(m_output.captureSound(kBurst)).peakLeft, kAmplitude / 2);
}

TEST_F(SoundSystemTest, MissingOrUnreadableEffectStaysSilent) {
    QFile::remove(m_startDir.path() + QStringLiteral("/sounds/water.mp3"));
    writeSound("won.wav", QByteArray("this is not a sound file"));
    start();
    EXPECT_EQ(m_sound->handle(Sound::Miss), 0u);
    EXPECT_EQ(m_sound->handle(Sound::Won), 0u);
    EXPECT_NE(m_sound->handle(Sound::Hit), 0u);
    m_output.mark();
    m_sound->request(Sound::Miss);
    m_sound->request(Sound::Won);
    const auto levels = measure(m_output.captureFor(kBurst + 0.3));
    EXPECT_EQ(levels.peakLeft, 0);
    EXPECT_EQ(levels.peakRight, 0);
    EXPECT_TRUE(m_sound->soundOn());
}

#ifdef VTX_HAVE_LAME
// A left-only sine burst as a 128 kbit/s stereo MP3.
QByteArray sineMp3(double seconds, int amplitude) {
    const int frames = int(seconds * test::kRate);
    std::vector<short> left(std::size_t(frames), 0);
    std::vector<short> right(std::size_t(frames), 0);
    for (int i = 0; i < frames; ++i)
        left[std::size_t(i)] = short(amplitude * std::sin(2 * 3.14159265358979 * 440 * i / test::kRate));
    lame_t encoder = lame_init();
    lame_set_in_samplerate(encoder, test::kRate);
    lame_set_num_channels(encoder, 2);
    lame_set_brate(encoder, 128);
    lame_init_params(encoder);
    std::vector<unsigned char> buffer(std::size_t(frames) + 16384);
    int size =
        lame_encode_buffer(encoder, left.data(), right.data(), frames, buffer.data(), int(buffer.size()));
    size += lame_encode_flush(encoder, buffer.data() + size, int(buffer.size()) - size);
    lame_close(encoder);
    return QByteArray(reinterpret_cast<const char*>(buffer.data()), size);
}

TEST_F(SoundSystemTest, Mp3EffectIsDecodedAndHeard) {
    writeSound("bomb.mp3", sineMp3(kBurst, kAmplitude));
    start();
    ASSERT_NE(m_sound->handle(Sound::Hit), 0u);
    m_output.mark();
    m_sound->request(Sound::Hit);
    const auto levels = measure(m_output.captureSound(kBurst + 0.1));
    EXPECT_NEAR(levels.peakLeft, kAmplitude, kAmplitude / 5);
    EXPECT_LT(levels.peakRight, kAmplitude / 5);
}
#endif

TEST_F(SoundSystemTest, GeneratedGameSoundsLoadWhenPresent) {
    const QString runDir = QStringLiteral(VTX_BINARY_DIR "/run");
    if (!QFile::exists(runDir + QStringLiteral("/sounds/bomb.mp3")))
        GTEST_SKIP() << "the generated game sounds are not in " << runDir.toStdString();
    m_sound = std::make_unique<SoundSystem>();
    ASSERT_TRUE(m_sound->init());
    m_sound->loadEffects(runDir);
    for (Sound effect : {Sound::Hit, Sound::Miss, Sound::Sunk, Sound::Won, Sound::Lost})
        EXPECT_NE(m_sound->handle(effect), 0u) << int(effect);
}

TEST(SoundSystemNoDevice, StartUpFailsAndEverythingStaysSilent) {
    QTemporaryDir startDir;
    DiskOutput::selectMissingDriver();
    SoundSystem sound;
    EXPECT_FALSE(sound.init());
    EXPECT_FALSE(sound.isOpen());
    EXPECT_FALSE(sound.soundOn());
    sound.loadEffects(startDir.path());
    EXPECT_EQ(sound.handle(Sound::Hit), 0u);
    sound.play(Sound::Hit);
    sound.setSoundOn(true);
    sound.request(Sound::Lost);
    EXPECT_FALSE(sound.waveOutput().supportsVolume());
    EXPECT_FALSE(sound.midiOutput().supportsVolume());
}

TEST(SoundSystemVersion, AcceptsTheBuiltMajorMinorOnly) {
    EXPECT_TRUE(SoundSystem::versionMismatchMessage().isEmpty());
    const SDL_version expected{2, 6, 2};
    EXPECT_TRUE(SoundSystem::versionMismatchMessage(SDL_version{2, 6, 3}, expected).isEmpty());
    EXPECT_EQ(SoundSystem::versionMismatchMessage(SDL_version{2, 8, 0}, expected),
              QStringLiteral("SDL2_mixer version 2.6.2 was not loaded"));
    EXPECT_EQ(SoundSystem::versionMismatchMessage(SDL_version{3, 6, 2}, expected),
              QStringLiteral("SDL2_mixer version 2.6.2 was not loaded"));
}

} // namespace
} // namespace vtx
