#include "app/ProgramEntry.h"

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/TForm1.h"
#include "files/GameFolders.h"
#include "scene/engine/AllocatorTuning.h"
#include "scene/engine/SurfaceFormat.h"
#include "ui/TFormMess.h"
#include "ui/TFormOpt.h"
#include "ui/TFormScore.h"
#include "ui/TformNet.h"
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
    InstallTranslation(QString::fromStdString((dataRoot() / "translations").string()), preferredLanguages());

    TForm1 form1; // its FormCreate runs now, before any other window exists
    if (form1.StartupAborted()) return 1;
    if (!form1.StartupError().isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Vortalix 3D"), form1.StartupError());
        return 1;
    }
    TFormMess formMess(&form1);
    // The lobby reads "clients.cfg", or on the first run scans the network
    // with the message window showing.
    TformNet formNet(&form1.lanHost(), &form1);
    form1.SetLobby(&formNet);
    TFormScore formScore(&form1.scoreHost(), &form1);
    TFormOpt formOpt(&form1.optionsHost(), &form1);
    form1.SetWindows(&formMess, &formOpt, &formScore);

    form1.show(); // the first activation builds the ship models and cell planes
    if (!form1.StartupError().isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Vortalix 3D"), form1.StartupError());
        return 1;
    }
    return application.exec();
}

} // namespace vtx
