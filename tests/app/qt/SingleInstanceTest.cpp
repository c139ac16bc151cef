// One running copy per user: the local socket hand-over in one process, the
// foreground hand-over, the start options, and two real starts of the program
// where the second ends at once and the first keeps running.

#include "app/qt/SingleInstance.h"
#include "app/qt/CEditorApp.h"
#include "app/qt/ScreenshotRun.h"
#include "common/Texts.h"

#include <tuple>

#include <QDialog>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

using namespace tessaro;

namespace {

// Sockets of these tests live in a runtime folder of their own.
QTemporaryDir runtimeDir;

QString UniqueName()
{
    return SingleInstance::NameFor(QStringLiteral("test"), QUuid::createUuid().toString());
}

// Whether something listens on the name, without asking it for anything.
bool SomeoneListens(const QString& name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    const bool connected = socket.waitForConnected(200);
    socket.abort();
    return connected;
}

// A socket file that nobody listens on any more, as a killed copy leaves it.
void LeaveStaleSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    std::memcpy(address.sun_path, bytes.constData(), std::size_t(bytes.size()));
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    QCOMPARE(::listen(fd, 1), 0);
    ::close(fd);
    QVERIFY(QFileInfo::exists(path));
}

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(runtimeDir.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }

    void secondStartReachesTheFirst()
    {
        const QString name = UniqueName();
        SingleInstance first(name);
        QVERIFY(!first.AskRunningCopy(500)); // nobody there yet
        QVERIFY(first.Listen());
        QSignalSpy activated(&first, &SingleInstance::Activated);

        // The asking side blocks until answered: it runs in a thread of its own, as in a process of its own.
        std::atomic<bool> answered = false;
        std::unique_ptr<QThread> asker(
            QThread::create([&] { answered = SingleInstance(name).AskRunningCopy(10000); }));
        asker->start();
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 10000);
        QVERIFY(asker->wait(10000));
        QVERIFY(answered);

        // A second listener on the taken name is refused rather than cutting the first off.
        SingleInstance intruder(name);
        QVERIFY(!intruder.Listen());
        QVERIFY(first.IsListening());
    }

    void strayConnectionsDoNotActivate()
    {
        const QString name = UniqueName();
        SingleInstance first(name);
        QVERIFY(first.Listen());
        QSignalSpy activated(&first, &SingleInstance::Activated);
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(2000));
        socket.write("hello there\n");
        QVERIFY(socket.waitForBytesWritten(2000));
        QTRY_VERIFY(socket.state() == QLocalSocket::UnconnectedState); // sent away
        QCOMPARE(activated.count(), 0);
    }

    void nothingIsLeftBehind()
    {
        const QString name = UniqueName();
        {
            SingleInstance first(name);
            QVERIFY(first.Listen());
            QVERIFY(SomeoneListens(name));
        }
        QVERIFY(!SomeoneListens(name));
        QVERIFY(!SingleInstance(name).AskRunningCopy(500));
        SingleInstance next(name);
        QVERIFY(next.Listen());
    }

    void namesFollowSettingsInAFolderOnlyTheUserCanReach()
    {
        const QString title = QString::fromStdString(Tr(Caption::MainWindowTitle));
        const QString a =
            SingleInstance::NameFor(title, QStringLiteral("/home/a/.config/Larchmont/Tessaro.conf"));
        QCOMPARE(a, SingleInstance::NameFor(title, QStringLiteral("/home/a/.config/Larchmont/Tessaro.conf")));
        QVERIFY(a != SingleInstance::NameFor(title, QStringLiteral("/tmp/x/Larchmont/Tessaro.conf")));
        QVERIFY(a != SingleInstance::NameFor(title + u'x',
                                             QStringLiteral("/home/a/.config/Larchmont/Tessaro.conf")));

        // A socket file in the user's runtime folder, not a name anyone may bind.
        const QString folder = runtimeDir.filePath(QStringLiteral("tessaro"));
        QCOMPARE(QFileInfo(a).absolutePath(), folder);
        QVERIFY(!QFileInfo(a).fileName().contains(u' '));
        struct stat info = {};
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0700u);
        SingleInstance first(a);
        QVERIFY(first.Listen());
        QVERIFY(QFileInfo(a).exists());

        // Opened up by someone, the folder is closed again.
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
        QCOMPARE(SingleInstance::NameFor(title, QStringLiteral("x")).isEmpty(), false);
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0700u);
    }

    void aFolderOfAnotherUserIsNotUsed()
    {
        QTemporaryDir elsewhere;
        const QByteArray folder = QFile::encodeName(elsewhere.filePath(QStringLiteral("tessaro")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(elsewhere.path()));
        const auto restore =
            qScopeGuard([] { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path())); });
        // A link planted where the folder should be is not followed.
        QVERIFY(::symlink(QFile::encodeName(runtimeDir.path()).constData(), folder.constData()) == 0);
        QVERIFY(SingleInstance::SocketFolder().isEmpty());
        QVERIFY(SingleInstance::NameFor(QStringLiteral("t"), QStringLiteral("s")).isEmpty());
        QVERIFY(!SingleInstance(QString()).AskRunningCopy(200)); // and the editor simply starts
        QVERIFY(!SingleInstance(QString()).Listen());
        QVERIFY(::unlink(folder.constData()) == 0);
        if (::geteuid() == 0) { // only root can make a folder that belongs to someone else
            QVERIFY(::mkdir(folder.constData(), 0777) == 0);
            QVERIFY(::chown(folder.constData(), 4321, 4321) == 0);
            QVERIFY(SingleInstance::SocketFolder().isEmpty());
        }
    }

    void aStaleSocketIsReplacedAndALiveOneKept()
    {
        const QString name = UniqueName();
        LeaveStaleSocket(name);
        QVERIFY(!SingleInstance(name).AskRunningCopy(500));
        SingleInstance first(name);
        QVERIFY(first.Listen());
        QVERIFY(SomeoneListens(name));
        SingleInstance second(name);
        QVERIFY(!second.Listen());
        QVERIFY(SomeoneListens(name));
    }

    void idleConnectionsAreDropped()
    {
        const QString name = UniqueName();
        SingleInstance first(name);
        first.SetIdleTimeout(300);
        QVERIFY(first.Listen());
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i < SingleInstance::kMaxConnections + 4; ++i) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(name);
            QVERIFY(idle.back()->waitForConnected(2000));
        }
        for (const auto& socket : idle)
            QTRY_COMPARE_WITH_TIMEOUT(socket->state(), QLocalSocket::UnconnectedState, 5000);

        // And a real start still gets through afterwards.
        QSignalSpy activated(&first, &SingleInstance::Activated);
        std::atomic<bool> answered = false;
        std::unique_ptr<QThread> asker(
            QThread::create([&] { answered = SingleInstance(name).AskRunningCopy(10000); }));
        asker->start();
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, 10000);
        QVERIFY(asker->wait(10000));
        QVERIFY(answered);
    }

    // The main window comes back from the task bar and the dialog open over it comes forward.
    void bringToFrontRaisesTheModalDialog()
    {
        QWidget main;
        main.resize(300, 200);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.showMinimized();
        QTRY_VERIFY(main.isMinimized());

        bool checked = false;
        QDialog* open = nullptr;
        QTimer::singleShot(0, this, [&] {
            open = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QWidget other;
            other.show();
            other.activateWindow();                    // the user went elsewhere
            (void)QTest::qWaitForWindowActive(&other); // may not happen offscreen
            CEditorApp::BringToFront(&main);
            QTRY_VERIFY(open && open->isActiveWindow());
            checked = !main.isMinimized();
            open->reject();
        });
        QDialog dialog(&main);
        dialog.exec();
        QVERIFY(open == &dialog);
        QVERIFY(checked);
    }

    void startOptions()
    {
        // The screenshot program's options are not the editor's: unknown
        // options are ignored and their values are files like any other.
        StartOptions options = ParseStartOptions({"--open-mdb", "a.bup", "--verbose"});
        QCOMPARE(options.files, QStringList{QDir::current().absoluteFilePath("a.bup")});
        QCOMPARE(options.ignored, (QStringList{"--open-mdb", "--verbose"}));

        ScreenshotOptions shots = ParseScreenshotOptions({"--open-mdb", "a.bup", "--verbose"});
        QCOMPARE(shots.openMdb, QStringLiteral("a.bup"));
        QVERIFY(shots.screenshotDir.isEmpty());
        QCOMPARE(shots.ignored, QStringList{"--verbose"});

        shots =
            ParseScreenshotOptions({"--screenshot-dir", "/tmp/s", "--open-archive", "b.mdx", "--open-mdb"});
        QCOMPARE(shots.screenshotDir, QStringLiteral("/tmp/s"));
        QCOMPARE(shots.openArchive, QStringLiteral("b.mdx"));
        QVERIFY(shots.openMdb.isEmpty());
        QCOMPARE(shots.ignored, QStringList{"--open-mdb"}); // no value

        // Files, made absolute against the current folder; "--" ends the options.
        options = ParseStartOptions({"MDB.bup", "/sets/a.mdx", "--verbose", "--", "--odd.bup", "-x"});
        QCOMPARE(options.files, (QStringList{QDir::current().absoluteFilePath("MDB.bup"), "/sets/a.mdx",
                                             QDir::current().absoluteFilePath("--odd.bup"),
                                             QDir::current().absoluteFilePath("-x")}));
        QCOMPARE(options.ignored, QStringList{"--verbose"});
    }

    // Paths travel percent-encoded: any name arrives as it was sent.
    void filesAreHandedOver()
    {
        const QString name = UniqueName();
        SingleInstance first(name);
        QVERIFY(first.Listen());
        QSignalSpy received(&first, &SingleInstance::FilesReceived);
        QSignalSpy activated(&first, &SingleInstance::Activated);
        const QStringList files{"/music/MDB.bup", QStringLiteral("/music/\u00e4 \u00f6/two\nlines.mdx"),
                                "/x/100%.mdx", "relative.mdx"};
        std::atomic<bool> answered = false;
        std::unique_ptr<QThread> asker(
            QThread::create([&] { answered = SingleInstance(name).HandOver(files, 10000); }));
        asker->start();
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 10000);
        QVERIFY(asker->wait(10000));
        QVERIFY(answered);
        QCOMPARE(received.at(0).at(0).toStringList(), files.mid(0, 3)); // a relative path is never sent
        QCOMPARE(activated.count(), 1);
    }

    void badRequestsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("request");
        const QByteArray open = "tessaro:open\n";
        QTest::newRow("relative path") << open + "MDB.bup\n\n";
        QTest::newRow("NUL in a path") << open + "%2Fa%00b\n\n";
        QTest::newRow("a blank not encoded") << open + "/a b\n\n";
        QTest::newRow("one file too many")
            << open + QByteArray("%2Fa\n").repeated(SingleInstance::kMaxFiles + 1) + "\n";
        QTest::newRow("path too long")
            << open + "%2F" + QByteArray(SingleInstance::kMaxPathBytes, 'a') + "\n\n";
        QTest::newRow("endless line") << open + QByteArray(4 * SingleInstance::kMaxPathBytes, 'a');
        QTest::newRow("unknown request") << QByteArray("tessaro:opem\n%2Fa\n\n");
    }
    void badRequestsAreRefused()
    {
        QFETCH(QByteArray, request);
        const QString name = UniqueName();
        SingleInstance first(name);
        QVERIFY(first.Listen());
        QSignalSpy received(&first, &SingleInstance::FilesReceived);
        QSignalSpy activated(&first, &SingleInstance::Activated);
        QLocalSocket socket;
        socket.connectToServer(name);
        QVERIFY(socket.waitForConnected(2000));
        socket.write(request);
        socket.flush();
        QTRY_VERIFY_WITH_TIMEOUT(socket.state() == QLocalSocket::UnconnectedState, 5000);
        QVERIFY(!socket.readAll().contains("tessaro:ok"));
        QCOMPARE(received.count(), 0);
        QCOMPARE(activated.count(), 0);
    }

    // A real start of the program with files, against this process as the
    // running copy: it hands them over, absolute, and ends.
    void aStartWithFilesHandsThemToTheRunningCopy()
    {
        QTemporaryDir config;
        QVERIFY(config.isValid());
        const QString settingsFile = config.filePath(QStringLiteral("Larchmont/Tessaro.conf"));
        SingleInstance running(
            SingleInstance::NameFor(QString::fromStdString(Tr(Caption::MainWindowTitle)), settingsFile));
        QVERIFY(running.Listen());
        QSignalSpy received(&running, &SingleInstance::FilesReceived);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const QString examples = QStringLiteral(TESSARO_SOURCE_DIR "/examples");
        const QString mdb = examples + QStringLiteral("/Demo.buf/MDB.bup");
        QProcess second;
        second.setProcessEnvironment(environment);
        second.setWorkingDirectory(examples);
        second.setProcessChannelMode(QProcess::ForwardedChannels);
        second.start(QStringLiteral(TESSARO_EXE), {"Demo.mdx", "--", "-odd.bup", mdb});
        QVERIFY(second.waitForStarted(10000));
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 30000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        const QString folder = QDir(examples).canonicalPath(); // as the program's current folder reads
        QCOMPARE(received.at(0).at(0).toStringList(),
                 (QStringList{folder + "/Demo.mdx", folder + "/-odd.bup", mdb}));
        QVERIFY(!QFileInfo::exists(settingsFile)); // the second start wrote nothing
    }

    void secondProcessEndsWhileTheFirstStays()
    {
        QTemporaryDir config;
        QVERIFY(config.isValid());
        QVERIFY(QDir(config.path()).mkpath(QStringLiteral("Larchmont")));
        const QString settingsFile = config.filePath(QStringLiteral("Larchmont/Tessaro.conf"));
        {
            QFile file(settingsFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            // The layout is stored already: the first start would otherwise write
            // its choice at a moment of Qt's own, racing the comparison below.
            file.write("[Einstellungen]\nLanguage=E\nLayout=0\n");
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        QProcess first;
        first.setProcessEnvironment(environment);
        first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        first.start(QStringLiteral(TESSARO_EXE), {});
        QVERIFY(first.waitForStarted(10000));
        const QString name =
            SingleInstance::NameFor(QString::fromStdString(Tr(Caption::MainWindowTitle)), settingsFile);
        QTRY_VERIFY_WITH_TIMEOUT(SomeoneListens(name) || first.state() != QProcess::Running, 30000);
        QCOMPARE(first.state(), QProcess::Running);

        QFile file(settingsFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(TESSARO_EXE), {});
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);

        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY(!first.waitForFinished(300)); // and it keeps running
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before); // the second start wrote nothing

        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }

    // --help and --version answer without a display; without one the editor
    // says so in one line and exits with 1 instead of Qt aborting.
    void withoutADisplay()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        const auto run = [&environment](const QStringList& arguments) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(TESSARO_EXE), arguments);
            process.waitForFinished(30000);
            return std::make_tuple(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                                   QString::fromUtf8(process.readAllStandardOutput()),
                                   QString::fromUtf8(process.readAllStandardError()));
        };
        auto [status, out, err] = run({QStringLiteral("--help")});
        QCOMPARE(status, 0);
        QVERIFY2(out.startsWith(QStringLiteral("Usage: tessaro [FILE...]\n")), qPrintable(out));
        QCOMPARE(err, QString());
        std::tie(status, out, err) = run({QStringLiteral("--version")});
        QCOMPARE(status, 0);
        QVERIFY2(out.startsWith(QStringLiteral("tessaro ")), qPrintable(out));
        std::tie(status, out, err) = run({});
        QCOMPARE(status, 1);
        QCOMPARE(out, QString());
        QCOMPARE(err, QStringLiteral("tessaro: no display to show the window on (DISPLAY and WAYLAND_DISPLAY "
                                     "are not set)\n"));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
