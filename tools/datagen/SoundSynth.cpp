#include "tools/datagen/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vtx::datagen {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kDt = 1.0 / kSoundRate;

// A small fixed-seed generator (xorshift64*), so the noise is the same every run.
class SoundNoise {
public:
    explicit SoundNoise(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    double uniform() // 0..1
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return static_cast<double>((m_state * 0x2545F4914F6CDD1Dull) >> 11) / 9007199254740992.0;
    }
    double white() { return uniform() * 2.0 - 1.0; }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    std::uint64_t m_state;
};

// One-pole low-pass; the cutoff may change every sample.
class LowPass {
public:
    double step(double x, double cutoffHz) {
        const double a = 1.0 - std::exp(-kTwoPi * cutoffHz * kDt);
        m_y += a * (x - m_y);
        return m_y;
    }

private:
    double m_y = 0.0;
};

// State-variable band-pass (Chamberlin); stable for cutoffs well below a sixth of the rate.
class BandPass {
public:
    double step(double x, double centreHz, double damping) {
        const double f = 2.0 * std::sin(std::numbers::pi * centreHz * kDt);
        m_low += f * m_band;
        const double high = x - m_low - damping * m_band;
        m_band += f * high;
        return m_band;
    }

private:
    double m_low = 0.0, m_band = 0.0;
};

// Libraries loaded with the GUI application may leave the upper halves of the
// AVX registers dirty; every SSE-coded libm call (exp, sin) then pays a state
// transition, which made synthesis some thirty times slower. Clearing the
// state before each effect keeps it at a few tens of milliseconds.
void clearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (__builtin_cpu_supports("avx")) __asm__ volatile("vzeroupper");
#endif
}

std::vector<float> silence(double seconds) {
    clearUpperVectorState();
    return std::vector<float>(static_cast<std::size_t>(seconds * kSoundRate), 0.0f);
}

// Short fades at both ends so no effect starts or stops with a click.
void fadeEdges(std::vector<float>& s, double inSeconds, double outSeconds) {
    const auto in = static_cast<std::size_t>(inSeconds * kSoundRate);
    const auto out = static_cast<std::size_t>(outSeconds * kSoundRate);
    for (std::size_t i = 0; i < std::min(in, s.size()); ++i)
        s[i] *= static_cast<float>(i) / in;
    for (std::size_t i = 0; i < std::min(out, s.size()); ++i)
        s[s.size() - 1 - i] *= static_cast<float>(i) / out;
}

// One blast mixed into `s` from `start` seconds: a noise burst through a falling
// low-pass, a sinking thump and a low rumble. `depth` above 1 makes it lower and longer.
void addBlast(std::vector<float>& s, double start, double gain, double depth, std::uint64_t seed) {
    SoundNoise noise(seed);
    LowPass burst1, burst2, rumble1, rumble2;
    double thumpPhase = 0.0, brown = 0.0;
    const auto first = static_cast<std::size_t>(start * kSoundRate);
    for (std::size_t i = first; i < s.size(); ++i) {
        const double t = (i - first) * kDt;
        const double attack = 1.0 - std::exp(-t / 0.004);
        const double cutoff = 150.0 / depth + 5500.0 / depth * std::exp(-t / (0.12 * depth));
        const double n = noise.white();
        const double crack =
            burst2.step(burst1.step(n, cutoff), cutoff) * attack * std::exp(-t / (0.33 * depth));
        const double thumpHz = 38.0 / depth + 90.0 / depth * std::exp(-t / 0.08);
        thumpPhase += kTwoPi * thumpHz * kDt;
        const double thump = std::sin(thumpPhase) * attack * std::exp(-t / (0.22 * depth));
        brown = 0.995 * brown + 0.05 * n;
        const double rumble = rumble2.step(rumble1.step(brown, 140.0 / depth), 140.0 / depth) *
                              (1.0 - std::exp(-t / 0.05)) * std::exp(-t / (0.6 * depth));
        s[i] += static_cast<float>(gain * (1.6 * crack + 0.9 * thump + 3.0 * rumble));
    }
}

