#include "app/TermSignals.h"

#include "common/ui/frmProgress.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
QPointer<QWidget> g_window;
// A signal that came while there was neither a window nor a dialog to close
// closes the window once there is one.
bool g_pending = false;
bool g_ending = false;

// A signal handler may only write a byte; the rest runs from the event loop
// once the byte arrives.
void onSignal(int)
{
    const char byte = 1;
    (void)!::write(g_pipe[0], &byte, 1);
}

// Nobody answers a box at log-out: the innermost dialog goes first, each as
// its Cancel would (a record dialog in edit mode drops its edit then).
void closeModalDialogs()
{
    while (QPointer<QWidget> modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal.data()))
            dialog->reject();
        else
            modal->close();
        if (modal && modal->isVisible())
            return;
    }
}

void endProgram()
{
    g_ending = true;
    // A long fill or run stops at its next step instead of finishing first.
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (auto* wait = qobject_cast<frmProgress*>(window))
            wait->m_bCancel = true;
    }
    closeModalDialogs();
    // The handler that is running may sit inside a nested loop (a box's, a
    // fill's): closing windows here would pull them from under it. Every
    // loop returns first, and the main window is closed after the program's
    // own loop.
    QCoreApplication::exit(0);
}

void onSignalArrived()
{
    char byte = 0;
    (void)!::read(g_pipe[1], &byte, 1);
    if (g_window)
        endProgram();
    else if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    else
        g_pending = true;
}

} // namespace

bool endingOnSignal() { return g_ending; }

void closeAfterTermSignal()
{
    if (!g_ending || !g_window || !g_window->isVisible())
        return;
    // No loop runs now; left again, every loop that the closing starts (a
    // box of an error, say) returns at once.
    QCoreApplication::exit(0);
    g_window->close();
}

void closeOnTermSignals(QWidget* window)
{
    g_window = window;
    if (g_pending && window) {
        g_pending = false;
        QMetaObject::invokeMethod(window, &endProgram, Qt::QueuedConnection);
    }
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    // A handler never blocks, however many signals come at once.
    ::fcntl(g_pipe[0], F_SETFL, ::fcntl(g_pipe[0], F_GETFL) | O_NONBLOCK);
    auto* notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, &onSignalArrived);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}
