// The real qovctl writing to qov-sim when the simulated board is killed, and when
// the write is interrupted.
#include "settings/DeviceSettings.h"
#include "sim/SimBoard.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

QMap<QString, int> g_injected;

QString exe(const char *name)
{
    return QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath(QLatin1String(name));
}

// Reads the program's output until `what` has shown `count` times.
bool await(QProcess &p, const char *what, int count = 1)
{
    QByteArray seen;
    QElapsedTimer t;
    t.start();
    while (seen.count(what) < count && t.elapsed() < 15000 && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(100);
        seen += p.readAllStandardOutput();
    }
    return seen.count(what) >= count;
}

} // namespace

class TestFaultsCli : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase()
    {
        for (auto it = g_injected.cbegin(); it != g_injected.cend(); ++it)
            qInfo("injected and survived: %-28s %d", qPrintable(it.key()), it.value());
    }
    void writeCutShort_data();
    void writeCutShort();
};

// qovctl write on qov-sim cut short in the middle of a code: the board killed, or
// Ctrl-C once (the code is finished, the write stops and says what was verified)
// or twice (the program ends at once).
void TestFaultsCli::writeCutShort_data()
{
    QTest::addColumn<int>("interrupts"); // 0: qov-sim is killed instead
    QTest::addColumn<int>("exitCode");
    QTest::newRow("qov-sim killed: the next command works") << 0 << 1;
    QTest::newRow("one Ctrl-C: the code in progress is finished") << 1 << 1;
    QTest::newRow("two: at once, as the shell reports Ctrl-C") << 2 << 128 + SIGINT;
}

void TestFaultsCli::writeCutShort()
{
    QFETCH(int, interrupts);
    QFETCH(int, exitCode);
    if (!QFile::exists(exe("qovctl")) || !QFile::exists(exe("qov-sim")))
        QSKIP("QOV_BUILD_DIR does not hold qovctl and qov-sim");
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("state"));
    const QByteArray old = QByteArray(SimBoard::LocationCount, '\x63');
    QFile stateFile(state);
    QVERIFY(stateFile.open(QIODevice::WriteOnly) && stateFile.write(old.toHex(' ') + '\n'));
    stateFile.close();
    QProcess server, ctl;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path()); // nothing stored: the defaults
    ctl.setProcessEnvironment(env);
    // Slow answers: the write is still going when it is cut short.
    const QStringList sim{"--link", dir.filePath("COM1"), "--state", state, "--latency",
                          "60",     "--verbose"};
    const QStringList device{"--device", dir.filePath("COM1")};
    server.start(exe("qov-sim"), sim);
    QVERIFY(await(server, "qov-sim: serving on"));
    ctl.start(exe("qovctl"), device + QStringList{"write", "--defaults"});
    QVERIFY(await(server, "write 10 = ")); // the first byte of a code
    if (interrupts == 0) {
        ::kill(pid_t(server.processId()), SIGKILL);
        QVERIFY(server.waitForFinished(5000));
    }
    for (int i = 0; i < interrupts; ++i) {
        ::kill(pid_t(ctl.processId()), SIGINT);
        QTest::qWait(200); // two signals at once would arrive as one
    }
    QVERIFY2(ctl.state() == QProcess::NotRunning || ctl.waitForFinished(15000),
             "qovctl goes on after its write was cut short");
    const QString err = QString::fromUtf8(ctl.readAllStandardError());
    QVERIFY2(ctl.exitStatus() == QProcess::NormalExit && ctl.exitCode() == exitCode
                 && !err.contains("Succesfully"),
             qPrintable(err));
    ++g_injected[interrupts ? "qovctl write interrupted" : "qov-sim killed mid-write"];
    if (interrupts == 0) {
        QVERIFY2(err.count('\n') <= 2 && err.contains("COM1"), qPrintable(err));
        QProcess again, next;                       // the board comes back: the next command works
        again.start(exe("qov-sim"), sim.mid(0, 2)); // no state: the kill may cut its file short
        QVERIFY(await(again, "qov-sim: serving on"));
        next.start(exe("qovctl"), device + QStringList{"version"});
        QVERIFY(next.waitForFinished(15000));
        QVERIFY2(next.exitCode() == 0 && next.readAllStandardOutput().contains("QOV Version: 2.5"),
                 next.readAllStandardError().constData());
        again.terminate();
        QVERIFY(again.waitForFinished(5000));
        return;
    }
    server.terminate();
    QVERIFY(server.waitForFinished(5000));
    if (interrupts > 1)
        return;
    QVERIFY2(
        err.contains("stopped by SIGINT") && err.contains("verified: location(s) 0, 1, 2")
            && err.contains("10-12; not written and verified: location(s) 13-15, 16-18, 19-21"),
        qPrintable(err));
    QVERIFY(stateFile.open(QIODevice::ReadOnly));
    const QByteArray memory = QByteArray::fromHex(stateFile.readAll());
    DeviceSettings defaults;
    defaults.LoadDefaultVars();
    for (int loc : SettingsTransferOrder)
        QVERIFY2(int(quint8(memory.at(loc))) == (loc <= 12 ? int(defaults.valueAt(loc)) : 0x63),
                 qPrintable(QString::number(loc)));
}

QTEST_GUILESS_MAIN(TestFaultsCli)
#include "tst_faults_cli.moc"
