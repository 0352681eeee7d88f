#include "audio/MidiHeader.h"

#include "AudioTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vtx {
namespace {

std::span<const unsigned char> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size())};
}

TEST(MidiHeader, AcceptsStandardAndRiffMidi) {
    const QByteArray song = test::singleNoteMidi(0.5);
    EXPECT_TRUE(looksLikeMidi(bytesOf(song)));

    QByteArray riff("RIFF");
    riff.append(QByteArray("\0\0\0\0", 4)).append("RMIDdata").append(QByteArray("\0\0\0\0", 4)).append(song);
    EXPECT_TRUE(looksLikeMidi(bytesOf(riff)));

    // A longer header chunk moves the first track.
    QByteArray longHeader = song.left(8);
    longHeader[7] = 8;
    longHeader.append(song.mid(8, 6)).append("xx").append(song.mid(14));
    EXPECT_TRUE(looksLikeMidi(bytesOf(longHeader)));
}

TEST(MidiHeader, RefusesEverythingElseWithoutReadingPastTheEnd) {
    const QByteArray song = test::singleNoteMidi(0.5);
    std::vector<QByteArray> bad = {
        QByteArray(),
        QByteArray("MThd"),
        song.left(13),
        song.left(14), // header but no track chunk
        song.left(17), // track tag cut short
        QByteArray("not a song at all, just some text"),
        test::sineWav(0.01, 440, 100, 100), // another sound format
        QByteArray("RIFF\0\0\0\0RMIDdata", 16),
    };
    QByteArray noTracks = song;
    noTracks[10] = 0;
    noTracks[11] = 0;
    bad.push_back(noTracks);
    QByteArray shortHeader = song;
    shortHeader[7] = 5;
    bad.push_back(shortHeader);
    QByteArray hugeHeader = song;
    hugeHeader[4] = char(0xFF);
    hugeHeader[5] = char(0xFF);
    hugeHeader[6] = char(0xFF);
    hugeHeader[7] = char(0xFF);
    bad.push_back(hugeHeader);
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_FALSE(looksLikeMidi(bytesOf(bad[i]))) << "case " << i;
}

TEST(MidiHeader, RiffHeadCutBeforeTheWrappedFileIsRefused) {
    // A whole RIFF song lies in memory, but only its first bytes are handed over: nothing past them
    // may be looked at, however well-formed it is.
    QByteArray riff("RIFF");
    riff.append(QByteArray("\0\0\0\0", 4)).append("RMIDdata").append(QByteArray("\0\0\0\0", 4));
    riff.append(test::singleNoteMidi(0.5));
    for (int cut = 16; cut < 20; ++cut)
        EXPECT_FALSE(looksLikeMidi(bytesOf(riff).first(std::size_t(cut)))) << cut << " bytes";
}

} // namespace
} // namespace vtx
