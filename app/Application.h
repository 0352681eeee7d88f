#pragma once

// The game's application object. An exception that escapes an event handler
// ends that handler only: its text is shown in one general error box and the
// program goes on with the next event.

#include <QApplication>

#include <functional>

namespace vtx {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the general error box (title "Vortalix 3D", the error's text).
    // Replaceable so tests can record instead of blocking on a box.
    static void setErrorReporter(std::function<void(const QString& text)> reporter);
    static void reportError(const QString& text);
};

} // namespace vtx
