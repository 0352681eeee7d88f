#include "tools/datagen/MusicComposer.h"
#include "game/SplitMix64.h"
#include "tools/datagen/MusicSmf.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <map>
#include <stdexcept>

namespace vtx::datagen {

namespace {

constexpr int kMelody = 0, kChords = 1, kBass = 2, kCounter = 3, kDrums = 9;
constexpr int kRest = INT_MIN;

// The songs' random numbers: the house's SplitMix64 from a fixed seed, so a
// song is the same everywhere.
class MusicRandom {
public:
    explicit MusicRandom(std::uint64_t seed) : m_generator(seed) {}
    int below(int n) { return static_cast<int>(m_generator.next() % static_cast<std::uint64_t>(n)); }
    bool chance(double p) { return m_generator.unit() < p; }
    int jitter(int spread) { return below(2 * spread + 1) - spread; }

private:
    SplitMix64 m_generator;
};

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

struct MelodyNote {
    std::uint32_t tick; // from the start of its section
    int index;          // scale index (7 per octave, 0 = the tonic at `root`), or kRest
    std::uint32_t length;
    bool strong;
};

class Composer {
public:
    explicit Composer(const SongPlan& plan)
        : m_plan(plan), m_rng(plan.seed),
          m_barTicks(plan.numerator * 4 * kMusicTicksPerQuarter / plan.denominator),
          m_compound(plan.denominator == 8 && plan.numerator % 3 == 0) {
        if (plan.rhythms.empty()) throw std::invalid_argument("a song plan needs melody rhythms");
        for (const auto& r : plan.rhythms) {
            int sum = 0;
            for (int d : r)
                sum += std::abs(d);
            if (sum != m_barTicks)
                throw std::invalid_argument("a rhythm of " + plan.title + " does not fill a bar");
        }
        m_lowIndex = indexAtOrAbove(plan.melodyLow);
        m_highIndex = indexAtOrAbove(plan.melodyHigh + 1) - 1;
    }

    std::vector<unsigned char> compose() {
        MusicTrack conductor(m_plan.title);
        conductor.tempo(0, m_plan.tempo);
        conductor.timeSignature(0, m_plan.numerator, m_plan.denominator);
        MusicTrack melody("Melody"), chords("Harmony"), bass("Bass"), counter("Counter"), drums("Drums");
        setUp(melody, kMelody, m_plan.melodyProgram, 124, 64);
        setUp(chords, kChords, m_plan.chordProgram, 100, 44);
        setUp(bass, kBass, m_plan.bassProgram, 118, 64);
        if (m_plan.counterProgram >= 0) setUp(counter, kCounter, m_plan.counterProgram, 96, 88);
        setUp(drums, kDrums, -1, 112, 64);

        std::uint32_t start = 0;
        std::map<char, std::vector<MelodyNote>> themes;
        int themeVisits = 0;
        for (std::size_t s = 0; s < m_plan.sections.size(); ++s) {
            const MusicSection& section = m_plan.sections[s];
            const bool last = s + 1 == m_plan.sections.size();
            if (section.theme != 'I' && section.theme != 'O') {
                auto found = themes.find(section.theme);
                if (found == themes.end())
                    found = themes.emplace(section.theme, composeMelody(section, section.theme == 'A')).first;
                else if (section.theme == 'A')
                    ++themeVisits;
                writeMelody(melody, start, found->second, section);
                if (themeVisits > 0 && section.theme == 'A' && m_plan.counterProgram >= 0)
                    writeCounter(counter, start, found->second, section);
            }
            for (std::size_t b = 0; b < section.chords.size(); ++b) {
                const std::uint32_t barStart = start + static_cast<std::uint32_t>(b * m_barTicks);
                const bool finalBar = last && b + 1 == section.chords.size();
                const int degree = section.chords[b];
                if (finalBar) {
                    writeFinalBar(melody, chords, bass, drums, barStart, degree);
                    continue;
                }
                writeChords(chords, barStart, degree, static_cast<int>(b));
                writeBass(bass, barStart, degree, static_cast<int>(b),
                          b + 1 < section.chords.size() ? section.chords[b + 1] : degree);
                writeDrums(drums, barStart, static_cast<int>(b), section.theme == 'I', b == 0 && s > 0);
            }
            start += static_cast<std::uint32_t>(section.chords.size() * m_barTicks);
        }
        std::vector<MusicTrack> tracks{conductor, melody, chords, bass};
        if (m_plan.counterProgram >= 0) tracks.push_back(counter);
        tracks.push_back(drums);
        return writeSmf(tracks, kMusicTicksPerQuarter);
    }

private:
    // --- Pitch -----------------------------------------------------------------

