#include "app/SignalBridge.h"

#include <QSocketNotifier>

#include <SDL.h>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace vtx {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// The write end is read by the handler: a plain int it only loads.
int g_pipe[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> g_previous{};
std::array<bool, kSignals.size()> g_replaced{};

extern "C" void onTerminationSignal(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a wake-up; losing this byte loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

bool makePipe() {
    if (::pipe(g_pipe) != 0) return false;
    for (int fd : g_pipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    return true;
}

void closePipe() {
    for (int& fd : g_pipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

} // namespace

void SignalBridge::disableSdlSignalHandlers() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

SignalBridge::SignalBridge(QObject* parent) : QObject(parent) {
    if (g_pipe[0] >= 0 || !makePipe()) return; // another bridge is live, or no pipe
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalBridge::readPipe);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A signal whose handler cannot be set acts as it would without the bridge.
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        g_replaced[i] = false;
        if (::sigaction(kSignals[i], nullptr, &g_previous[i]) != 0) continue;
        // A signal ignored when the program started stays ignored: that is
        // how nohup and a shell's background jobs ask a program to go on.
        if (g_previous[i].sa_handler == SIG_IGN) continue;
        g_replaced[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

SignalBridge::~SignalBridge() {
    if (!m_notifier) return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        if (g_replaced[i]) ::sigaction(kSignals[i], &g_previous[i], nullptr);
    delete m_notifier;
    closePipe();
}

void SignalBridge::readPipe() {
    unsigned char bytes[16];
    for (;;) {
        const ssize_t got = ::read(g_pipe[0], bytes, sizeof bytes);
        if (got <= 0) break;
        for (ssize_t i = 0; i < got; ++i)
            emit terminationRequested(int(bytes[i]));
    }
}

} // namespace vtx
