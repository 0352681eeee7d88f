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
    if (errorReporter()) {
        errorReporter()(text);
        return;
    }
    QMessageBox::critical(nullptr, QStringLiteral("Vortalix 3D"), text);
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