    const std::array<int, 7>& scale() const {
        static const std::array<int, 7> major{0, 2, 4, 5, 7, 9, 11}, minor{0, 2, 3, 5, 7, 8, 10},
            dorian{0, 2, 3, 5, 7, 9, 10};
        switch (m_plan.mode) {
        case MusicMode::Minor:
            return minor;
        case MusicMode::Dorian:
            return dorian;
        default:
            return major;
        }
    }

    // In minor keys the dominant chord and the melody over it take the leading note.
    int pitch(int index, int chordDegree) const {
        const int octave = floorDiv(index, 7), step = index - 7 * octave;
        int p = m_plan.root + 12 * octave + scale()[step];
        if (m_plan.mode == MusicMode::Minor && chordDegree % 7 == 4 && step == 6) ++p;
        return p;
    }

    int indexAtOrAbove(int midi) const {
        int index = -35;
        while (pitch(index, 0) < midi)
            ++index;
        return index;
    }

    bool isChordTone(int index, int degree) const {
        const int rel = ((index - degree) % 7 + 7) % 7;
        return rel == 0 || rel == 2 || rel == 4;
    }

    int nearestChordTone(int target, int degree, bool rootOnly = false) const {
        for (int d = 0; d < 7; ++d)
            for (int candidate : {target - d, target + d}) {
                if (candidate < m_lowIndex || candidate > m_highIndex) continue;
                const int rel = ((candidate - degree) % 7 + 7) % 7;
                if (rootOnly ? rel == 0 : isChordTone(candidate, degree)) return candidate;
            }
        return std::clamp(target, m_lowIndex, m_highIndex);
    }

    // Chord notes as MIDI pitches, each placed in the octave at or above `floor`.
    std::vector<int> voicing(int degree, int floor, bool seventh) const {
        std::vector<int> notes;
        for (int k : {0, 2, 4, 6}) {
            if (k == 6 && !seventh) break;
            int p = pitch(degree + k, degree);
            while (p < floor)
                p += 12;
            while (p >= floor + 12)
                p -= 12;
            notes.push_back(p);
        }
        std::sort(notes.begin(), notes.end());
        return notes;
    }

    int bassRoot(int degree) const {
        int p = pitch(degree, degree);
        while (p < 36)
            p += 12;
        while (p >= 48)
            p -= 12;
        return p;
    }

    bool strongAt(int tickInBar) const {
        const int half = m_compound ? m_barTicks / 2 : 2 * kMusicTicksPerQuarter;
        return tickInBar % half == 0;
    }

    // --- Melody ------------------------------------------------------------------

