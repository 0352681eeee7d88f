#pragma once

// Shared pieces of the widget tests: the runtime folder with the panel
// pictures as current directory, screenshots into the artefact folder, pixel
// counting, and recording fakes of the windows' hosts.

#include "ui/IOptionsHost.h"
#include "ui/IScoreHost.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <filesystem>
#include <functional>

namespace vtx::test {

// The panels are generated into <build>/run/data; windows look them up under
// the current directory.
inline bool enterRunDir() {
    const QString run = QStringLiteral(VTX_BINARY_DIR "/run");
    QDir().mkpath(run);
    QDir::setCurrent(run);
    return QFile::exists(run + QStringLiteral("/data/panel2.jpg"));
}

inline QString artifactPath(const QString& name) {
    const QString dir = QStringLiteral(VTX_BINARY_DIR "/artifacts/ui");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

// A window's picture as the player sees it: the grab, with what the mask
// cuts away shown in magenta so the outline is visible in the file.
inline void saveShot(QWidget* widget, const QString& name) {
    QImage shot = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (!widget->mask().isEmpty()) {
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (!widget->mask().contains(QPoint(x, y))) shot.setPixelColor(x, y, QColor(255, 0, 255));
    }
    shot.save(artifactPath(name));
}

inline int countPixels(const QImage& image, const std::function<bool(QColor)>& match) {
    int n = 0;
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (match(img.pixelColor(x, y))) ++n;
    return n;
}

inline bool sameRgb(QColor a, QColor b) {
    return a.red() == b.red() && a.green() == b.green() && a.blue() == b.blue();
}

class FakeOptionsHost : public IOptionsHost {
public:
    std::filesystem::path folder;
    QStringList calls;
    bool soundOn = true;
    int turnDelay = 0;
    int songIndex = -100;
    int waveLevel = -1;
    int midiLevel = -1;
    int captures = 0;
    int musicClicks = 0;
    bool musicOn = false;

    std::filesystem::path startDir() const override { return folder; }
    void setTurnDelay(int seconds) override {
        turnDelay = seconds;
        calls << QStringLiteral("SetTurnDelay");
    }
    void setSoundOn(bool on) override {
        soundOn = on;
        calls << QStringLiteral("SetSoundOn");
    }
    void setSongIndex(int index) override {
        songIndex = index;
        calls << QStringLiteral("SetSongIndex");
    }
    void setWaveVolumeFromLevel(int level) override {
        waveLevel = level;
        calls << QStringLiteral("Wave");
    }
    void setMidiVolumeFromLevel(int level) override {
        midiLevel = level;
        calls << QStringLiteral("Midi");
    }
    void captureVolumes() override {
        ++captures;
        calls << QStringLiteral("CaptureVolumes");
    }
    void musicSwitchClicked(bool checked) override {
        ++musicClicks;
        musicOn = checked;
        calls << QStringLiteral("Music");
    }
};

class FakeScoreHost : public IScoreHost {
public:
    bool pending = false;
    int points = 0;
    QString name;

    bool scorePending() const override { return pending; }
    void setScorePending(bool p) override { pending = p; }
    int lastPoints() const override { return points; }
    QString playerName() const override { return name; }
    bool canWatch() const override { return watchAllowed; }
    void watchReplay(const Replay&) override { ++watched; }
    bool watchAllowed = true;
    int watched = 0;
};

} // namespace vtx::test
