#include "tools/datagen/MusicSmf.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vtx::datagen {

namespace {

void putVarLen(std::vector<unsigned char>& out, std::uint32_t value) {
    unsigned char bytes[5];
    int n = 0;
    do {
        bytes[n++] = static_cast<unsigned char>(value & 0x7f);
        value >>= 7;
    } while (value);
    while (n--)
        out.push_back(static_cast<unsigned char>(bytes[n] | (n ? 0x80 : 0)));
}

void putBig(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

unsigned char data7(int v) {
    return static_cast<unsigned char>(std::clamp(v, 0, 127));
}

} // namespace

MusicTrack::MusicTrack(const std::string& name) {
    std::vector<unsigned char> meta{0xff, 0x03};
    putVarLen(meta, static_cast<std::uint32_t>(name.size()));
    meta.insert(meta.end(), name.begin(), name.end());
    add(0, 1, std::move(meta));
}

void MusicTrack::add(std::uint32_t tick, int rank, std::vector<unsigned char> bytes) {
    m_events.push_back({tick, rank, static_cast<std::uint32_t>(m_events.size()), std::move(bytes)});
}

void MusicTrack::tempo(std::uint32_t tick, double quarterNotesPerMinute) {
    const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / quarterNotesPerMinute));
    std::vector<unsigned char> meta{0xff, 0x51, 0x03};
    putBig(meta, micros, 3);
    add(tick, 1, std::move(meta));
}

void MusicTrack::timeSignature(std::uint32_t tick, int numerator, int denominator) {
    int power = 0;
    while ((1 << power) < denominator)
        ++power;
    // 24 MIDI clocks per metronome click, 8 notated 32nd notes per quarter.
    add(tick, 1,
        {0xff, 0x58, 0x04, static_cast<unsigned char>(numerator), static_cast<unsigned char>(power), 24, 8});
}

void MusicTrack::program(std::uint32_t tick, int channel, int program) {
    add(tick, 1, {static_cast<unsigned char>(0xc0 | (channel & 15)), data7(program)});
}

void MusicTrack::control(std::uint32_t tick, int channel, int controller, int value) {
    add(tick, 1, {static_cast<unsigned char>(0xb0 | (channel & 15)), data7(controller), data7(value)});
}

void MusicTrack::note(std::uint32_t tick, int channel, int key, int velocity, std::uint32_t length) {
    const auto ch = static_cast<unsigned char>(channel & 15);
    add(tick, 2, {static_cast<unsigned char>(0x90 | ch), data7(key), data7(std::max(velocity, 1))});
    add(tick + std::max<std::uint32_t>(length, 1), 0,
        {static_cast<unsigned char>(0x80 | ch), data7(key), 64});
}

std::uint32_t MusicTrack::lastTick() const {
    std::uint32_t last = 0;
    for (const auto& e : m_events)
        last = std::max(last, e.tick);
    return last;
}

std::vector<unsigned char> MusicTrack::chunk() const {
    std::vector<const Event*> sorted;
    for (const auto& e : m_events)
        sorted.push_back(&e);
    std::sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
        if (a->tick != b->tick) return a->tick < b->tick;
        if (a->rank != b->rank) return a->rank < b->rank;
        return a->order < b->order;
    });
    std::vector<unsigned char> body;
    std::uint32_t now = 0;
    for (const Event* e : sorted) {
        putVarLen(body, e->tick - now);
        now = e->tick;
        body.insert(body.end(), e->bytes.begin(), e->bytes.end());
    }
    for (unsigned char b : {0x00, 0xff, 0x2f, 0x00})
        body.push_back(b);
    std::vector<unsigned char> out{'M', 'T', 'r', 'k'};
    putBig(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<unsigned char> writeSmf(const std::vector<MusicTrack>& tracks, int ticksPerQuarter) {
    if (tracks.empty() || tracks.size() > 0xffff) throw std::invalid_argument("a song needs 1..65535 tracks");
    std::vector<unsigned char> out{'M', 'T', 'h', 'd'};
    putBig(out, 6, 4);
    putBig(out, 1, 2);
    putBig(out, static_cast<std::uint32_t>(tracks.size()), 2);
    putBig(out, static_cast<std::uint32_t>(ticksPerQuarter), 2);
    for (const auto& track : tracks) {
        const auto chunk = track.chunk();
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

} // namespace vtx::datagen
