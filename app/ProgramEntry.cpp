#include "app/ProgramEntry.h"

#include "app/Application.h"
#include "app/TForm1.h"
#include "scene/engine/SurfaceFormat.h"
#include "ui/TFormMess.h"
#include "ui/TFormOpt.h"
#include "ui/TFormScore.h"
#include "ui/TformNet.h"

#include <QMessageBox>

namespace vtx {

int runProgram(int argc, char** argv) {
    setDefaultSurfaceFormat();
    Application application(argc, argv);

    TForm1 form1; // its FormCreate runs now, before any other window exists
    if (form1.StartupAborted()) return 1;
    if (!form1.StartupError().isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Vortalix 3D"), form1.StartupError());
        return 1;
    }
    TFormMess formMess(&form1);
    // The lobby reads "clients.cfg", or on the first run scans the network
    // with the message window showing.
    TformNet formNet(&form1, &form1);
    form1.SetLobby(&formNet);
    TFormScore formScore(&form1, &form1);
    TFormOpt formOpt(&form1, &form1);
    form1.SetWindows(&formMess, &formOpt, &formScore);

    form1.show(); // the first activation builds the ship models and cell planes
    if (!form1.StartupError().isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Vortalix 3D"), form1.StartupError());
        return 1;
    }
    return application.exec();
}

} // namespace vtx
