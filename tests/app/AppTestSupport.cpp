#include "AppTestSupport.h"

#include "scene/engine/SceneView.h"
#include "scene/engine/SurfaceFormat.h"
#include "ui/SkinButton.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace vtx::test {

namespace {

// The engine's context needs its surface format before the QApplication of
// the test main exists.
const bool surfaceFormatSet = [] {
    setDefaultSurfaceFormat();
    // No sound card on a test machine: SDL's silent driver.
    qputenv("SDL_AUDIODRIVER", "dummy");
    return true;
}();

bool copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else if (!QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

} // namespace

RunCopy::RunCopy() {
    (void)surfaceFormatSet;
    const QString run = QStringLiteral(VTX_BINARY_DIR "/run");
    m_ok = m_dir.isValid();
    for (const char* folder : {"DATA", "data", "sounds", "Music"})
        m_ok = m_ok && copyTree(run + QLatin1Char('/') + QLatin1String(folder),
                                m_dir.path() + QLatin1Char('/') + QLatin1String(folder));
    m_ok = m_ok && QDir::setCurrent(m_dir.path());
    QDir().mkpath(QStringLiteral(VTX_BINARY_DIR "/artifacts/app"));
}

Program::Program() {
    mainWindow = std::make_unique<MainWindow>();
    mainWindow->quitOnClose = false;
    mess = std::make_unique<MessageWindow>(mainWindow.get());
    net = std::make_unique<LobbyWindow>(&mainWindow->lanHost(), mainWindow.get(),
                                        [] { return QList<ScannedHost>{}; });
    mainWindow->setLobby(net.get());
    score = std::make_unique<ScoresWindow>(&mainWindow->scoreHost(), mainWindow.get());
    opt = std::make_unique<OptionsWindow>(&mainWindow->optionsHost(), mainWindow.get());
    mainWindow->setWindows(mess.get(), opt.get(), score.get());
    // The cursor away from the window: no edge scroll unless a test moves it.
    QCursor::setPos(0, 0);
    mainWindow->show();
    if (!QTest::qWaitForWindowExposed(mainWindow.get())) ADD_FAILURE() << "main window not exposed";
    // Let the viewer make its context and draw.
    QTest::qWait(300);
}

Program::~Program() {
    mainWindow->turnTimer.stop();
    mainWindow->tickTimer.stop();
    opt.reset();
    score.reset();
    net.reset();
    mess.reset();
    mainWindow.reset();
}

QPoint projectToViewer(MainWindow& window, const glm::vec3& world) {
    Camera* camera = window.world().camera;
    const int w = window.view->width();
    const int h = window.view->height();
    const glm::vec4 clip =
        camera->projectionMatrix(float(w) / float(h)) * camera->viewMatrix() * glm::vec4(world, 1.0f);
    const glm::vec3 ndc = glm::vec3(clip) / clip.w;
    return QPoint(int(std::floor((ndc.x + 1.0f) / 2.0f * float(w))),
                  int(std::floor((1.0f - ndc.y) / 2.0f * float(h))));
}

QImage windowPicture(MainWindow& window) {
    QImage picture = window.grab().toImage();
    QPainter painter(&picture);
    painter.drawImage(window.view->pos(), window.view->grabFramebuffer());
    return picture;
}

bool insideViewer(MainWindow& window, QPoint pixel) {
    return window.view->rect().adjusted(2, 2, -2, -2).contains(pixel);
}

ModalAnswerer::ModalAnswerer(Program& program) : m_program(program) {
    m_timer.setInterval(50);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start();
}

void ModalAnswerer::poll() {
    // A key goes to the window's focus widget, as the system sends it.
    const auto key = [](QWidget* window, Qt::Key k) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == window ? focus : window, k);
    };
    if (m_program.mess->isVisible() && m_program.mess->modal()) {
        messages << m_program.mess->messageText->text();
        if (byKeys)
            key(m_program.mess.get(), Qt::Key_Return);
        else
            QTest::mouseClick(m_program.mess->okButton, Qt::LeftButton);
    }
    if (m_program.score->isVisible()) {
        ++scoreWindowShown;
        scoreWindowGeometry = m_program.score->frameGeometry();
        if (byKeys)
            key(m_program.score.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(m_program.score->closeButton, Qt::LeftButton);
    }
    if (m_program.opt->isVisible()) {
        ++optionsWindowShown;
        if (byKeys)
            key(m_program.opt.get(), Qt::Key_Return);
        else
            QTest::mouseClick(m_program.opt->closeButton, Qt::LeftButton);
    }
}

} // namespace vtx::test
