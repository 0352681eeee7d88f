// The generated sound effects: MP3 frame headers walked to the end of each
// file, WAV headers and levels, the synthesised signals themselves.

#include "tools/datagen/Generators.h"
#include "tools/datagen/SoundEncoders.h"
#include "tools/datagen/SoundSynth.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vtx::datagen {
namespace {

std::vector<unsigned char> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return {bytes.begin(), bytes.end()};
}

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t o) {
    return b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) | (static_cast<std::uint32_t>(b[o + 3]) << 24);
}
int le16(const std::vector<unsigned char>& b, std::size_t o) {
    return b[o] | (b[o + 1] << 8);
}

// Walks MPEG-1 Layer III frames from the first byte to the last; returns the
// frame count, or -1 at the first header that is not a 44.1 kHz Layer III one
// or a frame that runs past the end.
int countMp3Frames(const std::vector<unsigned char>& b) {
    static const int kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    std::size_t pos = 0;
    int frames = 0;
    while (pos < b.size()) {
        if (pos + 4 > b.size()) return -1;
        const std::uint32_t h = (b[pos] << 24) | (b[pos + 1] << 16) | (b[pos + 2] << 8) | b[pos + 3];
        const bool sync = (h >> 21) == 0x7ff;
        const bool mpeg1 = ((h >> 19) & 3) == 3;
        const bool layer3 = ((h >> 17) & 3) == 1;
        const int rate = kbps[(h >> 12) & 15];
        const bool at44100 = ((h >> 10) & 3) == 0;
        if (!sync || !mpeg1 || !layer3 || rate == 0 || !at44100) return -1;
        const std::size_t length = 144 * rate * 1000 / 44100 + ((h >> 9) & 1);
        if (pos + length > b.size()) return -1;
        pos += length;
        ++frames;
    }
    return frames;
}

class SoundFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        generateSounds(s_dir->path());
    }
    static void TearDownTestSuite() { delete s_dir; }
    static std::vector<unsigned char> file(const char* name) {
        return readFile(s_dir->path() + "/sounds/" + name);
    }
    static QTemporaryDir* s_dir;
};
QTemporaryDir* SoundFiles::s_dir = nullptr;

TEST_F(SoundFiles, EffectsAreWholeMp3StreamsUnderThreeSeconds) {
    for (const char* name : {"bomb.mp3", "water.mp3", "wbomb.mp3"}) {
        SCOPED_TRACE(name);
        const auto bytes = file(name);
        ASSERT_GE(bytes.size(), 4u);
        // No tag in front: the very first bytes are a frame header.
        EXPECT_EQ(bytes[0], 0xff);
        EXPECT_EQ(bytes[1] & 0xe0, 0xe0);
        const int frames = countMp3Frames(bytes);
        ASSERT_GT(frames, 0);
        const double seconds = frames * 1152.0 / 44100.0;
        EXPECT_LT(seconds, 3.0);
        EXPECT_GT(seconds, 0.5);
    }
}

TEST_F(SoundFiles, JinglesArePcmWavesUnderThreeSecondsWithoutClipping) {
    for (const char* name : {"won.wav", "lost.wav"}) {
        SCOPED_TRACE(name);
        const auto b = file(name);
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
        EXPECT_EQ(le32(b, 4), b.size() - 8);
        EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(le32(b, 16), 16u);
        EXPECT_EQ(le16(b, 20), 1); // PCM
        const int channels = le16(b, 22);
        EXPECT_TRUE(channels == 1 || channels == 2);
        EXPECT_EQ(le32(b, 24), 44100u);
        EXPECT_EQ(le16(b, 34), 16);
        EXPECT_EQ(le32(b, 28), 44100u * channels * 2);
        EXPECT_EQ(le16(b, 32), channels * 2);
        EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
        const std::uint32_t dataBytes = le32(b, 40);
        ASSERT_EQ(dataBytes, b.size() - 44);
        const double seconds = dataBytes / (2.0 * channels * 44100.0);
        EXPECT_LT(seconds, 3.0);
        EXPECT_GT(seconds, 1.0);
        int peak = 0;
        for (std::size_t o = 44; o + 1 < b.size(); o += 2)
            peak = std::max(peak, std::abs(static_cast<int>(static_cast<std::int16_t>(le16(b, o)))));
        // About -1 dBFS: loud, never at full scale.
        EXPECT_LT(peak, 32767);
        EXPECT_GT(peak, 27000);
    }
}