    std::vector<MelodyNote> composeMelody(const MusicSection& section, bool withMotif) {
        std::vector<MelodyNote> notes;
        int previous = nearestChordTone((m_lowIndex + m_highIndex) / 2, section.chords.front());
        int direction = m_rng.chance(0.5) ? 1 : -1;
        const int patterns = static_cast<int>(m_plan.rhythms.size());
        for (std::size_t b = 0; b < section.chords.size(); ++b) {
            const int degree = section.chords[b];
            const bool phraseEnd = b % 4 == 3 || b + 1 == section.chords.size();
            const bool motifBar = withMotif && b % 4 == 0 && b < 8;
            const std::vector<int>& rhythm = motifBar ? m_plan.rhythms.front()
                                             : phraseEnd
                                                 ? m_plan.rhythms.back()
                                                 : m_plan.rhythms[m_rng.below(std::max(patterns - 1, 1))];
            int at = 0, motifNote = 0;
            const int motifBase = nearestChordTone(previous, degree, true);
            for (std::size_t n = 0; n < rhythm.size(); ++n) {
                const int length = std::abs(rhythm[n]);
                const bool strong = strongAt(at);
                if (rhythm[n] < 0) {
                    notes.push_back({static_cast<std::uint32_t>(b * m_barTicks + at), kRest,
                                     static_cast<std::uint32_t>(length), strong});
                    at += length;
                    continue;
                }
                int index;
                const bool lastOfPhrase = phraseEnd && n + 1 == rhythm.size();
                if (motifBar && motifNote < static_cast<int>(m_plan.motif.size())) {
                    index = std::clamp(motifBase + m_plan.motif[motifNote++], m_lowIndex, m_highIndex);
                } else if (lastOfPhrase) {
                    index = nearestChordTone(previous, degree, true);
                } else if (strong) {
                    if (m_rng.chance(0.3)) direction = -direction;
                    index = nearestChordTone(previous + direction * (1 + m_rng.below(2)), degree);
                } else {
                    const int step = m_rng.chance(0.8) ? 1 : (m_rng.chance(0.5) ? 2 : 0);
                    index = previous + direction * step;
                }
                if (index >= m_highIndex) direction = -1;
                if (index <= m_lowIndex) direction = 1;
                index = std::clamp(index, m_lowIndex, m_highIndex);
                notes.push_back({static_cast<std::uint32_t>(b * m_barTicks + at), index,
                                 static_cast<std::uint32_t>(length), strong});
                previous = index;
                at += length;
            }
        }
        return notes;
    }

    int chordAt(const MusicSection& section, std::uint32_t tick) const {
        const std::size_t bar = std::min<std::size_t>(tick / m_barTicks, section.chords.size() - 1);
        return section.chords[bar];
    }

    void writeMelody(MusicTrack& track, std::uint32_t start, const std::vector<MelodyNote>& notes,
                     const MusicSection& section) {
        for (const auto& n : notes) {
            if (n.index == kRest) continue;
            const int velocity = 84 + (n.strong ? 10 : 0) + m_rng.jitter(5);
            play(track, start + n.tick, kMelody, pitch(n.index, chordAt(section, n.tick)), velocity,
                 n.length * 9 / 10);
        }
    }

    // A second voice a third below the tune, on its strong beats only.
    void writeCounter(MusicTrack& track, std::uint32_t start, const std::vector<MelodyNote>& notes,
                      const MusicSection& section) {
        for (std::size_t i = 0; i < notes.size(); ++i) {
            const auto& n = notes[i];
            if (n.index == kRest || !n.strong) continue;
            std::uint32_t end = n.tick + n.length;
            for (std::size_t j = i + 1; j < notes.size() && !notes[j].strong; ++j)
                end = notes[j].tick + notes[j].length;
            const int degree = chordAt(section, n.tick);
            int index = n.index - 2;
            if (!isChordTone(index, degree)) index = n.index - 3;
            play(track, start + n.tick, kCounter, pitch(index, degree), 66 + m_rng.jitter(4),
                 (end - n.tick) * 9 / 10);
        }
    }

    // --- Accompaniment -----------------------------------------------------------

    void writeChords(MusicTrack& track, std::uint32_t bar, int degree, int barInSection) {
        const int eighth = kMusicTicksPerQuarter / 2;
        switch (m_plan.chordStyle) {
        case ChordStyle::Arpeggio68: {
            const auto v = voicing(degree, 52, false);
            const int order[6] = {v[0], v[1], v[2], v[0] + 12, v[2], v[1]};
            for (int i = 0; i < 6; ++i)
                play(track, bar + i * eighth, kChords, order[i], (i % 3 ? 56 : 68) + m_rng.jitter(4),
                     i < 5 ? eighth * 2 : eighth); // let each note ring into the next, within the bar
            break;
        }
        case ChordStyle::MarchOffbeats: {
            const auto v = voicing(degree, 55, false);
            // Every other bar adds an off-beat after beat four, so that chord is cut shorter.
            const bool pushed = barInSection % 2 == 1;
            for (int beat : {1, 3})
                for (int p : v)
                    play(track, bar + beat * kMusicTicksPerQuarter, kChords, p, 72 + m_rng.jitter(4),
                         pushed && beat == 3 ? 200 : 300);
            if (pushed)
                for (int p : v)
                    play(track, bar + 3 * kMusicTicksPerQuarter + eighth, kChords, p, 60, 180);
            break;
        }
        case ChordStyle::Pad: {
            const auto v = voicing(degree, 53, true);
            for (int p : v)
                play(track, bar, kChords, p, 58 + m_rng.jitter(3), m_barTicks - 20);
            break;
        }
        case ChordStyle::DrivingEighths: {
            const auto v = voicing(degree, 52, false);
            for (int i = 0; i < m_barTicks / eighth; ++i) {
                const bool accent = i == 0 || i == 3 || i == 6;
                for (int p : v)
                    play(track, bar + i * eighth, kChords, p, (accent ? 78 : 58) + m_rng.jitter(4),
                         eighth - 30);
            }
            break;
        }
        }
    }

