#include "device/DebugLog.h"
#include "support/FileSizeLimit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDebugLog : public QObject
{
    Q_OBJECT
private slots:
    // Named for its start, the log replaces whatever stands there with a regular file
    // of CR LF lines, touching nothing a link points to. No file without debug mode;
    // a directory at the name fails the opening, not the logging. A path the user
    // named is opened like any file: a link there is followed.
    void open_data()
    {
        // clang-format off
        QTest::addColumn<bool>("named"); // by the user (--debug-log), not the program
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("standing"); // what is at the name before
        QTest::addColumn<QByteArray>("file"); // the log file afterwards
        const QByteArray lines("closeComPort: Port not open.\r\nGetXOK: Failed\r\n"), no("<none>");
        QTest::newRow("no debug mode") << false << false << "" << no;
        QTest::newRow("older, longer log") << false << true << "file" << lines;
        QTest::newRow("link to another file") << false << true << "link" << lines;
        QTest::newRow("dangling link") << false << true << "dangling" << lines;
        QTest::newRow("directory") << false << true << "dir" << no;
        QTest::newRow("named: link followed") << true << true << "link" << lines;
        QTest::newRow("named: dangling link followed") << true << true << "dangling" << lines;
        // clang-format on
    }
    void open()
    {
        QFETCH(bool, named);
        QFETCH(bool, debug);
        QFETCH(QString, standing);
        const QDateTime start(QDate(2027, 1, 2), QTime(23, 4, 5));
        const QString name = "debugLog_01022027_230405.txt"; // month first, 24 hours
        QTemporaryDir dir;
        const QString path = dir.filePath(name), victim = dir.filePath("victim");
        const QByteArray older("an older trace, longer\r\n");
        QFile other(standing == "file" ? path : victim);
        if (standing == "file" || standing == "link")
            QVERIFY(other.open(QIODevice::WriteOnly) && other.write(older));
        other.close();
        if (standing == "link" || standing == "dangling")
            QVERIFY(QFile::link(victim, path));
        if (standing == "dir")
            QVERIFY(QDir(dir.path()).mkdir(name));

        DebugLog log;
        QCOMPARE(named ? log.openAt(path) : log.OpenDebugLog(debug, QDir(dir.path()), start),
                 standing != "dir");
        log.WriteDebugLog("closeComPort: Port not open.");
        log.WriteDebugLog("GetXOK: Failed");
        QCOMPARE(log.lines().size(), debug ? 2 : 0);
        QFile file(path);
        QTEST(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>"), "file");
        const bool linked = standing == "link" || standing == "dangling";
        QVERIFY(QFileInfo(path).isSymLink() == (named && linked));
        QVERIFY(QDir(dir.path()).isEmpty() == !debug);
        QCOMPARE(QFile(victim).exists(), standing == "link" || (named && linked));
        if (standing == "link" && !named)
            QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == older);
        QVERIFY(log.writeError().isEmpty());
        if (standing == "dir" && !named) // the file and the folder named, and why
            QVERIFY2(log.errorString().startsWith("Cannot create the debug log " + name
                                                  + " in the folder " + dir.path() + ": "),
                     qPrintable(log.errorString()));
    }

    // A line that cannot be written is kept as a reason for the end of the run,
    // never a failure of the caller.
    // The disk fills after the first line (a file size limit stands in for it).
    void fullDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trace.txt"));
        DebugLog log;
        QString error;
        {
            const FileSizeLimit full(30);
            QVERIFY(log.openAt(path));
            log.WriteDebugLog("openComPort: Cycling port");
            log.WriteDebugLog("GetXOK: XOK");
            error = log.writeError();
        }
        QCOMPARE(log.lines().size(), 2);
        QVERIFY2(error.contains("File too large"), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestDebugLog)
#include "tst_debuglog.moc"
