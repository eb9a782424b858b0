#include "device/DebugLog.h"
#include "support/FileSizeLimit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

class TestDebugLog : public QObject
{
    Q_OBJECT
private slots:
    // Named for its start, the log replaces whatever stands there with a regular file
    // of CR LF lines, touching nothing a link points to. No file without debug mode;
    // a directory at the name fails the opening, not the logging. A path the user
    // named is opened like any file: a link there is followed. A line that cannot be
    // written (the disk full, a file size limit stands in for it) is kept as a reason
    // for the end of the run, never a failure of the caller.
    void open_data()
    {
        // clang-format off
        QTest::addColumn<bool>("named"); // by the user (--debug-log), not the program
        QTest::addColumn<bool>("debug");
        QTest::addColumn<QString>("standing"); // what is at the name before
        QTest::addColumn<int>("room"); // bytes the disk takes; 0: no limit
        QTest::addColumn<QByteArray>("file"); // the log file afterwards
        const QByteArray first("closeComPort: Port not open.\r\n");
        const QByteArray lines(first + "GetXOK: Failed\r\n"), no("<none>");
        QTest::newRow("no debug mode") << false << false << "" << 0 << no;
        QTest::newRow("older, longer log") << false << true << "file" << 0 << lines;
        QTest::newRow("link to another file") << false << true << "link" << 0 << lines;
        QTest::newRow("dangling link") << false << true << "dangling" << 0 << lines;
        QTest::newRow("directory") << false << true << "dir" << 0 << no;
        QTest::newRow("named: link followed") << true << true << "link" << 0 << lines;
        QTest::newRow("named: the disk full after a line") << true << true << "" << 30 << first;
        // clang-format on
    }
    void open()
    {
        QFETCH(bool, named);
        QFETCH(bool, debug);
        QFETCH(QString, standing);
        QFETCH(int, room);
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
        bool opened = false;
        {
            std::optional<FileSizeLimit> fullDisk;
            if (room)
                fullDisk.emplace(room);
            opened = named ? log.openAt(path) : log.OpenDebugLog(debug, QDir(dir.path()), start);
            log.WriteDebugLog("closeComPort: Port not open.");
            log.WriteDebugLog("GetXOK: Failed");
        }
        QCOMPARE(opened, standing != "dir");
        QCOMPARE(log.lines().size(), debug ? 2 : 0);
        QFile file(path);
        QTEST(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>"), "file");
        const bool linked = standing == "link" || standing == "dangling";
        QVERIFY(QFileInfo(path).isSymLink() == (named && linked));
        QVERIFY(QDir(dir.path()).isEmpty() == !debug);
        QCOMPARE(QFile(victim).exists(), standing == "link");
        if (standing == "link" && !named)
            QVERIFY(other.open(QIODevice::ReadOnly) && other.readAll() == older);
        QVERIFY2(room ? log.writeError().contains("File too large") : log.writeError().isEmpty(),
                 qPrintable(log.writeError()));
        if (standing == "dir" && !named) // the file and the folder named, and why
            QVERIFY2(log.errorString().startsWith("Cannot create the debug log " + name
                                                  + " in the folder " + dir.path() + ": "),
                     qPrintable(log.errorString()));
    }
};

QTEST_GUILESS_MAIN(TestDebugLog)
#include "tst_debuglog.moc"
