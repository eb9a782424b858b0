// The PID a serial lock file names, in each format programs write it: ten characters
// and a newline, a bare number, or four binary bytes, which can look like digits.
#include "device/SerialLocks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSerialLockPid : public QObject
{
    Q_OBJECT
private slots:
    void pid_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<qint64>("pid"); // 0: names no process
        QTest::newRow("ten characters and a newline") << QByteArray("      1234\n") << qint64(1234);
        QTest::newRow("a bare number") << QByteArray("77") << qint64(77);
        QTest::newRow("the serial port library's: PID, program, host")
            << QByteArray("463\nqovprog\nhost\n") << qint64(463);
        QTest::newRow("text of four characters") << QByteArray("123\n") << qint64(123);
        QTest::newRow("binary") << QByteArray("\x92\x10\x00\x00", 4) << qint64(4242);
        QTest::newRow("binary whose bytes look like digits (14392 is 88)")
            << QByteArray("88\0\0", 4) << qint64(14392);
        QTest::newRow("empty") << QByteArray() << qint64(0);
        QTest::newRow("a word") << QByteArray("minicom\n") << qint64(0);
        QTest::newRow("a negative number") << QByteArray("-5\n") << qint64(0);
        // clang-format on
    }
    void pid()
    {
        QFETCH(QByteArray, contents);
        QFETCH(qint64, pid);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("LCK..ttyS0"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        file.close();
        QCOMPARE(serialLockPid(path), pid);
    }
};

QTEST_GUILESS_MAIN(TestSerialLockPid)
#include "tst_seriallockpid.moc"
