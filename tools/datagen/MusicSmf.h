#pragma once

// Standard MIDI File writing.
//
// A file is the header chunk "MThd" (length 6: format, track count, ticks per
// quarter note) followed by one "MTrk" chunk per track, each a run of events
// with variable-length delta times and a closing end-of-track meta event. We
// write format 1: every track shares the tempo map kept in the first track.

#include <cstdint>
#include <string>
#include <vector>

namespace vtx::datagen {

class MusicTrack {
public:
    explicit MusicTrack(const std::string& name);

    void tempo(std::uint32_t tick, double quarterNotesPerMinute);
    void timeSignature(std::uint32_t tick, int numerator, int denominator);
    void program(std::uint32_t tick, int channel, int program);
    void control(std::uint32_t tick, int channel, int controller, int value);
    // Note on at `tick`, note off `length` ticks later; channel 0..15 (9 = drums).
    void note(std::uint32_t tick, int channel, int key, int velocity, std::uint32_t length);

    // The "MTrk" chunk: events in tick order, note-offs before other events at
    // the same tick, otherwise in the order they were added.
    std::vector<unsigned char> chunk() const;
    std::uint32_t lastTick() const;

private:
    struct Event {
        std::uint32_t tick;
        int rank; // 0 note off, 1 meta/controls, 2 note on
        std::uint32_t order;
        std::vector<unsigned char> bytes;
    };
    void add(std::uint32_t tick, int rank, std::vector<unsigned char> bytes);

    std::vector<Event> m_events;
};

std::vector<unsigned char> writeSmf(const std::vector<MusicTrack>& tracks, int ticksPerQuarter);

} // namespace vtx::datagen
