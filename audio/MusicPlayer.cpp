#include "audio/MusicPlayer.h"

#include "audio/MidiHeader.h"
#include "audio/SoundSystem.h"
#include "game/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QtGlobal>

#include <SDL2/SDL_mixer.h>

#include <atomic>
#include <span>

namespace vtx {

namespace {

// The General MIDI sound font FluidSynth renders the songs with, unless the
// user points SDL_SOUNDFONTS elsewhere.
const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Read by SDL's audio thread in the music-finished hook.
std::atomic<MusicPlayer*> g_player{nullptr};
std::atomic<quint16> g_playingId{0};

bool audioOpen() {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    return Mix_QuerySpec(&frequency, &format, &channels) != 0;
}

} // namespace

MusicPlayer::MusicPlayer(const QString& startDir, QObject* parent) : QObject(parent), m_startDir(startDir) {
    Q_ASSERT(g_player.load() == nullptr);
    if (qEnvironmentVariableIsEmpty("SDL_SOUNDFONTS") && QFile::exists(QString::fromLatin1(kSoundFont)))
        Mix_SetSoundFonts(kSoundFont);
    g_player.store(this);
    Mix_HookMusicFinished(&MusicPlayer::musicFinished);
}

MusicPlayer::~MusicPlayer() {
    // Unhooking takes the audio lock, so no hook is running or will run once
    // it returns; notifications already posted die with this QObject.
    Mix_HookMusicFinished(nullptr);
    g_player.store(nullptr);
    freeMusic();
}

// Runs on SDL's audio thread (or inside Mix_HaltMusic): post, never call
// SDL_mixer from here.
void MusicPlayer::musicFinished() {
    MusicPlayer* player = g_player.load();
    if (!player) return;
    const quint16 songId = g_playingId.load();
    QMetaObject::invokeMethod(
        player, [player, songId] { player->songEnded(songId); }, Qt::QueuedConnection);
}

void MusicPlayer::shown() {
    m_musicState = 0;
    buildPlaylist();
}

QString MusicPlayer::musicFolder() {
    const std::string_view folder = datafiles::kMusicFolder;
    return QLatin1Char('/') + QLatin1String(folder.data(), qsizetype(folder.size())) + QLatin1Char('/');
}

void MusicPlayer::buildPlaylist() {
    m_playlist.clear();
    const QDir dir(m_startDir + musicFolder());
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isFile() && entry.size() > 0) m_playlist.append(entry.fileName());
    }
}

void MusicPlayer::playSongFile(const QString& name, const QString& folder) {
    openSong(m_startDir + folder + name);
    playOpenSong();
}

void MusicPlayer::advanceAndPlay() {
    ++m_songIndex;
    // A stored "Song" may be anything; out of range in either direction
    // starts again at the first song.
    if (m_songIndex > m_playlist.size() - 1 || m_songIndex < 0) m_songIndex = 0;
    if (!m_playlist.isEmpty()) playSongFile(m_playlist.at(m_songIndex));
}

void MusicPlayer::songEnded(quint16 songId) {
    if (m_musicState != 1 && songId == m_songId && songId != 0) {
        stopSong();
        if (m_songId != 0) closeSong();
        advanceAndPlay();
    }
    emit songEndHandled();
}

void MusicPlayer::startNextSong() {
    stopSong();
    if (m_songId != 0) closeSong();
    advanceAndPlay();
    m_musicState = 2;
}

void MusicPlayer::musicToggled(bool nowChecked) {
    if (nowChecked) {
        if (m_songIndex > m_playlist.size() - 1 || m_songIndex < 0) m_songIndex = 0;
        if (!m_playlist.isEmpty()) playSongFile(m_playlist.at(m_songIndex));
        m_musicState = 2;
    } else {
        stopSong();
        if (m_songId != 0) closeSong();
        m_musicState = 1;
    }
}

void MusicPlayer::stopMusic() {
    m_musicState = 1;
    stopSong();
    if (m_songId != 0) closeSong();
}

bool MusicPlayer::openSong(const QString& path) {
    m_errorShown = false;
    // One song at a time: a song still open is released first.
    if (m_songId != 0) closeSong();
    if (!audioOpen()) {
        reportMusicError(tr("Audio device hasn't been opened"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportMusicError(tr("Cannot open the song file: %1").arg(file.errorString()));
        return false;
    }
    const QByteArray head = file.read(qint64(kMidiHeadBytes));
    file.close();
    if (!looksLikeMidi(
            std::span(reinterpret_cast<const unsigned char*>(head.constData()), std::size_t(head.size())))) {
        reportMusicError(tr("The song file is not a MIDI file"));
        return false;
    }
    m_music = Mix_LoadMUS(QFile::encodeName(path).constData());
    if (!m_music) {
        reportMusicError(QString::fromUtf8(Mix_GetError()));
        return false;
    }
    m_musicGeneration = SoundSystem::openGeneration();
    // 16-bit numbers that wrap, never 0 (0 is no song).
    m_lastSongId = std::uint16_t(m_lastSongId + 1);
    if (m_lastSongId == 0) m_lastSongId = 1;
    m_songId = m_lastSongId;
    return true;
}

bool MusicPlayer::playOpenSong() {
    if (m_songId == 0 || !m_music) {
        reportMusicError(tr("No song is open"));
        return false;
    }
    g_playingId.store(m_songId);
    if (Mix_PlayMusic(m_music, 1) != 0) {
        reportMusicError(QString::fromUtf8(Mix_GetError()));
        return false;
    }
    return true;
}

void MusicPlayer::stopSong() {
    if (m_music && m_musicGeneration == SoundSystem::openGeneration()) Mix_HaltMusic();
}

bool MusicPlayer::closeSong() {
    freeMusic();
    m_songId = 0;
    return true;
}

void MusicPlayer::freeMusic() {
    if (!m_music) return;
    // A song loaded on a device that has since been closed is left alone:
    // its decoder may already be unloaded.
    if (m_musicGeneration == SoundSystem::openGeneration() && audioOpen()) Mix_FreeMusic(m_music);
    m_music = nullptr;
}

void MusicPlayer::reportMusicError(const QString& text) {
    if (m_errorShown) return;
    m_errorShown = true;
    const QString shown = text.isEmpty() ? tr("No message available") : text;
    if (m_messageBox)
        m_messageBox(tr("Information"), shown);
    else
        qWarning("Information: %s", qPrintable(shown));
}

bool MusicPlayer::isPlaying() const {
    return m_music && m_musicGeneration == SoundSystem::openGeneration() && Mix_PlayingMusic() != 0;
}

} // namespace vtx
