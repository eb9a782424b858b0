// End to end: the real port over QSerialPort talking to qov-sim on a
// pseudo-terminal, through the device procedures, on real time.
#include "device/DeviceLink.h"
#include "device/QtProgrammerPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString simExe() { return QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim"); }
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
        if (!QFileInfo(simExe()).isExecutable())
            QSKIP("qov-sim has not been built");
    }

    // Simulator options ("STATE" is a state file), then steps on one link, each
    // "name:arguments=result": procedures, "reopen" (close and open: a power
    // cycle, the greeting again), "restart" (a new simulator; its link goes and
    // comes back) and "vanished" (the port fails and names the device).
    void session_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("steps");
        QTest::newRow("healthy board") << QStringList{} << "xok=XOK check=true version=2.5 "
            "read:4=20 read:9=0 write:5:33=33 reopen=XOK read:5=33";
        QTest::newRow("binary version, no greeting")
            << QStringList{"--version-answer", "2.3", "--greeting", "none"}
            << "xok=(none) version=2.3";
        QTest::newRow("vanished board") << QStringList{"--fault", "7:vanish"}
                                        << "xok=XOK read:7=-1 vanished=8020 reopen=XOK read:4=20";
        QTest::newRow("memory kept in the state file") << QStringList{"--state", "STATE"}
            << "write:3:42=42 restart=XOK read:3=42";
        // clang-format on
    }
    void session()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QString, steps);
        QTemporaryDir dir; // a throwaway port directory
        qputenv("QOV_PORT_DIR", QFile::encodeName(dir.path()));
        const QString comLink = dir.filePath("COM1");
        simArgs = QStringList{"--link", comLink} + simArgs.replaceInStrings("STATE", comLink + "s");
        QProcess sim;
        sim.setProcessChannelMode(QProcess::MergedChannels);
        QByteArray out;
        const auto startSim = [&] { // true once it serves
            sim.start(simExe(), simArgs);
            for (int i = 0; i < 50 && !out.contains("serving on " + comLink.toUtf8()); ++i)
                sim.waitForReadyRead(100), out += sim.readAll();
            return out.contains("serving on " + comLink.toUtf8());
        };
        QVERIFY2(startSim(), out.constData());
        SystemClock clock;
        DebugLog log;
        RecordingMessageBoxes messages;
        LinkPreferences prefs;
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
                    sim.terminate();
                    QVERIFY(sim.waitForFinished(5000) && sim.exitCode() == 0);
                    QVERIFY(!QFileInfo(comLink).isSymLink());
                    out.clear();
                    QVERIFY2(startSim(), out.constData());
                }
                // A vanished board's link returns after about a second.
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(comLink).exists(), 4000);
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
