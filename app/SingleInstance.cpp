#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kWaitMillis = 1000;
constexpr int kRetryMillis = 250;
const QByteArray kComeForward = QByteArrayLiteral("RESTORE\n");

// Bytes of the lock file: the first is held (exclusively) by the copy that
// answers on the socket, the second (shared) by every running copy.
constexpr off_t kServerByte = 0;
constexpr off_t kPresenceByte = 1;

// A lock on one byte that belongs to the open file, not to the process, so
// that two users of the file in one process exclude each other as well.
bool lockByte(int fd, off_t byte, short type, bool wait)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    int rc;
    do {
        rc = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

QString runtimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent)
{
    const QString folder = runtimeFolder();
    if (!folder.isEmpty()) {
        m_socketPath = QDir(folder).filePath(name);
        m_lockPath = m_socketPath + QStringLiteral(".lock");
    }
}

SingleInstance::~SingleInstance()
{
    // The socket goes first, while the lock still says it is this copy's.
    if (m_server)
        m_server->close();
    delete m_server;
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString SingleInstance::defaultName() { return QStringLiteral("brindlemark"); }

bool SingleInstance::join(bool alone)
{
    if (m_lockPath.isEmpty())
        return true;   // no runtime folder: nothing to count with
    if (m_lockFd < 0)
        m_lockFd = ::open(m_lockPath.toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0)
        return true;
    if (!alone)
        return lockByte(m_lockFd, kPresenceByte, F_RDLCK, true);
    // Taken exclusively, then turned into a shared lock in one step: two
    // copies that start together can't both find themselves alone.
    if (!lockByte(m_lockFd, kPresenceByte, F_WRLCK, false))
        return false;
    return lockByte(m_lockFd, kPresenceByte, F_RDLCK, false);
}

bool SingleInstance::askToComeForward() const
{
    if (m_socketPath.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kWaitMillis))
        return false;
    socket.write(kComeForward);
    const bool written = socket.waitForBytesWritten(kWaitMillis);
    socket.disconnectFromServer();
    return written;
}

void SingleInstance::serve()
{
    if (m_server || m_lockFd < 0 || tryToServe() || m_retry)
        return;
    m_retry = new QTimer(this);
    m_retry->setInterval(kRetryMillis);
    connect(m_retry, &QTimer::timeout, this, [this] {
        if (tryToServe())
            m_retry->stop();
    });
    m_retry->start();
}

bool SingleInstance::tryToServe()
{
    if (!lockByte(m_lockFd, kServerByte, F_WRLCK, false))
        return false;
    // The name is this copy's now: a socket file still there was left by a
    // copy that ended without removing it.
    QLocalServer::removeServer(m_socketPath);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_socketPath)) {
        delete server;
        (void)lockByte(m_lockFd, kServerByte, F_UNLCK, false);
        return false;
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequests(socket); });
        readRequests(socket);
    }
}

void SingleInstance::readRequests(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        if (socket->readLine() == kComeForward)
            emit comeForwardRequested();
    }
}
