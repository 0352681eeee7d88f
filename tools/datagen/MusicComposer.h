#pragma once

// The songs of the Music folder: a small algorithmic composer driven by a
// hand-written plan per song (key, metre, chord progression per section,
// melody rhythms and an opening motif, accompaniment styles).
//
// A song is an intro, themed sections and an outro. Theme 'A' is composed once
// and comes back whenever the plan names it again, so each song has a tune to
// recognise; other letters get fresh material. The melody puts chord tones on
// the strong beats and moves by scale steps between them; every choice comes
// from the plan's fixed seed, so the same plan always gives the same bytes.
//
// Output: a format-1 Standard MIDI File at 480 ticks per quarter note: a tempo
// track, then melody, chords, bass, an optional counter-voice and drums
// (channel 10, index 9), with General MIDI programs.

#include <cstdint>
#include <string>
#include <vector>

namespace vtx::datagen {

inline constexpr int kMusicTicksPerQuarter = 480;

enum class MusicMode { Major, Minor, Dorian };
enum class ChordStyle { Arpeggio68, MarchOffbeats, Pad, DrivingEighths };
enum class BassStyle { RootFifth68, MarchRootFifth, Held, Eighths };
enum class DrumStyle { Shanty, March, Ambient, Rock };

struct MusicSection {
    char theme = 'A';        // 'I' intro and 'O' outro carry no melody
    std::vector<int> chords; // scale degree (0 = tonic) of each bar's chord
};

struct SongPlan {
    std::string title;
    double tempo = 100.0; // quarter notes per minute
    int numerator = 4, denominator = 4;
    int root = 60; // MIDI note of the tonic
    MusicMode mode = MusicMode::Major;
    int melodyProgram = 0, chordProgram = 0, bassProgram = 32, counterProgram = -1;
    int melodyLow = 60, melodyHigh = 84;
    // Melody rhythms, each a bar's note lengths in ticks (negative = rest);
    // the first is the motif's rhythm and the last closes each phrase.
    std::vector<std::vector<int>> rhythms;
    std::vector<int> motif; // scale steps over the chord root for the motif's notes
    ChordStyle chordStyle = ChordStyle::Pad;
    BassStyle bassStyle = BassStyle::Held;
    DrumStyle drumStyle = DrumStyle::Ambient;
    std::vector<MusicSection> sections;
    std::uint64_t seed = 1;
};

std::vector<unsigned char> composeSong(const SongPlan& plan);

// The game's songs, in playing order; file names sort in the same order.
struct SongFile {
    std::string fileName;
    SongPlan plan;
};
std::vector<SongFile> gameSongs();

} // namespace vtx::datagen
