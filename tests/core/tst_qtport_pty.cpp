// End to end: the real port over QSerialPort talking to qov-sim on a
// pseudo-terminal, through the device procedures, on real time.
#include "app/AppPreferences.h"
#include "device/Clock.h"
#include "device/DebugLog.h"
#include "device/DeviceLink.h"
#include "device/QtProgrammerPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A running qov-sim serving COM1 in a throwaway port directory.
class SimProcess
{
public:
    bool start(const QStringList &extra)
    {
        if (!m_dir.isValid())
            return false;
        qputenv("QOV_PORT_DIR", QFile::encodeName(m_dir.path()));
        const QString exe = QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim");
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(exe, QStringList{"--link", linkPath()} + extra);
        if (!m_process.waitForStarted(5000))
            return false;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            m_process.waitForReadyRead(100);
            m_output += m_process.readAll();
            if (m_output.contains("qov-sim: serving on " + QFile::encodeName(linkPath())))
                return true;
        }
        return false;
    }
    ~SimProcess() { stop(); }
    int stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitCode();
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(1000);
        m_output += m_process.readAll();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    // Runs to its end (for arguments it must refuse); the exit code.
    int runExpectingExit(const QStringList &extra)
    {
        const QString exe = QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim");
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(exe, QStringList{"--link", linkPath()} + extra);
        if (!m_process.waitForFinished(5000))
            return -1;
        m_output += m_process.readAll();
        return m_process.exitCode();
    }
    QString linkPath() const { return m_dir.filePath("COM1"); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QByteArray output() const { return m_output; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QByteArray m_output;
};

struct Link
{
    SystemClock clock;
    DebugLog log;
    RecordingMessageBoxes messages;
    AppPreferences prefs;
    DeviceLink link{clock, log, messages, prefs};
    QtProgrammerPort port;
    Link() { log.enableInMemory(); }
};
} // namespace

