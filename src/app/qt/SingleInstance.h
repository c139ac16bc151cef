#pragma once
// One running copy per user: the first copy listens on a local socket named
// from the main window's title, the user and the settings file; a later start
// finds it there, asks it to come to the front and ends.
//
// The first copy listens only after a connect attempt has failed, because a
// second listen() on the same name would succeed and cut the first copy off.
// On Linux the socket lives in the abstract namespace, so a crashed copy leaves
// nothing behind that could block the next start.

#include <QObject>
#include <QString>

class QLocalServer;

namespace tessaro {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The socket name for this user. The settings file is part of it: a copy
    // started with its own settings (a test, a screenshot run) is a copy of
    // its own and leaves the user's running one alone.
    static QString NameFor(const QString& mainTitle, const QString& settingsFile);

    explicit SingleInstance(QString name, QObject* parent = nullptr);

    // True when a running copy answered the request to come forward.
    bool AskRunningCopy(int timeoutMs = 2000) const;
    // Starts listening for later starts; false when the name is taken or the
    // socket cannot be made (the program then runs without the check).
    bool Listen();
    bool IsListening() const;

signals:
    // A later start asked this copy to come forward.
    void Activated();

private:
    void OnNewConnection();

    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace tessaro
