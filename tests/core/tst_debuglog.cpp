#include "device/DebugLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDebugLog : public QObject
{
    Q_OBJECT
private slots:
    void fileName_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("name");
        QTest::newRow("leading zeros, 24 hours") << QDateTime(QDate(2027, 1, 2), QTime(23, 4, 5))
                                                 << "debugLog_01022027_230405.txt";
        QTest::newRow("midnight") << QDateTime(QDate(2026, 11, 30), QTime(0, 0, 0))
                                  << "debugLog_11302026_000000.txt";
    }
    void fileName()
    {
        QFETCH(QDateTime, start);
        QTEST(DebugLog::fileNameFor(start), "name");
    }

    // Whatever stands at the name, the log becomes a fresh regular file of CR LF
    // lines there, and nothing a link points to is touched. Without debug mode no
    // file is made; a directory at the name fails the opening, not the logging.
    void open_data()
    {
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("standing"); // what is at the name before
        QTest::addColumn<QByteArray>("file"); // the log file afterwards
        const QByteArray lines("closeComPort: Port not open.\r\nGetXOK: Failed\r\n");
        QTest::newRow("no debug mode") << false << "" << QByteArray("<none>");
        QTest::newRow("nothing") << true << "" << lines;
        QTest::newRow("older, longer log") << true << "file" << lines;
        QTest::newRow("link to another file") << true << "link" << lines;
        QTest::newRow("dangling link") << true << "dangling" << lines;
        QTest::newRow("directory") << true << "dir" << QByteArray("<none>");
    }
    void open()
    {
        QFETCH(bool, debug);
        QFETCH(QString, standing);
        QTemporaryDir dir;
        const QDateTime start(QDate(2026, 12, 5), QTime(10, 30, 52));
        const QString path = dir.filePath(DebugLog::fileNameFor(start));
        const QString victim = dir.filePath("victim.txt");
        QFile other(standing == "file" ? path : victim);
        if (standing == "file" || standing == "link")
            QVERIFY(other.open(QIODevice::WriteOnly) && other.write("an older trace, longer\r\n"));
        other.close();
        if (standing == "link" || standing == "dangling")
            QVERIFY(QFile::link(victim, path));
        if (standing == "dir")
            QVERIFY(QDir(dir.path()).mkdir(DebugLog::fileNameFor(start)));

        DebugLog log;
        QCOMPARE(log.OpenDebugLog(debug, QDir(dir.path()), start), standing != "dir");
        log.WriteDebugLog("closeComPort: Port not open.");
        log.WriteDebugLog("GetXOK: Failed");
        QCOMPARE(log.lines().size(), debug ? 2 : 0);
        QFile file(path);
        QTEST(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>"), "file");
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(QDir(dir.path()).isEmpty(), !debug);
        QCOMPARE(QFile(victim).exists(), standing == "link");
        if (standing == "link")
            QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == "an older trace, longer\r\n");
    }
};

QTEST_GUILESS_MAIN(TestDebugLog)
#include "tst_debuglog.moc"
