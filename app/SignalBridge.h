#pragma once

// Turns the signals that ask a desktop program to end (SIGTERM from kill or a
// logout, SIGINT from Ctrl+C in the terminal, SIGHUP from a closed terminal)
// into one Qt signal on the UI thread, where the main window can close itself
// as a player's close would: music stopped, volumes restored, "Song" stored.
//
// A signal handler may do almost nothing, so it only writes the signal's
// number into a pipe; a QSocketNotifier on the pipe's other end wakes the
// event loop, which emits terminationRequested. Nothing reaches the game
// before the event loop runs.
//
// A signal that was ignored when the program started (nohup, a background
// job of a shell without job control) stays ignored.
//
// One bridge at a time: the constructor installs the handlers and remembers
// the ones it replaced; the destructor puts those back.
//
// SDL installs handlers of its own for SIGINT and SIGTERM when its audio
// starts and turns them into a quit event that this program never reads;
// disableSdlSignalHandlers() must run before SDL is initialised.

#include <QObject>

class QSocketNotifier;

namespace vtx {

class SignalBridge : public QObject {
    Q_OBJECT
public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;
    SignalBridge(const SignalBridge&) = delete;
    SignalBridge& operator=(const SignalBridge&) = delete;

    static void disableSdlSignalHandlers();

signals:
    // Once per arriving signal, on the UI thread; the number is the signal's.
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace vtx
