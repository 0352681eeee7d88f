#pragma once

// The game's five sound effects, synthesised as mono float samples at
// kSoundRate (44100 Hz) in -1..1, each already normalised to a peak of -1 dBFS
// and shorter than three seconds. Deterministic: fixed seeds, no clock.

#include <vector>

namespace vtx::datagen {

inline constexpr int kSoundRate = 44100;
inline constexpr double kSoundPeakDbfs = -1.0;

std::vector<float> synthExplosion();      // a shell hitting a ship
std::vector<float> synthSplash();         // a shell falling into the sea
std::vector<float> synthHeavyExplosion(); // a ship blowing up
std::vector<float> synthFanfare();        // the game is won
std::vector<float> synthDefeat();         // the game is lost

// Scales the samples so that the largest magnitude is `dbfs` below full scale.
void normalizePeak(std::vector<float>& samples, double dbfs);

} // namespace vtx::datagen
