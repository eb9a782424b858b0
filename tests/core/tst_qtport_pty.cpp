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
#include <memory>

namespace {
// A running qov-sim serving COM1 in a throwaway port directory.
class SimProcess
{
public:
    explicit SimProcess(const QString &dir) : m_link(QDir(dir).filePath("COM1"))
    {
        qputenv("QOV_PORT_DIR", QFile::encodeName(dir));
    }
    ~SimProcess() { stop(); }
    bool start(const QStringList &args)
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim"),
                        QStringList{"--link", m_link} + args);
        QElapsedTimer timer;
        timer.start();
        while (m_process.waitForStarted(5000) && timer.elapsed() < 5000) {
            m_process.waitForReadyRead(100);
            m_output += m_process.readAll();
            if (m_output.contains("qov-sim: serving on " + QFile::encodeName(m_link)))
                return true;
        }
        return false;
    }
    // The exit code of a clean stop.
    int stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return -1;
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(1000);
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    const QString m_link;
    QProcess m_process;
    QByteArray m_output;
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
        if (!QFileInfo(QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim")).isExecutable())
            QSKIP("qov-sim has not been built");
    }

    // Simulator options ("STATE" is a state file), then steps on one link, each
    // "name:arguments=result": procedures, "reopen" (close and open: a power
    // cycle, the greeting again), "restart" (a new simulator; its link goes and
    // comes back) and "vanished" (the port fails and names the device).
    void session_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("steps");
        QTest::newRow("healthy board") << QStringList{} << "xok=XOK check=true version=2.5 "
            "read:4=20 read:9=0 write:5:33=33 reopen=XOK read:5=33";
        QTest::newRow("binary version") << QStringList{"--version-answer", "2.3"}
                                        << "xok=XOK check=true version=2.3";
        QTest::newRow("silent board") << QStringList{"--greeting", "none", "--version-answer", "none"}
                                      << "xok=(none) check=false version=(none)";
        QTest::newRow("vanished board") << QStringList{"--fault", "7:vanish"}
                                        << "xok=XOK read:7=-1 vanished=8020 reopen=XOK read:4=20";
        QTest::newRow("memory kept in the state file") << QStringList{"--state", "STATE"}
            << "write:3:42=42 restart=XOK read:3=42";
    }
    void session()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QString, steps);
        QTemporaryDir dir;
        simArgs.replaceInStrings("STATE", dir.filePath("board.txt"));
        auto sim = std::make_unique<SimProcess>(dir.path());
        QVERIFY2(sim->start(simArgs), sim->m_output.constData());
        SystemClock clock;
        DebugLog log;
        RecordingMessageBoxes messages;
        AppPreferences prefs;
        DeviceLink link{clock, log, messages, prefs};
        QtProgrammerPort port;
        QVERIFY(link.openComPort(port));
        std::optional<QString> hello = link.GetXOK(port);
        QStringList got;
        for (const QString &step : steps.split(' ')) {
            const QStringList call = step.section('=', 0, 0).split(':');
            double loc = call.value(1).toDouble(), value = call.value(2).toDouble();
            QString result;
            if (call[0] == "reopen" || call[0] == "restart") {
                link.closeComPort(port);
                if (call[0] == "restart") {
                    QCOMPARE(sim->stop(), 0);
                    QVERIFY(!QFileInfo(sim->m_link).isSymLink());
                    sim = std::make_unique<SimProcess>(dir.path());
                    QVERIFY2(sim->start(simArgs), sim->m_output.constData());
                }
                // A vanished board's link returns after about a second.
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(sim->m_link).exists(), 4000);
                QVERIFY(link.openComPort(port));
                result = link.GetXOK(port).value_or("(none)");
            } else if (call[0] == "xok") {
                result = hello.value_or("(none)");
            } else if (call[0] == "version") {
                result = link.GetVersion(port).value_or("(none)");
            } else if (call[0] == "check") {
                result = link.CheckQOV(port) ? "true" : "false";
            } else if (call[0] == "vanished") {
                QTRY_VERIFY_WITH_TIMEOUT((port.bytesWaiting(), port.hasFailed()), 2000);
                QVERIFY(port.lastError().description.contains("COM1"));
                result = QString::number(port.lastError().number);
            } else if (call[0] == "read") {
                result = QString::number(link.ReadFromDevice(loc, port));
            } else {
                result = QString::number(link.WriteToDevice(loc, value, port));
            }
            got << step.section('=', 0, 0) + '=' + result;
        }
        QCOMPARE(got.join(' '), steps);
        QVERIFY(!port.hasFailed());
        QVERIFY(messages.texts().isEmpty());
        link.closeComPort(port);
    }
};

QTEST_GUILESS_MAIN(TestQtPortPty)
#include "tst_qtport_pty.moc"
