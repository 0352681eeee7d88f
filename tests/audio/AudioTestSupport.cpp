#include "AudioTestSupport.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace vtx::test {

namespace {

// The audio tests need an event loop but no display: run the QApplication of
// the shared test main on the offscreen platform unless told otherwise. This
// runs before main() creates the application.
const bool g_offscreen = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();

void put32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}
void put16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}
void putBig32(QByteArray& out, std::uint32_t v) {
    for (int i = 3; i >= 0; --i)
        out.append(char((v >> (8 * i)) & 0xFF));
}
void putVarLen(QByteArray& out, std::uint32_t v) {
    QByteArray bytes;
    bytes.prepend(char(v & 0x7F));
    while (v >>= 7)
        bytes.prepend(char(0x80 | (v & 0x7F)));
    out.append(bytes);
}

} // namespace

QByteArray sineWav(double seconds, double frequency, int leftAmplitude, int rightAmplitude) {
    const int frames = int(seconds * kRate);
    QByteArray out;
    out.append("RIFF");
    put32(out, 36 + frames * 4);
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 2);
    put32(out, kRate);
    put32(out, kRate * 4);
    put16(out, 4);
    put16(out, 16);
    out.append("data");
    put32(out, frames * 4);
    for (int i = 0; i < frames; ++i) {
        const double s = std::sin(2 * std::numbers::pi * frequency * i / kRate);
        put16(out, std::uint16_t(std::int16_t(std::lround(s * leftAmplitude))));
        put16(out, std::uint16_t(std::int16_t(std::lround(s * rightAmplitude))));
    }
    return out;
}

QByteArray singleNoteMidi(double seconds) {
    // 480 ticks per quarter at the default 120 bpm: 960 ticks per second.
    QByteArray track;
    putVarLen(track, 0);
    track.append("\xC0\x00", 2); // piano
    putVarLen(track, 0);
    track.append("\x90\x3C\x70", 3);
    putVarLen(track, std::uint32_t(seconds * 960));
    track.append("\x80\x3C\x40", 3);
    putVarLen(track, 0);
    track.append("\xFF\x2F\x00", 3);

    QByteArray out("MThd");
    putBig32(out, 6);
    out.append("\x00\x00\x00\x01\x01\xE0", 6); // format 0, one track, 480 ticks
    out.append("MTrk");
    putBig32(out, std::uint32_t(track.size()));
    out.append(track);
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

DiskOutput::DiskOutput() : m_path(m_dir.filePath(QStringLiteral("output.raw"))) {
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_path));
}

void DiskOutput::selectMissingDriver() {
    qputenv("SDL_AUDIODRIVER", "vtx-no-such-driver");
}

void DiskOutput::mark() {
    m_markBytes = QFileInfo(m_path).size() / 4 * 4;
}

qint64 DiskOutput::framesSinceMark() const {
    return (QFileInfo(m_path).size() - m_markBytes) / 4;
}

std::vector<std::int16_t> DiskOutput::samplesSinceMark() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(m_markBytes)) return {};
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> samples(std::size_t(bytes.size() / 4) * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto lo = std::uint8_t(bytes[qsizetype(2 * i)]);
        const auto hi = std::uint8_t(bytes[qsizetype(2 * i + 1)]);
        samples[i] = std::int16_t(std::uint16_t(lo | (hi << 8)));
    }
    return samples;
}

bool DiskOutput::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

std::vector<std::int16_t> DiskOutput::captureSound(double tailSeconds) {
    std::vector<std::int16_t> samples;
    const auto tailFrames = qint64(tailSeconds * kRate);
    waitFor([&] {
        samples = samplesSinceMark();
        const int first = firstSounding(samples);
        return first >= 0 && qint64(samples.size() / 2) - first >= tailFrames;
    });
    return samples;
}

std::vector<std::int16_t> DiskOutput::captureFor(double seconds) {
    const auto frames = qint64(seconds * kRate);
    waitFor([&] { return framesSinceMark() >= frames; });
    return samplesSinceMark();
}

Levels measure(const std::vector<std::int16_t>& samples, int threshold) {
    Levels levels;
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
        const int l = samples[i];
        const int r = samples[i + 1];
        levels.peakLeft = std::max(levels.peakLeft, std::abs(l));
        levels.peakRight = std::max(levels.peakRight, std::abs(r));
        levels.energyLeft += double(l) * l;
        levels.energyRight += double(r) * r;
        if (std::abs(l) > threshold && std::abs(r) > threshold) ++levels.bothSounding;
    }
    return levels;
}

int firstSounding(const std::vector<std::int16_t>& samples, int threshold) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(int(samples[i])) > threshold) return int(i / 2);
    }
    return -1;
}

} // namespace vtx::test
