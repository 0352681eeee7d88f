#include "app/ProgramEntry.h"

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "files/GameFolders.h"
#include "scene/engine/AllocatorTuning.h"
#include "scene/engine/SurfaceFormat.h"
#include "ui/LobbyWindow.h"
#include "ui/MessageWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/ScoresWindow.h"
#include "ui/Translation.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

// Where the installed data lies, seen from the program's folder; set by the
// install rules.
#ifndef VTX_INSTALLED_DATA
#define VTX_INSTALLED_DATA "../share/vortalix3d"
#endif

namespace vtx {

int runProgram(int argc, char** argv) {
    // Answered before the application object exists: no display is needed.
    const CommandLine command =
        parseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (command.action != CommandLine::Action::Run) {
        std::fputs(command.text.c_str(), command.action == CommandLine::Action::Refuse ? stderr : stdout);
        return command.exitCode;
    }
    // The data and the player's folder, before any window loads a file. When
    // the player's folder cannot be made the game still runs; each save then
    // reports its own error.
    const std::string folderError = setUpGameFolders(VTX_INSTALLED_DATA);
    if (!folderError.empty()) std::fprintf(stderr, "vortalix3d: %s\n", folderError.c_str());

    keepFrameAllocations();
    setDefaultSurfaceFormat();
    Application application(argc, argv);
    // Ties the windows to the installed menu entry and its icon (both harmless
    // when the game runs from its runtime folder).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vortalix3d.Vortalix3D"));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vortalix3d")));
    // The player's language, before any window writes its texts.
    installTranslation(QString::fromStdString((dataRoot() / "translations").string()), preferredLanguages());

    MainWindow mainWindow; // its buildControls runs now, before any other window exists
    if (mainWindow.startupAborted()) return 1;
    // A signal during the start ends the program as it would in the menu.
    if (mainWindow.endRequested()) return 0;
    if (!mainWindow.startupError().isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Vortalix 3D"), mainWindow.startupError());
        return 1;
    }
    MessageWindow messageWindow(&mainWindow);
    // The lobby reads "clients.cfg", or on the first run scans the network
    // with the message window showing.
    LobbyWindow lobbyWindow(&mainWindow.lanHost(), &mainWindow);
    mainWindow.setLobby(&lobbyWindow);
    ScoresWindow scoresWindow(&mainWindow.scoreHost(), &mainWindow);
    OptionsWindow optionsWindow(&mainWindow.optionsHost(), &mainWindow);
    mainWindow.setWindows(&messageWindow, &optionsWindow, &scoresWindow);
    if (mainWindow.endRequested()) return 0;

    mainWindow.show(); // the first activation builds the ship models and cell planes
    if (!mainWindow.startupError().isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Vortalix 3D"), mainWindow.startupError());
        return 1;
    }
    if (mainWindow.endRequested()) return 0;
    return application.exec();
}

} // namespace vtx
