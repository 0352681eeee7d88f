// The generated songs, read back event by event with a Standard MIDI File
// reader of the test's own.

#include "tools/datagen/Generators.h"
#include "tools/datagen/MusicComposer.h"
#include "tools/datagen/MusicSmf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vtx::datagen {
namespace {

struct NoteEvent {
    std::uint32_t tick;
    int channel, key;
};

struct SmfRead {
    int format = -1, division = 0;
    std::vector<std::vector<NoteEvent>> notesPerTrack;
    std::vector<std::uint32_t> tempos; // microseconds per quarter, in track order
    std::set<int> programChannels;
    std::uint32_t lastTick = 0;
    int restruck = 0; // note-ons of a key that is still sounding on its channel
    bool ok = false;
    std::string error;
};

std::uint32_t be(const std::vector<unsigned char>& b, std::size_t o, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | b[o + i];
    return v;
}

SmfRead readSmf(const std::vector<unsigned char>& b) {
    SmfRead r;
    auto fail = [&](const std::string& why) {
        r.error = why;
        return r;
    };
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || be(b, 4, 4) != 6)
        return fail("header");
    r.format = static_cast<int>(be(b, 8, 2));
    const int tracks = static_cast<int>(be(b, 10, 2));
    r.division = static_cast<int>(be(b, 12, 2));
    std::size_t pos = 14;
    for (int t = 0; t < tracks; ++t) {
        if (pos + 8 > b.size() || std::string(b.begin() + pos, b.begin() + pos + 4) != "MTrk")
            return fail("chunk");
        const std::size_t end = pos + 8 + be(b, pos + 4, 4);
        if (end > b.size()) return fail("chunk length");
        pos += 8;
        std::uint32_t tick = 0;
        bool ended = false;
        std::map<std::pair<int, int>, int> open;
        r.notesPerTrack.emplace_back();
        while (pos < end) {
            if (ended) return fail("events after end of track");
            std::uint32_t delta = 0;
            for (int i = 0;; ++i) {
                if (pos >= end || i == 4) return fail("delta");
                delta = (delta << 7) | (b[pos] & 0x7f);
                if (!(b[pos++] & 0x80)) break;
            }
            tick += delta;
            if (pos >= end) return fail("truncated event");
            const int status = b[pos++];
            if (status == 0xff) {
                if (pos + 2 > end) return fail("meta");
                const int type = b[pos], length = b[pos + 1];
                if (pos + 2 + length > end) return fail("meta length");
                if (type == 0x51 && length == 3) r.tempos.push_back(be(b, pos + 2, 3));
                if (type == 0x2f) ended = true;
                pos += 2 + length;
            } else if ((status & 0xf0) == 0x90 || (status & 0xf0) == 0x80 || (status & 0xf0) == 0xb0) {
                if (pos + 2 > end || (b[pos] & 0x80) || (b[pos + 1] & 0x80)) return fail("channel event");
                const int channel = status & 15, key = b[pos];
                const bool on = (status & 0xf0) == 0x90 && b[pos + 1] > 0;
                if (on) {
                    r.restruck += open[{channel, key}] > 0;
                    ++open[{channel, key}];
                    r.notesPerTrack.back().push_back({tick, channel, key});
                } else if ((status & 0xf0) != 0xb0) {
                    if (--open[{channel, key}] < 0) return fail("note off without note on");
                }
                pos += 2;
            } else if ((status & 0xf0) == 0xc0) {
                if (pos + 1 > end || (b[pos] & 0x80)) return fail("program change");
                r.programChannels.insert(status & 15);
                pos += 1;
            } else {
                return fail("unexpected status " + std::to_string(status));
            }
            r.lastTick = std::max(r.lastTick, tick);
        }
        if (!ended) return fail("no end of track");
        for (const auto& [key, count] : open)
            if (count != 0) return fail("a note is never released");
    }
    if (pos != b.size()) return fail("bytes after the last track");
    r.ok = true;
    return r;
}

std::vector<unsigned char> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    return {bytes.begin(), bytes.end()};
}

class MusicFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        generateMusic(s_dir->path());
    }
    static void TearDownTestSuite() { delete s_dir; }
    static QStringList names() { return QDir(s_dir->path() + "/Music").entryList(QDir::Files, QDir::Name); }
    static std::vector<unsigned char> file(const QString& name) {
        return readFile(s_dir->path() + "/Music/" + name);
    }
    static QTemporaryDir* s_dir;
};
QTemporaryDir* MusicFiles::s_dir = nullptr;

