#include "app/Application.h"

#include <QMessageBox>

#include <exception>

namespace vtx {

namespace {

std::function<void(const QString&)>& errorReporter() {
    static std::function<void(const QString&)> reporter;
    return reporter;
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

void Application::setErrorReporter(std::function<void(const QString& text)> reporter) {
    errorReporter() = std::move(reporter);
}

void Application::reportError(const QString& text) {
    // One box at a time: an error raised again while the box is open (a
    // failing repaint behind it) is not stacked into endless boxes.
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    if (errorReporter())
        errorReporter()(text);
    else
        QMessageBox::critical(nullptr, QStringLiteral("Vortalix 3D"), text);
    reporting = false;
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace vtx
