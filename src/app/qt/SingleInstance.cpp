#include "app/qt/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tessaro {

namespace {

// What a later start sends, and what the running copy answers.
const QByteArray kRequest = QByteArrayLiteral("tessaro:raise\n");
const QByteArray kAnswer = QByteArrayLiteral("tessaro:ok\n");

QString UserId()
{
#ifdef Q_OS_UNIX
    return QString::number(getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

} // namespace

QString SingleInstance::NameFor(const QString& mainTitle, const QString& settingsFile)
{
    // The title has blanks and the path slashes; a digest keeps the name short
    // and valid, the user id in clear keeps it apart from other users.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(mainTitle.toUtf8());
    hash.addData(QByteArrayView("\n", 1));
    hash.addData(settingsFile.toUtf8());
    return QStringLiteral("tessaro-%1-%2").arg(UserId(), QString::fromLatin1(hash.result().toHex().left(24)));
}

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

bool SingleInstance::AskRunningCopy(int timeoutMs) const
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // A copy that hangs still counts as running: starting another would only
    // give the user two windows on the same settings.
    socket.waitForReadyRead(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen()
{
    if (server_)
        return server_->isListening();
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
    if (server_->listen(name_))
        return true;
    delete server_;
    server_ = nullptr;
    return false;
}

bool SingleInstance::IsListening() const
{
    return server_ && server_->isListening();
}

void SingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Anything else on the socket is not a start of this program.
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kRequest.size())
                    socket->disconnectFromServer();
                return;
            }
            if (socket->readLine() == kRequest) {
                socket->write(kAnswer);
                socket->flush();
                emit Activated();
            }
            socket->disconnectFromServer();
        });
    }
}

} // namespace tessaro
