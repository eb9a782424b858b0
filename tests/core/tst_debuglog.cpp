#include "device/DebugLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestDebugLog : public QObject
{
    Q_OBJECT
private slots:
    void fileName_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QString>("name");
        QTest::newRow("afternoon") << QDateTime(QDate(2026, 12, 5), QTime(10, 30, 52))
                                   << "debugLog_12052026_103052.txt";
        QTest::newRow("leading zeros") << QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5))
                                       << "debugLog_01022027_030405.txt";
        QTest::newRow("24-hour clock") << QDateTime(QDate(2026, 11, 30), QTime(23, 59, 59))
                                       << "debugLog_11302026_235959.txt";
        QTest::newRow("midnight") << QDateTime(QDate(2026, 2, 28), QTime(0, 0, 0))
                                  << "debugLog_02282026_000000.txt";
    }
    void fileName()
    {
        QFETCH(QDateTime, start);
        QFETCH(QString, name);
        QCOMPARE(DebugLog::fileNameFor(start), name);
    }

    // Whatever stands at the log's name, the log ends up as a fresh regular file
    // there, and nothing a link points to is touched.
    void openReplaces_data()
    {
        QTest::addColumn<QString>("standing"); // what is at the name before
        QTest::newRow("nothing") << "none";
        QTest::newRow("older log of the same second") << "file";
        QTest::newRow("link to another file") << "link";
        QTest::newRow("dangling link") << "dangling";
    }
    void openReplaces()
    {
        QFETCH(QString, standing);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDateTime start(QDate(2026, 12, 5), QTime(10, 30, 52));
        const QString logPath = dir.filePath(DebugLog::fileNameFor(start));
        const QString victim = dir.filePath(QStringLiteral("victim.txt"));
        if (standing == QLatin1String("file"))
            writeFile(logPath, "old trace that is much longer than the new one\r\n");
        if (standing == QLatin1String("link")) {
            writeFile(victim, "keep");
            QVERIFY(QFile::link(victim, logPath));
        }
        if (standing == QLatin1String("dangling"))
            QVERIFY(QFile::link(victim, logPath));

        DebugLog log;
        QVERIFY2(log.OpenDebugLog(true, QDir(dir.path()), start), qPrintable(log.errorString()));
        log.WriteDebugLog(QStringLiteral("closeComPort: Port not open."));
        log.WriteDebugLog(QStringLiteral("GetXOK: Failed"));

        QVERIFY(!QFileInfo(logPath).isSymLink());
        QCOMPARE(log.filePath(), logPath);
        QCOMPARE(contents(logPath), QByteArray("closeComPort: Port not open.\r\nGetXOK: Failed\r\n"));
        if (standing == QLatin1String("link"))
            QCOMPARE(contents(victim), QByteArray("keep"));
        if (standing == QLatin1String("dangling"))
            QVERIFY(!QFile::exists(victim));
    }

    void noFileWithoutDebugMode()
    {
        QTemporaryDir dir;
        DebugLog log;
        QVERIFY(log.OpenDebugLog(false, QDir(dir.path())));
        log.WriteDebugLog(QStringLiteral("openComPort: Cycling port"));
        QVERIFY(!log.enabled());
        QVERIFY(log.lines().isEmpty());
        QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }

    void unwritableNameFailsButLoggingGoesOn()
    {
        QTemporaryDir dir;
        const QDateTime start(QDate(2026, 1, 1), QTime(1, 2, 3));
        QVERIFY(QDir(dir.path()).mkdir(DebugLog::fileNameFor(start)));
        DebugLog log;
        QVERIFY(!log.OpenDebugLog(true, QDir(dir.path()), start));
        QVERIFY(!log.errorString().isEmpty());
        log.WriteDebugLog(QStringLiteral("still traced"));
        QCOMPARE(log.lines(), QStringList{QStringLiteral("still traced")});
    }

    void memoryKeepsRecentLines()
    {
        DebugLog log;
        log.enableInMemory();
        for (int i = 0; i < 10005; ++i)
            log.WriteDebugLog(QString::number(i));
        QCOMPARE(log.lines().size(), 10000);
        QCOMPARE(log.lines().first(), QStringLiteral("5"));
        QCOMPARE(log.lines().last(), QStringLiteral("10004"));
    }
};

QTEST_GUILESS_MAIN(TestDebugLog)
#include "tst_debuglog.moc"
