// The file types installed for the desktop (res/tessaro-mime.xml) as a
// desktop reads them once the system has merged them into its database (as
// the package's trigger and `make install` do): each kind of file is known by
// its content, whatever it is called, and by the backup file's names.

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kSource = QStringLiteral(TESSARO_SOURCE_DIR);

} // namespace

class MimeTypesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The system's types and ours in one database of our own, made before
        // Qt first reads one. (Qt lets the first magic match of a later
        // database win, so ours beside the system's own would not show what
        // a desktop sees.)
        const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        const QString system = QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml");
        if (update.isEmpty() || !QFile::exists(system))
            QSKIP("shared-mime-info is not installed (make deps)");
        QVERIFY(data_.isValid());
        const QString packages = data_.filePath(QStringLiteral("mime/packages"));
        QVERIFY(QDir().mkpath(packages));
        QVERIFY(QFile::copy(system, packages + QStringLiteral("/freedesktop.org.xml")));
        QVERIFY(QFile::copy(kSource + QStringLiteral("/res/tessaro-mime.xml"),
                            packages + QStringLiteral("/tessaro.xml")));
        QCOMPARE(QProcess::execute(update, {data_.filePath(QStringLiteral("mime"))}), 0);
        qputenv("XDG_DATA_DIRS", QFile::encodeName(data_.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data_.filePath(QStringLiteral("home"))));
    }

    void typesByContentAndName_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        const QString mdb = kSource + QStringLiteral("/examples/Demo.buf/MDB.bup");
        const QString archive = kSource + QStringLiteral("/examples/Demo.mdx");
        const QString mdbType = QStringLiteral("application/x-psr9000-mdb");
        const QString archiveType = QStringLiteral("application/x-psr9000-mdb-archive");
        QTest::newRow("backup file") << mdb << "MDB.bup" << mdbType;
        QTest::newRow("pro backup file, upper case") << mdb << "MDB_PRO.BUP" << mdbType;
        QTest::newRow("backup file under another name") << mdb << "keyboard.dat" << mdbType;
        QTest::newRow("archive") << archive << "Mine.mdx" << archiveType;
        QTest::newRow("archive under another name") << archive << "mine.bin" << archiveType;
        QTest::newRow("a .mdx that is no archive")
            << kSource + QStringLiteral("/res/copyright") << "rom.mdx" << QString();
    }
    void typesByContentAndName()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        QFETCH(QString, type);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        QVERIFY(QFile::copy(source, path));
        const QString found = QMimeDatabase().mimeTypeForFile(path).name();
        if (type.isEmpty())
            QVERIFY2(!found.startsWith(QStringLiteral("application/x-psr9000")), qPrintable(found));
        else
            QCOMPARE(found, type);
    }

private:
    QTemporaryDir data_;
};

QTEST_MAIN(MimeTypesTest)
#include "MimeTypesTest.moc"
