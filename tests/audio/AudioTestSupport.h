#pragma once

// Helpers for the audio tests: SDL's "disk" driver writes what the mixer
// outputs (signed 16-bit stereo at 44100 Hz, the format SoundSystem opens)
// to a raw file, which the tests read back to check what would be heard.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <vector>

namespace vtx::test {

constexpr int kRate = 44100;

// A 16-bit stereo WAV of a sine burst; amplitude 0 leaves that side silent.
QByteArray sineWav(double seconds, double frequency, int leftAmplitude, int rightAmplitude);
// A format-0 MIDI file: one piano note of the given length, then the end.
QByteArray singleNoteMidi(double seconds);
void writeFile(const QString& path, const QByteArray& bytes);

// Points SDL at a fresh output file in its own temporary folder (before the
// SoundSystem is created), and reads the output back.
class DiskOutput {
public:
    DiskOutput();
    // Uses a driver name that does not exist: no audio device at all.
    static void selectMissingDriver();

    const QString& path() const { return m_path; }
    // Later reads start from what has been written so far.
    void mark();
    // Interleaved left/right samples written since the mark.
    std::vector<std::int16_t> samplesSinceMark() const;
    qint64 framesSinceMark() const;

    // Waits (at most timeoutMs, running the event loop) for the condition.
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
    // Waits until a non-silent sample has appeared after the mark and then
    // tailSeconds more output; returns the samples since the mark.
    std::vector<std::int16_t> captureSound(double tailSeconds);
    // Waits until seconds of output were written after the mark.
    std::vector<std::int16_t> captureFor(double seconds);

private:
    QTemporaryDir m_dir;
    QString m_path;
    qint64 m_markBytes = 0;
};

struct Levels {
    int peakLeft = 0;
    int peakRight = 0;
    double energyLeft = 0; // sum of squares
    double energyRight = 0;
    qint64 bothSounding = 0; // frames where both sides are above the threshold
};
Levels measure(const std::vector<std::int16_t>& samples, int threshold = 200);
int firstSounding(const std::vector<std::int16_t>& samples, int threshold = 200);

} // namespace vtx::test