    void writeBass(MusicTrack& track, std::uint32_t bar, int degree, int barInSection, int nextDegree) {
        const int root = bassRoot(degree), fifth = root + 7;
        const int quarter = kMusicTicksPerQuarter, eighth = quarter / 2;
        switch (m_plan.bassStyle) {
        case BassStyle::RootFifth68:
            play(track, bar, kBass, root, 88 + m_rng.jitter(4), 3 * eighth - 40);
            play(track, bar + 3 * eighth, kBass, barInSection % 2 ? fifth - 12 : fifth, 76 + m_rng.jitter(4),
                 3 * eighth - 40);
            break;
        case BassStyle::MarchRootFifth: {
            play(track, bar, kBass, root, 92 + m_rng.jitter(4), quarter - 60);
            play(track, bar + 2 * quarter, kBass, fifth - 12, 84 + m_rng.jitter(4), quarter - 60);
            // Step into the next chord, from the scale note next to its root, at the end of each pair of
            // bars.
            if (barInSection % 2 == 1) {
                const int target = bassRoot(nextDegree);
                int approach = pitch(target > root ? nextDegree - 1 : nextDegree + 1, nextDegree);
                while (approach > target + 12)
                    approach -= 12;
                while (approach < target - 12)
                    approach += 12;
                if (target > root && approach > target) approach -= 12;
                if (target <= root && approach < target) approach += 12;
                play(track, bar + 3 * quarter, kBass, approach, 78, quarter - 60);
            }
            break;
        }
        case BassStyle::Held:
            play(track, bar, kBass, root, 74 + m_rng.jitter(3), m_barTicks - 30);
            break;
        case BassStyle::Eighths:
            for (int i = 0; i < m_barTicks / eighth; ++i) {
                int p = root;
                if (i == 6) p = root + 12;
                if (i == 7) p = fifth;
                play(track, bar + i * eighth, kBass, p, (i % 2 ? 72 : 90) + m_rng.jitter(4), eighth - 40);
            }
            break;
        }
    }

    // General MIDI percussion keys.
    static constexpr int kKick = 36, kSideStick = 37, kSnare = 38, kClosedHat = 42, kTomLow = 45,
                         kTomMid = 47, kTomHigh = 50, kCrash = 49, kRide = 51, kTambourine = 54, kShaker = 70,
                         kTimpaniLike = 41;