// A brass-like note by additive synthesis: the upper partials speak later than
// the fundamental, which gives the characteristic "blat" of a horn attack.
void addBrassNote(std::vector<float>& s, double start, double duration, double hz, double gain, int partials,
                  double rolloff) {
    const auto first = static_cast<std::size_t>(start * kSoundRate);
    const auto count = static_cast<std::size_t>((duration + 0.08) * kSoundRate);
    double phase = 0.0;
    for (std::size_t i = 0; i < count && first + i < s.size(); ++i) {
        const double t = i * kDt;
        const double release = t < duration ? 1.0 : std::max(0.0, 1.0 - (t - duration) / 0.08);
        const double vibrato =
            1.0 + 0.004 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, std::max(0.0, t - 0.12) / 0.2);
        phase += kTwoPi * hz * vibrato * kDt;
        double v = 0.0;
        for (int k = 1; k <= partials; ++k) {
            const double rise = 1.0 - std::exp(-t / (0.006 + 0.005 * k));
            const double speak = rise * rise;
            v += std::sin(k * phase + 0.3 * k) * speak / std::pow(k, rolloff);
        }
        s[first + i] += static_cast<float>(gain * v * release * (0.85 + 0.15 * std::exp(-t / 0.1)));
    }
}

// A soft timpani-like stroke under a chord.
void addDrum(std::vector<float>& s, double start, double hz, double gain, double decay) {
    const auto first = static_cast<std::size_t>(start * kSoundRate);
    double phase = 0.0;
    for (std::size_t i = first; i < s.size(); ++i) {
        const double t = (i - first) * kDt;
        phase += kTwoPi * hz * (1.0 + 0.15 * std::exp(-t / 0.03)) * kDt;
        s[i] +=
            static_cast<float>(gain * std::sin(phase) * std::exp(-t / decay) * (1.0 - std::exp(-t / 0.003)));
    }
}

double noteHz(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

} // namespace

void normalizePeak(std::vector<float>& samples, double dbfs) {
    float peak = 0.0f;
    for (float v : samples)
        peak = std::max(peak, std::abs(v));
    if (peak <= 0.0f) return;
    const auto gain = static_cast<float>(std::pow(10.0, dbfs / 20.0) / peak);
    for (float& v : samples)
        v *= gain;
}

std::vector<float> synthExplosion() {
    auto s = silence(1.9);
    addBlast(s, 0.0, 1.0, 1.0, 11);
    fadeEdges(s, 0.001, 0.15);
    normalizePeak(s, kSoundPeakDbfs);
    return s;
}

std::vector<float> synthSplash() {
    auto s = silence(1.6);
    SoundNoise noise(23);
    BandPass body;
    LowPass hissLow;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = i * kDt;
        const double n = noise.white();
        // The impact: a band of noise sinking from a bright crash to a wash.
        const double centre = 700.0 + 1600.0 * std::exp(-t / 0.15);
        const double impact = body.step(n, centre, 0.9) * (1.0 - std::exp(-t / 0.01)) * std::exp(-t / 0.2);
        // Falling spray: the high part of the noise, lingering.
        const double spray =
            (n - hissLow.step(n, 2500.0)) * std::exp(-t / 0.45) * (1.0 - std::exp(-t / 0.05));
        s[i] += static_cast<float>(1.4 * impact + 0.22 * spray);
    }
    // Bubbles: short rising sine chirps, fewer and quieter as the water settles.
    SoundNoise bubbles(37);
    for (double t = 0.05; t < 1.35; t += bubbles.range(0.008, 0.035) * (1.0 + 3.0 * t)) {
        const double hz = bubbles.range(350.0, 1400.0);
        const double length = bubbles.range(0.03, 0.09);
        const double gain = bubbles.range(0.08, 0.25) * std::exp(-t / 0.7);
        const auto first = static_cast<std::size_t>(t * kSoundRate);
        double phase = 0.0;
        for (std::size_t i = 0; i < static_cast<std::size_t>(length * kSoundRate) && first + i < s.size();
             ++i) {
            const double tau = i * kDt;
            phase += kTwoPi * hz * (1.0 + 0.7 * tau / length) * kDt;
            s[first + i] += static_cast<float>(gain * std::sin(phase) * std::exp(-tau / (length / 3.0)) *
                                               (1.0 - std::exp(-tau / 0.002)));
        }
    }
    fadeEdges(s, 0.002, 0.1);
    normalizePeak(s, kSoundPeakDbfs);
    return s;
}

