#include "windows/LinkChannel.h"

#include "platform/Paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

const QByteArray kTaken = "ok\n";

} // namespace

LinkChannel::LinkChannel(QObject* parent) : QObject(parent) {}

LinkChannel::~LinkChannel() = default;

QString LinkChannel::SocketPath() {
    const QByteArray folder = QByteArray::fromStdString(GetConfigDir(false, false));
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(16));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QStringLiteral("/quillon-") + hash + QStringLiteral(".sock");
    return QDir::tempPath() + QStringLiteral("/quillon-%1-").arg(getuid()) + hash +
           QStringLiteral(".sock");
}

bool LinkChannel::Listen(const QString& path) {
    if (QFileInfo::exists(path)) {
        // Another copy answers there; a file nobody answers on is what a crashed copy left.
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(500))
            return false;
        QLocalServer::removeServer(path);
    }
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path)) {
        delete server;
        return false;
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &LinkChannel::Accept);
    return true;
}

void LinkChannel::Accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxLine)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(kMaxLine).trimmed();
            socket->write(kTaken);
            socket->flush();
            socket->disconnectFromServer();
            emit linkArrived(QString::fromUtf8(line));
        });
    }
}

bool LinkChannel::Forward(const QString& link, const QString& path, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray line = link.toUtf8();
    line.replace('\n', ' ');
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine() == kTaken;
}
