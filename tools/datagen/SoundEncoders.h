#pragma once

// Containers for the synthesised effects: mono float samples in -1..1 in,
// file bytes out.

#include <vector>

namespace vtx::datagen {

// A RIFF/WAVE file: 16-bit signed PCM, one channel, 44-byte canonical header.
std::vector<unsigned char> encodeWav(const std::vector<float>& samples, int sampleRate);

// MPEG-1 Layer III at a constant bit rate (kbit/s) through libmp3lame, mono,
// without ID3 or Xing/Info tags, so the file is a plain run of audio frames.
// Throws std::runtime_error when the encoder fails.
std::vector<unsigned char> encodeMp3(const std::vector<float>& samples, int sampleRate, int kbps);

} // namespace vtx::datagen
