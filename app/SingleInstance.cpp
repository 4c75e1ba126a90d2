#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

constexpr int kWaitMillis = 1000;
const QByteArray kComeForward = QByteArrayLiteral("RESTORE\n");

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent)
    , m_name(name)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName() { return QStringLiteral("brindlemark-%1").arg(::getuid()); }

bool SingleInstance::isRunning() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    return socket.waitForConnected(kWaitMillis);
}

bool SingleInstance::askToComeForward() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kWaitMillis))
        return false;
    socket.write(kComeForward);
    const bool written = socket.waitForBytesWritten(kWaitMillis);
    socket.disconnectFromServer();
    return written;
}

bool SingleInstance::listen()
{
    if (m_server)
        return true;
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_name)) {
        // A socket file left by a program that crashed answers nobody.
        if (server->serverError() != QAbstractSocket::AddressInUseError || isRunning()) {
            delete server;
            return false;
        }
        QLocalServer::removeServer(m_name);
        if (!server->listen(m_name)) {
            delete server;
            return false;
        }
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