    void writeDrums(MusicTrack& track, std::uint32_t bar, int barInSection, bool intro, bool sectionStart) {
        auto hit = [&](int at, int key, int velocity) {
            play(track, bar + static_cast<std::uint32_t>(at), kDrums, key, velocity + m_rng.jitter(5), 60);
        };
        const int q = kMusicTicksPerQuarter, e = q / 2, s = q / 4;
        const bool fill = barInSection % 4 == 3;
        switch (m_plan.drumStyle) {
        case DrumStyle::Shanty:
            hit(0, kKick, intro ? 60 : 80);
            hit(3 * e, kKick, 58);
            for (int i = 0; i < 6; ++i)
                hit(i * e, kClosedHat, i % 3 ? 30 : 44);
            if (!intro) hit(3 * e, kTambourine, 52);
            if (fill && !intro) hit(5 * e, kTambourine, 60);
            break;
        case DrumStyle::March:
            hit(0, kKick, 92);
            hit(2 * q, kKick, 84);
            if (intro) { // a snare roll swelling into the tune
                for (int i = 0; i < m_barTicks / s; ++i)
                    hit(i * s, kSnare, 40 + (barInSection * 16 + i) * 2);
                break;
            }
            for (int at : {0, 2 * q}) {
                hit(at, kSnare, 92);
                hit(at + 3 * s, kSnare, 56);
                if (fill && at > 0) break; // the run below takes the last beat
                hit(at + q, kSnare, 80);
                hit(at + q + s, kSnare, 52);
                hit(at + q + e, kSnare, 66);
            }
            if (fill)
                for (int i = 0; i < 4; ++i)
                    hit(3 * q + i * s, kSnare, 62 + 8 * i);
            break;
        case DrumStyle::Ambient:
            for (int i = 0; i < 4; ++i)
                hit(i * q, kRide, i % 2 ? 34 : 42);
            for (int i = 0; i < 8; ++i)
                hit(i * e, kShaker, i % 2 ? 22 : 30);
            if (barInSection % 2 == 0) hit(0, kKick, 46);
            if (!intro) hit(2 * q, kSideStick, 40);
            break;
        case DrumStyle::Rock:
            if (intro) { // timpani-like toms building up
                hit(0, kTimpaniLike, 70 + 6 * barInSection);
                hit(2 * q + e, kTimpaniLike, 60 + 6 * barInSection);
                for (int i = 0; i < 8; ++i)
                    hit(i * e, kClosedHat, 40);
                break;
            }
            hit(0, kKick, 96);
            hit(q + e, kKick, 74);
            hit(2 * q, kKick, 90);
            hit(q, kSnare, 92);
            if (!fill) {
                hit(3 * q, kSnare, 92);
                for (int i = 0; i < 8; ++i)
                    hit(i * e, kClosedHat, i % 2 ? 50 : 72);
            } else {
                for (int i = 0; i < 6; ++i)
                    hit(i * e, kClosedHat, i % 2 ? 50 : 72);
                const int toms[4] = {kTomHigh, kTomHigh, kTomMid, kTomLow};
                for (int i = 0; i < 4; ++i)
                    hit(3 * q + i * s, toms[i], 80 + 4 * i);
            }
            break;
        }
        if (sectionStart) hit(0, kCrash, 84);
    }

    void writeFinalBar(MusicTrack& melody, MusicTrack& chords, MusicTrack& bass, MusicTrack& drums,
                       std::uint32_t bar, int degree) {
        const auto hold = static_cast<std::uint32_t>(m_barTicks);
        play(melody, bar, kMelody,
             pitch(nearestChordTone((m_lowIndex + m_highIndex) / 2, degree, true), degree), 88, hold);
        for (int p : voicing(degree, 53, false))
            play(chords, bar, kChords, p, 70, hold);
        play(bass, bar, kBass, bassRoot(degree), 90, hold);
        play(drums, bar, kDrums, kCrash, 90, hold / 2);
        play(drums, bar, kDrums, kKick, 90, 60);
    }

    // Velocities above are written for the feel of each part; the lift keeps the
    // whole song loud enough next to the effects on a General MIDI synthesiser.
    static void play(MusicTrack& track, std::uint32_t tick, int channel, int key, int velocity,
                     std::uint32_t length) {
        track.note(tick, channel, key, std::min(127, velocity * 5 / 4 + 4), length);
    }

    static void setUp(MusicTrack& track, int channel, int program, int volume, int pan) {
        if (program >= 0) track.program(0, channel, program);
        track.control(0, channel, 7, volume);
        track.control(0, channel, 10, pan);
        track.control(0, channel, 91, 48); // reverb send
    }

    const SongPlan& m_plan;
    MusicRandom m_rng;
    int m_barTicks;
    bool m_compound;
    int m_lowIndex = 0, m_highIndex = 0;
};

} // namespace

std::vector<unsigned char> composeSong(const SongPlan& plan) {
    return Composer(plan).compose();
}

} // namespace vtx::datagen
