#include "app/qt/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro {

namespace {

// What a later start sends, and what the running copy answers.
const QByteArray kRequest = QByteArrayLiteral("tessaro:raise\n");
const QByteArray kOpenRequest = QByteArrayLiteral("tessaro:open\n");
const QByteArray kAnswer = QByteArrayLiteral("tessaro:ok\n");

// A percent-encoded path takes at most three bytes for each of its own.
constexpr qint64 kMaxLineBytes = 3 * SingleInstance::kMaxPathBytes + 1;
constexpr qint64 kMaxRequestBytes = 32 + SingleInstance::kMaxFiles * (kMaxLineBytes + 1);

QByteArray EncodePath(const QString& path)
{
    return QFile::encodeName(path).toPercentEncoding();
}

// A path as sent: printable ASCII only; decoded, an absolute path without NUL
// of at most kMaxPathBytes bytes. Empty when it is not.
QString DecodePath(const QByteArray& line)
{
    for (const char c : line)
        if (c <= ' ' || c > '~')
            return {};
    const QByteArray bytes = QByteArray::fromPercentEncoding(line);
    if (bytes.isEmpty() || bytes.size() > SingleInstance::kMaxPathBytes || !bytes.startsWith('/') ||
        bytes.contains('\0'))
        return {};
    return QFile::decodeName(bytes);
}

// The user at the other end of a connected local socket is this process's user.
bool PeerIsThisUser(qintptr descriptor)
{
    struct ucred peer = {};
    socklen_t size = sizeof peer;
    return descriptor >= 0 && ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::getuid();
}

// Whether anything accepts connections on the socket, without asking it for anything.
bool SomeoneListens(const QString& name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    const bool connected = socket.waitForConnected(500);
    socket.abort();
    return connected;
}

} // namespace

QString SingleInstance::SocketFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = runtime.isEmpty()
                               ? QDir::tempPath() + QStringLiteral("/tessaro-%1").arg(::getuid())
                               : runtime + QStringLiteral("/tessaro");
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700); // may exist already: what matters is checked next
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return {}; // a link, a file, or someone else's folder: not a place for our socket
    if ((info.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return {};
    return folder;
}

QString SingleInstance::NameFor(const QString& mainTitle, const QString& settingsFile)
{
    const QString folder = SocketFolder();
    if (folder.isEmpty())
        return {};
    // The title has blanks and the path slashes; a digest keeps the name short
    // (a socket path has room for about 100 bytes) and valid.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(mainTitle.toUtf8());
    hash.addData(QByteArrayView("\n", 1));
    hash.addData(settingsFile.toUtf8());
    return folder + QStringLiteral("/%1.sock").arg(QString::fromLatin1(hash.result().toHex().left(16)));
}

SingleInstance::SingleInstance(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

bool SingleInstance::HandOver(const QStringList& files, int timeoutMs) const
{
    QByteArray request = kRequest;
    if (!files.isEmpty()) {
        request = kOpenRequest;
        int sent = 0;
        for (const QString& file : files) {
            const QByteArray line = EncodePath(file);
            if (sent == kMaxFiles || line.isEmpty() || DecodePath(line).isEmpty())
                continue; // the running copy would refuse the whole request
            request += line + '\n';
            ++sent;
        }
        request += '\n';
    }
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    if (!PeerIsThisUser(socket.socketDescriptor()))
        return false; // not ours, whoever it is: start as if nobody were there
    socket.write(request);
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
    if (name_.isEmpty())
        return false;
    server_ = new QLocalServer(this);
    server_->setMaxPendingConnections(kMaxConnections);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
    bool listening = server_->listen(name_);
    if (!listening && server_->serverError() == QAbstractSocket::AddressInUseError &&
        !SomeoneListens(name_)) {
        // A copy that has just bound the name may not listen yet: look once more before
        // taking the socket for a crashed copy's.
        QThread::msleep(100);
        if (!SomeoneListens(name_)) {
            QLocalServer::removeServer(name_);
            listening = server_->listen(name_);
        }
    }
    if (listening)
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
        if (connections_ >= kMaxConnections || !PeerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++connections_;
        connect(socket, &QObject::destroyed, this, [this, socket] {
            --connections_;
            requests_.remove(socket);
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        // A start of this program sends its request at once; anything that waits is dropped.
        QTimer::singleShot(idleTimeoutMs_, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            OnReadyRead(socket);
    }
}

void SingleInstance::Answer(QLocalSocket* socket)
{
    socket->write(kAnswer);
    socket->flush();
    socket->disconnectFromServer();
}

void SingleInstance::OnReadyRead(QLocalSocket* socket)
{
    if (socket->state() != QLocalSocket::ConnectedState)
        return;
    // Anything but a start of this program is sent away unheard.
    const auto refuse = [this, socket] {
        requests_.remove(socket);
        socket->abort();
        socket->deleteLater();
    };
    Request& request = requests_[socket];
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kMaxLineBytes + 1);
        request.bytes += line.size();
        if (!line.endsWith('\n') || request.bytes > kMaxRequestBytes)
            return refuse();
        if (!request.open) {
            if (line == kOpenRequest) {
                request.open = true;
                continue;
            }
            if (line != kRequest)
                return refuse();
            requests_.remove(socket);
            Answer(socket);
            emit Activated();
            return;
        }
        if (line == "\n") {
            const QStringList files = request.files;
            requests_.remove(socket);
            Answer(socket);
            emit Activated();
            emit FilesReceived(files);
            return;
        }
        const QString path = DecodePath(line.chopped(1));
        if (path.isEmpty() || request.files.size() == kMaxFiles)
            return refuse();
        request.files << path;
    }
    // A line longer than any a start sends.
    if (socket->bytesAvailable() > kMaxLineBytes)
        refuse();
}

} // namespace tessaro
