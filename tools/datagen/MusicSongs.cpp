#include "tools/datagen/MusicComposer.h"

namespace vtx::datagen {

namespace {

// Note lengths in ticks.
constexpr int kE = kMusicTicksPerQuarter / 2, kQ = kMusicTicksPerQuarter, kDQ = kQ + kE, kH = 2 * kQ;

// A calm harbour tune in 6/8, D major: accordion over a nylon guitar.
SongPlan harbourDawn() {
    SongPlan p;
    p.title = "Harbour Dawn";
    p.tempo = 87.0; // a lilting 58 dotted quarters per minute
    p.numerator = 6, p.denominator = 8;
    p.root = 62;
    p.mode = MusicMode::Major;
    p.melodyProgram = 21, p.chordProgram = 24, p.bassProgram = 32, p.counterProgram = 71;
    p.melodyLow = 62, p.melodyHigh = 81;
    p.rhythms = {{kQ, kE, kQ, kE}, {kDQ, kQ, kE}, {kE, kE, kE, kQ, kE}, {kQ, kE, kE, kE, kE}, {kQ, kE, kDQ}};
    p.motif = {2, 1, 0, 4};
    p.chordStyle = ChordStyle::Arpeggio68;
    p.bassStyle = BassStyle::RootFifth68;
    p.drumStyle = DrumStyle::Shanty;
    const MusicSection intro{'I', {0, 3, 0, 4}}, a{'A', {0, 3, 0, 4, 5, 3, 4, 0}},
        b{'B', {5, 3, 0, 4, 5, 1, 4, 4}}, outro{'O', {3, 4, 0, 0}};
    p.sections = {intro, a, a, b, a, b, a, outro};
    p.seed = 101;
    return p;
}

// A brisk march in B-flat: trumpet tune, brass on the off-beats, tuba and snare.
SongPlan steelParade() {
    SongPlan p;
    p.title = "Steel Parade";
    p.tempo = 112.0;
    p.root = 58;
    p.mode = MusicMode::Major;
    p.melodyProgram = 56, p.chordProgram = 61, p.bassProgram = 58, p.counterProgram = 60;
    p.melodyLow = 65, p.melodyHigh = 84;
    p.rhythms = {{kDQ, kE, kQ, kQ}, {kQ, kQ, kQ, kQ}, {kQ, kE, kE, kQ, kQ}, {kDQ, kE, kDQ, kE}, {kQ, kQ, kH}};
    p.motif = {4, 3, 2, 4};
    p.chordStyle = ChordStyle::MarchOffbeats;
    p.bassStyle = BassStyle::MarchRootFifth;
    p.drumStyle = DrumStyle::March;
    const MusicSection intro{'I', {0, 0, 4, 4}}, a{'A', {0, 0, 3, 0, 0, 4, 4, 0}},
        b{'B', {3, 3, 0, 0, 1, 4, 0, 4}}, outro{'O', {3, 4, 0, 0}};
    p.sections = {intro, a, a, b, a, b, a, outro};
    p.seed = 202;
    return p;
}

// Slow and open, A dorian: vibraphone over a warm pad, fretless bass, brushed ride.
SongPlan fogBank() {
    SongPlan p;
    p.title = "Fog Bank";
    p.tempo = 66.0;
    p.root = 57;
    p.mode = MusicMode::Dorian;
    p.melodyProgram = 11, p.chordProgram = 89, p.bassProgram = 35, p.counterProgram = 52;
    p.melodyLow = 64, p.melodyHigh = 81;
    p.rhythms = {{kH, kQ, kQ}, {-kQ, kQ, kH}, {kH + kQ, kQ}, {kQ, kQ, kH}, {2 * kH}};
    p.motif = {4, 2, 1};
    p.chordStyle = ChordStyle::Pad;
    p.bassStyle = BassStyle::Held;
    p.drumStyle = DrumStyle::Ambient;
    const MusicSection intro{'I', {0, 6, 2, 3}}, a{'A', {0, 6, 2, 3, 0, 6, 3, 0}},
        b{'B', {2, 6, 3, 0, 2, 6, 4, 4}}, outro{'O', {0, 6, 3, 0}};
    p.sections = {intro, a, b, a, outro};
    p.seed = 303;
    return p;
}

// Full sail, E minor: horn tune over driving strings, eighth-note bass and a rock beat.
SongPlan openWaters() {
    SongPlan p;
    p.title = "Open Waters";
    p.tempo = 138.0;
    p.root = 64;
    p.mode = MusicMode::Minor;
    p.melodyProgram = 60, p.chordProgram = 48, p.bassProgram = 33, p.counterProgram = 57;
    p.melodyLow = 60, p.melodyHigh = 79;
    p.rhythms = {{kDQ, kE, kH}, {kQ, kE, kE, kQ, kQ}, {kE, kE, kE, kE, kH}, {kDQ, kE, kQ, kQ}, {kQ, kQ, kH}};
    p.motif = {0, 4, 3};
    p.chordStyle = ChordStyle::DrivingEighths;
    p.bassStyle = BassStyle::Eighths;
    p.drumStyle = DrumStyle::Rock;
    const MusicSection intro{'I', {0, 5, 2, 6}}, a{'A', {0, 5, 2, 6, 0, 5, 4, 0}},
        b{'B', {3, 3, 0, 0, 5, 6, 4, 4}}, c{'C', {5, 6, 0, 0, 5, 6, 4, 4}}, outro{'O', {5, 6, 4, 0}};
    p.sections = {intro, a, a, b, a, c, a, outro};
    p.seed = 404;
    return p;
}

} // namespace

std::vector<SongFile> gameSongs() {
    return {{"01 Harbour Dawn.mid", harbourDawn()},
            {"02 Steel Parade.mid", steelParade()},
            {"03 Fog Bank.mid", fogBank()},
            {"04 Open Waters.mid", openWaters()}};
}

} // namespace vtx::datagen