TEST(SoundSynth, EveryEffectIsShortNormalisedAndStartsAndEndsQuietly) {
    const std::vector<std::pair<const char*, std::function<std::vector<float>()>>> effects{
        {"explosion", synthExplosion},
        {"splash", synthSplash},
        {"heavy", synthHeavyExplosion},
        {"fanfare", synthFanfare},
        {"defeat", synthDefeat}};
    const double expectedPeak = std::pow(10.0, kSoundPeakDbfs / 20.0);
    for (const auto& [name, synth] : effects) {
        SCOPED_TRACE(name);
        const auto s = synth();
        ASSERT_FALSE(s.empty());
        EXPECT_LT(s.size(), 3u * kSoundRate);
        float peak = 0.0f;
        for (float v : s) {
            ASSERT_TRUE(std::isfinite(v));
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_NEAR(peak, expectedPeak, 1e-3);
        // No click at either end.
        EXPECT_LT(std::abs(s.front()), 0.01f);
        EXPECT_LT(std::abs(s.back()), 0.01f);
        // Sound, not a blip: a good share of the length carries energy.
        std::size_t loud = 0;
        for (float v : s)
            loud += std::abs(v) > 0.05f;
        EXPECT_GT(loud, s.size() / 20);
    }
}

TEST(SoundSynth, NormalisingSilenceLeavesItSilent) {
    std::vector<float> quiet(100, 0.0f);
    normalizePeak(quiet, -1.0);
    for (float v : quiet)
        EXPECT_EQ(v, 0.0f);
    std::vector<float> tone{0.1f, -0.25f, 0.2f};
    normalizePeak(tone, -6.0);
    EXPECT_NEAR(tone[1], -std::pow(10.0, -6.0 / 20.0), 1e-6);
    EXPECT_NEAR(tone[0], 0.4 * std::pow(10.0, -6.0 / 20.0), 1e-6);
}

TEST(SoundEncoders, WavSamplesAreRoundedAndClamped) {
    const auto b = encodeWav({0.0f, 0.5f, -1.0f, 1.5f, -2.0f}, 22050);
    ASSERT_EQ(b.size(), 44u + 10u);
    EXPECT_EQ(le32(b, 24), 22050u);
    EXPECT_EQ(static_cast<std::int16_t>(le16(b, 44)), 0);
    EXPECT_EQ(static_cast<std::int16_t>(le16(b, 46)), 16384);
    EXPECT_EQ(static_cast<std::int16_t>(le16(b, 48)), -32767);
    EXPECT_EQ(static_cast<std::int16_t>(le16(b, 50)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(le16(b, 52)), -32767);
}

TEST(SoundEncoders, Mp3LengthFollowsTheInput) {
    const std::vector<float> oneSecond(kSoundRate, 0.0f), twoSeconds(2 * kSoundRate, 0.0f);
    const int a = countMp3Frames(encodeMp3(oneSecond, kSoundRate, 128));
    const int b = countMp3Frames(encodeMp3(twoSeconds, kSoundRate, 128));
    ASSERT_GT(a, 0);
    // 1152 samples a frame, plus the encoder's delay and padding.
    EXPECT_NEAR(a, 38.3, 3.0);
    EXPECT_NEAR(b - a, 38.3, 1.5);
}

TEST(SoundFilesDeterminism, TwoRunsWriteIdenticalBytes) {
    QTemporaryDir a, b;
    generateSounds(a.path());
    generateSounds(b.path());
    for (const char* name : {"bomb.mp3", "water.mp3", "wbomb.mp3", "won.wav", "lost.wav"}) {
        const auto first = readFile(a.path() + "/sounds/" + name);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, readFile(b.path() + "/sounds/" + name)) << name;
    }
}

} // namespace
} // namespace vtx::datagen
