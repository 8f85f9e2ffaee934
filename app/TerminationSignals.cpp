#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = { -1, -1 };

// Only async-signal-safe work here: hand the number to the event loop.
void onSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
}

} // namespace
#elif defined(Q_OS_WIN)
#include <QMetaObject>
#include <atomic>
#include <csignal>
#include <windows.h>

namespace {

std::atomic<TerminationSignals *> g_watcher{ nullptr };

// Runs on a thread of its own that Windows starts for the console event.
BOOL WINAPI onConsoleEvent(DWORD type)
{
    TerminationSignals *watcher = g_watcher.load();
    if (!watcher)
        return FALSE;
    const bool interrupt = type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT;
    QMetaObject::invokeMethod(
        watcher,
        [watcher, interrupt] { emit watcher->terminationRequested(interrupt ? SIGINT : SIGTERM); },
        Qt::QueuedConnection);
    // Windows ends the process as soon as this returns from a close, logoff
    // or shutdown event: wait here, so that the station's own exit (after
    // saving) ends it, or Windows does when its grace period is over.
    if (!interrupt)
        ::Sleep(INFINITE);
    return TRUE;
}

} // namespace
#endif

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) {
        qWarning("Cannot watch for termination signals: socketpair failed");
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(g_pipe[1], &byte, 1) == 1)
            emit terminationRequested(int(byte));
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (::sigaction(SIGINT, &action, nullptr) != 0 || ::sigaction(SIGTERM, &action, nullptr) != 0)
        qWarning("Cannot watch for termination signals: sigaction failed");
#elif defined(Q_OS_WIN)
    g_watcher.store(this);
    if (!::SetConsoleCtrlHandler(onConsoleEvent, TRUE))
        qWarning("Cannot watch for console events: SetConsoleCtrlHandler failed");
#endif
}

TerminationSignals::~TerminationSignals()
{
#ifdef Q_OS_UNIX
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
#elif defined(Q_OS_WIN)
    g_watcher.store(nullptr);
    ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
#endif
}