class TestQtPortPty : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs pseudo-terminals");
#endif
        const QString exe = QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim");
        if (!QFileInfo(exe).isExecutable())
            QSKIP("qov-sim has not been built");
    }

    // Each row: simulator options, then procedures (run in order on one opening)
    // with what each must give: "name:arguments=result".
    void procedures_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("steps");
        QTest::newRow("healthy board")
            << QStringList{"--learn-code", "0A51EF", "--learn-delay", "100"} << "xok=XOK check=true version=2.5 read:4=20 read:9=0 write:5:33=33 "
                                "read:5=33 learn=0A51EF learn=(none)";
        QTest::newRow("binary version") << QStringList{"--version-answer", "2.3"}
                                        << "xok=XOK check=true version=2.3";
        QTest::newRow("silent board") << QStringList{"--greeting", "none", "--version-answer", "none"}
                                      << "xok=(none) check=false version=(none)";
        QTest::newRow("greeting after the look") << QStringList{"--greet-delay", "1500"}
                                                 << "xok=(none)";
        QTest::newRow("faults")
            << QStringList{"--fault", "9:no-answer", "--fault", "5:no-ack", "--fault",
                           "4:wrong-readback", "--fault", "6:late"}
            << "xok=XOK read:9=-1 write:5:33=-2 write:4:7=-1 read:4=8 read:6=-1";
        QTest::newRow("byte timing") << QStringList{"--byte-timing"}
                                     << "xok=XOK version=2.5 write:4:7=7";
    }
    void procedures()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QString, steps);
        SimProcess sim;
        QVERIFY2(sim.start(simArgs), sim.output().constData());
        Link l;
        QVERIFY(l.link.openComPort(l.port));
        const std::optional<QString> hello = l.link.GetXOK(l.port);
        QStringList got;
        QStringList expected;
        for (const QString &step : steps.split(' ')) {
            const QStringList call = step.section('=', 0, 0).split(':');
            expected << step;
            QString result;
            if (call[0] == "xok") {
                result = hello.value_or("(none)");
            } else if (call[0] == "version") {
                result = l.link.GetVersion(l.port).value_or("(none)");
            } else if (call[0] == "check") {
                result = l.link.CheckQOV(l.port) ? "true" : "false";
            } else if (call[0] == "learn") {
                // The learn window's exchange: LLLL, then 0x4C and the code.
                l.port.output("LLLL");
                QTest::qWait(300);
                const QByteArray report = l.port.input();
                result = report.size() == 4 && report.at(0) == 0x4C
                             ? QString::fromLatin1(report.mid(1).toHex().toUpper())
                             : "(none)";
            } else if (call[0] == "read") {
                double loc = call[1].toDouble();
                result = QString::number(l.link.ReadFromDevice(loc, l.port));
            } else {
                double loc = call[1].toDouble();
                double value = call[2].toDouble();
                result = QString::number(l.link.WriteToDevice(loc, value, l.port));
            }
            got << step.section('=', 0, 0) + '=' + result;
        }
        l.link.closeComPort(l.port);
        QCOMPARE(got, expected);
        QVERIFY(!l.port.hasFailed());
        QVERIFY(l.messages.texts().isEmpty());
    }

    // Closing and re-opening the device is a power cycle; memory stays.
    void powerCycleByReopen()
    {
        SimProcess sim;
        QVERIFY2(sim.start({}), sim.output().constData());
        QtProgrammerPort port;
        port.setPortNumber(1);
        QVERIFY2(port.setOpen(true), qPrintable(port.lastError().description));
        QTest::qWait(400);
        QCOMPARE(port.bytesWaiting(), 3);
        QCOMPARE(port.input(), QByteArray("XOK"));
        QVERIFY(port.output(QByteArray("W\x02\x2A", 3)));
        QTest::qWait(100);
        QCOMPARE(port.input().size(), 1);

        QVERIFY(port.setOpen(false));
        QTest::qWait(100);
        QVERIFY(port.setOpen(true));
        QTest::qWait(400);
        QCOMPARE(port.input(), QByteArray("XOK"));
        QVERIFY(port.output(QByteArray("R\x02\x00", 3)));
        QTest::qWait(100);
        QCOMPARE(port.input(), QByteArray("\x2A", 1));
        // A pseudo-terminal has no modem lines: changing them is not a failure.
        QVERIFY(port.setRts(true));
        QVERIFY(port.setDtr(true));
        QVERIFY(!port.hasFailed());
    }

    void portRefusals_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("error");
        QTest::newRow("missing device") << "missing" << int(PortErrorCode::InvalidPortNumber);
        QTest::newRow("number while open") << "number" << int(PortErrorCode::PortAlreadyOpen);
        QTest::newRow("open twice") << "twice" << int(PortErrorCode::PortAlreadyOpen);
        QTest::newRow("output when closed") << "closed" << int(PortErrorCode::PortNotOpen);
    }
    void portRefusals()
    {
        QFETCH(QString, step);
        QFETCH(int, error);
        SimProcess sim;
        QVERIFY2(sim.start({}), sim.output().constData());
        QtProgrammerPort port;
        bool ok = true;
        if (step == "missing") {
            port.setPortNumber(2);
            ok = port.setOpen(true);
            QVERIFY(port.lastError().description.contains("COM2"));
        } else if (step == "closed") {
            ok = port.output("R");
        } else {
            QVERIFY(port.setOpen(true));
            ok = step == "number" ? port.setPortNumber(3) : port.setOpen(true);
        }
        QVERIFY(!ok);
        QCOMPARE(port.lastError().number, error);
    }

    // A board that vanishes takes its device with it: the port fails and says so,
    // and comes back when the device does.
    void vanishingDevice()
    {
        SimProcess sim;
        QVERIFY2(sim.start({"--fault", "7:vanish"}), sim.output().constData());
        Link l;
        QVERIFY(l.link.openComPort(l.port));
        QCOMPARE(l.link.GetXOK(l.port).value_or(QString()), QString("XOK"));
        double loc = 7;
        QCOMPARE(l.link.ReadFromDevice(loc, l.port), qint16(-1));
        QTRY_VERIFY_WITH_TIMEOUT((l.port.bytesWaiting(), l.port.hasFailed()), 2000);
        QVERIFY(l.port.lastError().number == PortErrorCode::ReadFailed);
        QVERIFY(l.port.lastError().description.contains("COM1"));
        l.link.closeComPort(l.port);
        // The link returns after about a second.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(sim.linkPath()).exists(), 4000);
        QVERIFY(l.link.openComPort(l.port));
        QVERIFY(!l.port.hasFailed());
        QCOMPARE(l.link.GetXOK(l.port).value_or(QString()), QString("XOK"));
        l.link.closeComPort(l.port);
    }

    // The board's memory outlives the simulator in its state file.
    void stateSurvivesRestart()
    {
        QTemporaryDir stateDir;
        const QString state = stateDir.filePath("board.txt");
        for (int run = 0; run < 2; ++run) {
            SimProcess sim;
            QVERIFY2(sim.start({"--state", state}), sim.output().constData());
            QtProgrammerPort port;
            QVERIFY(port.setOpen(true));
            QTest::qWait(300);
            port.input();
            QVERIFY(port.output(run == 0 ? QByteArray("W\x03\x2A", 3) : QByteArray("R\x03\x00", 3)));
            QTest::qWait(100);
            QCOMPARE(port.input(), run == 0 ? QByteArray("\x06") : QByteArray("\x2A"));
            port.setOpen(false);
            QCOMPARE(sim.stop(), 0);
        }
        QFile file(state);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().split(' ').value(3), QByteArray("2A"));
    }

    void damagedStateRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("too short") << QByteArray("01 01 01\n");
        QTest::newRow("not hex") << QByteArray(QByteArray("ZZ ").repeated(22));
        QTest::newRow("too long") << QByteArray("00 ").repeated(23);
    }
    void damagedStateRefused()
    {
        QFETCH(QByteArray, content);
        SimProcess sim;
        QFile file(sim.filePath("board.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QCOMPARE(sim.runExpectingExit({"--state", file.fileName()}), 1);
        QVERIFY2(sim.output().contains("expected 22 hex bytes"), sim.output().constData());
        // Nothing was overwritten.
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
        QVERIFY(!QFileInfo(sim.linkPath()).isSymLink());
    }

    void stopsCleanlyAndRemovesLink()
    {
        SimProcess sim;
        QVERIFY2(sim.start({}), sim.output().constData());
        QVERIFY(QFileInfo(sim.linkPath()).isSymLink());
        QCOMPARE(sim.stop(), 0);
        QVERIFY(!QFileInfo(sim.linkPath()).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TestQtPortPty)
#include "tst_qtport_pty.moc"
