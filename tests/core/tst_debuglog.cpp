#include "device/DebugLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDebugLog : public QObject
{
    Q_OBJECT
private slots:
    // Named for its start, the log replaces whatever stands there with a regular file
    // of CR LF lines, touching nothing a link points to. No file without debug mode;
    // a directory at the name fails the opening, not the logging.
    void open_data()
    {
        // clang-format off
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("standing"); // what is at the name before
        QTest::addColumn<QByteArray>("file"); // the log file afterwards
        const QByteArray lines("closeComPort: Port not open.\r\nGetXOK: Failed\r\n"), no("<none>");
        QTest::newRow("no debug mode") << false << "" << no;
        QTest::newRow("older, longer log") << true << "file" << lines;
        QTest::newRow("link to another file") << true << "link" << lines;
        QTest::newRow("dangling link") << true << "dangling" << lines;
        QTest::newRow("directory") << true << "dir" << no;
        // clang-format on
    }
    void open()
    {
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
        QCOMPARE(log.OpenDebugLog(debug, QDir(dir.path()), start), standing != "dir");
        log.WriteDebugLog("closeComPort: Port not open.");
        log.WriteDebugLog("GetXOK: Failed");
        QCOMPARE(log.lines().size(), debug ? 2 : 0);
        QFile file(path);
        QTEST(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>"), "file");
        QVERIFY(!QFileInfo(path).isSymLink() && QDir(dir.path()).isEmpty() == !debug);
        QCOMPARE(QFile(victim).exists(), standing == "link");
        if (standing == "link")
            QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == older);
    }
};

QTEST_GUILESS_MAIN(TestDebugLog)
#include "tst_debuglog.moc"
