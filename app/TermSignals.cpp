#include "app/TermSignals.h"

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

// A signal handler may only write a byte; the window is closed from the
// event loop once the byte arrives.
void onSignal(int)
{
    const char byte = 1;
    (void)!::write(g_pipe[0], &byte, 1);
}

} // namespace

void closeOnTermSignals(QWidget* window)
{
    static QPointer<QWidget> target;
    // A signal that came while there was neither a window nor a dialog to
    // close closes the window once there is one.
    static bool pending = false;
    target = window;
    if (pending && window) {
        pending = false;
        QMetaObject::invokeMethod(window, [window] { window->close(); }, Qt::QueuedConnection);
    }
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        (void)!::read(g_pipe[1], &byte, 1);
        if (target)
            target->close();
        else if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        else
            pending = true;
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}
