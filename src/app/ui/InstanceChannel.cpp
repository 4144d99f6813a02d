#include "app/ui/InstanceChannel.h"

#include "app/InstanceMessages.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace quarry {

namespace {
QByteArray bytesOf(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

bool someoneListens(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool alive = probe.waitForConnected(300);
    probe.abort();
    return alive;
}
}  // namespace

QString InstanceChannel::serverName(const std::string& message, int slot)
{
    auto name = QString::fromStdString(channelNameFor(message));
    if (slot > 1)
        name += QLatin1Char('-') + QString::number(slot);
#ifdef Q_OS_WIN
    return name;
#else
    auto dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return dir + QLatin1Char('/') + name;
#endif
}

bool InstanceChannel::listen(const std::string& message)
{
    for (int slot = 1; slot <= kSlots; ++slot) {
        const auto name = serverName(message, slot);
        // Listening with access options replaces an existing socket file, so a slot in use
        // must be recognised by asking it; a file nobody answers on was left by a program
        // that did not end cleanly and is removed.
        if (someoneListens(name))
            continue;
        QLocalServer::removeServer(name);
        auto* server = new QLocalServer(this);
        server->setSocketOptions(QLocalServer::UserAccessOption);
        if (server->listen(name)) {
            connect(server, &QLocalServer::newConnection, this, [this, server, message] { accept(server, message); });
            servers_.push_back(server);
            return true;
        }
        delete server;
    }
    return false;
}

void InstanceChannel::accept(QLocalServer* server, const std::string& message)
{
    while (auto* socket = server->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        auto readLine = [this, socket, buffer, message] {
            buffer->append(socket->readAll());
            const auto end = buffer->indexOf('\n');
            if (end < 0 && buffer->size() <= static_cast<qsizetype>(message.size()))
                return;  // not all there yet
            // Only the channel's own message counts; anything else is dropped unanswered.
            if (buffer->left(end) == bytesOf(message))
                emit received(QString::fromLatin1(buffer->left(end)));
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
        };
        connect(socket, &QLocalSocket::readyRead, this, readLine);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            readLine();
    }
}

int InstanceChannel::send(const std::string& message, int timeoutMs)
{
    int delivered = 0;
    for (int slot = 1; slot <= kSlots; ++slot) {
        QLocalSocket socket;
        socket.connectToServer(serverName(message, slot));
        if (!socket.waitForConnected(timeoutMs))
            continue;
        socket.write(bytesOf(message) + '\n');
        if (socket.waitForBytesWritten(timeoutMs) || socket.bytesToWrite() == 0)
            ++delivered;
        socket.disconnectFromServer();
        if (socket.state() != QLocalSocket::UnconnectedState)
            socket.waitForDisconnected(timeoutMs);
    }
    return delivered;
}

}  // namespace quarry
