#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

struct _Mix_Music;

namespace vtx {

// Background music: the songs of "<startDir>/Music" played one after another
// on SDL_mixer's music stream, MIDI through FluidSynth and the TimGM6mb sound
// font (or the fonts named in SDL_SOUNDFONTS). Songs are MIDI files only: any
// other file fails to open. It plays on the audio device SoundSystem opened;
// without an open device every song fails to open and reports that once.
//
// Threads: everything runs on the UI thread. The end of a play, for any
// reason (the song ended, or stopSong stopped it), is posted by SDL's audio
// thread as a queued call of songEnded on this object, like a window message;
// a notification can therefore arrive after the call that stopped the song
// has returned.
//
// Calls from the game (the main window wires these):
//   main window activation:  shown()          (musicState := 0, new Playlist)
//   game start (Single):     startNextSong()         only when the Music box is checked
//   Music box click:         musicToggled(nowChecked)
//   end of every game:       stopMusic()             (musicState := 1, stop, close)
//   program exit (closing): stopMusic()
//   quit with Exit:          store "Song" = songIndex() + 1
//   options window loads "Song": setSongIndex(value)
// Errors of a song open or play are reported once per song through the
// callback given to setMessageBox (title "Information", the library's error
// text).
//
// Ownership: at most one MusicPlayer exists at a time (it owns SDL_mixer's
// music-finished hook). Destroy it before the SoundSystem.
class MusicPlayer : public QObject {
    Q_OBJECT
public:
    // Tells the player of an error and returns at once: it is called in the
    // middle of a match's start, which no event loop may interrupt.
    using MessageBox = std::function<void(const QString& title, const QString& text)>;

    explicit MusicPlayer(const QString& startDir, QObject* parent = nullptr);
    ~MusicPlayer() override;

    // Without a callback the error text goes to qWarning.
    void setMessageBox(MessageBox box) { m_messageBox = std::move(box); }

    // --- Game-level operations ---
    void shown();
    // Rebuilds Playlist: names of the non-empty regular files directly in
    // "<startDir>/Music", sorted by name; folders are skipped.
    void buildPlaylist();
    void startNextSong();
    void musicToggled(bool nowChecked);
    void stopMusic();
    // Opens and plays startDir + folder + name; folder is "/Music/". Errors
    // are reported (reportMusicError), not returned.
    void playSongFile(const QString& name, const QString& folder = musicFolder());
    // "/Music/": the songs' folder under startDir, with its separators.
    static QString musicFolder();

    // --- One song at a time ---
    // Loads the MIDI file at path as the open song (closing any other) and
    // gives it a new songId().
    bool openSong(const QString& path);
    bool playOpenSong();
    void stopSong();
    bool closeSong();
    // One box per failing song: shows text (or "No message available")
    // unless a box has been shown since the last openSong.
    void reportMusicError(const QString& text);

    // --- State ---
    const QStringList& playlist() const { return m_playlist; }
    int songIndex() const { return m_songIndex; }
    void setSongIndex(int index) { m_songIndex = index; }
    // 1: stopped by the user or the game, notifications are ignored;
    // 0 or 2: the end of a song starts the next one.
    int musicState() const { return m_musicState; }
    // The open song's number, 0 when no song is open.
    std::uint16_t songId() const { return m_songId; }
    // True while a song is sounding.
    bool isPlaying() const;

public slots:
    // The end-of-play notification (the next-song handler). songId names
    // the song whose play ended; a notification for a song that is no longer
    // the open one (it was stopped and replaced or closed) is ignored, so a
    // stop never skips a song or starts a chain of skips.
    void songEnded(quint16 songId);

signals:
    // Emitted at the end of each songEnded, after any next song was started.
    void songEndHandled();

private:
    static void musicFinished();
    void advanceAndPlay();
    void freeMusic();

    QString m_startDir;
    QStringList m_playlist;
    int m_songIndex = 0;
    int m_musicState = 0;
    std::uint16_t m_songId = 0;
    std::uint16_t m_lastSongId = 0;
    bool m_errorShown = false;
    _Mix_Music* m_music = nullptr;
    int m_musicGeneration = -1;
    MessageBox m_messageBox;
};

} // namespace vtx
