#pragma once
// One running copy per user: the first copy listens on a local socket named
// from the main window's title and the settings file; a later start finds it
// there, hands it the files it was started with, asks it to come to the front
// and ends.
//
// What a later start sends is one line "tessaro:raise", or the line
// "tessaro:open", one line per file (its absolute path, percent-encoded) and
// an empty line. The running copy checks every line (at most kMaxFiles paths,
// each absolute and at most kMaxPathBytes long) and drops the connection
// without acting on anything else.
//
// The socket is a file in a folder only its user can enter (XDG_RUNTIME_DIR,
// else the temporary folder, with mode 0700), so no other user can take the
// name or reach the running copy; both sides check the other's user as well.
// The first copy listens only after a connect attempt has failed, because a
// second listen() on the same name could cut the first copy off; a socket file
// that nobody answers on is what a crashed copy left, and is removed.

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace tessaro {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The socket path for this user, in SocketFolder(). The settings file is part
    // of its name: a copy started with its own settings (a test, a screenshot
    // run) is a copy of its own and leaves the user's running one alone. Empty
    // when no folder that only this user can reach is to be had: the program
    // then runs without the check.
    static QString NameFor(const QString& mainTitle, const QString& settingsFile);
    // "$XDG_RUNTIME_DIR/tessaro", else "<temp>/tessaro-<uid>"; made with mode 0700.
    // Empty when it exists but belongs to another user or is no folder.
    static QString SocketFolder();

    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // True when a running copy of this user answered the request to come forward.
    bool AskRunningCopy(int timeoutMs = 2000) const { return HandOver({}, timeoutMs); }
    // The same, handing it files to open (absolute paths; the first kMaxFiles
    // that are short enough are sent). True when a running copy was reached.
    bool HandOver(const QStringList& files, int timeoutMs = 2000) const;
    // Starts listening for later starts; false when another copy answers on the
    // name or the socket cannot be made (the program then runs without the check).
    bool Listen();
    bool IsListening() const;
    // A connection that has not sent its request within this time is dropped,
    // so that idle connections cannot use up the descriptors.
    void SetIdleTimeout(int ms) { idleTimeoutMs_ = ms; }

    // Most connections served at once; more are closed at once.
    static constexpr int kMaxConnections = 8;
    // Most files one start hands over, and the longest path (in bytes).
    static constexpr int kMaxFiles = 64;
    static constexpr int kMaxPathBytes = 4096;

signals:
    // A later start asked this copy to come forward.
    void Activated();
    // A later start handed these files over (after Activated).
    void FilesReceived(const QStringList& files);

private:
    // What a connection has sent so far.
    struct Request
    {
        bool open = false; // "tessaro:open" came: paths follow
        QStringList files;
        qint64 bytes = 0;
    };

    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);
    static void Answer(QLocalSocket* socket);

    QHash<QLocalSocket*, Request> requests_;

    QString name_;
    QLocalServer* server_ = nullptr;
    int idleTimeoutMs_ = 3000;
    int connections_ = 0;
};

} // namespace tessaro