std::vector<float> synthHeavyExplosion() {
    auto s = silence(2.55);
    addBlast(s, 0.0, 0.8, 1.4, 41);
    addBlast(s, 0.32, 1.1, 1.7, 43); // the magazine goes up a moment later
    // Debris crackle: short bright bursts falling back, thinning out.
    SoundNoise debris(47);
    for (double t = 0.45; t < 2.3; t += debris.range(0.008, 0.045) * (1.0 + 1.5 * (t - 0.45))) {
        const double length = debris.range(0.002, 0.009);
        const double gain = debris.range(0.1, 0.4) * std::exp(-(t - 0.45) / 0.8);
        const double centre = debris.range(1800.0, 5000.0);
        BandPass crackle;
        const auto first = static_cast<std::size_t>(t * kSoundRate);
        const auto count = static_cast<std::size_t>((length + 0.01) * kSoundRate);
        for (std::size_t i = 0; i < count && first + i < s.size(); ++i) {
            const double tau = i * kDt;
            const double x = tau < length ? debris.white() : 0.0;
            s[first + i] += static_cast<float>(gain * crackle.step(x, centre, 0.5));
        }
    }
    fadeEdges(s, 0.001, 0.25);
    normalizePeak(s, kSoundPeakDbfs);
    return s;
}

std::vector<float> synthFanfare() {
    auto s = silence(2.5);
    // A rising major arpeggio in B-flat, a turn, and a held chord over a drum stroke.
    struct Note {
        double start, length;
        int midi;
    };
    const Note lead[] = {{0.00, 0.13, 65}, {0.15, 0.13, 70}, {0.30, 0.13, 74},
                         {0.45, 0.28, 77}, {0.76, 0.12, 74}, {0.90, 1.30, 77}};
    for (const auto& n : lead)
        addBrassNote(s, n.start, n.length, noteHz(n.midi), 0.5, 10, 0.9);
    for (int midi : {58, 62, 65})
        addBrassNote(s, 0.9, 1.3, noteHz(midi), 0.13, 8, 1.1);
    addDrum(s, 0.9, noteHz(46), 0.35, 0.35);
    addDrum(s, 0.45, noteHz(41), 0.25, 0.2);
    fadeEdges(s, 0.002, 0.2);
    normalizePeak(s, kSoundPeakDbfs);
    return s;
}

std::vector<float> synthDefeat() {
    auto s = silence(2.8);
    // A slow fall through D minor onto a low, dark chord.
    struct Note {
        double start, length;
        int midi;
    };
    const Note lead[] = {
        {0.00, 0.40, 69}, {0.45, 0.40, 65}, {0.90, 0.40, 62}, {1.35, 0.38, 61}, {1.80, 0.80, 62}};
    for (const auto& n : lead)
        addBrassNote(s, n.start, n.length, noteHz(n.midi), 0.5, 6, 1.4);
    for (int midi : {38, 50, 53})
        addBrassNote(s, 1.8, 0.8, noteHz(midi), 0.08, 6, 1.5);
    addDrum(s, 1.8, noteHz(38), 0.2, 0.5);
    fadeEdges(s, 0.002, 0.3);
    normalizePeak(s, kSoundPeakDbfs);
    return s;
}

} // namespace vtx::datagen
