#include "tools/datagen/SoundEncoders.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace vtx::datagen {

namespace {

std::vector<std::int16_t> toPcm16(const std::vector<float>& samples) {
    std::vector<std::int16_t> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), [](float s) {
        return static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    });
    return pcm;
}

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void put16(std::vector<unsigned char>& out, std::uint16_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xff));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(tag[i]));
}

} // namespace

std::vector<unsigned char> encodeWav(const std::vector<float>& samples, int sampleRate) {
    const auto pcm = toPcm16(samples);
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);                                         // size of the format chunk
    put16(out, 1);                                          // PCM
    put16(out, 1);                                          // channels
    put32(out, static_cast<std::uint32_t>(sampleRate));     // frames per second
    put32(out, static_cast<std::uint32_t>(sampleRate) * 2); // bytes per second
    put16(out, 2);                                          // bytes per frame
    put16(out, 16);                                         // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (std::int16_t s : pcm)
        put16(out, static_cast<std::uint16_t>(s));
    return out;
}

std::vector<unsigned char> encodeMp3(const std::vector<float>& samples, int sampleRate, int kbps) {
    const std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(), lame_close);
    if (!lame) throw std::runtime_error("lame_init failed");
    lame_set_in_samplerate(lame.get(), sampleRate);
    lame_set_out_samplerate(lame.get(), sampleRate);
    lame_set_num_channels(lame.get(), 1);
    lame_set_mode(lame.get(), MONO);
    lame_set_VBR(lame.get(), vbr_off);
    lame_set_brate(lame.get(), kbps);
    lame_set_quality(lame.get(), 2);
    lame_set_bWriteVbrTag(lame.get(), 0);
    lame_set_write_id3tag_automatic(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0) throw std::runtime_error("lame_init_params failed");

    auto pcm = toPcm16(samples);
    // The encoder's own worst case: 1.25 times the samples plus 7200 bytes.
    std::vector<unsigned char> out(pcm.size() * 5 / 4 + 7200 + 8192);
    const int written = lame_encode_buffer(lame.get(), pcm.data(), pcm.data(), static_cast<int>(pcm.size()),
                                           out.data(), static_cast<int>(out.size()));
    if (written < 0) throw std::runtime_error("lame_encode_buffer failed");
    const int flushed =
        lame_encode_flush(lame.get(), out.data() + written, static_cast<int>(out.size()) - written);
    if (flushed < 0) throw std::runtime_error("lame_encode_flush failed");
    out.resize(static_cast<std::size_t>(written + flushed));
    return out;
}

} // namespace vtx::datagen
