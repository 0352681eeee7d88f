#pragma once

// The real main window with its four companion windows, started in a private
// copy of the runtime folder, plus the helpers the window tests share: where
// the engine draws a world point, waiting for the game, closing the modal
// windows the game opens from inside its handlers.

#include "app/MainWindow.h"
#include "ui/LobbyWindow.h"
#include "ui/MessageWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/ScoresWindow.h"

#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <glm/glm.hpp>

#include <functional>
#include <memory>

namespace vtx::test {

// Copies the generated data folders into a fresh folder and makes it current.
class RunCopy {
public:
    RunCopy();
    bool ok() const { return m_ok; }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// The program's windows in their creation order, the main one shown.
struct Program {
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<MessageWindow> mess;
    std::unique_ptr<LobbyWindow> net; // with an empty first-run scan
    std::unique_ptr<ScoresWindow> score;
    std::unique_ptr<OptionsWindow> opt;

    Program();
    ~Program();
};

// The viewer pixel where the engine draws a world point with the current camera.
QPoint projectToViewer(MainWindow& window, const glm::vec3& world);
bool insideViewer(MainWindow& window, QPoint pixel);
// The main window as the player sees it: its widgets with the 3D view's own
// picture in place (a widget grab leaves the native GL window black).
QImage windowPicture(MainWindow& window);

// Answers the modal windows as a player would: the message window with Ok,
// the score and options windows with Close. Records what it saw. With byKeys
// it answers as a keyboard player: Enter, Esc and Enter at the window's focus.
class ModalAnswerer {
public:
    explicit ModalAnswerer(Program& program);
    QStringList messages;
    int scoreWindowShown = 0;
    QRect scoreWindowGeometry; // where it was last seen
    int optionsWindowShown = 0;
    bool byKeys = false;

private:
    void poll();
    Program& m_program;
    QTimer m_timer;
};

} // namespace vtx::test