TEST_F(MusicFiles, AtLeastFourSongsInPlayingOrder) {
    const QStringList found = names();
    ASSERT_GE(found.size(), 4);
    const auto songs = gameSongs();
    ASSERT_EQ(static_cast<std::size_t>(found.size()), songs.size());
    // Sorting the folder by name gives the intended order.
    for (std::size_t i = 0; i < songs.size(); ++i)
        EXPECT_EQ(found[static_cast<int>(i)].toStdString(), songs[i].fileName);
    for (const QString& name : found)
        EXPECT_TRUE(name.endsWith(".mid"));
}

TEST_F(MusicFiles, SongsAreValidMultiTrackFilesOfOneToThreeMinutes) {
    for (const QString& name : names()) {
        SCOPED_TRACE(name.toStdString());
        const SmfRead r = readSmf(file(name));
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.format, 1);
        EXPECT_GE(r.notesPerTrack.size(), 4u);
        ASSERT_EQ(r.tempos.size(), 1u);
        ASSERT_GT(r.division, 0);
        const double seconds = r.lastTick / static_cast<double>(r.division) * r.tempos[0] / 1e6;
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 180.0);
        // Melody, harmony and bass get instruments; drums play on channel 10.
        EXPECT_GE(r.programChannels.size(), 3u);
        EXPECT_EQ(r.programChannels.count(9), 0u);
        std::set<int> channelsWithNotes;
        for (const auto& track : r.notesPerTrack)
            for (const auto& n : track)
                channelsWithNotes.insert(n.channel);
        for (int channel : {0, 1, 2, 9})
            EXPECT_EQ(channelsWithNotes.count(channel), 1u) << channel;
        // A key struck again while still held would be cut short by the first note's release.
        EXPECT_EQ(r.restruck, 0);
    }
}

TEST_F(MusicFiles, TunesStayInTheirKey) {
    for (const auto& song : gameSongs()) {
        SCOPED_TRACE(song.fileName);
        const SmfRead r = readSmf(file(QString::fromStdString(song.fileName)));
        ASSERT_TRUE(r.ok) << r.error;
        std::set<int> allowed;
        const std::vector<int> steps =
            song.plan.mode == MusicMode::Major   ? std::vector<int>{0, 2, 4, 5, 7, 9, 11}
            : song.plan.mode == MusicMode::Minor ? std::vector<int>{0, 2, 3, 5, 7, 8, 10, 11}
                                                 : std::vector<int>{0, 2, 3, 5, 7, 9, 10};
        for (int s : steps)
            allowed.insert((song.plan.root + s) % 12);
        int melodyNotes = 0;
        for (const auto& track : r.notesPerTrack)
            for (const auto& n : track) {
                if (n.channel == 9) continue;
                EXPECT_EQ(allowed.count(n.key % 12), 1u) << "key " << n.key << " at tick " << n.tick;
                if (n.channel == 0) {
                    ++melodyNotes;
                    EXPECT_GE(n.key, song.plan.melodyLow);
                    EXPECT_LE(n.key, song.plan.melodyHigh);
                }
            }
        EXPECT_GT(melodyNotes, 40); // the ambient piece is sparse
    }
}

TEST(MusicSmf, DeltaTimesUseVariableLengthQuantities) {
    MusicTrack track("t");
    track.note(0x80, 0, 60, 100, 0x3f80); // on at 0x80, off at 0x4000
    const auto chunk = track.chunk();
    // Name, note on after 0x80 ticks (81 00), note off after 0x3f80 more (FF 00), end of track.
    const std::vector<unsigned char> expected{'M',  'T',  'r',  'k', 0,    0,    0,    19,   0x00,
                                              0xff, 0x03, 0x01, 't', 0x81, 0x00, 0x90, 60,   100,
                                              0xff, 0x00, 0x80, 60,  64,   0x00, 0xff, 0x2f, 0x00};
    EXPECT_EQ(chunk, expected);
}

TEST(MusicSmf, NoteOffsComeBeforeNoteOnsAtTheSameTick) {
    MusicTrack track("t");
    track.note(0, 0, 60, 90, 480);
    track.note(480, 0, 60, 90, 480); // the same key struck again right away
    const SmfRead r = readSmf(writeSmf({track}, 480));
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.notesPerTrack.size(), 1u);
    EXPECT_EQ(r.notesPerTrack[0].size(), 2u);
}

TEST(MusicComposer, RefusesARhythmThatDoesNotFillABar) {
    SongPlan plan = gameSongs().front().plan;
    plan.rhythms.push_back({480, 480});
    EXPECT_THROW(composeSong(plan), std::invalid_argument);
}

TEST(MusicFilesDeterminism, TwoRunsWriteIdenticalBytes) {
    QTemporaryDir a, b;
    generateMusic(a.path());
    generateMusic(b.path());
    const QStringList names = QDir(a.path() + "/Music").entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        const auto first = readFile(a.path() + "/Music/" + name);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, readFile(b.path() + "/Music/" + name)) << name.toStdString();
    }
}

} // namespace
} // namespace vtx::datagen
